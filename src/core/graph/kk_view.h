// SPDX-License-Identifier: MIT
#pragma once
// The Kramers–Kronig residual view: how far the page's response is from the
// RC chain of the linear Kramers–Kronig test, in percent of |Z| against
// frequency, the real part on the left axis and the imaginary part on the
// right (both on the same scale), dashed lines at ±1 %.

#include <memory>
#include <optional>

#include "analysis/impedance/lin_kk.h"
#include "graph/page_view.h"

namespace fernplot {

// The test on the curve the page shows: its impedance, or the complex ratio
// of a page that is none (any linear, causal response passes it). The
// chain has its series capacitance when the response is capacitive at its
// lowest frequency (Im < 0 there): without it a capacitor, or a cell's
// diffusion tail, fails a test it passes.
KkResult PageKramersKronig(const GraphPage& page);

// The page the view draws: the page's settings and texts, its residuals
// (Re in the gain, Im in the phase, in %) as its points, both vertical axes
// over the same symmetric range, its title the test's summary. Nothing when
// the test cannot be run (too few points); the view then draws the page's
// frame with its no-data line.
struct KkResidualPage {
  std::unique_ptr<GraphPage> page;
  KkResult result;
};
KkResidualPage MakeKkResidualPage(const GraphPage& page);

const PageView& KramersKronigView();

}  // namespace fernplot
