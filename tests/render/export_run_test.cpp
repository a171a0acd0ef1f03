// SPDX-License-Identifier: MIT
// The exporter end to end, in-process: real data files in a temporary
// folder, every format, the exit codes.
#include "export_run.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "datafile/data_file_writer.h"
#include "export_language.h"
#include "fernplot_test_data.h"
#include "fernplot_version.h"
#include "graph/drawing.h"
#include "qt_page_drawer.h"

namespace fernplot {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

MeasurementData Header(int16_t type, uint16_t count, const std::string& title) {
  return testing::TestHeader({.dataType = type,
                              .pointCount = count,
                              .title = title,
                              .version = "1.30",
                              .made = {2024, 3, 7, 9, 5},
                              .sweep = {.oscAmplitude = 0.5,
                                        .minHz = 10.0,
                                        .maxHz = 100000.0,
                                        .resolutionKind = 1,
                                        .resolution = 10.0}});
}

class ExportRun : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    root_ = dir_.path().toStdString();
    // Records in file order 10, 1000, 100000 Hz; the points come out reversed.
    raw_ = root_ + "/RC1.DAT";
    WriteBytes(raw_,
               EncodeRawDataFile(Header(0, 3, "ローパス RC"), {{10.0, 2.0f, 30.0f, 1.0f},
                                                               {1000.0, 1.0f, -45.0f, 1.0f},
                                                               {100000.0, 0.1f, -89.5f, 1.0f}}));
    calc_ = root_ + "/loop.DAT";
    WriteBytes(calc_, EncodeCalculatedDataFile(Header(1, 2, "loop gain"),
                                               {{100.0, 10.0f, -45.0f}, {1000.0, 1.0f, -120.0f}}));
    empty_ = root_ + "/empty.DAT";
    WriteBytes(empty_, EncodeHeader(Header(0, 0, "nothing")));
    program_ = root_ + "/fernplot-export";  // no settings file beside it
  }

  int Run(std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    const QtPageDrawer drawer;
    return TranslatedExportMain(args, program_, out_, err_, &drawer);
  }
  std::string Out(const std::string& name) const { return root_ + "/out/" + name; }

  QTemporaryDir dir_;
  std::string root_, raw_, calc_, empty_, program_;
  std::ostringstream out_, err_;
};

TEST_F(ExportRun, CsvFollowsThePointOrderAndTheRatio) {
  ASSERT_EQ(Run({"-o", root_ + "/out", "-f", "csv", raw_, calc_}), kExitOk) << err_.str();
  EXPECT_EQ(ReadBytes(Out("RC1.csv")),
            "100000.000000 , -20.000000 , -89.500000\r\n"
            "1000.000000 , 0.000000 , -45.000000\r\n"
            "10.000000 , 6.020600 , 30.000000\r\n");
  EXPECT_EQ(ReadBytes(Out("loop.csv")),
            "1000.000000 , 0.000000 , -120.000000\r\n"
            "100.000000 , 20.000000 , -45.000000\r\n");
  EXPECT_TRUE(err_.str().empty());

  ASSERT_EQ(Run({"-o", root_ + "/out", "--calc", "ch2/ch1", "-f", "csv", raw_, calc_}), kExitOk);
  EXPECT_EQ(ReadBytes(Out("RC1.csv")),
            "100000.000000 , 20.000000 , 89.500000\r\n"
            "1000.000000 , 0.000000 , 45.000000\r\n"
            "10.000000 , -6.020600 , -30.000000\r\n");
  EXPECT_EQ(ReadBytes(Out("loop.csv")),
            "1000.000000 , 0.000000 , 0.000000\r\n100.000000 , 0.000000 , 0.000000\r\n");
}

TEST_F(ExportRun, SettingsFileDecidesTheRatioUnlessCalcIsGiven) {
  const std::string cfg = root_ + "/my.CFG";
  WriteBytes(cfg, "CALC=1\r\n");
  ASSERT_EQ(Run({"-o", root_ + "/out", "-s", cfg, "-f", "csv", raw_}), kExitOk) << err_.str();
  EXPECT_EQ(ReadBytes(Out("RC1.csv")).rfind("100000.000000 , 20.000000 , 89.500000\r\n", 0), 0u);
  ASSERT_EQ(Run({"-o", root_ + "/out", "-s", cfg, "--calc", "ch1/ch2", "-f", "csv", raw_}),
            kExitOk);
  EXPECT_EQ(ReadBytes(Out("RC1.csv")).rfind("100000.000000 , -20.000000 , -89.500000\r\n", 0), 0u);
  EXPECT_EQ(Run({"-s", root_ + "/missing.CFG", "-f", "csv", raw_}), kExitUsage);
}

TEST_F(ExportRun, JsonRoundTripsEveryValue) {
  ASSERT_EQ(Run({"-o", root_ + "/out", "-f", "json", raw_}), kExitOk) << err_.str();
  QFile file(QString::fromStdString(Out("RC1.json")));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QJsonParseError error;
  const QJsonObject o = QJsonDocument::fromJson(file.readAll(), &error).object();
  ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
  EXPECT_EQ(o["modelName"].toString().toStdString(), "Q417");
  EXPECT_EQ(o["dataTitle"].toString().toStdString(), "ローパス RC");
  EXPECT_EQ(o["pointCount"].toInt(), 3);
  EXPECT_EQ(o["minute"].toInt(), 5);
  EXPECT_EQ(o["resolution"].toDouble(), 10.0);
  EXPECT_TRUE(o["message"].isNull());
  EXPECT_EQ(o.size(), 29);
  const QJsonArray points = o["points"].toArray();
  ASSERT_EQ(points.size(), 3);
  const QJsonObject last = points[2].toObject();
  EXPECT_EQ(last["frequency"].toDouble(), 10.0);
  const float gain = static_cast<float>(20.0 * std::log10(2.0));
  EXPECT_EQ(static_cast<float>(last["gainCh1Ch2"].toDouble()), gain) << "exact float";
  EXPECT_EQ(static_cast<float>(last["gainCh2Ch1"].toDouble()), -gain);
  EXPECT_EQ(last["phaseCh2Ch1"].toDouble(), -30.0);
  EXPECT_EQ(static_cast<float>(points[0].toObject()["gainCh1Ch2"].toDouble()),
            static_cast<float>(20.0 * std::log10(0.1)));
}

TEST_F(ExportRun, FailuresAreReportedAndTheOthersStillWritten) {
  const std::string missing = root_ + "/missing.DAT";
  EXPECT_EQ(Run({"-o", root_ + "/out", "-f", "json,csv", missing, raw_, empty_}), kExitFailure);
  EXPECT_NE(err_.str().find(missing + ": ファイル[" + missing + "]が見つかりません\n"),
            std::string::npos)
      << err_.str();
  EXPECT_NE(err_.str().find(empty_ + ": データ件数がゼロです\n"), std::string::npos);
  EXPECT_FALSE(ReadBytes(Out("RC1.csv")).empty());
  // A record without points is still exported, carrying the reader's text.
  const QJsonObject o =
      QJsonDocument::fromJson(QByteArray::fromStdString(ReadBytes(Out("empty.json")))).object();
  EXPECT_EQ(o["message"].toString().toStdString(), "データ件数がゼロです");
  EXPECT_TRUE(o["points"].isNull());
  EXPECT_EQ(ReadBytes(Out("empty.csv")), "");
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Out("missing.json"))));

  // An output folder that is a file fails, nothing is written.
  WriteBytes(root_ + "/plain", "x");
  EXPECT_EQ(Run({"-o", root_ + "/plain", "-f", "csv", raw_}), kExitFailure);
  EXPECT_NE(err_.str().find(root_ + "/plain"), std::string::npos);
}

TEST_F(ExportRun, OverlaysAndDifference) {
  // A reference with the page's gains at its ends, five degrees ahead, and
  // no point at 1000 Hz: there it is read halfway in log10 f.
  const std::string ref = root_ + "/REF.DAT";
  WriteBytes(ref, EncodeRawDataFile(Header(0, 2, "ref"),
                                    {{10.0, 2.0f, 35.0f, 1.0f}, {100000.0, 0.1f, -84.5f, 1.0f}}));
  // csv: the page minus the reference at the page's own frequencies.
  ASSERT_EQ(Run({"-o", root_ + "/out", "-f", "csv,drawing", "--overlay", calc_ + "," + ref,
                 "--difference", ref, raw_}),
            kExitOk)
      << err_.str();
  const std::string csv = ReadBytes(Out("RC1.csv"));
  EXPECT_EQ(csv,
            "100000.000000 , 0.000000 , -5.000000\r\n"
            "1000.000000 , 6.989700 , -20.250000\r\n"
            "10.000000 , 0.000000 , -5.000000\r\n");

  const QJsonObject d =
      QJsonDocument::fromJson(QByteArray::fromStdString(ReadBytes(Out("RC1.drawing.json"))))
          .object();
  const QJsonArray traces = d["traces"].toArray();
  ASSERT_EQ(traces.size(), 3);
  EXPECT_EQ(traces[0].toObject()["role"].toString(), "difference");
  EXPECT_EQ(traces[0].toObject()["name"].toString(), "RC1");
  EXPECT_EQ(traces[0].toObject()["points"].toInt(), 3);
  EXPECT_EQ(traces[1].toObject()["name"].toString(), "loop");
  EXPECT_EQ(traces[1].toObject()["role"].toString(), "overlay");
  EXPECT_EQ(traces[2].toObject()["role"].toString(), "reference");
  const QJsonArray pens = d["pens"].toArray();
  const QJsonObject phasePen = pens[traces[1].toObject()["phasePen"].toInt()].toObject();
  EXPECT_EQ(phasePen["screenStyle"].toInt(), 1);
  EXPECT_EQ(d["axes"].toObject()["gain"].toObject()["quantity"].toString(), "gainDifference");

  // A plain page keeps its drawing as it was: no traces, no quantities.
  ASSERT_EQ(Run({"-o", root_ + "/plain", "-f", "drawing", raw_}), kExitOk);
  const std::string plain = ReadBytes(root_ + "/plain/RC1.drawing.json");
  EXPECT_EQ(plain.find("traces"), std::string::npos);
  EXPECT_EQ(plain.find("quantity"), std::string::npos);

  // Without --difference the csv is the page's own, the roles plain.
  ASSERT_EQ(Run({"-o", root_ + "/out", "-f", "csv,drawing", "--overlay", ref, raw_}), kExitOk);
  EXPECT_EQ(ReadBytes(Out("RC1.csv")).rfind("100000.000000 , -20.000000", 0), 0u);
  EXPECT_NE(ReadBytes(Out("RC1.drawing.json")).find("\"quantity\":\"gain\""), std::string::npos);
}

TEST_F(ExportRun, UnreadableOverlaysFailButPagesAreWritten) {
  const std::string missing = root_ + "/gone.DAT";
  EXPECT_EQ(Run({"-o", root_ + "/out", "-f", "csv,drawing", "--overlay", missing + "," + calc_,
                 "--difference", empty_, raw_}),
            kExitFailure);
  EXPECT_NE(err_.str().find(missing + ": "), std::string::npos) << err_.str();
  EXPECT_NE(err_.str().find(empty_ + ": "), std::string::npos) << err_.str();
  // The page is written with what could be read: one overlay, no difference.
  EXPECT_EQ(ReadBytes(Out("RC1.csv")).rfind("100000.000000 , -20.000000", 0), 0u);
  const QJsonObject d =
      QJsonDocument::fromJson(QByteArray::fromStdString(ReadBytes(Out("RC1.drawing.json"))))
          .object();
  ASSERT_EQ(d["traces"].toArray().size(), 2);
  EXPECT_EQ(d["traces"].toArray()[0].toObject()["role"].toString(), "page");
  // An error is also reported for a reference that is one of the overlays.
  EXPECT_EQ(
      Run({"-o", root_ + "/out", "-f", "csv", "--overlay", missing, "--difference", missing, raw_}),
      kExitFailure);
  EXPECT_EQ(err_.str(), missing + ": " + err_.str().substr(missing.size() + 2));
}

TEST_F(ExportRun, UsageErrorsPointToHelp) {
  EXPECT_EQ(Run({}), kExitUsage);
  EXPECT_NE(err_.str().find("see fernplot-export --help"), std::string::npos);
  EXPECT_EQ(Run({"-f", "gif", raw_}), kExitUsage);
  EXPECT_NE(err_.str().find("gif"), std::string::npos);
  EXPECT_EQ(Run({"--help"}), kExitOk);
  EXPECT_NE(out_.str().find("-f FMT[,FMT...] FILE..."), std::string::npos);
  EXPECT_NE(out_.str().find("--version"), std::string::npos);
}

TEST_F(ExportRun, VersionIsTheProjectVersion) {
  ASSERT_EQ(Run({"--version"}), kExitOk);
  EXPECT_EQ(out_.str(), std::string("fernplot-export ") + kVersion + "\n");
  EXPECT_EQ(err_.str(), "");
  EXPECT_EQ(std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
                std::to_string(kVersionPatch),
            kVersion);
}

TEST_F(ExportRun, ListPrintsTheFiveCellsPerFile) {
  WriteBytes(root_ + "/bad.DAT", "short");
  ASSERT_EQ(Run({"-l", root_ + "/*.DAT"}), kExitOk) << err_.str();
  EXPECT_EQ(out_.str(),
            "bad.DAT\t不明\t\t\tファイルの形式が違います\n"
            "empty.DAT\t生ﾃﾞｰﾀ\t0\t2024-03-07  9:05\tnothing\n"
            "loop.DAT\t演算ﾃﾞｰﾀ\t2\t2024-03-07  9:05\tloop gain\n"
            "RC1.DAT\t生ﾃﾞｰﾀ\t3\t2024-03-07  9:05\tローパス RC\n");
}

TEST_F(ExportRun, PageFormatsFollowTheSizeRules) {
  ASSERT_EQ(Run({"-o", root_ + "/out", "--zoom", "150", "-f", "png,svg,pdf,drawing", raw_}),
            kExitOk)
      << err_.str();
  const QJsonObject drawing =
      QJsonDocument::fromJson(QByteArray::fromStdString(ReadBytes(Out("RC1.drawing.json"))))
          .object();
  const QJsonObject sheet = drawing["sheet"].toObject();
  const int w = sheet["widthPx"].toInt(), h = sheet["heightPx"].toInt();
  ASSERT_GT(w, 0);
  EXPECT_EQ(sheet["number"].toInt(), 1);
  const QImage png(QString::fromStdString(Out("RC1.png")));
  EXPECT_EQ(png.width(), static_cast<int>(w * 1.5) + 1);
  EXPECT_EQ(png.height(), static_cast<int>(h * 1.5));
  EXPECT_EQ(png.pixel(0, png.height() / 2) & 0xFFFFFF, 0u) << "page outline at x 0";
  EXPECT_EQ(png.pixel(3, 3) & 0xFFFFFF, 0xFFFFFFu) << "white background";

  EXPECT_EQ(drawing["page"].toObject()["frame"].toArray()[0].toDouble(), 18.0);
  EXPECT_TRUE(drawing["axes"].toObject()["frequency"].toObject()["log"].toBool());
  const QJsonArray elements = drawing["elements"].toArray();
  ASSERT_GT(elements.size(), 3);
  EXPECT_EQ(elements[0].toObject()["kind"].toString(), "polyline");
  EXPECT_EQ(elements[1].toObject()["kind"].toString(), "text");
  EXPECT_EQ(elements[2].toObject()["kind"].toString(), "rect");
  EXPECT_EQ(drawing["fonts"].toArray()[0].toObject()["face"].toString(), "ＭＳ ゴシック");
  EXPECT_TRUE(drawing["pens"].toArray()[0].toObject()["screenColor"].toString().startsWith("#"));

  const std::string svg = ReadBytes(Out("RC1.svg"));
  EXPECT_NE(svg.find("font-family=\"IPAPGothic\""), std::string::npos);
  EXPECT_NE(svg.find("font-family=\"Liberation Serif\""), std::string::npos) << "credit line";
  EXPECT_EQ(svg.find("ゴシック\""), std::string::npos) << "no Windows face names";
  EXPECT_NE(svg.find("ローパス"), std::string::npos) << "text kept as text";
  const std::string pdf = ReadBytes(Out("RC1.pdf"));
  EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
  // One page as wide as the sheet, in points, not turned to portrait.
  const size_t box = pdf.find("/MediaBox [0 0 ");
  ASSERT_NE(box, std::string::npos);
  double boxW = 0, boxH = 0;
  ASSERT_EQ(std::sscanf(pdf.c_str() + box, "/MediaBox [0 0 %lf %lf", &boxW, &boxH), 2);
  const double sheetMm = std::ceil(w * kMmPerPixel - 1e-9);
  EXPECT_NEAR(boxW, sheetMm * 72 / 25.4, 1.0);
  EXPECT_GT(boxW, boxH);
  EXPECT_EQ(pdf.find("/MediaBox", box + 1), std::string::npos) << "one page";
}

// The page texts and the messages follow --lang; without it the C locale of
// the tests gives the Japanese source texts. Numbers and units stay.
TEST_F(ExportRun, LanguageOfPageTextsAndMessages) {
  ASSERT_EQ(Run({"-o", root_ + "/out", "-f", "drawing", raw_}), kExitOk) << err_.str();
  const std::string japanese = ReadBytes(Out("RC1.drawing.json"));
  EXPECT_NE(japanese.find("ｽｲｰﾌﾟ最小周波数＝10Hz"), std::string::npos);
  EXPECT_NE(japanese.find("周波数特性"), std::string::npos);
  ASSERT_EQ(Run({"--lang", "en", "-o", root_ + "/out", "-f", "drawing", raw_}), kExitOk);
  const std::string english = ReadBytes(Out("RC1.drawing.json"));
  EXPECT_NE(english.find("Sweep min. frequency = 10Hz"), std::string::npos);
  EXPECT_NE(english.find("Frequency Response"), std::string::npos);
  EXPECT_EQ(english.find("周波数"), std::string::npos);
  // The data title is the file's own text, in any language.
  EXPECT_NE(english.find("ローパス RC"), std::string::npos);

  EXPECT_EQ(Run({"--lang", "en", "-f", "csv", "-o", root_ + "/out", root_ + "/none.DAT"}),
            kExitFailure);
  EXPECT_NE(err_.str().find("not found"), std::string::npos) << err_.str();
  EXPECT_EQ(Run({"--lang", "en", "-l", root_ + "/*.DAT"}), kExitOk);
  EXPECT_NE(out_.str().find("\tRaw data\t"), std::string::npos) << out_.str();
  EXPECT_NE(out_.str().find("\tCalculated data\t"), std::string::npos);
  // The Qt-free exporter hands English runs to the one that reads
  // translations; the tests run under the C locale.
  EXPECT_TRUE(ExportWantsEnglish({"--lang", "en", "-l", "x"}));
  EXPECT_FALSE(ExportWantsEnglish({"--lang", "ja", "-f", "csv", "a"}));
  EXPECT_FALSE(ExportWantsEnglish({"-f", "csv", "a"}));
}

}  // namespace
}  // namespace fernplot
