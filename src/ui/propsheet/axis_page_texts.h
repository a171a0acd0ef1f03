// SPDX-License-Identifier: MIT
#pragma once
// Labels, minimum length and refusal messages of one axis tab.

#include <QString>
#include <array>

#include "propsheet/axis_page.h"

namespace fernplot {

// Indexes into AxisPageTexts::messages.
enum AxisMessage : int {
  kMsgLength = 0,        // length not a number or negative
  kMsgMargin1,           // margin 1 not a number or negative
  kMsgMargin2,           // margin 2 not a number or negative
  kMsgLengthRange,       // length outside minimum..250 mm
  kMsgGraphArea,         // margins leave less than the minimum
  kMsgUpper,             // upper limit not a number
  kMsgLower,             // lower limit not a number
  kMsgInterval,          // interval not a number or not above 0
  kMsgRangeOrder,        // lower not below upper
  kMsgIntervalTooLarge,  // interval above half the range
};

struct AxisPageTexts {
  const char* margin1Label;
  const char* margin2Label;
  const char* lowerLabel;
  const char* upperLabel;
  const char* unit;
  const char* useMinLabel;
  const char* useMaxLabel;
  float minimumLength;  // also the smallest graph area, mm
  std::array<const char*, 10> messages;
};

const AxisPageTexts& TextsOf(AxisKind kind);

// A refusal message of TextsOf(...).messages as the sheet shows it, in the
// program's language.
QString AxisMessageText(const char* message);

}  // namespace fernplot
