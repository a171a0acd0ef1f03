// SPDX-License-Identifier: MIT
#include "graph/drawing.h"

#include <cmath>

#include "graph/device_units.h"
#include "graph/text_measure.h"
#include "text/encoding.h"

namespace fernplot {

namespace {
int32_t ToPixels(int mm) {
  return TruncToDevice(mm * kPixelsPerMm);
}
}  // namespace

DrawingDocument::DrawingDocument() {
  fonts_.push_back(FontEntry{10, 0, 400, kCharsetShiftJis, "ＭＳ ゴシック"});
}

int DrawingDocument::FindOrAddFont(int charset, std::string_view faceName, int size, int angle,
                                   int weight) {
  FontEntry wanted{size, angle, weight, static_cast<uint8_t>(charset),
                   CutToCp932Bytes(faceName, 30)};
  for (size_t i = 0; i < fonts_.size(); ++i) {
    if (fonts_[i] == wanted) return static_cast<int>(i);
  }
  fonts_.push_back(std::move(wanted));
  return static_cast<int>(fonts_.size() - 1);
}

int DrawingDocument::FindOrAddPen(int screenStyle, int screenWidth, Colour screenColor,
                                  int printDash, int printWidth, Colour printColor) {
  PenEntry wanted{screenStyle, printDash, screenWidth, printWidth, screenColor, printColor};
  for (size_t i = 0; i < pens_.size(); ++i) {
    if (pens_[i] == wanted) return static_cast<int>(i);
  }
  pens_.push_back(wanted);
  return static_cast<int>(pens_.size() - 1);
}

int DrawingDocument::FindOrAddBrush(int hatch, Colour color) {
  BrushEntry wanted{hatch, color};
  for (size_t i = 0; i < brushes_.size(); ++i) {
    if (brushes_[i] == wanted) return static_cast<int>(i);
  }
  brushes_.push_back(wanted);
  return static_cast<int>(brushes_.size() - 1);
}

void DrawingDocument::MakeCurrent(std::optional<size_t> index) {
  current_ = index;
  if (index) {
    currentWidth_ = sheets_[*index].width;
    currentHeight_ = sheets_[*index].height;
  }
}

void DrawingDocument::Renumber() {
  for (size_t i = 0; i < sheets_.size(); ++i) sheets_[i].number = static_cast<int32_t>(i + 1);
}

void DrawingDocument::AddSheet(int widthMm, int heightMm) {
  DrawingSheet sheet;
  sheet.number = SheetCount() + 1;
  sheet.width = ToPixels(widthMm);
  sheet.height = ToPixels(heightMm);
  sheets_.push_back(std::move(sheet));
  MakeCurrent(sheets_.size() - 1);
}

void DrawingDocument::InsertSheet(int widthMm, int heightMm) {
  DrawingSheet sheet;
  sheet.width = ToPixels(widthMm);
  sheet.height = ToPixels(heightMm);
  size_t at = current_ ? *current_ : sheets_.size();
  sheets_.insert(sheets_.begin() + static_cast<std::ptrdiff_t>(at), std::move(sheet));
  Renumber();
  MakeCurrent(at);
}

void DrawingDocument::RemoveCurrentSheet() {
  if (!current_ || sheets_[*current_].number == 0) return;
  const int k = sheets_[*current_].number;
  const int count = SheetCount();
  const int select = k < count ? k : count - 1;
  sheets_.erase(sheets_.begin() + static_cast<std::ptrdiff_t>(*current_));
  current_.reset();
  Renumber();
  SelectSheet(select);
}

bool DrawingDocument::RestartSheet(int n, int widthMm, int heightMm) {
  if (n < 1 || n > SheetCount()) return false;
  const size_t at = static_cast<size_t>(n - 1);
  DrawingSheet& sheet = sheets_[at];
  std::vector<DrawingElement>().swap(sheet.elements);
  sheet.width = ToPixels(widthMm);
  sheet.height = ToPixels(heightMm);
  MakeCurrent(at);
  return true;
}

void DrawingDocument::ReleaseSheet(int n) {
  if (n < 1 || n > SheetCount()) return;
  std::vector<DrawingElement>().swap(sheets_[static_cast<size_t>(n - 1)].elements);
}

bool DrawingDocument::SelectSheet(int n) {
  for (size_t i = 0; i < sheets_.size(); ++i) {
    if (sheets_[i].number >= n) {
      MakeCurrent(i);
      return true;
    }
  }
  return false;
}

bool DrawingDocument::PreviousSheet() {
  if (sheets_.empty()) return false;
  if (!current_) {
    MakeCurrent(sheets_.size() - 1);
    return true;
  }
  if (*current_ == 0) return false;
  MakeCurrent(*current_ - 1);
  return true;
}

bool DrawingDocument::NextSheet() {
  if (sheets_.empty()) return false;
  if (!current_) {
    MakeCurrent(0);
    return true;
  }
  if (*current_ + 1 >= sheets_.size()) return false;
  MakeCurrent(*current_ + 1);
  return true;
}

void DrawingDocument::ClearAll() {
  sheets_.clear();
  current_.reset();
  currentWidth_ = currentHeight_ = 0;
}

const DrawingSheet* DrawingDocument::CurrentSheet() const {
  return current_ ? &sheets_[*current_] : nullptr;
}

DrawingSheet* DrawingDocument::CurrentSheet() {
  return current_ ? &sheets_[*current_] : nullptr;
}

int DrawingDocument::CurrentNumber() const {
  return current_ ? sheets_[*current_].number : 0;
}

void DrawingDocument::AddText(double x, double y, std::string_view text, int font, Colour color,
                              int align) {
  DrawingSheet* sheet = CurrentSheet();
  if (!sheet) return;
  sheet->elements.emplace_back(TextElement{x, y, font, align, color, std::string(text)});
}

void DrawingDocument::AddTextLeft(double x, double y, std::string_view text, int font,
                                  Colour color) {
  AddText(x, y, text, font, color, kAlignLeft);
}
void DrawingDocument::AddTextRight(double x, double y, std::string_view text, int font,
                                   Colour color) {
  AddText(x, y, text, font, color, kAlignRight);
}
void DrawingDocument::AddTextCenter(double x, double y, std::string_view text, int font,
                                    Colour color) {
  AddText(x, y, text, font, color, kAlignCenter);
}

void DrawingDocument::AddLine(int pen, double x1, double y1, double x2, double y2) {
  AddPolyline(pen, {x1, x2}, {y1, y2});
}

void DrawingDocument::AddPolyline(int pen, std::vector<double> x, std::vector<double> y) {
  DrawingSheet* sheet = CurrentSheet();
  if (!sheet) return;
  sheet->elements.emplace_back(PolylineElement{pen, std::move(x), std::move(y)});
}

void DrawingDocument::AddRectOutline(int pen, double x0, double y0, double x1, double y1) {
  AddPolyline(pen, {x0, x1, x1, x0, x0}, {y0, y0, y1, y1, y0});
}

void DrawingDocument::AddFilledRect(int pen, int brush, int color, double x0, double y0, double x1,
                                    double y1) {
  DrawingSheet* sheet = CurrentSheet();
  if (!sheet) return;
  sheet->elements.emplace_back(RectElement{pen, brush, color, x0, x1 - x0, y0, y1 - y0});
}

double DrawingDocument::TextWidthMm(int font, std::string_view text) const {
  if (!measurer_ || fonts_.empty()) return 0.0;
  const FontEntry& entry =
      (font >= 0 && static_cast<size_t>(font) < fonts_.size()) ? fonts_[font] : fonts_[0];
  return measurer_->TextWidthPx(entry, text) * kMmPerPixel;
}

double DrawingDocument::TextHeightMm(int font) const {
  const FontEntry& entry =
      (font >= 0 && static_cast<size_t>(font) < fonts_.size()) ? fonts_[font] : fonts_[0];
  return entry.size * kMmPerPoint;
}

}  // namespace fernplot
