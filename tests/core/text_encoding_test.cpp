// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "text/encoding.h"
#include "text/number_text.h"

namespace fernplot {
namespace {

struct RoundTrip {
  const char* utf8;
  const char* cp932;
};

TEST(Encoding, ConvertsBothWaysWithTheWindowsTable) {
  const RoundTrip rows[] = {
      {"ABC xyz 123", "ABC xyz 123"},
      {"C:\\DATA\\*.DAT", "C:\\DATA\\*.DAT"},  // 0x5C stays a backslash
      {"~", "~"},
      {"ｸﾞﾗﾌ", "\xB8\xDE\xD7\xCC"},  // half-width katakana, one byte each
      {"～", "\x81\x60"},            // the full-width tilde of CP932
      {"ＭＳ Ｐゴシック", "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E"},
      {"周波数特性", "\x8E\xFC\x94\x67\x90\x94\x93\xC1\x90\xAB"},
      {"①", "\x87\x40"},
  };
  for (const RoundTrip& r : rows) {
    SCOPED_TRACE(r.utf8);
    EXPECT_EQ(Utf8ToCp932(r.utf8), r.cp932);
    EXPECT_EQ(Cp932ToUtf8(r.cp932), r.utf8);
    EXPECT_EQ(Cp932Length(r.utf8), std::string(r.cp932).size());
  }
}

TEST(Encoding, BadInputIsReplacedNotDropped) {
  // A lone lead byte at the end and an unassigned byte.
  EXPECT_EQ(Cp932ToUtf8("A\x82"), "A\xEF\xBF\xBD");
  EXPECT_EQ(Cp932ToUtf8("\xA0Z"), "\xEF\xBF\xBDZ");
  // No CP932 form, and a broken UTF-8 sequence.
  EXPECT_EQ(Utf8ToCp932("a\xF0\x9F\x98\x80"
                        "b"),
            "a?b");
  EXPECT_EQ(Utf8ToCp932("a\xE3\x81"
                        "b"),
            "a?b");
  EXPECT_EQ(Cp932Length("\xF0\x9F\x98\x80"), 1u);
}

TEST(Encoding, CutsAtCharacterBoundaries) {
  struct Row {
    const char* utf8;
    size_t max;
    const char* expected;
  } rows[] = {
      {"abcdef", 4, "abcd"}, {"abc", 10, "abc"},
      {"周波数", 4, "周波"}, {"周波数", 5, "周波"},
      {"a周波", 2, "a"},     {"ｸﾞﾗﾌ", 3, "ｸﾞﾗ"},
      {"a周", 0, ""},        {"周波数特性", 64, "周波数特性"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.utf8);
    EXPECT_EQ(CutToCp932Bytes(r.utf8, r.max), r.expected);
  }
  EXPECT_EQ(CutCp932Bytes("a\x8E\xFC\x94\x67", 4), "a\x8E\xFC");
  EXPECT_EQ(CutCp932Bytes("ab", 1), "a");
  EXPECT_EQ(CutCp932Bytes("\xB8\xDE", 1), "\xB8");  // half-width kana are single bytes
}

TEST(NumberText, PrintsLikeCLocalePrintf) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Row {
    double value;
    int decimals, width;
    const char* expected;
  } rows[] = {
      {1000.0, 6, 0, "1000.000000"},
      {-3.0103, 6, 0, "-3.010300"},
      {225.0, 1, 5, "225.0"},
      {0.0, 1, 5, "  0.0"},
      {5.0, 1, 4, " 5.0"},
      {0.00005, 4, 0, "0.0001"},
      {-0.0, 4, 0, "-0.0000"},
      {1e20, 1, 0, "100000000000000000000.0"},
      {inf, 6, 0, "inf"},
      {-inf, 6, 0, "-inf"},
      {inf, 1, 5, "  inf"},
      {std::nan(""), 6, 0, "nan"},
  };
  for (const Row& r : rows) {
    char printed[512];
    std::snprintf(printed, sizeof printed, "%*.*f", r.width, r.decimals, r.value);
    EXPECT_EQ(FormatFixedPoint(r.value, r.decimals, r.width), r.expected) << r.value;
    EXPECT_EQ(FormatFixedPoint(r.value, r.decimals, r.width), printed) << r.value;
  }
  EXPECT_EQ(FormatGeneral(0.1, 17), "0.10000000000000001");
  EXPECT_EQ(FormatGeneral(static_cast<float>(0.1), 9), "0.100000001");
}

// Graph labels and info texts are made from these: every digit, the rounding
// of exact halves (to even, on the binary value), signs and exponents must be
// what the C library prints.
TEST(NumberText, MatchesCLocalePrintfOnHalvesSignsAndExponents) {
  std::vector<double> values = {0.5,    1.5,     2.5,     0.125, 0.375,   1.0005, 2.675,
                                1e-3,   -1e-3,   -0.004,  0.0,   -0.0,    9.995,  999.99995,
                                1e-300, 1.5e300, 12345.5, -2.5,  1.25e-7, 0.05,   100000.5};
  // A fixed pseudo-random spread over many magnitudes.
  uint64_t state = 12345;
  for (int i = 0; i < 2000; ++i) {
    state = state * 6364136223846793005u + 1442695040888963407u;
    const double mantissa = static_cast<double>(state >> 11) / 9007199254740992.0;
    values.push_back((i % 2 ? -1 : 1) * mantissa * std::pow(10.0, i % 24 - 12));
  }
  char printed[512];
  for (double v : values) {
    for (int decimals : {0, 1, 2, 4, 7, 10, 13}) {
      std::snprintf(printed, sizeof printed, "%.*f", decimals, v);
      ASSERT_EQ(FormatFixedPoint(v, decimals), printed) << v << " %." << decimals << "f";
    }
    std::snprintf(printed, sizeof printed, "%+.2f", v);
    ASSERT_EQ(FormatFixedPoint(v, 2, 0, true), printed) << v;
    std::snprintf(printed, sizeof printed, "%.5e", v);
    ASSERT_EQ(FormatExponent(v, 5), printed) << v;
    std::snprintf(printed, sizeof printed, "%g", v);
    ASSERT_EQ(FormatGeneral(v, 6), printed) << v;
  }
  EXPECT_EQ(FormatFixedPoint(std::numeric_limits<double>::infinity(), 2, 0, true), "+inf");
  EXPECT_EQ(FormatExponent(-std::numeric_limits<double>::infinity(), 5), "-inf");
}

}  // namespace
}  // namespace fernplot

namespace fernplot {
namespace {

TEST(Encoding, ReusedDecoderMatchesOneShotDecoding) {
  Cp932Decoder decoder;
  for (const char* cp932 :
       {"plain", "\x8E\xFC\x94\x67\x90\x94", "A\x82", "\xA0Z", "", "\xB8\xDE"}) {
    EXPECT_EQ(decoder.Decode(cp932), Cp932ToUtf8(cp932)) << cp932;
  }
}

}  // namespace
}  // namespace fernplot
