// SPDX-License-Identifier: MIT
#include "pdf_date.h"

#include <QDateTime>
#include <QTimeZone>
#include <cctype>

namespace fernplot {

namespace {

// 9999-12-31 23:59:59 UTC: later years no longer fit the four digits.
constexpr qint64 kLastSecond = 253402300799;
constexpr char kKey[] = "/CreationDate (D:";
constexpr qsizetype kDigits = 14;  // YYYYMMDDHHmmSS

bool AllDigits(const QByteArray& text, qsizetype from, qsizetype count) {
  if (from + count > text.size()) return false;
  for (qsizetype i = from; i < from + count; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
  }
  return true;
}

}  // namespace

std::optional<qint64> ParseSourceDateEpoch(const QByteArray& text) {
  if (text.isEmpty() || text.size() > 12 || !AllDigits(text, 0, text.size())) return std::nullopt;
  const qint64 seconds = text.toLongLong();
  if (seconds > kLastSecond) return std::nullopt;
  return seconds;
}

std::optional<qint64> SourceDateEpoch() {
  return ParseSourceDateEpoch(qgetenv("SOURCE_DATE_EPOCH"));
}

bool SetPdfCreationDate(QByteArray& pdf, qint64 secondsSinceEpoch) {
  const qsizetype key = pdf.indexOf(kKey);
  if (key < 0) return false;
  const qsizetype start = key + qsizetype(sizeof kKey) - 1;
  if (!AllDigits(pdf, start, kDigits)) return false;
  // The writer puts "Z" after a UTC time and "+HH'mm'" or "-HH'mm'" after a
  // local one.
  const QByteArray zone = pdf.mid(start + kDigits, 7);
  QByteArray utc;
  if (zone.startsWith("Z)")) {
    utc = "Z";
  } else if (zone.size() == 7 && (zone[0] == '+' || zone[0] == '-') && AllDigits(zone, 1, 2) &&
             zone[3] == '\'' && AllDigits(zone, 4, 2) && zone[6] == '\'') {
    utc = "+00'00'";
  } else {
    return false;
  }
  const QByteArray date = QDateTime::fromSecsSinceEpoch(secondsSinceEpoch, QTimeZone::utc())
                              .toString(QStringLiteral("yyyyMMddHHmmss"))
                              .toLatin1();
  if (date.size() != kDigits) return false;
  pdf.replace(start, kDigits + utc.size(), date + utc);
  return true;
}

}  // namespace fernplot
