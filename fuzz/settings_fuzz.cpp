// SPDX-License-Identifier: MIT
// libFuzzer target for the settings-file parser: any bytes are read over the
// factory defaults; the values must stay inside their fields, the lines kept
// as not understood must be lines of the input, and the result must still be
// writable.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "props/graph_properties.h"
#include "props/settings_file.h"
#include "text/encoding.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace fernplot;
  GraphProperties props = FactoryDefaults();
  bool crossHair = false;
  std::string dataPath = "/home/user/*.DAT";
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  UnknownSettingsLines unknown;
  LoadSettingsFileText(input, props, crossHair, dataPath, &unknown);

  Check(Cp932Length(props.title) <= kTitleBytes);
  for (const AxisSettings* axis : {&props.HT, &props.HB, &props.VL, &props.VR}) {
    Check(Cp932Length(axis->caption) <= kCaptionBytes);
  }
  for (int i = 0; i < kFontCategoryCount; ++i) {
    Check(Cp932Length(props.fonts[static_cast<size_t>(i)].faceName) <= kFaceNameBytes);
  }
  Check(Cp932Length(dataPath) <= kDataFilePathBytes);

  // What was read can be written: the text holds every value and encodes.
  const std::string text = SettingsFileText(props, crossHair, dataPath);
  Check(text.ends_with("\r\n"));
  // Lines kept for writing back are whole lines of the input, in its order.
  size_t at = 0;
  for (const std::string& line : unknown) {
    Check(line.find('\n') == std::string::npos);
    at = input.find(line, at);
    Check(at != std::string_view::npos);
    at += line.size();
  }
  const std::string bytes = SettingsFileBytes(props, crossHair, dataPath, unknown);
  Check(bytes.starts_with(Utf8ToCp932(text)));
  return 0;
}
