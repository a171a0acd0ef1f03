// SPDX-License-Identifier: MIT
#pragma once
// The commands that compare measurements on one page: overlay traces, their
// list, and the difference to the reference.

#include <span>

#include "commands.h"

namespace fernplot {

enum OverlayCommandId : int {
  kCmdAddOverlays = 33100,
  kCmdEditTraces = 33101,
  kCmdDifference = 33102,
};

std::span<const CommandText> OverlayCommandTexts();

}  // namespace fernplot
