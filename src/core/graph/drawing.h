// SPDX-License-Identifier: MIT
#pragma once
// The recorded drawing: one sheet of device-independent elements (mm) per
// page, and the font, pen and brush tables the elements refer to.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "props/graph_properties.h"
#include "props/page_geometry.h"
#include "text/ui_text.h"

namespace fernplot {

class TextMeasurer;

constexpr int kCharsetAnsi = 0;
constexpr int kCharsetShiftJis = 128;

struct FontEntry {
  int32_t size = 0;   // points
  int32_t angle = 0;  // degrees, counter-clockwise
  int32_t weight = 400;
  uint8_t charset = kCharsetShiftJis;
  std::string faceName;  // UTF-8, <= 30 CP932 bytes
  bool operator==(const FontEntry&) const = default;
};

struct PenEntry {
  int32_t screenStyle = 0;  // 0 solid
  int32_t printDash = 0;
  int32_t screenWidth = 0;  // pixels
  int32_t printWidth = 0;   // 0.1 mm; 0 = thinnest
  Colour screenColor = 0;
  Colour printColor = 0;
  bool operator==(const PenEntry&) const = default;
};

struct BrushEntry {
  int32_t hatch = -1;  // negative = solid
  Colour color = 0;
  bool operator==(const BrushEntry&) const = default;
};

enum TextAlign : int32_t { kAlignLeft = 0, kAlignRight = 2, kAlignCenter = 6 };

struct TextElement {
  double x = 0.0, y = 0.0;  // mm; y is the top of the text
  int32_t font = 0;
  int32_t align = kAlignLeft;
  Colour color = 0;
  std::string text;  // UTF-8
  bool operator==(const TextElement&) const = default;
};

struct PolylineElement {
  int32_t pen = 0;
  std::vector<double> x, y;  // mm
  bool operator==(const PolylineElement&) const = default;
};

struct RectElement {
  int32_t pen = 0;
  int32_t brush = 0;
  int32_t color = 0;
  double x = 0.0, width = 0.0, y = 0.0, height = 0.0;  // mm
  bool operator==(const RectElement&) const = default;
};

using DrawingElement = std::variant<TextElement, PolylineElement, RectElement>;

struct DrawingSheet {
  int32_t number = 0;             // 1-based
  int32_t width = 0, height = 0;  // pixels at 96 dpi, 100 %
  std::vector<DrawingElement> elements;
  bool operator==(const DrawingSheet&) const = default;
};

class DrawingDocument {
 public:
  DrawingDocument();

  // Measurement used by TextWidthMm; must be set before layout runs.
  void SetMeasurer(TextMeasurer* measurer) { measurer_ = measurer; }
  TextMeasurer* Measurer() const { return measurer_; }
  // The language of the texts the page builder writes (info block, the
  // no-data line); none: the source texts.
  void SetTranslator(const TextTranslator* translator) { translator_ = translator; }
  const TextTranslator* Translator() const { return translator_; }

  // Resource tables. Find-or-add returns the index of an equal entry, adding
  // one when there is none (the tables grow without a cap).
  int FindOrAddFont(int charset, std::string_view faceName, int size, int angle, int weight);
  int FindOrAddPen(int screenStyle, int screenWidth, Colour screenColor, int printDash,
                   int printWidth, Colour printColor);
  int FindOrAddBrush(int hatch, Colour color);
  const std::vector<FontEntry>& Fonts() const { return fonts_; }
  const std::vector<PenEntry>& Pens() const { return pens_; }
  const std::vector<BrushEntry>& Brushes() const { return brushes_; }

  // Sheets.
  void AddSheet(int widthMm, int heightMm);
  void InsertSheet(int widthMm, int heightMm);
  void RemoveCurrentSheet();
  // Empties sheet n and gives it a new size; it becomes current. False when
  // there is no sheet n.
  bool RestartSheet(int n, int widthMm, int heightMm);
  // Frees the elements of sheet n, keeping its number and size: a sheet
  // that can be drawn again when it is needed.
  void ReleaseSheet(int n);
  bool SelectSheet(int n);
  bool PreviousSheet();
  bool NextSheet();
  void ClearAll();

  int SheetCount() const { return static_cast<int>(sheets_.size()); }
  const std::vector<DrawingSheet>& Sheets() const { return sheets_; }
  const DrawingSheet* CurrentSheet() const;
  DrawingSheet* CurrentSheet();
  // 0 when there is no current sheet.
  int CurrentNumber() const;
  int CurrentWidth() const { return currentWidth_; }
  int CurrentHeight() const { return currentHeight_; }

  // Elements, appended to the current sheet (ignored without one).
  void AddTextLeft(double x, double y, std::string_view text, int font, Colour color);
  void AddTextRight(double x, double y, std::string_view text, int font, Colour color);
  void AddTextCenter(double x, double y, std::string_view text, int font, Colour color);
  void AddLine(int pen, double x1, double y1, double x2, double y2);
  void AddPolyline(int pen, std::vector<double> x, std::vector<double> y);
  void AddRectOutline(int pen, double x0, double y0, double x1, double y1);
  void AddFilledRect(int pen, int brush, int color, double x0, double y0, double x1, double y1);

  // Measurements used by the layout.
  double TextWidthMm(int font, std::string_view text) const;
  double TextHeightMm(int font) const;

 private:
  void AddText(double x, double y, std::string_view text, int font, Colour color, int align);
  void Renumber();
  void MakeCurrent(std::optional<size_t> index);

  TextMeasurer* measurer_ = nullptr;
  const TextTranslator* translator_ = nullptr;
  std::vector<FontEntry> fonts_;
  std::vector<PenEntry> pens_;
  std::vector<BrushEntry> brushes_;
  std::vector<DrawingSheet> sheets_;
  std::optional<size_t> current_;  // also the list cursor
  int32_t currentWidth_ = 0, currentHeight_ = 0;
};

}  // namespace fernplot
