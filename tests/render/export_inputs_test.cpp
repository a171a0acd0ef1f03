// SPDX-License-Identifier: MIT
// The exporter's inputs beyond the pages: overlay names, the reference of a
// difference, names that are not text in the JSON outputs, and which files
// an output may never replace.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <cmath>
#include <filesystem>
#include <sstream>

#include "analysis/difference.h"
#include "datafile/data_file_writer.h"
#include "datafile/reader.h"
#include "export_language.h"
#include "export_run.h"
#include "fernplot_test_data.h"
#include "qt_page_drawer.h"

namespace fernplot {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::WriteBytes;

class ExportInputs : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    root_ = dir_.path().toStdString();
    out_dir_ = root_ + "/out";
    program_ = root_ + "/fernplot-export";
  }

  // A calculated file with the points given as (Hz, dB-ratio, degrees).
  std::string Data(const std::string& name, const std::vector<CalculatedRecord>& points,
                   const std::string& title = "t") {
    const std::string path = root_ + "/" + name;
    WriteBytes(path, EncodeCalculatedDataFile(
                         testing::TestHeader({.dataType = 1,
                                              .pointCount = static_cast<uint16_t>(points.size()),
                                              .title = title}),
                         points));
    return path;
  }
  // 10 Hz to 100 kHz, gain 1, phase -45 degrees.
  std::string Page(const std::string& name) {
    return Data(name, {{10.0, 1.0f, -45.0f}, {1000.0, 1.0f, -45.0f}, {100000.0, 1.0f, -45.0f}});
  }

  int Run(std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    const QtPageDrawer drawer;
    return TranslatedExportMain(args, program_, out_, err_, &drawer);
  }
  std::string Out(const std::string& name) const { return out_dir_ + "/" + name; }
  QJsonObject JsonOf(const std::string& name) const {
    return QJsonDocument::fromJson(QByteArray::fromStdString(ReadBytes(Out(name)))).object();
  }
  QStringList TraceNames(const std::string& drawing) const {
    QStringList names;
    for (const QJsonValue t : JsonOf(drawing)["traces"].toArray()) {
      names << t.toObject()["name"].toString();
    }
    return names;
  }

  QTemporaryDir dir_;
  std::string root_, out_dir_, program_;
  std::ostringstream out_, err_;
};

TEST_F(ExportInputs, OverlayNamesWithCommasAndRepeatedOverlays) {
  const std::string page = Page("P.DAT");
  const std::string comma = Page("a,b.DAT");
  const std::string a = Page("a"), b = Page("b.DAT"), c = Page("c.DAT");
  // The whole argument names a file: that file, even though "a" and
  // "b.DAT" exist too.
  ASSERT_EQ(Run({"-o", out_dir_, "-f", "drawing", "--overlay", comma, page}), kExitOk)
      << err_.str();
  EXPECT_EQ(TraceNames("P.drawing.json"), (QStringList{"P", "a,b"}));
  // Otherwise a list; and the option may be repeated.
  ASSERT_EQ(Run({"-o", out_dir_, "-f", "drawing", "--overlay", a + "," + b, "--overlay", c,
                 "--overlay=" + comma, page}),
            kExitOk)
      << err_.str();
  EXPECT_EQ(TraceNames("P.drawing.json"), (QStringList{"P", "a", "b", "c", "a,b"}));
  // A list naming a missing file still says which.
  EXPECT_EQ(Run({"-o", out_dir_, "-f", "csv", "--overlay", a + "," + root_ + "/gone", page}),
            kExitFailure);
  EXPECT_NE(err_.str().find(root_ + "/gone: "), std::string::npos) << err_.str();
}

TEST_F(ExportInputs, EveryJsonOutputIsValidUtf8ForNamesThatAreNotText) {
  const std::string page = Page("M\xff\xfe.DAT");
  const std::string overlay = Page("O\xc0\xaf.DAT");  // an overlong '/'
  ASSERT_EQ(Run({"-o", out_dir_, "-f", "json,figures,drawing", "--overlay", overlay, page}),
            kExitOk)
      << err_.str();
  for (const std::string suffix : {".json", ".figures.json", ".drawing.json"}) {
    const std::string bytes = ReadBytes(Out("M\xff\xfe" + suffix));
    ASSERT_FALSE(bytes.empty()) << suffix;
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(QByteArray::fromStdString(bytes));
    EXPECT_FALSE(utf8.hasError()) << suffix;
    QJsonParseError error{};
    QJsonDocument::fromJson(QByteArray::fromStdString(bytes), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << suffix;
  }
  EXPECT_EQ(JsonOf("M\xff\xfe.figures.json")["file"].toString(), QStringLiteral("M\uFFFD\uFFFD"));
  EXPECT_EQ(TraceNames("M\xff\xfe.drawing.json"),
            (QStringList{QStringLiteral("M\uFFFD\uFFFD"), QStringLiteral("O\uFFFD\uFFFD")}));
}

TEST_F(ExportInputs, ADifferenceWithNothingToSubtractIsAnInputError) {
  const std::string page = Page("P.DAT");
  // Far above the page, and a reference whose points are all unusable.
  const std::string far = Data("FAR.DAT", {{1e8, 1.0f, 0.0f}, {1e10, 1.0f, 0.0f}});
  const std::string unusable = Data("NONE.DAT", {{-5.0, 1.0f, 0.0f}, {0.0, 1.0f, 0.0f}});
  ASSERT_EQ(Run({"-o", root_ + "/plain", "-f", "csv,drawing", page}), kExitOk) << err_.str();
  const std::string plainCsv = ReadBytes(root_ + "/plain/P.csv");
  const std::string plainDrawing = ReadBytes(root_ + "/plain/P.drawing.json");
  for (const std::string& reference : {far, unusable}) {
    SCOPED_TRACE(reference);
    EXPECT_EQ(Run({"-o", out_dir_, "-f", "csv,drawing", "--difference", reference, page}),
              kExitFailure);
    EXPECT_EQ(err_.str().rfind(reference + ": ", 0), 0u) << err_.str();
    // The page as without --difference.
    EXPECT_EQ(ReadBytes(Out("P.csv")), plainCsv);
    EXPECT_EQ(ReadBytes(Out("P.drawing.json")), plainDrawing);
  }
  // Also a reference that is an overlay: the overlay stays, plainly.
  EXPECT_EQ(Run({"-o", out_dir_, "-f", "drawing", "--overlay", far, "--difference", far, page}),
            kExitFailure);
  const QJsonArray traces = JsonOf("P.drawing.json")["traces"].toArray();
  ASSERT_EQ(traces.size(), 2);
  EXPECT_EQ(traces[0].toObject()["role"].toString(), "page");
  EXPECT_EQ(traces[1].toObject()["role"].toString(), "overlay");
  // The decision the viewer shares, and its message in English.
  const MeasurementData pageData = *ReadDataFileForPage(page);
  EXPECT_EQ(CheckSubtraction(pageData, *ReadDataFileForPage(far), ChannelRatio::kCh1Ch2),
            Subtraction::kNoCommonRange);
  EXPECT_EQ(CheckSubtraction(pageData, *ReadDataFileForPage(unusable), ChannelRatio::kCh1Ch2),
            Subtraction::kNoReferencePoints);
  EXPECT_EQ(CheckSubtraction(pageData, pageData, ChannelRatio::kCh1Ch2), Subtraction::kPossible);
  ASSERT_EQ(Run({"--lang", "en", "-o", out_dir_, "-f", "csv", "--difference", far, page}),
            kExitFailure);
  EXPECT_EQ(err_.str(), far + ": no point of the page lies in the reference's frequency range\n");
}

TEST_F(ExportInputs, ReferenceFrequenciesWithOneLogarithmGiveNoNan) {
  // Two frequencies one bit apart share their log10.
  const double f = 1000.0, g = std::nextafter(1000.0, 2000.0);
  ASSERT_EQ(std::log10(f), std::log10(g));
  const std::string reference = Data(
      "REF.DAT", {{10.0, 1.0f, 0.0f}, {f, 2.0f, -10.0f}, {g, 4.0f, -20.0f}, {1e5, 1.0f, 0.0f}});
  const std::string page = Page("P.DAT");
  ASSERT_EQ(Run({"-o", out_dir_, "-f", "csv", "--difference", reference, page}), kExitOk)
      << err_.str();
  const std::string csv = ReadBytes(Out("P.csv"));
  EXPECT_EQ(csv.find("nan"), std::string::npos) << csv;
  // At 1000 Hz the later of the two points stands: 0 dB - 20 log10(4).
  EXPECT_NE(csv.find("1000.000000 , -12.041200 , -25.000000"), std::string::npos) << csv;
  // The readout reads the same.
  const std::vector<UsablePoint> usable =
      UsablePoints(RatioPoints(*ReadDataFileForPage(reference), ChannelRatio::kCh1Ch2));
  for (const double at : {f, g}) {
    const std::optional<CurveReading> r = InterpolateAt(usable, at);
    ASSERT_TRUE(r);
    EXPECT_NEAR(r->gain, 20.0 * std::log10(4.0), 1e-5) << at;
    EXPECT_DOUBLE_EQ(r->phase, -20.0) << at;
  }
}

TEST_F(ExportInputs, NoOutputReplacesAnyInputOfTheRun) {
  const std::string page = Page("P.DAT");
  // Inputs that sit where outputs go, each named as an output would be.
  struct Case {
    std::string what;
    std::vector<std::string> args;  // given before the page; {} marks the input
    std::string input;
  };
  fs::create_directories(out_dir_);
  const std::string overlay = Data("out/OV.csv", {{10.0, 1.0f, 0.0f}, {1e5, 1.0f, 0.0f}});
  const std::string reference = Data("out/REF.csv", {{10.0, 1.0f, 0.0f}, {1e5, 1.0f, 0.0f}});
  const std::string settings = out_dir_ + "/SET.csv";
  WriteBytes(settings, "CALC = CH1/CH2\r\n");
  const std::string ovPage = Page("OV.DAT"), refPage = Page("REF.DAT"), setPage = Page("SET.DAT");
  const std::vector<Case> cases{
      {"overlay", {"--overlay", overlay, ovPage}, overlay},
      {"reference", {"--difference", reference, refPage}, reference},
      {"settings", {"-s", settings, setPage}, settings},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string before = ReadBytes(c.input);
    std::vector<std::string> args{"-o", out_dir_, "-f", "csv"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    EXPECT_EQ(Run(args), kExitFailure);
    EXPECT_EQ(ReadBytes(c.input), before);
    EXPECT_NE(err_.str().find("it is the input " + c.input), std::string::npos) << err_.str();
  }
}

}  // namespace
}  // namespace fernplot
