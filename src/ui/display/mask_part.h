// SPDX-License-Identifier: MIT
#pragma once
// The compare menu's production test: a limit mask applied to every open
// page (and kept for the next start in the viewer settings, never in the
// graph properties), and the spread of the open pages drawn under the page
// on screen.

#include <QObject>
#include <QString>
#include <string>

class QWidget;

namespace fernplot {

struct AppState;
class CommandTable;
class FrameDialogs;
class ViewerSettings;

class MaskPart : public QObject {
  Q_OBJECT

 public:
  MaskPart(AppState& state, FrameDialogs& dialogs, QWidget& window);
  void AddCommands(CommandTable& table);
  // Where the mask is remembered; the one remembered is applied again (a
  // file that is gone or malformed is forgotten without a word).
  void SetViewerSettings(ViewerSettings* settings);

  // "ﾏｽｸを開く...": the file dialog, then the mask on every page; a
  // malformed mask is shown with its line and changes nothing.
  void OpenMask();
  // Applies the mask at `path`; false (and a warning unless `quiet`) when
  // it cannot be read.
  bool ApplyMaskFile(const QString& path, bool quiet);
  void RemoveMask();
  void ToggleStatistics();

 signals:
  void statesChanged();

 private:
  AppState& state_;
  FrameDialogs& dialogs_;
  QWidget& window_;
  ViewerSettings* settings_ = nullptr;
  QString folder_;  // where the dialog opens
};

}  // namespace fernplot
