// SPDX-License-Identifier: MIT
// The cost of one log10 call in the running exporter, step by step: cold, then
// after each thing the program does before its per-point loops (Qt's start-up,
// text measurement, a page drawn), first as that step left the AVX registers
// and then after ClearUpperVectorState, which the per-point loops call.
//   bench_log10_state
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "cpu/vector_state.h"
#include "font_setup.h"

namespace {

// The fastest of many short runs: what one call costs, not what the
// machine's other load costs.
double Log10Nanoseconds() {
  volatile double start = 1.2345;
  double sum = 0, best = 1e99;
  for (int run = 0; run < 300; ++run) {
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < 1000; ++i) sum += std::log10(start + i);
    const auto t1 = std::chrono::steady_clock::now();
    best = std::min(best, std::chrono::duration<double, std::nano>(t1 - t0).count() / 1000);
  }
  volatile double keep = sum;
  (void)keep;
  return best;
}

void Report(const char* step) {
  // Asked before the timing: the timing loop itself may change the state.
  const bool dirty = fernplot::UpperVectorStateInUse();
  const double as_left = Log10Nanoseconds();
  fernplot::ClearUpperVectorState();
  const double cleared = Log10Nanoseconds();
  std::printf("%-28s %-5s %8.1f %8.1f\n", step, dirty ? "yes" : "no", as_left, cleared);
}

}  // namespace

int main(int argc, char** argv) {
  std::printf("%-28s %-5s %8s %8s   (ns per log10 call)\n", "after", "dirty", "as left", "cleared");
  Report("nothing (cold)");
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  Report("QGuiApplication");
  fernplot::InstallFontSubstitutions();
  QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
  font.setPixelSize(13);
  const QFontMetrics metrics(font);
  int width = metrics.horizontalAdvance(QStringLiteral("周波数特性 FREQUENCY [Hz] 1.23k"));
  Report("text measurement");
  QImage image(800, 600, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    painter.setFont(font);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPolygonF curve;
    for (int i = 0; i < 5000; ++i) curve << QPointF(i * 0.15, 300 + 200 * std::sin(i * 0.01));
    painter.drawPolyline(curve);
    painter.drawText(20, 20, QStringLiteral("GAIN [dB] 位相"));
  }
  Report("a page drawn");
  std::printf("(%d)\n", width + image.pixel(10, 10) % 2);
  return 0;
}
