// SPDX-License-Identifier: MIT
#pragma once
// The page properties by name: one descriptor per value the settings file
// holds for a page, read and written in the settings file's own words and
// numbers. The exporter's --set and --properties are made from it.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "props/graph_properties.h"

namespace fernplot {

struct PropertyDescriptor {
  std::string name;       // dotted: "title", "axis.gain.length", "font.title.size"
  std::string_view type;  // text, word, yesno, integer, number, colour
  std::string range;      // the words, or the range of the numbers
  std::string help;
  // The value in the settings file's words (a colour as "R G B").
  std::function<std::string(const GraphProperties&)> get;
  // Takes a value in those words; false when it is none of them.
  std::function<bool(GraphProperties&, std::string_view)> set;
};

// Every page property, in the settings file's order.
const std::vector<PropertyDescriptor>& PageProperties();
const PropertyDescriptor* FindPageProperty(std::string_view name);

// Sets `name` to `value` over `props`: empty on success, else why not (an
// unknown name, or a value the settings file could not hold or draw).
// The value is taken only as a settings line would take it: the page's
// settings lines with it are written and read back, and must keep it.
std::string SetPageProperty(GraphProperties& props, std::string_view name, std::string_view value);
// Whether `value` is a word or number `name` takes at all, whatever the
// page's other values (what a command line can check before it knows the
// page): empty when it is, else why not.
std::string CheckPagePropertyValue(std::string_view name, std::string_view value);

// One line per property: NAME TYPE DEFAULT RANGE-OR-WORDS HELP, separated
// by tabs, the default being the factory value ("" for an empty text).
std::string PropertiesListing();

}  // namespace fernplot
