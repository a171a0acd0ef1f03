// SPDX-License-Identifier: MIT
#pragma once
// A small box beside the pointer over a page: the value of every trace at
// the pointer's frequency, each in its trace's colour.

#include <QColor>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <complex>
#include <optional>
#include <string_view>
#include <vector>

#include "graph/trace_reader.h"

namespace fernplot {

struct TraceReadoutLine {
  QColor colour;  // no swatch when invalid (the heading)
  QString text;
};

// The heading (the frequency, marked as a difference when the page shows
// those) and one line per trace: name, gain and phase, "---" where the trace
// has no value.
std::vector<TraceReadoutLine> TraceReadoutLines(double frequency,
                                                const std::vector<TraceValue>& values,
                                                const std::vector<QColor>& colours,
                                                bool difference);

// A value with four significant digits, a true minus sign and `unit` after
// a space; with an SI prefix when `prefixed` ("1.594 MHz", "−13.2 dB").
QString FourDigits(double value, std::string_view unit, bool prefixed);

// The page trace read at the pointer: "1.594 MHz  −13.2 dB  −128.4°", "---"
// for a value the trace does not have there.
// With `ohms` the gain (dB of |Z/1 Ω|) reads as the impedance's modulus:
// "1.594 kHz  20.00 mΩ  −12.4°".
QString CurveReadoutText(double frequency, std::optional<double> gain, std::optional<double> phase,
                         bool ohms = false);
// What an LCR meter shows of an impedance z at `frequency`: "Rs 100.0 mΩ  Xs −1.592 Ω  Cs 100.0 µF" and "Rp 25.45 Ω  Xp −1.598 Ω
// Cp 99.61 µF  D 0.06283  Q 15.92"; a C where X < 0, an L where X > 0.
QStringList EquivalentReadoutLines(double frequency, std::complex<double> z);

// The real and imaginary parts of a Nyquist point: "Re −0.52  Im 0.3102".
QString PlaneReadoutText(double re, double im);
// The parts of an impedance: "Z' 20.00 mΩ  Z'' −1.000 mΩ" (Z'' = Im Z).
QString ImpedancePartsText(std::complex<double> z);

class TraceReadout : public QWidget {
 public:
  explicit TraceReadout(QWidget* parent);

  // Shows the lines in a box beside `pointer` (parent coordinates), kept
  // inside the parent.
  void ShowAt(std::vector<TraceReadoutLine> lines, QPoint pointer);
  QStringList Texts() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<TraceReadoutLine> lines_;
};

}  // namespace fernplot
