// SPDX-License-Identifier: MIT
#pragma once
// The recent files of the file menu with the file dialog that starts in
// their folder, and the language choice; both kept in the viewer settings.

#include <QObject>
#include <optional>
#include <string>
#include <vector>

#include "frame_dialogs.h"
#include "language.h"

class QAction;
class QMenu;
class QWidget;

namespace fernplot {

class CommandTable;
class FrameDialogs;
class ViewerSettings;

class RecentFilesPart : public QObject {
  Q_OBJECT

 public:
  RecentFilesPart(FrameDialogs& dialogs, QWidget& window);
  void AddCommands(CommandTable& table);
  // After the menus are built: the entries go before the exit command.
  void PlaceInMenu(const CommandTable& table);
  // Where the list is kept; none: it stays empty and nothing is written.
  void SetViewerSettings(ViewerSettings* settings);

  QMenu* Menu() const { return menu_; }
  // The recent-file entries of the file menu, rebuilt (names, grey when the
  // file is missing).
  void UpdateMenu();
  // Opens the recent file at `index` (0: the latest); a file that is gone is
  // taken off the list with a message.
  void OpenRecentFile(int index);
  // The standard file dialog (Ctrl+O), filtered to data files.
  void OpenFileWithDialog();
  // The opened data files go to the top of the list, the last one first.
  void Remember(const std::vector<std::string>& paths);

 signals:
  // `twoPortParameter`: the S-parameter chosen for two-port Touchstone
  // files, empty for the default.
  void openRequested(const std::vector<std::string>& paths, const std::string& twoPortParameter,
                     TableColumns columns);

 private:
  FrameDialogs& dialogs_;
  QWidget& window_;
  ViewerSettings* settings_ = nullptr;
  QMenu* menu_ = nullptr;
  QAction* separator_ = nullptr;  // before the exit command
  std::vector<QAction*> actions_;
  // The open dialog offers the S-parameter chosen last.
  QString twoPortParameter_ = QString::fromLatin1(kTwoPortParameters[0]);
};

class LanguagePart : public QObject {
  Q_OBJECT

 public:
  LanguagePart(FrameDialogs& dialogs, QWidget& window);
  void AddCommands(CommandTable& table);
  void SetViewerSettings(ViewerSettings* settings);
  // Keeps the language for the next start and says so.
  void Choose(std::optional<UiLanguage> language);

 private:
  FrameDialogs& dialogs_;
  QWidget& window_;
  ViewerSettings* settings_ = nullptr;
  std::optional<UiLanguage> chosen_;
};

}  // namespace fernplot
