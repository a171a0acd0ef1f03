// SPDX-License-Identifier: MIT
// libFuzzer target for the settings-file parser: any bytes are read over the
// factory defaults; the values must stay inside their fields and the result
// must still be writable.

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
  LoadSettingsFileText(std::string_view(reinterpret_cast<const char*>(data), size), props,
                       crossHair, dataPath);

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
  return 0;
}
