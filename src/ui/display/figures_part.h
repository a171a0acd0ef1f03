// SPDX-License-Identifier: MIT
#pragma once
// The panels beside the page: the figures (and their marks on the page,
// which it switches) and the list of open pages; and the two user markers
// with their mode command and their readout in the status bar.

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
class PageListDock;
class MarkerController;
class ViewerSettings;

class FiguresPart : public QObject {
  Q_OBJECT

 public:
  FiguresPart(AppState& state, QMainWindow& window);
  void AddCommands(CommandTable& table);
  FiguresDock* Dock() const { return dock_; }
  PageListDock* PageList() const { return pageList_; }
  // The panels follow the page on screen and the set of pages.
  void ShowPage(const GraphPage* page);
  // Reopens the panels that were open as the viewer last closed.
  void SetViewerSettings(ViewerSettings* settings);
  // Keeps whether the panels are open for the next start.
  void KeepPanelState();

 signals:
  // The user asked for the page's figure marks on or off.
  void figureMarksToggled(bool on);
  // The panel was opened and wants the page on screen.
  void pageWanted();
  // The page list asks for page n (1-based).
  void pageChosen(int n);

 private:
  // Widens the panel to its longest line (up to half the window).
  void FitWidth();

  AppState& state_;
  QMainWindow& window_;
  FiguresDock* dock_ = nullptr;
  PageListDock* pageList_ = nullptr;
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
