// SPDX-License-Identifier: MIT
#include "trace_readout.h"

#include <QCoreApplication>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <numbers>

#include "analysis/impedance/impedance_tables.h"
#include "cross_hair.h"
#include "text/number_text.h"

namespace fernplot {

namespace {

constexpr int kPad = 4;
constexpr int kSwatch = 14;  // the colour line and the gap after it
constexpr int kOffset = 16;  // from the pointer

}  // namespace

QString FourDigits(double value, std::string_view unit, bool prefixed) {
  if (!std::isfinite(value)) return QStringLiteral("---");
  static constexpr std::array<std::string_view, 7> kPrefixes{"n", "µ", "m", "", "k", "M", "G"};
  constexpr int kNone = 3;
  int prefix = kNone;
  double mantissa = value;
  if (prefixed && value != 0.0) {
    // The prefix of the value as it rounds to four digits, so that 999.96
    // reads "1 k", not "1000".
    const double magnitude = std::floor(std::log10(std::fabs(value)));
    const double step = std::pow(10.0, magnitude - 3.0);
    const double rounded = std::round(std::fabs(value) / step) * step;
    const int group = static_cast<int>(std::floor(std::log10(rounded) / 3.0));
    prefix = std::clamp(kNone + group, 0, static_cast<int>(kPrefixes.size()) - 1);
    mantissa = value / std::pow(1000.0, prefix - kNone);
  }
  QString digits = QString::fromStdString(FormatGeneral(mantissa, 4));
  if (digits.startsWith(QLatin1Char('-'))) digits.replace(0, 1, QChar(0x2212));
  const std::string_view p = kPrefixes[static_cast<size_t>(prefix)];
  const QString u = QString::fromUtf8(p.data(), static_cast<qsizetype>(p.size())) +
                    QString::fromUtf8(unit.data(), static_cast<qsizetype>(unit.size()));
  if (u.isEmpty()) return digits;
  // The degree sign sits on the number.
  return u == QStringLiteral("°") ? digits + u : digits + QLatin1Char(' ') + u;
}

QString CurveReadoutText(double frequency, std::optional<double> gain, std::optional<double> phase,
                         bool ohms) {
  const QString none = QStringLiteral("---");
  const QString g = !gain ? none
                    : ohms ? FourDigits(std::pow(10.0, *gain / 20.0), "\u03A9", true)
                           : FourDigits(*gain, "dB", false);
  return QStringLiteral("%1  %2  %3")
      .arg(FourDigits(frequency, "Hz", true), g, phase ? FourDigits(*phase, "°", false) : none);
}

QStringList EquivalentReadoutLines(double frequency, std::complex<double> z) {
  const EquivalentValues v = EquivalentValuesOf(frequency, z);
  // Ohms, farads and henries with their prefixes; D and Q plain.
  const auto item = [](const char* name, const std::optional<double>& value, const char* unit) {
    const bool prefixed = unit[0] != '\0';
    return value && std::isfinite(*value) ? QStringLiteral("  %1 %2").arg(
                                                QLatin1String(name),
                                                FourDigits(*value, unit, prefixed))
                                          : QString();
  };
  QString series = item("Rs", v.rs, "\u03A9") + item("Xs", v.xs, "\u03A9") + item("Cs", v.cs, "F") +
                   item("Ls", v.ls, "H");
  QString parallel = item("Rp", v.rp, "\u03A9") + item("Xp", v.xp, "\u03A9") +
                     item("Cp", v.cp, "F") + item("Lp", v.lp, "H") + item("D", v.d, "") +
                     item("Q", v.q, "");
  return {series.trimmed(), parallel.trimmed()};
}

QString ImpedancePartsText(std::complex<double> z) {
  return QStringLiteral("Z' %1  Z'' %2")
      .arg(FourDigits(z.real(), "\u03A9", true), FourDigits(z.imag(), "\u03A9", true));
}

QString PlaneReadoutText(double re, double im) {
  return QStringLiteral("Re %1  Im %2").arg(FourDigits(re, {}, false), FourDigits(im, {}, false));
}

std::vector<TraceReadoutLine> TraceReadoutLines(double frequency,
                                                const std::vector<TraceValue>& values,
                                                const std::vector<QColor>& colours,
                                                bool difference) {
  std::vector<TraceReadoutLine> lines;
  lines.reserve(values.size() + 1);
  // The same figures as the box of a single trace, not the status bar's.
  QString heading = FourDigits(frequency, "Hz", true);
  if (difference)
    heading += QCoreApplication::translate("fernplot::TraceReadout", " （基準との差）");
  lines.push_back({QColor(), heading});
  const QString none = QStringLiteral("---");
  for (size_t i = 0; i < values.size(); ++i) {
    const TraceValue& v = values[i];
    const QString gain = v.gain ? FourDigits(*v.gain, "dB", false) : none;
    const QString phase = v.phase ? FourDigits(*v.phase, "°", false) : none;
    lines.push_back(
        {i < colours.size() ? colours[i] : QColor(Qt::black),
         QStringLiteral("%1  %2  %3")
             .arg(QString::fromUtf8(v.name.data(), static_cast<qsizetype>(v.name.size())), gain,
                  phase)});
  }
  return lines;
}

TraceReadout::TraceReadout(QWidget* parent) : QWidget(parent) {
  // The pointer keeps talking to the view underneath.
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setObjectName(QStringLiteral("traceReadout"));
  hide();
}

void TraceReadout::ShowAt(std::vector<TraceReadoutLine> lines, QPoint pointer) {
  lines_ = std::move(lines);
  const QFontMetrics fm(font());
  int width = 0;
  for (const TraceReadoutLine& l : lines_) {
    width = std::max(width, fm.horizontalAdvance(l.text) + (l.colour.isValid() ? kSwatch : 0));
  }
  const QSize size(width + 2 * kPad, static_cast<int>(lines_.size()) * fm.height() + 2 * kPad);
  const QWidget* area = parentWidget();
  QPoint at = pointer + QPoint(kOffset, kOffset);
  if (area) {
    if (at.x() + size.width() > area->width()) at.setX(pointer.x() - kOffset - size.width());
    if (at.y() + size.height() > area->height()) at.setY(pointer.y() - kOffset - size.height());
    at.setX(std::max(0, at.x()));
    at.setY(std::max(0, at.y()));
  }
  setGeometry(QRect(at, size));
  if (isHidden()) show();
  update();
}

QStringList TraceReadout::Texts() const {
  QStringList texts;
  for (const TraceReadoutLine& l : lines_) texts << l.text;
  return texts;
}

void TraceReadout::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), QColor(255, 255, 240));
  p.setPen(QColor(128, 128, 128));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  const QFontMetrics fm(font());
  int y = kPad;
  for (const TraceReadoutLine& l : lines_) {
    int x = kPad;
    if (l.colour.isValid()) {
      p.setPen(QPen(l.colour, 2));
      p.drawLine(x, y + fm.height() / 2, x + kSwatch - 4, y + fm.height() / 2);
      x += kSwatch;
    }
    p.setPen(Qt::black);
    p.drawText(QPoint(x, y + fm.ascent()), l.text);
    y += fm.height();
  }
}

}  // namespace fernplot
