// SPDX-License-Identifier: MIT
#pragma once
// The conversions between the model's plain values and Qt's: UTF-8 strings
// and QString, the 0x00BBGGRR colour word and QColor. Every Qt caller uses
// these, so a rule about either is written once.

#include <QColor>
#include <QString>
#include <string_view>

#include "props/graph_properties.h"

namespace fernplot {

inline QString QStringFromUtf8(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline QColor ToQColor(Colour c) {
  return QColor(static_cast<int>(RedOf(c)), static_cast<int>(GreenOf(c)),
                static_cast<int>(BlueOf(c)));
}

inline Colour FromQColor(const QColor& c) {
  return Rgb(static_cast<unsigned>(c.red()), static_cast<unsigned>(c.green()),
             static_cast<unsigned>(c.blue()));
}

}  // namespace fernplot
