// SPDX-License-Identifier: MIT
// The impedance readers: every layout gives the spectrum it was written
// from, as a trace of Z in double; malformed files fail with their line;
// named columns read a plain table; the LCR table follows its formulas.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "analysis/impedance/impedance_figures.h"
#include "analysis/impedance/impedance_tables.h"
#include "graph/page_impedance.h"
#include "graph/page_session.h"
#include "impedance_samples.h"
#include "import/import_reader.h"
#include "import/imported_page.h"

namespace fernplot {
namespace {

ImportResult Parse(const std::string& text, const std::string& name = "eis.txt",
                   TableColumns columns = TableColumns::kFromFile) {
  ImportOptions options;
  options.columns = columns;
  return ParseImport(text, name, options);
}

// The trace's Z in ascending frequency.
ImpedanceSpectrum SpectrumOf(const ImportResult& r) {
  const ImportedFile& file = *r.file;
  GraphPage page;
  page.data = ImportedRecords(file, "eis.txt").front();
  return *PageImpedance(page);
}

TEST(ImpedanceRead, EveryLayoutGivesTheSpectrumItWasWrittenFrom) {
  const ImpedanceSpectrum battery = BatterySpectrum();
  const struct {
    ImpedanceLayout layout;
    const char* name;
    const char* format;
  } cases[] = {{ImpedanceLayout::kZPlot, "eis.z", "ZPlot"},
               {ImpedanceLayout::kGamry, "EIS.DTA", "Gamry DTA"},
               {ImpedanceLayout::kEcLab, "eis.mpt", "EC-Lab"},
               {ImpedanceLayout::kChi, "eis.txt", "CHI"},
               {ImpedanceLayout::kZ60W, "eis.txt", "Autolab Z60W"},
               {ImpedanceLayout::kNova, "eis.txt", "Text"},
               {ImpedanceLayout::kTable, "eis.csv", "Text"}};
  for (const auto& c : cases) {
    const std::string text = ImpedanceSampleText(c.layout, battery);
    EXPECT_EQ(DetectImportFormat(text, c.name), ImportFormat::kImpedance) << c.format;
    const ImportResult r = Parse(text, c.name);
    ASSERT_TRUE(r.file) << c.format << ": " << r.error.message;
    EXPECT_EQ(r.file->format, c.format);
    ASSERT_EQ(r.file->traces.size(), 1u);
    const ImportedTrace& trace = r.file->traces[0];
    ASSERT_TRUE(trace.sweep) << c.format;
    EXPECT_EQ(trace.sweep->quantity, SweepQuantity::kImpedance);
    const ImpedanceSpectrum read = SpectrumOf(r);
    ASSERT_EQ(read.frequency.size(), battery.frequency.size()) << c.format;
    for (size_t i = 0; i < read.frequency.size(); ++i) {
      EXPECT_NEAR(read.frequency[i], battery.frequency[i], 1e-8 * battery.frequency[i]);
      // Nine digits as written; a layout of modulus and phase would do no worse.
      EXPECT_NEAR(std::abs(read.impedance[i] - battery.impedance[i]), 0.0,
                  2e-8 * std::abs(battery.impedance[i]))
          << c.format << " " << i;
    }
    // The page's points are the dB of |Z/1 Ω| and θ of the same values.
    const TracePoint& p = trace.points.front();
    EXPECT_NEAR(p.gainDb, 20 * std::log10(std::abs(trace.sweep->response.front())), 1e-12);
    EXPECT_NEAR(p.phaseDeg, std::arg(trace.sweep->response.front()) * 180 / std::numbers::pi,
                1e-12);
  }
  // A table of gain and phase is no impedance.
  EXPECT_EQ(DetectImportFormat("Freq,Gain (dB),Phase\n10,0,0\n", "a.csv"), ImportFormat::kDelimited);
  EXPECT_EQ(DetectImportFormat("Freq,Mag,Phase\n10,0,0\n", "a.csv"), ImportFormat::kDelimited);
}

TEST(ImpedanceRead, MalformedFilesFailWithTheirLine) {
  const struct {
    std::string text;
    size_t line;
    std::string message;
  } cases[] = {
      {"ZPLOT2 ASCII\nno end of header\n1,2,3,4,5,6\n", 0, "\"End Header:\" の行がありません"},
      {"ZPLOT2 ASCII\nEnd Header:\n100, 0, 0, 0, 5\n", 3, "6 列目がありません"},
      {"ZPLOT2 ASCII\nEnd Header:\n100, 0, 0, 0, 5, x\n", 3, "6 列目が数値ではありません: \"x\""},
      {"EXPLAIN\nTAG\tEISPOT\nZCURVE\tTABLE\n\tPt\tTime\tVolts\n1\t2\t3\n", 4,
       "見出しに周波数とインピーダンスの列がありません"},
      {"EC-Lab ASCII FILE\nNb header lines : many\n", 2, "見出しの行数が読めません"},
      // A header line past the end is reported on its count's line.
      {"EC-Lab ASCII FILE\nNb header lines : 9\nfreq/Hz\tRe(Z)/Ohm\t-Im(Z)/Ohm\n", 2,
       "見出しの行がありません"},
      {"freq,Zre,Zim\n10,1,2\n20,1\n", 3, "3 列目がありません"},
      {"freq,Zre,Zim\n", 0, "見出しだけでデータがありません"},
  };
  for (const auto& c : cases) {
    const ImportResult r = Parse(c.text);
    ASSERT_FALSE(r.file) << c.text;
    EXPECT_EQ(r.error.line, c.line) << c.text;
    EXPECT_EQ(r.error.message, c.message) << c.text;
  }
  // Points without a usable frequency or value are left out, counted.
  const ImportResult r = Parse("freq,Zre,Zim\n10,1,2\n0,1,2\n20,nan,1\n30,0,0\n40,3,4\n");
  ASSERT_TRUE(r.file);
  EXPECT_EQ(r.file->traces[0].points.size(), 2u);
  EXPECT_EQ(r.file->skippedPoints, 3u);
}

TEST(ImpedanceRead, NamedColumnsReadAPlainTable) {
  const std::string table = "f,a,b\n100,3,4\n1000,3,-4\n";
  const ImpedanceSpectrum reIm = SpectrumOf(Parse(table, "t.csv", TableColumns::kReIm));
  EXPECT_EQ(reIm.impedance[0], std::complex<double>(3, 4));
  const ImpedanceSpectrum reNegIm = SpectrumOf(Parse(table, "t.csv", TableColumns::kReNegIm));
  EXPECT_EQ(reNegIm.impedance[1], std::complex<double>(3, 4));
  const ImpedanceSpectrum polar =
      SpectrumOf(Parse("100,2,90\n", "t.csv", TableColumns::kMagDeg));
  EXPECT_NEAR(polar.impedance[0].real(), 0.0, 1e-15);
  EXPECT_NEAR(polar.impedance[0].imag(), 2.0, 1e-15);
  // f,db,deg is a ratio, as a table without header always was, its header
  // skipped.
  const ImportResult ratio = Parse("freq,x,y\n100,-3,45\n", "t.csv", TableColumns::kDbDeg);
  ASSERT_TRUE(ratio.file);
  EXPECT_FALSE(ratio.file->traces[0].sweep);
  EXPECT_EQ(ratio.file->traces[0].points[0], (TracePoint{100, -3, 45}));
  // The list is closed, and a file of another kind is not read by it.
  EXPECT_FALSE(ParseTableColumns("f,im,re"));
  EXPECT_EQ(ParseTableColumns("F,Re,-Im"), TableColumns::kReNegIm);
  const ImportResult touchstone = Parse("# Hz S RI R 50\n1e6 0.5 0\n", "a.s1p", TableColumns::kReIm);
  ASSERT_FALSE(touchstone.file);
  EXPECT_TRUE(touchstone.error.missingSelection);
}

TEST(ImpedanceRead, TouchstoneZFilesAndImpedancesFromS) {
  const auto read = [](const std::string& text, const std::string& name, ZFrom from) {
    ImportOptions options;
    options.zFrom = from;
    return ParseImport(text, name, options);
  };
  // v1 Z is normalised to R; v2 is in ohms; a two-port gives Z11.
  const ImportResult v1 = read("# Hz Z RI R 50\n1e6 0.2 -0.1\n", "z.s1p", ZFrom::kNone);
  ASSERT_TRUE(v1.file);
  EXPECT_EQ(SpectrumOf(v1).impedance[0], std::complex<double>(10, -5));
  const ImportResult two = read("# Hz Z MA R 50\n1e6 0.5 90 1 0 1 0 0.25 0\n", "z.s2p", ZFrom::kNone);
  ASSERT_TRUE(two.file);
  EXPECT_EQ(two.file->traces[0].name, "Z11");
  EXPECT_NEAR(SpectrumOf(two).impedance[0].imag(), 25.0, 1e-12);
  const ImportResult v2 =
      read("[Version] 2.0\n# Hz Z RI R 50\n[Number of Ports] 1\n[Network Data]\n1e6 3 4\n[End]\n",
           "v2.s1p", ZFrom::kNone);
  ASSERT_TRUE(v2.file) << v2.error.message;
  EXPECT_EQ(SpectrumOf(v2).impedance[0], std::complex<double>(3, 4));
  // From S: the reflection, and the element shunting or in series.
  const std::complex<double> s11(0.2, -0.3), s21(0.6, 0.1);
  const std::string s2p = "# Hz S RI R 75\n1e6 0.2 -0.3 0.6 0.1 0.6 0.1 0.2 -0.3\n";
  const struct {
    ZFrom from;
    std::complex<double> z;
  } cases[] = {{ZFrom::kS11, 75.0 * (1.0 + s11) / (1.0 - s11)},
               {ZFrom::kS21Shunt, 37.5 * s21 / (1.0 - s21)},
               {ZFrom::kS21Series, 150.0 * (1.0 - s21) / s21}};
  for (const auto& c : cases) {
    const ImportResult r = read(s2p, "dut.s2p", c.from);
    ASSERT_TRUE(r.file) << r.error.message;
    const std::complex<double> z = SpectrumOf(r).impedance[0];
    EXPECT_NEAR(std::abs(z - c.z), 0.0, 1e-12 * std::abs(c.z));
  }
  EXPECT_EQ(ParseZFrom("S21-Series"), ZFrom::kS21Series);
  EXPECT_FALSE(ParseZFrom("s22"));
  // A file of Z has no S to convert: a usage error of that input.
  const ImportResult z = read("# Hz Z RI R 50\n1e6 0.2 -0.1\n", "z.s1p", ZFrom::kS11);
  ASSERT_FALSE(z.file);
  EXPECT_TRUE(z.error.missingSelection);
  // S itself stays a ratio.
  const ImportResult s = read(s2p, "dut.s2p", ZFrom::kNone);
  EXPECT_FALSE(s.file->traces[0].sweep);
}

TEST(ImpedanceTables, LcrValuesFollowTheirFormulas) {
  const double f = 1000.0, w = 2 * std::numbers::pi * f;
  // A capacitor of 1 µF with 0.1 Ω ESR.
  const std::complex<double> c(0.1, -1.0 / (w * 1e-6));
  const EquivalentValues v = EquivalentValuesOf(f, c);
  EXPECT_DOUBLE_EQ(v.rs, 0.1);
  EXPECT_NEAR(*v.cs, 1e-6, 1e-18);
  EXPECT_FALSE(v.ls);
  EXPECT_FALSE(v.lp);
  EXPECT_NEAR(*v.cp, -1.0 / (w * std::norm(c) / c.imag()), 1e-18);
  EXPECT_DOUBLE_EQ(*v.d, 0.1 / std::fabs(c.imag()));
  EXPECT_DOUBLE_EQ(*v.q, 1.0 / *v.d);
  // A coil: L cells, no C cells.
  const EquivalentValues l = EquivalentValuesOf(f, {2.0, w * 1e-3});
  EXPECT_NEAR(*l.ls, 1e-3, 1e-15);
  EXPECT_FALSE(l.cs);
  // A resistor: neither, nor Xp, D or Q; the cells are empty.
  const EquivalentValues r = EquivalentValuesOf(f, {50.0, 0.0});
  EXPECT_FALSE(r.xp || r.cs || r.ls || r.d || r.q);
  const ImpedanceSpectrum s{{1000.0}, {{50.0, 0.0}}};
  EXPECT_EQ(LcrCsv(s),
            "frequency,absZ,thetaDeg,Rs,Xs,Cs,Ls,Rp,Xp,Cp,Lp,D,Q\n1000,50,0,50,0,,,50,,,,,\n");
  // Shortest digits that read back: 1047.13, not 1047.1299999999999.
  EXPECT_EQ(ZCsv({{1047.13}, {{0.1, -2.5}}}), "frequency,re,im\n1047.13,0.1,-2.5\n");
}

}  // namespace
}  // namespace fernplot

namespace fernplot {
namespace {

// The figures of an impedance: the extremes at points, a resonance where θ
// crosses 0 with the Q of its circuit, the high-frequency intercept.
TEST(ImpedanceFigures, ExtremesResonanceAndIntercept) {
  // A series R, L, C: R = 2 Ω, L = 1 mH, C = 1 µF: f0 = 5.03 kHz, Q = 15.8.
  const double r = 2.0, l = 1e-3, c = 1e-6;
  ImpedanceSpectrum s;
  for (int i = 0; i <= 400; ++i) {
    const double f = std::pow(10.0, 3.0 + i / 200.0);
    const double w = 2 * std::numbers::pi * f;
    s.frequency.push_back(f);
    s.impedance.push_back({r, w * l - 1.0 / (w * c)});
  }
  const ImpedanceFigures fig = FiguresOfImpedance(s);
  EXPECT_EQ(fig.points, 401u);
  ASSERT_EQ(fig.resonances.size(), 1u);
  const double f0 = 1.0 / (2 * std::numbers::pi * std::sqrt(l * c));
  EXPECT_NEAR(fig.resonances[0].frequency, f0, 1e-3 * f0);
  EXPECT_NEAR(fig.resonances[0].ohms, r, 0.01 * r);
  EXPECT_NEAR(fig.resonances[0].q, std::sqrt(l / c) / r, 0.01 * std::sqrt(l / c) / r);
  ASSERT_TRUE(fig.minimum);
  EXPECT_NEAR(fig.minimum->frequency, f0, 0.02 * f0);
  EXPECT_DOUBLE_EQ(fig.maximum->frequency, 100000.0);
  // Crossing the real axis, the series resistance is read there.
  ASSERT_TRUE(fig.seriesResistance);
  EXPECT_NEAR(*fig.seriesResistance, r, 1e-12);
  // The battery's arcs close onto R0 at the top without crossing.
  const ImpedanceFigures cell = FiguresOfImpedance(BatterySpectrum());
  EXPECT_TRUE(cell.resonances.empty());
  ASSERT_TRUE(cell.seriesResistance);
  EXPECT_NEAR(*cell.seriesResistance, 0.02, 1e-6);
  const std::string json = ImpedanceFiguresJson("cell", cell);
  EXPECT_NE(json.find("\"quantity\":\"impedance\""), std::string::npos);
  EXPECT_NE(json.find("\"resonances\":[]"), std::string::npos);
  EXPECT_EQ(json.find("phaseMargin"), std::string::npos);
  // A capacitor alone crosses nothing and has no intercept.
  const ImpedanceFigures cap = FiguresOfImpedance({{100.0, 1000.0}, {{0.1, -100.0}, {0.1, -10.0}}});
  EXPECT_FALSE(cap.seriesResistance);
  EXPECT_NE(ImpedanceFiguresJson("c", cap).find("\"seriesResistanceOhm\":null"), std::string::npos);
}

}  // namespace
}  // namespace fernplot
