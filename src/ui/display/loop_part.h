// SPDX-License-Identifier: MIT
#pragma once
// The loop commands of the View menu: how the page on screen is drawn
// (gain and phase, Nyquist, Nichols) and which curve it shows (the loop
// gain as measured, the closed loop or the sensitivity).

#include <QObject>

namespace fernplot {

struct AppState;
class CommandTable;

class LoopPart : public QObject {
  Q_OBJECT

 public:
  LoopPart(AppState& state, QObject* parent);
  void AddCommands(CommandTable& table);

 private:
  AppState& state_;
};

}  // namespace fernplot
