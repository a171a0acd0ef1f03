// SPDX-License-Identifier: MIT
#pragma once
// True-size printing of sheets: one sheet per printed page, 10 mm from the
// printable area's top-left corner, nothing scaled to the paper.

#include <QPageLayout>
#include <functional>
#include <string>

class QPagedPaintDevice;
class QPrinter;

namespace fernplot {

class DrawingDocument;
struct DrawingSheet;

constexpr int kPrintOffsetMm = 10;

// Whole millimetres a sheet of `px` pixels needs, offset included.
int PrintExtentMm(int px);

// The orientation rule: true when the sheet (w x h pixels at 100 %) does not
// fit across the printable area (horzMm x vertMm) now but would when turned.
bool NeedsOtherOrientation(int sheetWidthPx, int sheetHeightPx, int horzMm, int vertMm);
// The orientation the paper is not in now.
QPageLayout::Orientation OtherOrientation(int horzMm, int vertMm);

struct PrintOutcome {
  bool started = false;
  int pagesPrinted = 0;
};

// Gives sheet n of the document drawn (sheets off screen may hold no
// drawing until asked for); none: the document's sheets as they are.
using SheetSource = std::function<const DrawingSheet*(int n)>;

// Prints sheets fromPage..toPage (1-based, inclusive) on `printer`, turning
// the paper per page by the orientation rule. The document's current sheet
// stays as it is.
PrintOutcome PrintSheets(const DrawingDocument& doc, QPagedPaintDevice& printer, int fromPage,
                         int toPage, const SheetSource& source = {});

struct PrintToFileResult {
  PrintOutcome outcome;
  bool written = false;
  std::string error;  // UTF-8, empty when written
};

// Printing to a PDF file: the pages are made in memory and the file is
// written whole, so a full disk or a vanished folder is reported, never
// leaves a broken file, and leaves the printer fit for the next print.
PrintToFileResult PrintSheetsToPdfFile(const DrawingDocument& doc, const QPrinter& printer,
                                       int fromPage, int toPage, const SheetSource& source = {});

}  // namespace fernplot
