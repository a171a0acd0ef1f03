// SPDX-License-Identifier: MIT
#pragma once
// A fitted model as lines of the viewer's figures panel.

#include <string>

#include "analysis/fit/vector_fit.h"
#include "text/ui_text.h"

namespace fernplot {

// One line a figure, its name first, in the panel's layout: the order and
// how it was chosen, each section (a pole pair's f0 and Q, a real pole's
// corner frequency, the zeros alike), the gain (in dB at the lowest
// frequency fitted, and at DC when that is finite), the range fitted when
// one was given, the delay ("なし" when none was fitted) and the RMS error in
// dB and degrees. Lines end in '\n'.
std::string ModelPanelText(const FitModel& model, const FitOptions& options,
                           const TextTranslator* translator = nullptr);

}  // namespace fernplot
