// SPDX-License-Identifier: MIT
// Rendering a full 65,535-point page into a QImage at 100 % and 200 %, as
// the window and the clipboard do.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cmath>

#include "app_state.h"
#include "datafile/data_file_writer.h"
#include "fernplot_test_data.h"
#include "font_setup.h"
#include "graph/page_session.h"
#include "page_output.h"
#include "png_writer.h"
#include "qt_text_measurer.h"

namespace fernplot {
namespace {

// An RLC resonance swept over seven decades, 65,535 points.
std::string ResonanceFile() {
  const MeasurementData h =
      testing::TestHeader({.pointCount = 65535,
                           .title = "RLC 共振 65535 点",
                           .version = "1.30",
                           .made = {2024, 5, 1, 0, 0},
                           .sweep = {.oscAmplitude = 1.0, .minHz = 1.0, .maxHz = 1.0e7}});
  return EncodeRawDataFile(h, testing::RawSweep(h.pointCount, 1.0, 7.0, [](double f) {
                             const double x = f / 1.0e4, q = 20.0;
                             const double re = 1.0 - x * x, im = x / q;
                             return testing::Response{1.0 / std::sqrt(re * re + im * im),
                                                      -std::atan2(im, re) * 180.0 / M_PI};
                           }));
}

struct BuiltPage {
  QTemporaryDir dir;
  QtTextMeasurer measurer;
  AppState state;
  BuiltPage() {
    const std::string path = dir.path().toStdString() + "/BIG.DAT";
    testing::WriteBytes(path, ResonanceFile());
    state.session.drawing.SetMeasurer(&measurer);
    state.session.drawingActive = true;
    state.dataFiles.push_back(DataFileEntry{kEntrySelected, "BIG.DAT", path, {}, {}});
    state.session.OpenSelected(state.defaults, state.dataFiles);
  }
};

BuiltPage& Page() {
  static BuiltPage page;
  return page;
}

void BM_RenderPageImage(benchmark::State& st) {
  BuiltPage& page = Page();
  if (!page.state.session.drawing.CurrentSheet()) {
    st.SkipWithError("no page was built");
    return;
  }
  const double zoom = st.range(0) / 100.0;
  for (auto _ : st) {
    QImage image = RenderPageImage(page.state.session.drawing, zoom);
    benchmark::DoNotOptimize(image.constBits());
  }
  st.SetLabel(std::to_string(page.state.session.drawing.CurrentWidth()) + "x" +
              std::to_string(page.state.session.drawing.CurrentHeight()) + " px at 100 %");
}
BENCHMARK(BM_RenderPageImage)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

// The exporter's PNG encoder against Qt's own writer on the same page.
void BM_EncodePagePng(benchmark::State& st) {
  BuiltPage& page = Page();
  const QImage image = RenderPageImage(page.state.session.drawing, 1.0);
  if (image.isNull()) {
    st.SkipWithError("no page was built");
    return;
  }
  qsizetype bytes = 0;
  for (auto _ : st) {
    if (st.range(0) == 0) {
      bytes = EncodePng(image).size();
    } else {
      QByteArray out;
      QBuffer buffer(&out);
      buffer.open(QIODevice::WriteOnly);
      image.save(&buffer, "PNG");
      bytes = out.size();
    }
    benchmark::DoNotOptimize(bytes);
  }
  st.SetLabel(std::string(st.range(0) == 0 ? "EncodePng " : "QImage::save ") +
              std::to_string(bytes) + " bytes");
}
BENCHMARK(BM_EncodePagePng)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fernplot

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  fernplot::InstallFontSubstitutions();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
