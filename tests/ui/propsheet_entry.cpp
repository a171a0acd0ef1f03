// SPDX-License-Identifier: MIT
// Number texts of the axis boxes: parsing with and without multipliers and
// the fixed-precision frequency form.

#include <QTest>
#include <clocale>

#include "text/number_entry.h"

using namespace fernplot;

class EntryTest : public QObject {
  Q_OBJECT

 private slots:
  void parseNumber() {
    struct Row {
      const char* text;
      double expected;  // kInvalidEntry for refused text
      const char* trimmed;
    };
    const Row rows[] = {
        {"12.5", 12.5, "12.5"},
        {"  -3e2  ", -300.0, "  -3e2"},
        {"+7", 7.0, "+7"},
        {"", 0.0, ""},
        {"   ", 0.0, ""},
        {"-10.50", -10.5, "-10.50"},
        {"10k", kInvalidEntry, "10k"},
        {"1,5", kInvalidEntry, "1,5"},
        {"abc", kInvalidEntry, "abc"},
        {"-", kInvalidEntry, "-"},
        {"1e", kInvalidEntry, "1e"},
        {"nan", kInvalidEntry, "nan"},
        {"inf", kInvalidEntry, "inf"},
        {"1e999", kInvalidEntry, "1e999"},
        // Decimal numbers only: no hexadecimal forms.
        {"0x10", kInvalidEntry, "0x10"},
        {" -0X1p3 ", kInvalidEntry, " -0X1p3"},
        {"0", 0.0, "0"},
        // The marker itself, typed, is refused like any other bad text.
        {"2.220446049250313e-16", kInvalidEntry, "2.220446049250313e-16"},
    };
    for (const Row& r : rows) {
      std::string text = r.text;
      QCOMPARE(ParseNumber(text), r.expected);
      QCOMPARE(text, std::string(r.trimmed));
    }
  }

  void parseFrequency() {
    struct Row {
      const char* text;
      double expected;
    };
    const Row rows[] = {
        {"100", 100.0},
        {"10k", 10000.0},
        {"10K", 10000.0},
        {"1M", 1000000.0},
        {"2G", 2000000000.0},
        {"500m", 0.5},
        {"10kHz", 10000.0},
        {"0.5", 0.5},
        {"1.5k  ", 1500.0},
        {"10 k", kInvalidEntry},
        {"10g", kInvalidEntry},
        {"10x", kInvalidEntry},
        {"", 0.0},
        {"k", 0.0},  // no number, then a multiplier: 0
        {" k", kInvalidEntry},
        {"1e999k", kInvalidEntry},
        {"0x10", kInvalidEntry},
        {"0x10k", kInvalidEntry},
    };
    for (const Row& r : rows) {
      std::string text = r.text;
      QVERIFY2(ParseFrequency(text) == r.expected, r.text);
    }
  }

  void formatFrequencyEntry() {
    struct Row {
      double value;
      const char* text;
    };
    const Row rows[] = {
        {0.5, "500.0m"},
        {0.0, "0.0m"},
        {-2.0, "-2000.0m"},
        {0.00012345, "0.1m"},
        {1.0, "1.0000"},
        {100.0, "100.0000"},
        {999.99999, "1000.0000"},  // rounds like printf
        {1000.0, "1.0000000k"},
        {10000.0, "10.0000000k"},
        {2000000.0, "2.0000000000M"},
        {1000000000.0, "1.0000000000000G"},
    };
    for (const Row& r : rows) QCOMPARE(FormatFrequencyEntry(r.value), std::string(r.text));
  }

  void entriesIgnoreTheNumericLocale() {
    // A Qt program takes LC_NUMERIC from the environment; a comma locale
    // must not change what the boxes read or show.
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) QSKIP("no de_DE locale installed");
    std::string text = "12.5";
    QCOMPARE(ParseNumber(text), 12.5);
    QCOMPARE(FormatFrequencyEntry(1500.0), std::string("1.5000000k"));
    QCOMPARE(FormatEntryG(12.5), std::string("12.5"));
    std::setlocale(LC_NUMERIC, saved.c_str());
  }

  void formatG() {
    QCOMPARE(FormatEntryG(12.3456789), std::string("12.3457"));
    QCOMPARE(FormatEntryG(225.0), std::string("225"));
    QCOMPARE(FormatEntryG(1e-5), std::string("1e-05"));
    QCOMPARE(FormatEntryG(static_cast<float>(40.1)), std::string("40.1"));
  }
};

QTEST_APPLESS_MAIN(EntryTest)
#include "propsheet_entry.moc"
