// SPDX-License-Identifier: MIT
// The exporter's fitted model: -f model read back, its options and their
// usage errors, and a page that cannot be fitted.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <QTemporaryDir>
#include <cmath>
#include <complex>
#include <filesystem>
#include <numbers>
#include <sstream>

#include "datafile/data_file_writer.h"
#include "export_language.h"
#include "export_run.h"
#include "fernplot_test_data.h"
#include "qt_page_drawer.h"

namespace fernplot {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

MeasurementData Header(uint16_t count) {
  return testing::TestHeader({.dataType = 1, .pointCount = count, .title = "model"});
}

// A resonant low-pass (1 kHz, Q = 5) times e^{-j2πf·τ}, 200 points from
// 10 Hz to 100 kHz, upwards.
std::string ResonanceFile(double delay) {
  std::vector<CalculatedRecord> records;
  for (int k = 0; k < 200; ++k) {
    const double f = 10.0 * std::pow(1e4, k / 199.0);
    const std::complex<double> s(0.0, f / 1e3);
    const std::complex<double> h =
        1.0 / (1.0 + s / 5.0 + s * s) * std::polar(1.0, -2.0 * std::numbers::pi * f * delay);
    records.push_back({f, static_cast<float>(std::abs(h)),
                       static_cast<float>(std::arg(h) * 180.0 / std::numbers::pi)});
  }
  return EncodeCalculatedDataFile(Header(200), records);
}

class ExportModel : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    root_ = dir_.path().toStdString();
    WriteBytes(root_ + "/res.DAT", ResonanceFile(0.0));
    WriteBytes(root_ + "/late.DAT", ResonanceFile(20e-6));
    WriteBytes(root_ + "/empty.DAT", EncodeHeader(Header(0)));
    WriteBytes(root_ + "/two.DAT",
               EncodeCalculatedDataFile(Header(2), {{10.0, 1.0f, 0.0f}, {100.0, 0.5f, -45.0f}}));
  }
  int Run(std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    args.insert(args.begin(), {"-o", root_ + "/out"});
    for (std::string& a : args) {
      if (a.ends_with(".DAT")) a = root_ + "/" + a;
    }
    const QtPageDrawer drawer;
    return TranslatedExportMain(args, root_ + "/fernplot-export", out_, err_, &drawer);
  }
  QJsonObject Model(const std::string& name) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(
        QByteArray::fromStdString(ReadBytes(root_ + "/out/" + name + ".model.json")), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return doc.object();
  }

  QTemporaryDir dir_;
  std::string root_;
  std::ostringstream out_, err_;
};

TEST_F(ExportModel, ModelOfASweep) {
  ASSERT_EQ(Run({"-f", "model", "res.DAT"}), kExitOk) << err_.str();
  const QJsonObject m = Model("res");
  EXPECT_EQ(m.keys(), QStringList({"delaySeconds", "file", "gain", "laplace", "poles", "rmsErrorDb",
                                   "rmsErrorDeg", "sections", "zeros"}));
  EXPECT_EQ(m["file"].toString(), "res");
  const QJsonArray poles = m["poles"].toArray();
  ASSERT_EQ(poles.size(), 2);  // both members of the pair
  EXPECT_NEAR(poles[0]["re"].toDouble(), -100.0, 0.01);
  EXPECT_NEAR(poles[1]["im"].toDouble(), -poles[0]["im"].toDouble(), 0.0);
  EXPECT_TRUE(m["zeros"].toArray().isEmpty());
  EXPECT_NEAR(m["gain"].toDouble(), 1e6, 1.0);
  EXPECT_EQ(m["delaySeconds"].toDouble(), 0.0);
  const QJsonArray sections = m["sections"].toArray();
  ASSERT_EQ(sections.size(), 1);
  EXPECT_EQ(sections[0]["kind"].toString(), "polePair");
  EXPECT_NEAR(sections[0]["f0Hz"].toDouble(), 1e3, 0.01);
  EXPECT_NEAR(sections[0]["q"].toDouble(), 5.0, 1e-4);
  EXPECT_LT(m["rmsErrorDb"].toDouble(), 0.001);
  EXPECT_LT(m["rmsErrorDeg"].toDouble(), 0.01);
  // 1/(1 + s/(Q·ω0) + s²/ω0²) with ω0 = 2π·1 kHz.
  const QString laplace = m["laplace"].toString();
  EXPECT_TRUE(laplace.contains("/(1+s*3.1830988") && laplace.contains("+s*s*2.533029"))
      << laplace.toStdString();
}

TEST_F(ExportModel, OrderAndDelayOptions) {
  ASSERT_EQ(Run({"-f", "model", "--fit-order", "3", "res.DAT"}), kExitOk) << err_.str();
  EXPECT_EQ(Model("res")["poles"].toArray().size(), 3);
  ASSERT_EQ(Run({"--fit-delay", "--fit-order", "2", "-f", "model", "late.DAT"}), kExitOk);
  const QJsonObject late = Model("late");
  EXPECT_NEAR(late["delaySeconds"].toDouble(), 20e-6, 0.02 * 20e-6);
  EXPECT_TRUE(late["laplace"].toString().contains(")*exp(-s*1.99") ||
              late["laplace"].toString().contains(")*exp(-s*2.00"))
      << late["laplace"].toString().toStdString();
}

TEST_F(ExportModel, ModelDrawnOverThePage) {
  ASSERT_EQ(Run({"-f", "drawing", "res.DAT"}), kExitOk) << err_.str();
  const std::string plain = ReadBytes(root_ + "/out/res.drawing.json");
  EXPECT_EQ(plain.find("\"text\":\"model\""), std::string::npos);
  ASSERT_EQ(Run({"-f", "drawing", "--fit-overlay", "res.DAT"}), kExitOk) << err_.str();
  const std::string drawn = ReadBytes(root_ + "/out/res.drawing.json");
  EXPECT_NE(drawn.find("\"text\":\"model\""), std::string::npos);  // the legend
  EXPECT_GT(drawn.size(), plain.size() + 1000);                    // and the curves
  // A page the model cannot be fitted to is drawn without it and is no error.
  ASSERT_EQ(Run({"-f", "drawing", "--fit-overlay", "two.DAT"}), kExitOk) << err_.str();
  EXPECT_EQ(ReadBytes(root_ + "/out/two.drawing.json").find("\"text\":\"model\""),
            std::string::npos);
}

TEST_F(ExportModel, UnfittablePageIsAnInputError) {
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"-f", "csv,model", "empty.DAT", "res.DAT"}, "empty.DAT: 使えるデータ点がありません"},
      {{"-f", "csv,model", "--lang", "en", "empty.DAT", "res.DAT"}, "empty.DAT: no usable points"},
      {{"-f", "csv,model", "two.DAT", "res.DAT"}, "two.DAT: 使えるデータ点 (2) が 1 次"},
      {{"-f", "csv,model", "--lang", "en", "two.DAT", "res.DAT"},
       "two.DAT: fewer usable points (2) than the 3"},
      {{"-f", "csv,model", "--lang", "en", "--fit-delay", "two.DAT", "res.DAT"},
       "than the 4 unknowns"},
  };
  for (const auto& c : cases) {
    std::filesystem::remove_all(root_ + "/out");
    EXPECT_EQ(Run(c.args), kExitFailure);
    EXPECT_NE(err_.str().find(c.message), std::string::npos) << err_.str();
    // The run's other outputs are written; the unfittable page has no model.
    EXPECT_TRUE(std::filesystem::exists(root_ + "/out/res.csv"));
    EXPECT_TRUE(std::filesystem::exists(root_ + "/out/res.model.json"));
    const std::string stem = c.args[c.args.size() - 2];
    const std::string name = stem.substr(stem.rfind('/') + 1, stem.size() - stem.rfind('/') - 5);
    EXPECT_TRUE(std::filesystem::exists(root_ + "/out/" + name + ".csv")) << name;
    EXPECT_FALSE(std::filesystem::exists(root_ + "/out/" + name + ".model.json")) << name;
  }
}

// --fmin and --fmax: only the points between them (both included) are fitted.
TEST_F(ExportModel, FrequencyRangeOfTheFit) {
  // A second resonance at 30 kHz above the first: two poles over the whole
  // sweep cannot follow both, over 10 Hz to 5 kHz they read the first.
  std::vector<CalculatedRecord> records;
  for (int k = 0; k < 200; ++k) {
    const double f = 10.0 * std::pow(1e4, k / 199.0);
    const std::complex<double> s(0.0, f / 1e3), t(0.0, f / 3e4);
    const std::complex<double> h = 1.0 / (1.0 + s / 5.0 + s * s) / (1.0 + t / 10.0 + t * t);
    records.push_back({f, static_cast<float>(std::abs(h)),
                       static_cast<float>(std::arg(h) * 180.0 / std::numbers::pi)});
  }
  WriteBytes(root_ + "/both.DAT", EncodeCalculatedDataFile(Header(200), records));
  const auto firstPair = [this] {
    const QJsonArray sections = Model("both")["sections"].toArray();
    return sections.isEmpty() ? QJsonObject() : sections[0].toObject();
  };
  ASSERT_EQ(Run({"-f", "model", "--fit-order", "2", "--fmin", "10", "--fmax", "5e3", "both.DAT"}),
            kExitOk)
      << err_.str();
  EXPECT_NEAR(firstPair()["f0Hz"].toDouble(), 1e3, 1.0);
  EXPECT_NEAR(firstPair()["q"].toDouble(), 5.0, 0.01);
  EXPECT_LT(Model("both")["rmsErrorDb"].toDouble(), 0.05);
  ASSERT_EQ(Run({"-f", "model", "--fit-order", "2", "both.DAT"}), kExitOk) << err_.str();
  EXPECT_GT(Model("both")["rmsErrorDb"].toDouble(), 1.0);

  // A range without a point is the page's input error.
  std::filesystem::remove_all(root_ + "/out");
  EXPECT_EQ(Run({"-f", "csv,model", "--fmin=2e5", "both.DAT"}), kExitFailure);
  EXPECT_NE(err_.str().find("both.DAT: 指定の周波数範囲に使えるデータ点がありません"),
            std::string::npos)
      << err_.str();
  EXPECT_TRUE(std::filesystem::exists(root_ + "/out/both.csv"));
  EXPECT_FALSE(std::filesystem::exists(root_ + "/out/both.model.json"));
}

TEST_F(ExportModel, UsageErrors) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--fit-order", "0"},
           {"--fit-order", "21"},
           {"--fit-order", "2.5"},
           {"--fit-order", "x"},
           {"--fit-order"},
           {"--fit-delay=1"},
           {"--fit-overlay=yes"},
           {"--fmin", "0"},
           {"--fmin", "x"},
           {"--fmax", "-5"},
           {"--fmax", "inf"},
           {"--fmax"},
           {"--fmin", "10", "--fmax", "5"},
       }) {
    std::vector<std::string> full = args;
    full.insert(full.end(), {"-f", "model", "res.DAT"});
    EXPECT_EQ(Run(full), kExitUsage) << args[0];
    EXPECT_NE(err_.str().find(args[0].substr(0, 11)), std::string::npos) << err_.str();
  }
  EXPECT_FALSE(std::filesystem::exists(root_ + "/out/res.model.json"));
}

}  // namespace
}  // namespace fernplot
