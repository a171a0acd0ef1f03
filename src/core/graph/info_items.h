// SPDX-License-Identifier: MIT
#pragma once
// The info block: header line, data title and the flowing settings block,
// placed during layout and drawn after the graph.

#include <cstdint>
#include <string>
#include <vector>

#include "datafile/measurement.h"
#include "graph/page_facts.h"
#include "props/graph_properties.h"
#include "props/page_geometry.h"
#include "text/ui_text.h"

namespace fernplot {

class DrawingDocument;
class PageText;
struct BodeStages;
struct GraphPage;

constexpr uint32_t kFlowEndLine = 0x1;    // start a new line after the text
constexpr uint32_t kFlowFromRight = 0x2;  // texts run from the right limit leftwards

struct InfoCursor {
  uint32_t flags = 0;
  double leftX = 0.0;
  double x = 0.0;  // where the next text goes
  double rightX = 0.0;
  double y = 0.0;  // top of the current line
};

struct InfoItem {
  double x = 0.0;  // >= 0: left end of a left-aligned text; -X: right-aligned at X
  double y = 0.0;  // top of the text
  std::string text;
  int32_t category = 0;
  bool operator==(const InfoItem&) const = default;
};

// Places a text of the given width and font height at the cursor, wrapping
// to a new line when it does not fit, and moves the cursor on.
void PlaceInfoText(InfoCursor& cursor, std::vector<InfoItem>& items, std::string text, int category,
                   double widthMm, double fontHeightMm);

// The text of one info item (index into itemFlags) as the page shows it.
// In the language of `translator` (none: the source texts); numbers and
// units are the same in every language.
std::string InfoItemText(int item, const MeasurementData& data, const GraphProperties& props,
                         const PageFacts& facts, const std::string& fileName,
                         const TextTranslator* translator = nullptr);
// The font category of an info item's text.
int InfoItemCategory(int item);

// The settings block items in the order they are placed.
extern const std::vector<int> kLowerItemOrder;

// File name and date line, then the data title line, into `items`.
void PlaceHeaderItems(const GraphPage& page, const PageText& text, InfoCursor& cursor,
                      std::vector<InfoItem>& items);
// The settings block below the graph, into `items`.
void PlaceLowerItems(const GraphPage& page, const PageText& text, InfoCursor& cursor,
                     std::vector<InfoItem>& items);
// The layer of the placed items: a text element each.
void DrawInfoTexts(const BodeStages& stages, DrawingDocument& drawing);

}  // namespace fernplot
