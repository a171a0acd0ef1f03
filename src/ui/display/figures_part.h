// SPDX-License-Identifier: MIT
#pragma once
// The figures panel beside the page (and the marks of the figures on the
// page, which it switches), and the two user markers with their mode
// command and their readout in the status bar.

#include <QObject>

class QAction;
class QLabel;
class QMainWindow;

namespace fernplot {

struct AppState;
struct GraphPage;
class CMainView;
class CommandTable;
class FiguresDock;
class MarkerController;
class ViewerSettings;

class FiguresPart : public QObject {
  Q_OBJECT

 public:
  FiguresPart(AppState& state, QMainWindow& window);
  void AddCommands(CommandTable& table);
  FiguresDock* Dock() const { return dock_; }
  // The panel follows the page on screen.
  void ShowPage(const GraphPage* page);
  // Reopens the panel when it was open as the viewer last closed.
  void SetViewerSettings(ViewerSettings* settings);
  // Keeps whether the panel is open for the next start.
  void KeepPanelState();

 signals:
  // The user asked for the page's figure marks on or off.
  void figureMarksToggled(bool on);
  // The panel was opened and wants the page on screen.
  void pageWanted();

 private:
  // Widens the panel to its longest line (up to half the window).
  void FitWidth();

  AppState& state_;
  QMainWindow& window_;
  FiguresDock* dock_ = nullptr;
  ViewerSettings* settings_ = nullptr;
  // Opened without figures to show: widened when the first arrive.
  bool fitPending_ = false;
};

class MarkersPart : public QObject {
  Q_OBJECT

 public:
  MarkersPart(AppState& state, QMainWindow& window, CMainView* view);
  void AddCommands(CommandTable& table);
  MarkerController* Markers() const { return markers_; }
  QLabel* Pane() const { return pane_; }
  // Markers of another page go.
  void PageChanged();

 private:
  MarkerController* markers_ = nullptr;
  QLabel* pane_ = nullptr;
};

}  // namespace fernplot
