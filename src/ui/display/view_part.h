// SPDX-License-Identifier: MIT
#pragma once
// The window's view of the pages: the page view itself, the zoom box and
// steps, paging, the cross-hair, the tool and status bars with the readout
// panes, and the picture for the clipboard.

#include <QObject>
#include <QString>
#include <array>

class QComboBox;
class QLabel;
class QMainWindow;
class QToolBar;

namespace fernplot {

struct AppState;
class CMainView;
class CommandTable;
class FrameDialogs;

class ViewPart : public QObject {
  Q_OBJECT

 public:
  // Makes the view the window's central widget and the readout panes in its
  // status bar; `toolBar` is the window's, shown and hidden from the menu.
  ViewPart(AppState& state, FrameDialogs& dialogs, QMainWindow& window, QToolBar& toolBar);

  void AddCommands(CommandTable& table);

  CMainView* View() const { return view_; }
  QComboBox* ZoomBox() const { return zoomBox_; }
  QLabel* Pane(int index) const;  // 1..4
  // Width fitted to the text unless fitWidth is false.
  void SetStatusPaneText(int index, const QString& text, bool fitWidth = true);

  // Copies the zoom box's entry into the drawing (when active) and repaints.
  void ApplyZoomSelection();
  void SelectZoomEntry(int index);
  void StepZoom(int steps);
  // Scroll sizes recomputed, picture rendered again.
  void Refresh();

  void GoToPage();
  void FirstPage();
  void LastPage();
  void ToggleCrossHair();
  void CopyPageToClipboard();

 signals:
  // The zoom changed: the picture is shown again.
  void changed();
  // Only the commands' states may have changed.
  void statesChanged();

 private:
  void CreateZoomBox();
  void CreateStatusPanes();

  AppState& state_;
  FrameDialogs& dialogs_;
  QMainWindow& window_;
  QToolBar& toolBar_;
  CMainView* view_ = nullptr;
  QComboBox* zoomBox_ = nullptr;
  std::array<QLabel*, 4> panes_{};
};

}  // namespace fernplot
