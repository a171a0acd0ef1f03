// SPDX-License-Identifier: MIT
#pragma once
// The main window: menus, tool bar with the zoom box, status bar with the
// readout panes, and the commands that work on the whole display.

#include <QMainWindow>
#include <QStringList>
#include <array>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QComboBox;
class QLabel;
class QMenu;
class QMenuBar;
class QPrinter;
class QProgressDialog;

namespace fernplot {

struct AppState;
struct GraphPage;
class CMainView;
class FiguresDock;
class FrameDialogs;
class ViewerSettings;
class MarkerController;

// The box text for files that could not be opened: the first few, then how
// many more (the whole list goes in the box's details).
QString OpenFailuresText(const QStringList& failures);
constexpr int kFailuresListed = 20;

// A text of the command table (commands.h) in the program's language.
QString CommandTr(std::string_view source);

class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  CMainFrame(AppState& state, FrameDialogs& dialogs, QWidget* parent = nullptr);
  ~CMainFrame() override;

  // The widgets and actions, by command id (for the application and tests).
  QAction* Action(int id) const;
  QComboBox* ZoomBox() const { return zoomBox_; }
  CMainView* View() const { return view_; }
  QLabel* Pane(int index) const;  // 1..4
  FiguresDock* FiguresPanel() const { return figuresDock_; }
  MarkerController* Markers() const { return markers_; }
  QLabel* MarkerPane() const { return markerPane_; }
  QAction* MarkerModeAction() const { return markerMode_; }

  // Copies the zoom box's entry into the drawing (when active) and repaints.
  void ApplyZoomSelection();
  // Scroll sizes recomputed, picture rendered again.
  void RefreshViews();
  // Sets the enabled and checked states of every command.
  void UpdateCommandStates();
  // The window size whose view shows a sheet of `sheet` pixels whole at
  // 100 % (with room for a vertical scroll bar), menus and bars included.
  QSize WindowSizeToShow(QSize sheet);
  // Width fitted to the text unless fitWidth is false.
  void SetStatusPaneText(int index, const QString& text, bool fitWidth = true);

  // Where the recent files and the language choice are kept; none: the
  // recent-files list stays empty and nothing is written.
  void SetViewerSettings(ViewerSettings* settings);

  // Commands.
  void OpenDataFile();
  // The standard file dialog (Ctrl+O), filtered to data files.
  void OpenFileWithDialog();
  // Opens the recent file at `index` (0: the latest); a file that is gone is
  // taken off the list with a message.
  void OpenRecentFile(int index);
  // The recent-file entries of the file menu, rebuilt (names, grey when the
  // file is missing).
  void UpdateRecentFileMenu();
  QMenu* RecentFileMenu() const { return fileMenu_; }
  // Keeps the language for the next start and says so.
  void ChooseLanguage(int commandId);
  void SaveCsv();
  void CopyPageToClipboard();
  void ClosePage();
  void GoToPage();
  void FirstPage();
  void LastPage();
  // Closes every page after one confirmation.
  void CloseAllPages();
  void EditCurrentProperties();
  void EditDefaultProperties();
  void ResetToDefault();
  void OverwriteDefault();
  void ToggleCrossHair();
  void SelectZoomEntry(int index);
  void StepZoom(int steps);
  void Print();
  void PrinterSetup();
  // Comparing: overlay traces chosen in the data-file list, the page's list
  // of traces (remove, reference), and the difference to the reference.
  void AddOverlays();
  void EditTraces();
  void ToggleDifference();
  // Lays the named files over the page on screen (a folder gives its data
  // files); one message lists those that could not be read.
  void AddOverlayFiles(const QStringList& paths);

  // Opens the named files as pages in the given order; one message lists the
  // files that could not be read, with the reader's message for each.
  void OpenFiles(const QStringList& paths);
  // The same for names as bytes (a name need not be valid text); from
  // kProgressFromFiles files on, a progress box with Cancel is shown and the
  // window stays responsive while the pages are built.
  void OpenFilePaths(const std::vector<std::string>& paths);
  // The print job's name, set with the first opened files.
  const QString& DocumentTitle() const { return documentTitle_; }
  QPrinter& Printer();

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  int sessionListener_ = 0;
  std::unique_ptr<QProgressDialog> MakeOpenProgress(int total);
  // Shows `done` pages built; false once the user or a quit signal cancelled.
  static bool StepOpenProgress(QProgressDialog& progress, int done);
  void ShowOpenFailures(const QStringList& failures);
  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  void CreateStatusBar();
  void CreateOverlayActions();
  void AddOverlayMenu(QMenuBar* bar);
  void UpdateOverlayCommandStates();
  // Names give the legend's name (their folder and extension dropped).
  void AddOverlayFilePaths(const std::vector<std::string>& paths,
                           const std::vector<std::string>& names);
  QAction* AddAction(int id, void (CMainFrame::*handler)());
  bool PageShown() const;
  GraphPage* CurrentPage() const;
  void AfterPagesOpened();
  void CreatePageActions();
  // "FERNPLOT - <data file>" while a page is shown.
  void UpdateWindowTitle();
  // The opened data files go to the top of the recent files, the last one
  // first.
  void RememberRecentFiles(const std::vector<std::string>& paths);
  void CreateLanguageMenu(QMenu* settingsMenu);
  // The figures panel, the markers and their menu, tool bar and status bar
  // entries (main_frame_figures.cpp).
  void CreateFiguresUi();
  // Panel and markers follow the page on screen.
  void UpdateFigures();
  void ShowFigureMarks(bool on);

  AppState& state_;
  FrameDialogs& dialogs_;
  CMainView* view_ = nullptr;
  QComboBox* zoomBox_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  std::array<QLabel*, 4> panes_{};
  std::map<int, QAction*> actions_;
  std::unique_ptr<QPrinter> printer_;
  QString documentTitle_;
  ViewerSettings* viewerSettings_ = nullptr;
  QMenu* fileMenu_ = nullptr;
  QAction* recentSeparator_ = nullptr;  // before the exit command
  std::vector<QAction*> recentActions_;
  FiguresDock* figuresDock_ = nullptr;
  MarkerController* markers_ = nullptr;
  QLabel* markerPane_ = nullptr;
  QAction* markerMode_ = nullptr;
};

}  // namespace fernplot
