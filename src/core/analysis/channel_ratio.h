// SPDX-License-Identifier: MIT
#pragma once
// Which ratio of the two input channels a sweep's gain and phase are read as.

namespace fernplot {

enum class ChannelRatio { kCh1Ch2, kCh2Ch1 };

}  // namespace fernplot
