// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <set>

#include "props/property_table.h"
#include "props/settings_lines.h"
#include "text/encoding.h"

namespace fernplot {
namespace {

std::vector<std::string> LinesOf(const GraphProperties& props) {
  return SettingsLines(SettingsValues{props, false, {}});
}

// The page a settings file holding `line` (besides the factory lines) gives.
GraphProperties WithLine(const std::string& line) {
  SettingsValues values{FactoryDefaults(), false, {}};
  SettingsLineReader reader;
  reader.Read(Utf8ToCp932(line), values);
  return values.props;
}

TEST(PropertyTable, EveryPropertyHasAUniqueNameAndTakesBackItsOwnValue) {
  const GraphProperties factory = FactoryDefaults();
  std::set<std::string> names;
  for (const PropertyDescriptor& d : PageProperties()) {
    SCOPED_TRACE(d.name);
    EXPECT_TRUE(names.insert(d.name).second) << "named twice";
    EXPECT_FALSE(d.type.empty());
    EXPECT_FALSE(d.help.empty());
    EXPECT_EQ(FindPageProperty(d.name), &d);
    GraphProperties p = factory;
    EXPECT_EQ(SetPageProperty(p, d.name, d.get(factory)), "");
    EXPECT_EQ(LinesOf(p), LinesOf(factory)) << "the factory value must change nothing";
  }
  for (const char* name : {"title", "view", "loop", "axis.gain.length", "font.title.size"}) {
    EXPECT_TRUE(FindPageProperty(name)) << name;
  }
}

// Each value set by name is what the settings line with that value gives:
// a property is one thing whichever way it comes in.
TEST(PropertyTable, AValueSetByNameIsTheSettingsLinesValue) {
  const GraphProperties factory = FactoryDefaults();
  for (const PropertyDescriptor& d : PageProperties()) {
    if (d.type != "word" && d.type != "yesno") continue;
    for (size_t start = 0; start <= d.range.size();) {
      const size_t bar = std::min(d.range.find('|', start), d.range.size());
      const std::string word = d.range.substr(start, bar - start);
      start = bar + 1;
      SCOPED_TRACE(d.name + "=" + word);
      GraphProperties p = factory;
      // Manual division needs an interval: set the value it depends on first.
      if (d.name.ends_with(".autodivision")) {
        const std::string interval = d.name.substr(0, d.name.rfind('.')) + ".interval";
        ASSERT_EQ(SetPageProperty(p, interval, "10"), "");
      }
      ASSERT_EQ(SetPageProperty(p, d.name, word), "");
      EXPECT_EQ(d.get(p), word);
      // Written and read back through the settings file, unchanged.
      SettingsValues back{FactoryDefaults(), false, {}};
      SettingsLineReader reader;
      for (const std::string& line : LinesOf(p)) reader.Read(Utf8ToCp932(line), back);
      EXPECT_EQ(LinesOf(back.props), LinesOf(p));
    }
  }
  GraphProperties p = factory;
  ASSERT_EQ(SetPageProperty(p, "view", "nyquist"), "") << "words in any case";
  EXPECT_EQ(LinesOf(p), LinesOf(WithLine("VIEW = NYQUIST")));
}

TEST(PropertyTable, UnknownNamesAndValuesTheFileCannotHoldAreRefused) {
  GraphProperties p = FactoryDefaults();
  const std::vector<std::string> before = LinesOf(p);
  EXPECT_NE(SetPageProperty(p, "titel", "x").find("unknown property 'titel'"), std::string::npos);
  EXPECT_NE(SetPageProperty(p, "view", "sideways").find("view takes BODE|NYQUIST|NICHOLS"),
            std::string::npos);
  EXPECT_NE(SetPageProperty(p, "font.title.size", "huge"), "");
  EXPECT_NE(SetPageProperty(p, "title", std::string(4000, 'x')), "") << "wider than its line";
  EXPECT_NE(SetPageProperty(p, "axis.gain.autodivision", "N").find("axis.gain.interval"),
            std::string::npos)
      << "without an interval manual division is not kept, and the message names why";
  EXPECT_EQ(LinesOf(p), before) << "a refused value leaves the page as it was";
  const std::string listing = PropertiesListing();
  EXPECT_EQ(listing.rfind("title\ttext\t", 0), 0u) << listing.substr(0, 80);
  EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'),
            static_cast<long>(PageProperties().size()));
}

}  // namespace
}  // namespace fernplot
