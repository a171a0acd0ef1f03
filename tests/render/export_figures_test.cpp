// SPDX-License-Identifier: MIT
// The exporter's figures: the figures JSON read back, the margin reference
// and ratio options, the summary lines and the options' usage errors.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <QTemporaryDir>
#include <cmath>
#include <filesystem>
#include <sstream>

#include "datafile/data_file_writer.h"
#include "export_args.h"
#include "export_run.h"
#include "fernplot_test_data.h"
#include "qt_page_drawer.h"

namespace fernplot {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

constexpr double kTol = 1e-6;  // the points are floats on disk

MeasurementData CalcHeader(uint16_t count) {
  return testing::TestHeader({.dataType = 1, .pointCount = count, .title = "figures"});
}
MeasurementData RawHeader(uint16_t count) {
  return testing::TestHeader({.dataType = 0, .pointCount = count, .title = "loop"});
}

class ExportFigures : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    root_ = dir_.path().toStdString();
    // A loop: 40, 20, -20, -40 dB at 10 Hz ... 10 kHz with the phase going
    // from -90 through -180 (stored wrapped as +170 and +110). Between 100 Hz
    // and 1 kHz 0 dB lies half-way in log f (316 Hz, phase -170) and -180°
    // three quarters of the way (562 Hz, gain -10 dB).
    loop_ = root_ + "/loop.DAT";
    // A raw file, so that it also has a CH2/CH1 side (the inverse).
    WriteBytes(loop_, EncodeRawDataFile(RawHeader(4), {{10.0, 100.0f, -90.0f, 1.0f},
                                                       {100.0, 10.0f, -150.0f, 1.0f},
                                                       {1000.0, 0.1f, 170.0f, 1.0f},
                                                       {10000.0, 0.01f, 110.0f, 1.0f}}));
    // A low-pass: flat 0 dB, then -20 dB a decade; -3 dB at 10^2.15 Hz.
    lpf_ = root_ + "/lpf.DAT";
    WriteBytes(lpf_, EncodeCalculatedDataFile(CalcHeader(4), {{10.0, 1.0f, 0.0f},
                                                              {100.0, 1.0f, -10.0f},
                                                              {1000.0, 0.1f, -80.0f},
                                                              {10000.0, 0.01f, -90.0f}}));
    empty_ = root_ + "/empty.DAT";
    WriteBytes(empty_, EncodeHeader(CalcHeader(0)));
    program_ = root_ + "/fernplot-export";
  }

  int Run(std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    const QtPageDrawer drawer;
    return ExportMain(args, program_, out_, err_, &drawer);
  }
  QJsonObject Figures(const std::string& name) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(
        QByteArray::fromStdString(ReadBytes(root_ + "/out/" + name + ".figures.json")), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return doc.object();
  }

  QTemporaryDir dir_;
  std::string root_, loop_, lpf_, empty_, program_;
  std::ostringstream out_, err_;
};

TEST_F(ExportFigures, LoopAndFilterFiguresReadBack) {
  ASSERT_EQ(Run({"-o", root_ + "/out", "-f", "figures", loop_, lpf_}), kExitOk) << err_.str();

  const QJsonObject loop = Figures("loop");
  EXPECT_EQ(loop.keys().size(), 16);
  EXPECT_EQ(loop["file"].toString(), "loop");
  EXPECT_EQ(loop["ratio"].toString(), "ch1/ch2");
  EXPECT_EQ(loop["points"].toInt(), 4);
  EXPECT_EQ(loop["marginReferenceDeg"].toInt(), -180);
  EXPECT_NEAR(loop["lowFrequencyGain"]["frequencyHz"].toDouble(), 10.0, kTol);
  EXPECT_NEAR(loop["lowFrequencyGain"]["gainDb"].toDouble(), 40.0, kTol);
  EXPECT_NEAR(loop["peak"]["gainDb"].toDouble(), 40.0, kTol);
  EXPECT_TRUE(loop["resonance"].isNull()) << "the peak is the first point";
  const QJsonArray minus3 = loop["minus3dB"].toArray();
  ASSERT_EQ(minus3.size(), 1);
  EXPECT_NEAR(minus3[0]["frequencyHz"].toDouble(), std::pow(10.0, 1.15), 1e-4);
  EXPECT_EQ(minus3[0]["direction"].toString(), "falling");

  const QJsonArray gc = loop["gainCrossovers"].toArray();
  ASSERT_EQ(gc.size(), 1);
  EXPECT_NEAR(gc[0]["frequencyHz"].toDouble(), std::pow(10.0, 2.5), 1e-4);
  EXPECT_NEAR(gc[0]["phaseDeg"].toDouble(), -170.0, kTol);
  EXPECT_NEAR(gc[0]["phaseMarginDeg"].toDouble(), 10.0, kTol);
  const QJsonArray pc = loop["phaseCrossovers"].toArray();
  ASSERT_EQ(pc.size(), 1) << "the wrap from -150 to +170 is one crossing of -180";
  EXPECT_NEAR(pc[0]["frequencyHz"].toDouble(), std::pow(10.0, 2.75), 1e-4);
  EXPECT_NEAR(pc[0]["gainDb"].toDouble(), -10.0, kTol);
  EXPECT_NEAR(pc[0]["gainMarginDb"].toDouble(), 10.0, kTol);
  EXPECT_NEAR(loop["phaseMarginDeg"].toDouble(), 10.0, kTol);
  EXPECT_NEAR(loop["gainMarginDb"].toDouble(), 10.0, kTol);

  const QJsonObject lpf = Figures("lpf");
  ASSERT_EQ(lpf["minus3dB"].toArray().size(), 1);
  EXPECT_NEAR(lpf["minus3dB"][0]["frequencyHz"].toDouble(), std::pow(10.0, 2.15), 1e-4);
  EXPECT_TRUE(lpf["gainCrossovers"].toArray().isEmpty());
  EXPECT_TRUE(lpf["phaseMarginDeg"].isNull()) << "no crossover is null, never 0";
  EXPECT_TRUE(lpf["gainMarginDb"].isNull());
}

TEST_F(ExportFigures, MarginReferenceAndRatioOptions) {
  ASSERT_EQ(Run({"-o", root_ + "/out", "--margin-reference", "0", "-f", "figures", loop_}),
            kExitOk);
  const QJsonObject zero = Figures("loop");
  EXPECT_EQ(zero["marginReferenceDeg"].toInt(), 0);
  EXPECT_NEAR(zero["phaseMarginDeg"].toDouble(), -170.0, kTol);
  EXPECT_TRUE(zero["phaseCrossovers"].toArray().isEmpty()) << "the phase never reaches ±360°";
  EXPECT_TRUE(zero["gainMarginDb"].isNull());

  ASSERT_EQ(Run({"-o", root_ + "/out", "--margin-reference=-180", "--calc", "ch2/ch1", "-f",
                 "figures", loop_}),
            kExitOk);
  const QJsonObject inverted = Figures("loop");
  EXPECT_EQ(inverted["marginReferenceDeg"].toInt(), -180);
  EXPECT_EQ(inverted["ratio"].toString(), "ch2/ch1");
  EXPECT_NEAR(inverted["lowFrequencyGain"]["gainDb"].toDouble(), -40.0, kTol);
  ASSERT_EQ(inverted["gainCrossovers"].toArray().size(), 1);
  EXPECT_NEAR(inverted["gainCrossovers"][0]["phaseDeg"].toDouble(), 170.0, kTol);
  EXPECT_NEAR(inverted["phaseMarginDeg"].toDouble(), -10.0, kTol);

  // The settings file's reference holds unless the option overrides it.
  const std::string cfg = root_ + "/zero.CFG";
  WriteBytes(cfg, "MARGIN_REF = 0\r\n");
  ASSERT_EQ(Run({"-o", root_ + "/out", "-s", cfg, "-f", "figures", loop_}), kExitOk);
  EXPECT_EQ(Figures("loop")["marginReferenceDeg"].toInt(), 0);
  ASSERT_EQ(
      Run({"-o", root_ + "/out", "-s", cfg, "--margin-reference", "-180", "-f", "figures", loop_}),
      kExitOk);
  EXPECT_EQ(Figures("loop")["marginReferenceDeg"].toInt(), -180);
}

TEST_F(ExportFigures, PageWithoutPointsStillGetsItsFile) {
  EXPECT_EQ(Run({"-o", root_ + "/out", "-f", "figures", empty_}), kExitFailure);
  const QJsonObject o = Figures("empty");
  EXPECT_EQ(o["points"].toInt(), 0);
  for (const char* key :
       {"lowFrequencyGain", "peak", "resonance", "phaseMarginDeg", "gainMarginDb"}) {
    EXPECT_TRUE(o[key].isNull()) << key;
  }
  for (const char* key : {"minus3dB", "gainCrossovers", "phaseCrossovers"}) {
    EXPECT_TRUE(o[key].isArray() && o[key].toArray().isEmpty()) << key;
  }
}

TEST_F(ExportFigures, SummaryIsOneLinePerReadableFile) {
  const std::string missing = root_ + "/missing.DAT";
  const std::string outDir = root_ + "/never";
  EXPECT_EQ(Run({"-o", outDir, "--summary", loop_, missing, lpf_, empty_}), kExitFailure);
  EXPECT_EQ(out_.str(),
            "loop  PM 10.0\u00B0 @ 316 Hz  GM 10.0 dB @ 562 Hz  MM 0.170 (-15.4 dB) @ 323 Hz"
            "  DM 87.8 us @ 316 Hz  CL peak 0.774 dB @ 100 Hz  CL -3dB 155 Hz\n"
            "lpf  -3dB 141 Hz\n"
            "empty  no points\n");
  EXPECT_NE(err_.str().find(missing + ": "), std::string::npos) << err_.str();
  EXPECT_FALSE(std::filesystem::exists(outDir)) << "a summary alone writes nothing";

  // Beside outputs, and against 0°: the loop's margin is then negative and it
  // never reaches the reference, so it has no gain margin.
  EXPECT_EQ(Run({"-o", root_ + "/out", "--summary", "--margin-reference", "0", "-f", "csv", loop_}),
            kExitOk);
  // No positive margin: no delay margin either; the other loop figures do
  // not depend on the reference.
  EXPECT_EQ(out_.str(),
            "loop  PM -170\u00B0 @ 316 Hz  GM none  MM 0.170 (-15.4 dB) @ 323 Hz  DM none"
            "  CL peak 0.774 dB @ 100 Hz  CL -3dB 155 Hz\n");
  EXPECT_TRUE(std::filesystem::exists(root_ + "/out/loop.csv"));
}

TEST(ExportFigureArgs, AcceptedAndRejected) {
  ParsedArgs p = ParseExportArgs({"--summary", "a.DAT"});
  ASSERT_TRUE(p.options) << p.error;
  EXPECT_TRUE(p.options->summary);
  EXPECT_TRUE(p.options->formats.empty());
  EXPECT_FALSE(p.options->marginReferenceZero) << "unset: the settings decide";
  p = ParseExportArgs({"--margin-reference", "0", "-f", "figures", "a.DAT"});
  ASSERT_TRUE(p.options) << p.error;
  EXPECT_EQ(p.options->marginReferenceZero, true);
  EXPECT_EQ(ParseExportArgs({"--margin-reference=-180", "-f", "FIGURES", "a"})
                .options->marginReferenceZero,
            false);

  const std::vector<std::string> rejected[] = {
      {"--margin-reference", "180", "-f", "figures", "a"},
      {"--margin-reference", "-180.0", "-f", "figures", "a"},
      {"--margin-reference", "", "-f", "figures", "a"},
      {"-f", "figures", "a", "--margin-reference"},
      {"--summary=yes", "a"},
      {"--summary"},                 // no file
      {"-l", "*.DAT", "--summary"},  // list and figures together
  };
  for (const auto& args : rejected) {
    std::string joined;
    for (const auto& a : args) joined += a + " ";
    EXPECT_FALSE(ParseExportArgs(args).options) << joined;
  }
  std::ostringstream out, err;
  EXPECT_EQ(ExportMain({"--margin-reference", "90", "--summary", "a"}, "x", out, err), kExitUsage);
  EXPECT_NE(err.str().find("--margin-reference takes -180 or 0, not '90'"), std::string::npos);
}

// --right changes the right axis of every page drawn, and the drawing names
// the quantity; without it the drawing is as it was.
TEST_F(ExportFigures, RightAxisModeOfDrawings) {
  ASSERT_EQ(Run({"-o", root_ + "/plain", "-f", "drawing", loop_}), kExitOk) << err_.str();
  const std::string plain = ReadBytes(root_ + "/plain/loop.drawing.json");
  EXPECT_EQ(plain.find("quantity"), std::string::npos);
  ASSERT_EQ(Run({"-o", root_ + "/phase", "-f", "drawing", "--right", "phase", loop_}), kExitOk);
  EXPECT_EQ(ReadBytes(root_ + "/phase/loop.drawing.json"), plain);

  struct Mode {
    const char* option;
    const char* quantity;
    const char* caption;
  } const modes[] = {{"unwrapped", "unwrappedPhase", "PHASE (UNWRAPPED) [deg]"},
                     {"DELAY", "groupDelay", "GROUP DELAY [s]"}};
  for (const Mode& m : modes) {
    const std::string dir = root_ + "/" + m.option;
    ASSERT_EQ(Run({"-o", dir, "-f", "drawing,png", "--right", m.option, loop_}), kExitOk)
        << err_.str();
    const QJsonObject d =
        QJsonDocument::fromJson(QByteArray::fromStdString(ReadBytes(dir + "/loop.drawing.json")))
            .object();
    const QJsonObject axes = d["axes"].toObject();
    EXPECT_EQ(axes["phase"].toObject()["quantity"].toString(), m.quantity);
    EXPECT_FALSE(axes["gain"].toObject().contains("quantity"));
    bool captioned = false;
    for (const auto& e : d["elements"].toArray()) {
      captioned |= e.toObject()["text"].toString() == m.caption;
    }
    EXPECT_TRUE(captioned) << m.option;
    EXPECT_TRUE(std::filesystem::exists(dir + "/loop.png"));
  }
  // The loop's unwrapped phase runs from -90 to -250 degrees: the axis covers
  // it instead of the fixed +-180.
  const QJsonObject unwrapped =
      QJsonDocument::fromJson(
          QByteArray::fromStdString(ReadBytes(root_ + "/unwrapped/loop.drawing.json")))
          .object()["axes"]
          .toObject()["phase"]
          .toObject();
  EXPECT_LE(unwrapped["origin"].toDouble(), -250.0);

  // The settings file's line sets the mode; --right overrides it.
  const std::string cfg = root_ + "/delay.CFG";
  WriteBytes(cfg, "RIGHT_AXIS = DELAY\r\n");
  ASSERT_EQ(Run({"-o", root_ + "/cfg", "-s", cfg, "-f", "drawing", loop_}), kExitOk);
  EXPECT_NE(ReadBytes(root_ + "/cfg/loop.drawing.json").find("\"quantity\":\"groupDelay\""),
            std::string::npos);
  ASSERT_EQ(Run({"-o", root_ + "/cfg2", "-s", cfg, "--right", "phase", "-f", "drawing", loop_}),
            kExitOk);
  EXPECT_EQ(ReadBytes(root_ + "/cfg2/loop.drawing.json"), plain);

  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--right", "gain", "-f", "drawing", "a"},
        std::vector<std::string>{"-f", "drawing", "a", "--right"},
        std::vector<std::string>{"-l", "*.DAT", "--right", "delay"}}) {
    EXPECT_FALSE(ParseExportArgs(args).options) << args[1];
  }
  EXPECT_EQ(ParseExportArgs({"--right=unwrapped", "-f", "png", "a"}).options->rightAxis,
            kRightUnwrappedPhase);
}

// --marks puts the figures on the page: the low-pass's -3 dB point, the
// loop's margins; without it the drawing has none.
TEST_F(ExportFigures, MarksOnEveryPageWhenAsked) {
  ASSERT_EQ(Run({"-o", root_ + "/plain", "-f", "drawing", lpf_, loop_}), kExitOk);
  ASSERT_EQ(Run({"-o", root_ + "/marked", "-f", "drawing,svg", "--marks", lpf_, loop_}), kExitOk)
      << err_.str();
  // The labels, which name their frequency, up to the " @ ".
  const auto texts = [](const std::string& path) {
    QStringList out;
    const QJsonObject d =
        QJsonDocument::fromJson(QByteArray::fromStdString(ReadBytes(path))).object();
    for (const auto& e : d["elements"].toArray()) {
      out << e.toObject()["text"].toString().section(QStringLiteral(" @ "), 0, 0);
    }
    return out;
  };
  EXPECT_FALSE(texts(root_ + "/plain/lpf.drawing.json").contains("-3dB"));
  EXPECT_TRUE(texts(root_ + "/marked/lpf.drawing.json").contains("-3dB"));
  const QStringList loop = texts(root_ + "/marked/loop.drawing.json");
  EXPECT_TRUE(loop.contains(QString::fromUtf8("PM 10.0\u00B0"))) << loop.join('|').toStdString();
  EXPECT_TRUE(loop.contains("GM 10.0dB")) << loop.join('|').toStdString();
  EXPECT_NE(ReadBytes(root_ + "/marked/loop.svg").find("GM 10.0dB @ "), std::string::npos);
  EXPECT_FALSE(ParseExportArgs({"--marks=yes", "-f", "png", "a"}).options);
}

}  // namespace
}  // namespace fernplot
