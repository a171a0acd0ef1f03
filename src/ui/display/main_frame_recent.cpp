// SPDX-License-Identifier: MIT
// The main window's recent files, the file dialog and the language choice.

#include <QActionGroup>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <filesystem>

#include "app/viewer_settings.h"
#include "commands.h"
#include "frame_dialogs.h"
#include "main_frame.h"

namespace fernplot {

namespace {

// A recent file's menu text: its number as the mnemonic, then the name
// (the folder is in the tool tip). Ampersands in the name stay literal.
QString RecentEntryText(int index, const std::string& path) {
  QString name = QFile::decodeName(std::filesystem::path(path).filename().c_str());
  name.replace(QLatin1Char('&'), QStringLiteral("&&"));
  return QStringLiteral("&%1 %2").arg(index + 1).arg(name);
}

bool RecentFileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

}  // namespace

void CMainFrame::SetViewerSettings(ViewerSettings* settings) {
  viewerSettings_ = settings;
  const std::optional<UiLanguage> saved = settings ? settings->Language() : std::nullopt;
  Action(kCmdLanguageAuto)->setChecked(!saved);
  Action(kCmdLanguageJapanese)->setChecked(saved == UiLanguage::kJapanese);
  Action(kCmdLanguageEnglish)->setChecked(saved == UiLanguage::kEnglish);
  UpdateRecentFileMenu();
}

void CMainFrame::CreateLanguageMenu(QMenu* settingsMenu) {
  settingsMenu->addSeparator();
  // In both languages: whoever cannot read the one shown must find it.
  QMenu* menu = settingsMenu->addMenu(QStringLiteral("言語/Language"));
  menu->setObjectName(QStringLiteral("languageMenu"));
  auto* group = new QActionGroup(menu);
  for (int id : {kCmdLanguageAuto, kCmdLanguageJapanese, kCmdLanguageEnglish}) {
    group->addAction(Action(id));
    menu->addAction(Action(id));
  }
  Action(kCmdLanguageAuto)->setChecked(true);
}

void CMainFrame::ChooseLanguage(int commandId) {
  std::optional<UiLanguage> language;
  if (commandId == kCmdLanguageJapanese) language = UiLanguage::kJapanese;
  if (commandId == kCmdLanguageEnglish) language = UiLanguage::kEnglish;
  if (viewerSettings_) viewerSettings_->SetLanguage(language);
  dialogs_.ShowInfo(this, tr("言語の変更は次回の起動から有効になります。"));
}

void CMainFrame::UpdateRecentFileMenu() {
  for (QAction* action : recentActions_) {
    fileMenu_->removeAction(action);
    action->deleteLater();
  }
  recentActions_.clear();
  if (!viewerSettings_) return;
  const std::vector<std::string> files = viewerSettings_->RecentFiles();
  for (size_t i = 0; i < files.size(); ++i) {
    auto* action = new QAction(RecentEntryText(static_cast<int>(i), files[i]), this);
    action->setObjectName(QStringLiteral("recentFile%1").arg(i + 1));
    const QString path = QFile::decodeName(files[i].c_str());
    action->setStatusTip(QDir::toNativeSeparators(path));
    action->setToolTip(QDir::toNativeSeparators(path));
    // Grey while the file is missing; it stays listed in case its disk
    // comes back.
    action->setEnabled(RecentFileExists(files[i]));
    connect(action, &QAction::triggered, this, [this, i] { OpenRecentFile(static_cast<int>(i)); });
    fileMenu_->insertAction(recentSeparator_, action);
    recentActions_.push_back(action);
  }
  if (!recentActions_.empty()) {
    // The entries sit between two separators.
    QAction* top = fileMenu_->insertSeparator(recentActions_.front());
    recentActions_.push_back(top);
  }
}

void CMainFrame::OpenRecentFile(int index) {
  if (!viewerSettings_) return;
  std::vector<std::string> files = viewerSettings_->RecentFiles();
  if (index < 0 || static_cast<size_t>(index) >= files.size()) return;
  const std::string path = files[static_cast<size_t>(index)];
  if (!RecentFileExists(path)) {
    viewerSettings_->SetRecentFiles(WithoutRecentFile(std::move(files), path));
    UpdateRecentFileMenu();
    dialogs_.ShowWarning(this,
                         tr("ﾌｧｲﾙ[%1]が見つかりません。\n最近使ったﾌｧｲﾙの一覧から外しました。")
                             .arg(QFile::decodeName(path.c_str())));
    return;
  }
  OpenFilePaths({path});
}

void CMainFrame::OpenFileWithDialog() {
  QString folder = QDir::homePath();
  if (viewerSettings_) {
    const std::vector<std::string> files = viewerSettings_->RecentFiles();
    if (!files.empty()) {
      folder = QFileInfo(QFile::decodeName(files.front().c_str())).absolutePath();
    }
  }
  const QStringList paths = dialogs_.AskDataFiles(this, folder);
  if (!paths.isEmpty()) OpenFiles(paths);
}

void CMainFrame::RememberRecentFiles(const std::vector<std::string>& paths) {
  if (!viewerSettings_ || paths.empty()) return;
  std::vector<std::string> list = viewerSettings_->RecentFiles();
  // Only the last few can stay on the list.
  const size_t from = paths.size() > kRecentFileCount ? paths.size() - kRecentFileCount : 0;
  for (size_t i = from; i < paths.size(); ++i) list = WithRecentFile(std::move(list), paths[i]);
  viewerSettings_->SetRecentFiles(list);
}

}  // namespace fernplot
