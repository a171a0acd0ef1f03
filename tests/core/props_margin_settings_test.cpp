// SPDX-License-Identifier: MIT
// The margin reference in the settings file: a line of its own that is
// written only when set, read back, and left alone when its value is not one
// of the two references.
#include <gtest/gtest.h>

#include <string>

#include "props/settings_file.h"
#include "text/encoding.h"

namespace fernplot {
namespace {

constexpr char kMarginLine[] = "MARGIN_REF = 0\r\n";

TEST(MarginReferenceSetting, WrittenOnlyWhenSetAndReadBack) {
  const std::string factory = SettingsFileText(FactoryDefaults(), false, "/d/*.DAT");
  EXPECT_EQ(factory.find("MARGIN_REF"), std::string::npos) << "factory files stay as they were";

  GraphProperties zero = FactoryDefaults();
  zero.marginReferenceZero = 1;
  const std::string text = SettingsFileText(zero, false, "/d/*.DAT");
  ASSERT_EQ(text.size(), factory.size() + std::string(kMarginLine).size());
  EXPECT_EQ(text.substr(0, factory.size()), factory) << "every other line is unchanged";
  EXPECT_EQ(text.substr(factory.size()), kMarginLine);

  GraphProperties back = FactoryDefaults();
  bool crossHair = false;
  std::string path;
  LoadSettingsFileText(Utf8ToCp932(text), back, crossHair, path);
  EXPECT_EQ(back, zero);
}

TEST(MarginReferenceSetting, ReadingAcceptsOnlyTheTwoReferences) {
  struct Case {
    const char* text;
    int32_t before;
    int32_t after;
  };
  const Case cases[] = {
      {"MARGIN_REF = 0\r\n", 0, 1},
      {"MARGIN_REF = -180\r\n", 1, 0},
      {"MARGIN_REF    =   0\n", 0, 1},  // any run of blanks, LF alone
      {"MARGIN_REF = 90\r\n", 1, 1},    // no such reference: left as it was
      {"MARGIN_REF = \r\n", 1, 1},
      {"MARGIN_REF = 0\r\nMARGIN_REF = -180\r\n", 0, 0},  // the last line wins
  };
  for (const Case& c : cases) {
    GraphProperties p = FactoryDefaults();
    p.marginReferenceZero = c.before;
    GraphProperties expected = p;
    expected.marginReferenceZero = c.after;
    bool crossHair = false;
    std::string path;
    LoadSettingsFileText(c.text, p, crossHair, path);
    EXPECT_EQ(p, expected) << c.text;
  }
}

}  // namespace
}  // namespace fernplot
