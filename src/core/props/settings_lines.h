// SPDX-License-Identifier: MIT
#pragma once
// The lines of the settings file: every line kind described once, and that
// description used both to write the lines and to read them.

#include <string>
#include <string_view>
#include <vector>

#include "props/graph_properties.h"
#include "props/settings_scan.h"
#include "text/encoding.h"

namespace fernplot {

// Everything a settings file holds.
struct SettingsValues {
  GraphProperties props;
  bool crossHair = false;
  std::string dataFilePath;
};

// The rule and comment lines at the top of a written file (UTF-8).
inline constexpr const char* kSettingsHeaderLines[] = {
    "*----------------------------------------------------",
    "* FERNPLOT - 設定ﾃﾞｰﾀ",
    "*----------------------------------------------------",
};

// The file's lines for the values (UTF-8, without line ends), in file order:
// the header lines, then each line kind in turn.
std::vector<std::string> SettingsLines(const SettingsValues& values);

// Reads lines over values. Lines are matched as CP932 bytes: the patterns are
// ASCII, and no byte of a double-byte character is a blank, a digit or a line
// end; texts are cut to their fields and decoded afterwards.
class SettingsLineReader {
 public:
  SettingsLineReader();

  // Reads one line (without its line end) over `values`: the first kind whose
  // pattern fills all its fields takes it, and its values are used when the
  // line names an item that exists and they can be drawn. Returns whether the
  // line was understood so; any other line leaves the values as they were.
  bool Read(std::string_view line, SettingsValues& values);
  // Whether the line is one the writer writes for an empty text (the top
  // axis's caption, an empty title or path): it reads as nothing, yet it is
  // no stranger's line.
  bool IsEmptyTextLine(std::string_view line);

 private:
  std::vector<std::string> patterns_;
  std::vector<ScanField> fields_;
  Cp932Decoder decoder_;
};

}  // namespace fernplot
