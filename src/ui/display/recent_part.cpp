// SPDX-License-Identifier: MIT
#include "recent_part.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <filesystem>

#include "app/viewer_settings.h"
#include "command_table.h"
#include "commands.h"
#include "frame_dialogs.h"
#include "language.h"

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

RecentFilesPart::RecentFilesPart(FrameDialogs& dialogs, QWidget& window)
    : QObject(&window), dialogs_(dialogs), window_(window) {}

void RecentFilesPart::AddCommands(CommandTable& table) {
  table.Add({.id = kCmdOpenFile,
             .text = FERNPLOT_TEXT("Commands", "ﾌｧｲﾙを開く..."),
             .prompt = FERNPLOT_TEXT("Commands", "ﾃﾞｰﾀ ﾌｧｲﾙを選んでｸﾞﾗﾌを作成します。\nﾌｧｲﾙを開く"),
             .shortcut = QKeySequence(Qt::CTRL | Qt::Key_O),
             .menu = MenuId::kFile,
             .menuPlace = {0, 0},
             .run = [this] { OpenFileWithDialog(); }});
}

void RecentFilesPart::PlaceInMenu(const CommandTable& table) {
  menu_ = table.Menu(MenuId::kFile);
  separator_ = table.SeparatorBefore(kCmdExit);
  connect(menu_, &QMenu::aboutToShow, this, &RecentFilesPart::UpdateMenu);
}

void RecentFilesPart::SetViewerSettings(ViewerSettings* settings) {
  settings_ = settings;
  UpdateMenu();
}

void RecentFilesPart::UpdateMenu() {
  for (QAction* action : actions_) {
    menu_->removeAction(action);
    action->deleteLater();
  }
  actions_.clear();
  if (!settings_) return;
  const std::vector<std::string> files = settings_->RecentFiles();
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
    menu_->insertAction(separator_, action);
    actions_.push_back(action);
  }
  if (!actions_.empty()) {
    // The entries sit between two separators.
    QAction* top = menu_->insertSeparator(actions_.front());
    actions_.push_back(top);
  }
}

void RecentFilesPart::OpenRecentFile(int index) {
  if (!settings_) return;
  std::vector<std::string> files = settings_->RecentFiles();
  if (index < 0 || static_cast<size_t>(index) >= files.size()) return;
  const std::string path = files[static_cast<size_t>(index)];
  if (!RecentFileExists(path)) {
    settings_->SetRecentFiles(WithoutRecentFile(std::move(files), path));
    UpdateMenu();
    dialogs_.ShowWarning(&window_,
                         tr("ﾌｧｲﾙ[%1]が見つかりません。\n最近使ったﾌｧｲﾙの一覧から外しました。")
                             .arg(QFile::decodeName(path.c_str())));
    return;
  }
  emit openRequested({path}, {}, TableColumns::kFromFile);
}

void RecentFilesPart::OpenFileWithDialog() {
  QString folder = QDir::homePath();
  if (settings_) {
    const std::vector<std::string> files = settings_->RecentFiles();
    if (!files.empty()) {
      folder = QFileInfo(QFile::decodeName(files.front().c_str())).absolutePath();
    }
  }
  const OpenFilesAnswer answer = dialogs_.AskDataFiles(&window_, folder, twoPortParameter_);
  std::vector<std::string> bytes;
  for (const QString& path : answer.paths) bytes.push_back(QFile::encodeName(path).toStdString());
  if (bytes.empty()) return;
  twoPortParameter_ = answer.twoPortParameter;
  emit openRequested(bytes, twoPortParameter_.toStdString(), answer.columns);
}

void RecentFilesPart::Remember(const std::vector<std::string>& paths) {
  if (!settings_ || paths.empty()) return;
  std::vector<std::string> list = settings_->RecentFiles();
  // Only the last few can stay on the list.
  const size_t from = paths.size() > kRecentFileCount ? paths.size() - kRecentFileCount : 0;
  for (size_t i = from; i < paths.size(); ++i) list = WithRecentFile(std::move(list), paths[i]);
  settings_->SetRecentFiles(list);
}

LanguagePart::LanguagePart(FrameDialogs& dialogs, QWidget& window)
    : QObject(&window), dialogs_(dialogs), window_(window) {}

void LanguagePart::AddCommands(CommandTable& table) {
  constexpr std::string_view prompt =
      FERNPLOT_TEXT("Commands", "次回の起動から使う言語を選びます。\n言語");
  const auto choice = [this, &table, prompt](int id, std::string_view text, bool literal,
                                             std::optional<UiLanguage> language, int order) {
    table.Add({.id = id,
               .text = text,
               .prompt = prompt,
               .literalText = literal,
               .menu = MenuId::kLanguage,
               .menuPlace = {0, order},
               .checkable = true,
               .exclusiveGroup = 1,
               .run = [this, language] { Choose(language); },
               .checked = [this, language] { return chosen_ == language; }});
  };
  choice(kCmdLanguageAuto, FERNPLOT_TEXT("Commands", "自動 (ﾛｹｰﾙ) / Automatic"), false,
         std::nullopt, 0);
  // Each language by its own name.
  choice(kCmdLanguageJapanese, "日本語", true, UiLanguage::kJapanese, 1);
  choice(kCmdLanguageEnglish, "English", true, UiLanguage::kEnglish, 2);
}

void LanguagePart::SetViewerSettings(ViewerSettings* settings) {
  settings_ = settings;
  chosen_ = settings ? settings->Language() : std::nullopt;
}

void LanguagePart::Choose(std::optional<UiLanguage> language) {
  chosen_ = language;
  if (settings_) settings_->SetLanguage(language);
  // Said in the language chosen, which the user reads; automatic: the
  // locale's.
  static constexpr const char* kNextStart =
      QT_TRANSLATE_NOOP("fernplot::LanguagePart", "言語の変更は次回の起動から有効になります。");
  const UiLanguage next = language ? *language : LanguageForLocale(QLocale::system());
  dialogs_.ShowInfo(&window_, TextIn(next, "fernplot::LanguagePart", kNextStart));
}

}  // namespace fernplot
