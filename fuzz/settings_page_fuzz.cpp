// SPDX-License-Identifier: MIT
// libFuzzer target: any settings bytes are read over the factory defaults,
// a page of a small sweep is built with them and drawn at two screen zooms
// and at true size. Whatever a hand-edited file holds, building and
// drawing must neither overflow nor ask for an unbounded image.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "datafile/data_file_writer.h"
#include "datafile/reader_internal.h"
#include "fuzz_support.h"
#include "graph/page_session.h"
#include "page_output.h"
#include "props/graph_properties.h"
#include "props/settings_file.h"
#include "qt_text_measurer.h"
#include "renderer.h"

namespace {

struct Fixture {
  std::unique_ptr<QGuiApplication> app;
  fernplot::MeasurementData sweep;
};

Fixture* fixture = nullptr;

fernplot::MeasurementData MakeSweep() {
  using namespace fernplot;
  MeasurementData header;
  header.dataType = 1;
  header.pointCount = 5;
  const std::string bytes = EncodeCalculatedDataFile(header, {{10.0, 2.0f, -5.0f},
                                                              {100.0, 1.5f, -30.0f},
                                                              {1000.0, 1.0f, -90.0f},
                                                              {10000.0, 0.1f, -150.0f},
                                                              {100000.0, 0.01f, -179.0f}});
  std::string message;
  Cp932Decoder decoder;
  auto data = DecodeDataFile(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                             bytes.size(), true, message, decoder);
  fuzzing::Check(data.has_value());
  return *data;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  fixture = new Fixture;
  fixture->app = std::make_unique<QGuiApplication>(*argc, *argv);
  fixture->sweep = MakeSweep();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace fernplot;
  const GraphProperties props = fuzzing::LoadSettings(fuzzing::InputText(data, size)).props;

  QtTextMeasurer measurer;
  PageSession session;
  session.drawing.SetMeasurer(&measurer);
  session.drawingActive = true;
  if (!session.OpenPage(props, fixture->sweep, "FUZZ")) return 0;

  // Drawn at two zooms through the screen path; only the arithmetic of
  // placing things matters here, so the pictures go into a small image
  // (clipped) rather than a whole page's worth of pixels each run.
  const DrawingSheet* sheet = session.drawing.CurrentSheet();
  QImage clip(64, 64, QImage::Format_RGB32);
  for (const double zoom : {0.5, 1.0}) {
    // A page image beyond the limits is refused rather than allocated.
    const QSize size = PageImageSize(sheet->width, sheet->height, zoom);
    fuzzing::Check(size.isEmpty() || PageImageSizeUsable(sheet->width, sheet->height, zoom));
    QPainter painter(&clip);
    RenderSheet(painter, session.drawing, *sheet, RenderOptions::Screen(zoom));
  }
  // True size into a small image: only the arithmetic matters here.
  QImage small(64, 64, QImage::Format_RGB32);
  QPainter painter(&small);
  SetPrintUnits(painter);
  RenderCurrentSheet(painter, session.drawing, RenderOptions::Print(10, 10));
  return 0;
}
