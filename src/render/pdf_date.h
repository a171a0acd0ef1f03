// SPDX-License-Identifier: MIT
#pragma once
// A fixed creation date for written PDFs, so that the same page gives the
// same bytes (reproducible outputs, golden-file tests). The PDF writer stamps
// the current time and offers no way to set it.

#include <QByteArray>
#include <QtGlobal>
#include <optional>

namespace fernplot {

// SOURCE_DATE_EPOCH as seconds since 1970 UTC: nothing when it is unset or
// not a whole number of seconds in the years 1970 to 9999.
std::optional<qint64> SourceDateEpoch();
std::optional<qint64> ParseSourceDateEpoch(const QByteArray& text);

// Rewrites the first "/CreationDate (D:…)" of `pdf` to `secondsSinceEpoch`
// in UTC, in the same number of bytes ("Z" or "+00'00'", whichever form the
// date had), so the cross-reference offsets stay valid. False, and `pdf`
// untouched, when there is no date of either form.
bool SetPdfCreationDate(QByteArray& pdf, qint64 secondsSinceEpoch);

}  // namespace fernplot
