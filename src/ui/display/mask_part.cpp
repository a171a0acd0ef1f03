// SPDX-License-Identifier: MIT
#include "mask_part.h"

#include <QFileInfo>
#include <QWidget>
#include <memory>

#include "analysis/production/limit_mask.h"
#include "app/viewer_settings.h"
#include "app_state.h"
#include "command_table.h"
#include "commands.h"
#include "frame_dialogs.h"
#include "graph/page_session.h"
#include "qt_convert.h"

namespace fernplot {

MaskPart::MaskPart(AppState& state, FrameDialogs& dialogs, QWidget& window)
    : QObject(&window), state_(state), dialogs_(dialogs), window_(window) {}

void MaskPart::AddCommands(CommandTable& table) {
  table.Add(
      {.id = kCmdOpenMask,
       .text = FERNPLOT_TEXT("Commands", "ﾏｽｸを開く..."),
       .prompt = FERNPLOT_TEXT("Commands",
                               "ﾘﾐｯﾄ ﾏｽｸを開き、すべてのﾍﾟｰｼﾞを判定して PASS/FAIL を表示します。\n"
                               "ﾏｽｸを開く"),
       .menu = MenuId::kCompare,
       .menuPlace = {4, 0},
       .run = [this] { OpenMask(); }});
  table.Add({.id = kCmdRemoveMask,
             .text = FERNPLOT_TEXT("Commands", "ﾏｽｸを外す"),
             .prompt = FERNPLOT_TEXT("Commands", "ﾘﾐｯﾄ ﾏｽｸを外します。\nﾏｽｸを外す"),
             .menu = MenuId::kCompare,
             .menuPlace = {4, 1},
             .run = [this] { RemoveMask(); },
             .enabled = [this] { return state_.session.Mask() != nullptr; }});
  table.Add({.id = kCmdLotStatistics,
             .text = FERNPLOT_TEXT("Commands", "統計を表示"),
             .prompt = FERNPLOT_TEXT(
                 "Commands",
                 "開いているすべてのﾍﾟｰｼﾞの平均±3σと最小/最大を表示ﾍﾟｰｼﾞに描きます。\n"
                 "統計を表示"),
             .menu = MenuId::kCompare,
             .menuPlace = {4, 2},
             .checkable = true,
             .run = [this] { ToggleStatistics(); },
             .enabled = [this] { return state_.session.CurrentPage() != nullptr; },
             .checked = [this] { return state_.session.LotStatisticsShown(); }});
}

void MaskPart::SetViewerSettings(ViewerSettings* settings) {
  settings_ = settings;
  if (!settings_) return;
  if (const std::optional<std::string> path = settings_->MaskPath()) {
    if (!ApplyMaskFile(QStringFromUtf8(*path), true)) settings_->SetMaskPath(std::nullopt);
  }
}

void MaskPart::OpenMask() {
  const std::optional<QString> path = dialogs_.AskMaskFile(&window_, folder_);
  if (!path || path->isEmpty()) return;
  folder_ = QFileInfo(*path).absolutePath();
  ApplyMaskFile(*path, false);
}

bool MaskPart::ApplyMaskFile(const QString& path, bool quiet) {
  const std::string name = path.toStdString();
  MaskParse parse = ReadMaskFile(name);
  if (!parse.mask) {
    if (!quiet) {
      dialogs_.ShowWarning(&window_, tr("ﾏｽｸを読めません。\n%1").arg(QStringFromUtf8(parse.error)));
    }
    return false;
  }
  state_.session.SetMask(std::make_shared<const LimitMask>(std::move(*parse.mask)));
  if (settings_) settings_->SetMaskPath(name);
  emit statesChanged();
  return true;
}

void MaskPart::RemoveMask() {
  state_.session.SetMask(nullptr);
  if (settings_) settings_->SetMaskPath(std::nullopt);
  emit statesChanged();
}

void MaskPart::ToggleStatistics() {
  state_.session.ShowLotStatistics(!state_.session.LotStatisticsShown());
  emit statesChanged();
}

}  // namespace fernplot
