// SPDX-License-Identifier: MIT
#pragma once
// The main window: the composition of its parts (the page actions, the
// view, the figures panel, the markers, the recent files, the language),
// whose commands one table turns into menus, tool bar and enable states.

#include <QMainWindow>

class QComboBox;
class QLabel;
class QToolBar;

namespace fernplot {

struct AppState;
class CMainView;
enum class MenuId;
class CommandTable;
class FiguresDock;
class PageListDock;
class FiguresPart;
class FrameDialogs;
class LanguagePart;
class MaskPart;
class LoopPart;
class MarkerController;
class MarkersPart;
class PageActions;
class RangeZoomPart;
class RecentFilesPart;
class ViewerSettings;
class ViewPart;

class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  CMainFrame(AppState& state, FrameDialogs& dialogs, QWidget* parent = nullptr);
  ~CMainFrame() override;

  // The parts, for the application and tests.
  PageActions& Pages() const { return *pages_; }
  ViewPart& ViewCommands() const { return *view_; }
  RecentFilesPart& Recent() const { return *recent_; }
  RangeZoomPart& Ranges() const { return *ranges_; }
  const CommandTable& Commands() const { return *commands_; }

  // The actions by command id, and the widgets tests look at.
  QAction* Action(int id) const;
  QComboBox* ZoomBox() const;
  CMainView* View() const;
  QLabel* Pane(int index) const;  // 1..4
  FiguresDock* FiguresPanel() const;
  PageListDock* PageList() const;
  MarkerController* Markers() const;
  QLabel* MarkerPane() const;
  QAction* MarkerModeAction() const;

  // The pages changed: scroll sizes, picture, states and panels follow.
  void RefreshViews();
  // Sets the enabled and checked states of every command.
  void UpdateCommandStates();
  // The window size whose view shows a sheet of `sheet` pixels whole at
  // 100 % (with room for a vertical scroll bar), menus and bars included.
  QSize WindowSizeToShow(QSize sheet);
  // Where the recent files and the language choice are kept; none: the
  // recent-files list stays empty and nothing is written.
  void SetViewerSettings(ViewerSettings* settings);
  // Keeps the window's choices for the next start (the figures panel open).
  void KeepViewerChoices();

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  int sessionListener_ = 0;
  void AddWindowCommands();
  // The short usage help of the help menu.
  QString HelpText() const;
  // "Menu → Item" as the menus show them.
  QString MenuPath(MenuId menu, int command) const;
  void Connect();
  // "FERNPLOT - <data file>" while a page is shown.
  void UpdateWindowTitle();

  AppState& state_;
  FrameDialogs& dialogs_;
  QToolBar* toolBar_ = nullptr;
  CommandTable* commands_ = nullptr;
  PageActions* pages_ = nullptr;
  ViewPart* view_ = nullptr;
  FiguresPart* figures_ = nullptr;
  MarkersPart* markers_ = nullptr;
  RangeZoomPart* ranges_ = nullptr;
  RecentFilesPart* recent_ = nullptr;
  LanguagePart* language_ = nullptr;
  MaskPart* masks_ = nullptr;
  LoopPart* loop_ = nullptr;
};

}  // namespace fernplot
