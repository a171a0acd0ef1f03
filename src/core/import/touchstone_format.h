// SPDX-License-Identifier: MIT
#pragma once
// The Touchstone network-parameter format, described once for its reader and
// its writer: the option line's words and how a number pair becomes gain
// and phase.

#include <array>
#include <string>
#include <string_view>

#include "import/imported_trace.h"

namespace fernplot {

struct TouchstoneUnit {
  std::string_view name;  // as written by the writer; read without regard to case
  double hertz;
};
inline constexpr std::array<TouchstoneUnit, 4> kTouchstoneUnits = {
    {{"Hz", 1.0}, {"kHz", 1e3}, {"MHz", 1e6}, {"GHz", 1e9}}};

// How each number pair is written.
enum class PairFormat { kDb, kMa, kRi };
struct TouchstonePairFormat {
  std::string_view name;
  PairFormat format;
};
inline constexpr std::array<TouchstonePairFormat, 3> kTouchstonePairFormats = {
    {{"DB", PairFormat::kDb}, {"MA", PairFormat::kMa}, {"RI", PairFormat::kRi}}};

// Kinds of network parameter (S, Y, Z, H, G): the letter names the traces.
inline constexpr std::string_view kTouchstoneParameters = "SYZHG";

struct TouchstoneOptions {
  double hertz = 1e9;
  char parameter = 'S';
  PairFormat format = PairFormat::kMa;
  double reference = 50.0;
};
inline constexpr std::string_view kTouchstoneCommentStart = "!";
inline constexpr std::string_view kTouchstoneOptionStart = "#";

// Reads the words after '#'. False, with `what` set (its line left 0), for
// a word that does not belong there.
bool ParseTouchstoneOptions(std::string_view words, TouchstoneOptions& options, ImportError& what);
// "# Hz S MA R 50" for the options given.
std::string TouchstoneOptionLine(const TouchstoneOptions& options);

// Gain and phase of one number pair.
void TouchstonePairToGainPhase(PairFormat format, double a, double b, double& gainDb,
                               double& phaseDeg);

// The two-port's parameters in the order of v1 data (11 21 12 22) and their
// index in a "12_21" row (11 12 21 22).
inline constexpr std::array<std::string_view, 4> kTwoPortNames = {"11", "21", "12", "22"};

// Which trace a reader should deliver from a network-parameter file: "S21",
// "S11" etc.; empty for the default (a two-port's S21, a one-port's S11).
struct ImportOptions {
  std::string sparam;
  // The choice is made before the file is seen (the viewer's open dialog):
  // a one-port then gives its S11, its only parameter, whatever was chosen.
  bool forTwoPorts = false;
};

// Reads Touchstone v1 or v2 text (UTF-8). `ports` is 1 or 2 when the file
// name says so (.s1p, .s2p), 0 to find out from the data.
ImportResult ReadTouchstone(std::string_view text, int ports, const ImportOptions& options);

}  // namespace fernplot
