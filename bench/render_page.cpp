// Rendering a full 65,535-point page into a QImage at 100 % and 200 %, as
// the window and the clipboard do.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cmath>
#include <fstream>

#include "app_state.h"
#include "datafile/data_file_writer.h"
#include "font_setup.h"
#include "graph/page_builder.h"
#include "page_output.h"
#include "png_writer.h"
#include "qt_text_measurer.h"

namespace fernplot {
namespace {

// An RLC resonance swept over seven decades, 65,535 points.
std::string ResonanceFile() {
  MeasurementData h;
  h.modelName = "Q417";
  h.version = "1.30";
  h.dataType = 0;
  h.pointCount = 65535;
  h.year = 2024;
  h.month = 5;
  h.day = 1;
  h.dataTitle = "RLC 共振 65535 点";
  h.oscAmplitude = 1.0;
  h.sweepMinFrequency = 1.0;
  h.sweepMaxFrequency = 1.0e7;
  std::vector<RawRecord> records(h.pointCount);
  for (size_t i = 0; i < records.size(); ++i) {
    const double f = std::pow(10.0, 7.0 * static_cast<double>(i) / (records.size() - 1));
    const double x = f / 1.0e4, q = 20.0;
    const double re = 1.0 - x * x, im = x / q;
    const double mag = 1.0 / std::sqrt(re * re + im * im);
    records[i] = RawRecord{f, static_cast<float>(mag),
                           static_cast<float>(-std::atan2(im, re) * 180.0 / M_PI), 1.0f};
  }
  return EncodeRawDataFile(h, records);
}

struct BuiltPage {
  QTemporaryDir dir;
  QtTextMeasurer measurer;
  AppState state;
  BuiltPage() {
    const std::string path = dir.path().toStdString() + "/BIG.DAT";
    std::ofstream(path, std::ios::binary) << ResonanceFile();
    state.drawing.SetMeasurer(&measurer);
    state.drawingActive = true;
    state.dataFiles.push_back(DataFileEntry{kEntrySelected, "BIG.DAT", path, {}, {}});
    UpdatePages(state, kOpenSelected);
  }
};

BuiltPage& Page() {
  static BuiltPage page;
  return page;
}

void BM_RenderPageImage(benchmark::State& st) {
  BuiltPage& page = Page();
  if (!page.state.drawing.CurrentSheet()) {
    st.SkipWithError("no page was built");
    return;
  }
  const double zoom = st.range(0) / 100.0;
  for (auto _ : st) {
    QImage image = RenderPageImage(page.state.drawing, zoom);
    benchmark::DoNotOptimize(image.constBits());
  }
  st.SetLabel(std::to_string(page.state.drawing.CurrentWidth()) + "x" +
              std::to_string(page.state.drawing.CurrentHeight()) + " px at 100 %");
}
BENCHMARK(BM_RenderPageImage)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

// The exporter's PNG encoder against Qt's own writer on the same page.
void BM_EncodePagePng(benchmark::State& st) {
  BuiltPage& page = Page();
  const QImage image = RenderPageImage(page.state.drawing, 1.0);
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
