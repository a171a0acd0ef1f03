// SPDX-License-Identifier: MIT
// libFuzzer target for the settings-file parser: any bytes are read over the
// factory defaults; the values must stay inside their fields, the lines kept
// as not understood must be lines of the input, and the result must still be
// writable.

#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "text/encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace fernplot;
  using fuzzing::Check;
  const std::string_view input = fuzzing::InputText(data, size);
  UnknownSettingsLines unknown;
  auto [props, crossHair, dataPath] = fuzzing::LoadSettings(input, &unknown);

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
