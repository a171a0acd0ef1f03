// SPDX-License-Identifier: MIT
#include "font_setup.h"

#include <QFontInfo>
#include <QString>
#include <cstdlib>

#include "qt_convert.h"

namespace fernplot {

void InstallFontSubstitutions() {
  // No fontconfig alias exists for the Japanese Windows faces: without these
  // Qt mixes DejaVu for Latin with a CJK face for kanji and every width
  // differs. The IPA faces share the metrics of the ones the pages name.
  QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
  QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
  QFont::insertSubstitution(QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"));
  QFont::insertSubstitution(QStringLiteral("MS Gothic"), QStringLiteral("IPAGothic"));
  // Debian aliases these already; saying so here keeps it independent of the
  // fontconfig set-up of the machine.
  QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
  QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
  QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
}

bool IsMissingOpenTypeWarning(const QString& message) {
  return message.startsWith(QLatin1String("OpenType support missing for"));
}

bool IsMissingRuntimeDirWarning(const QString& message) {
  return message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"));
}

namespace {

// A C callback has no context: the handler it replaces is kept here, set
// once at start.
QtMessageHandler& PreviousMessageHandler() {
  static QtMessageHandler previous = nullptr;
  return previous;
}

void FilterFontWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtWarningMsg &&
      (IsMissingOpenTypeWarning(message) || IsMissingRuntimeDirWarning(message))) {
    return;
  }
  if (QtMessageHandler previous = PreviousMessageHandler()) previous(type, context, message);
}

}  // namespace

void InstallFontWarningFilter() {
  PreviousMessageHandler() = qInstallMessageHandler(FilterFontWarnings);
}

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const long long product = static_cast<long long>(a) * b;
  const long long half = std::llabs(c) / 2;
  const bool negative = (product < 0) != (c < 0);
  const long long q = (std::llabs(product) + half) / std::llabs(c);
  return static_cast<int>(negative ? -q : q);
}

QFont MakeFont(const FontEntry& entry, int pixelSize) {
  QFont font(QStringFromUtf8(entry.faceName));
  // A zero height asks GDI for a default size; the nearest thing here is the
  // smallest legal one, so nothing is drawn large by accident.
  font.setPixelSize(pixelSize > 0 ? pixelSize : 1);
  const int weight = entry.weight <= 0 ? 400 : (entry.weight > 1000 ? 1000 : entry.weight);
  font.setWeight(static_cast<QFont::Weight>(weight));
  font.setItalic(false);
  font.setUnderline(false);
  font.setStrikeOut(false);
  font.setKerning(false);  // a GDI text extent is the plain sum of advances
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setFamily(QFontInfo(font).family());
  return font;
}

}  // namespace fernplot
