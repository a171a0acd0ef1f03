// SPDX-License-Identifier: MIT
#pragma once
// What a page knows about the data it was made from, as opposed to how it
// looks: taken from the data file when the page is made, never saved with
// the settings, and kept when the page's look is reset or replaced.

#include <string>

namespace fernplot {

struct PageFacts {
  // The file's data title; the note page of the property sheet edits it.
  std::string dataTitle;  // <= kDataTitleBytes
  // The file holds calculated data: it has no channel ratio to choose.
  bool calculated = false;
  bool operator==(const PageFacts&) const = default;
};

}  // namespace fernplot
