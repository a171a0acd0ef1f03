// SPDX-License-Identifier: MIT
// The fixed PDF creation date: which SOURCE_DATE_EPOCH values count, and a
// rewrite that keeps every other byte and the file's length.
#include "pdf_date.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

namespace fernplot {
namespace {

TEST(PdfDate, SourceDateEpochTakesOnlyWholeSecondsUpToYear9999) {
  EXPECT_EQ(ParseSourceDateEpoch("0"), 0);
  EXPECT_EQ(ParseSourceDateEpoch("946684800"), 946684800);
  EXPECT_EQ(ParseSourceDateEpoch("253402300799"), 253402300799);
  for (const char* bad :
       {"", "-1", "+5", " 5", "5 ", "12a", "1e9", "1.5", "253402300800", "99999999999999999999"}) {
    EXPECT_EQ(ParseSourceDateEpoch(bad), std::nullopt) << bad;
  }
}

TEST(PdfDate, RewritesEitherZoneFormInPlace) {
  const QByteArray before = "1 0 obj\n<<\n/CreationDate (D:";
  const QByteArray after = ")\n>>\nendobj\n/CreationDate (D:20200101000000Z)\n";
  const struct {
    QByteArray date, expected;
  } rows[] = {
      {"20261209141416Z", "20000101000000Z"},
      {"20261209151420+01'00'", "20000101000000+00'00'"},
      {"20261209091420-05'30'", "20000101000000+00'00'"},
  };
  for (const auto& row : rows) {
    QByteArray pdf = before + row.date + after;
    ASSERT_TRUE(SetPdfCreationDate(pdf, 946684800)) << row.date.constData();
    EXPECT_EQ(pdf, before + row.expected + after) << "only the first date changes";
  }
  // The last second of the year 9999 still fits.
  QByteArray pdf = before + "20261209141416Z" + after;
  ASSERT_TRUE(SetPdfCreationDate(pdf, 253402300799));
  EXPECT_EQ(pdf, before + "99991231235959Z" + after);
}

TEST(PdfDate, LeavesAnythingElseUntouched) {
  for (const QByteArray& pdf : {QByteArray("%PDF-1.4\n"), QByteArray("/CreationDate (D:2026)"),
                                QByteArray("/CreationDate (D:20261209141416"),
                                QByteArray("/CreationDate (D:20261209141416+01)"),
                                QByteArray("/CreationDate (D:2026120914141X6Z)")}) {
    QByteArray copy = pdf;
    EXPECT_FALSE(SetPdfCreationDate(copy, 0)) << pdf.constData();
    EXPECT_EQ(copy, pdf);
  }
}

// Guards against a Qt whose writer stamps the date in another form: the
// rewrite would then silently stop making outputs reproducible.
TEST(PdfDate, FindsTheDateQtWrites) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter pdf(&buffer);
    QPainter painter(&pdf);
    painter.drawLine(0, 0, 100, 100);
  }
  QByteArray bytes = buffer.data();
  const qsizetype size = bytes.size();
  ASSERT_TRUE(SetPdfCreationDate(bytes, 0));
  EXPECT_EQ(bytes.size(), size);
  EXPECT_TRUE(bytes.contains("/CreationDate (D:19700101000000"));
}

}  // namespace
}  // namespace fernplot
