// SPDX-License-Identifier: MIT
// Pages of sweeps at the edges of the double range: short labels, a curve
// wherever the axis can place one, and no "nan" on the page.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cmath>
#include <limits>
#include <sstream>

#include "datafile/data_file_writer.h"
#include "export_language.h"
#include "export_run.h"
#include "fernplot_test_data.h"
#include "graph/format.h"
#include "graph/right_axis.h"
#include "qt_page_drawer.h"

namespace fernplot {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

TEST(AbsurdSweeps, LabelsStayShortAndTheCurveIsDrawn) {
  QTemporaryDir dir;
  const std::string root = dir.path().toStdString();
  struct Sweep {
    const char* what;
    std::vector<double> hz;
  };
  const std::vector<Sweep> sweeps{
      {"1e30 Hz", {1e30, 2e30, 5e30, 1e31}},
      {"the largest doubles", {1e300, 1e305, 1e307, kMax}},
      {"subnormal", {1e-320, 1e-315, 1e-310, 1e-309}},
      {"632 decades", {std::numeric_limits<double>::denorm_min(), 1e-100, 1.0, 1e100, 1e200, kMax}},
  };
  for (const Sweep& s : sweeps) {
    SCOPED_TRACE(s.what);
    std::vector<CalculatedRecord> points;
    for (size_t i = 0; i < s.hz.size(); ++i) {
      points.push_back(
          {s.hz[i], static_cast<float>(1.0 / (1 + i)), -10.0f * static_cast<float>(i)});
    }
    const std::string path = root + "/S.DAT";
    WriteBytes(path,
               EncodeCalculatedDataFile(
                   testing::TestHeader({.dataType = 1,
                                        .pointCount = static_cast<uint16_t>(points.size()),
                                        .sweep = {.minHz = s.hz.front(), .maxHz = s.hz.back()}}),
                   points));
    for (const char* right : {"phase", "delay"}) {
      SCOPED_TRACE(right);
      std::ostringstream out, err;
      const QtPageDrawer drawer;
      ASSERT_EQ(TranslatedExportMain({"-o", root, "--right", right, "-f", "drawing,png", path},
                                     root + "/fernplot-export", out, err, &drawer),
                kExitOk)
          << err.str();
      const QJsonObject d =
          QJsonDocument::fromJson(QByteArray::fromStdString(ReadBytes(root + "/S.drawing.json")))
              .object();
      int curves = 0;  // polylines through every point of the sweep
      for (const QJsonValue v : d["elements"].toArray()) {
        const QJsonObject e = v.toObject();
        if (e["kind"] == "text") {
          const QString text = e["text"].toString();
          EXPECT_LE(text.size(), 40) << text.toStdString();
          EXPECT_FALSE(text.contains("nan") || text.contains("inf")) << text.toStdString();
        } else if (e["kind"] == "polyline") {
          qsizetype finite = 0;
          for (const QJsonValue x : e["x"].toArray()) finite += x.isDouble();
          curves += finite == static_cast<qsizetype>(s.hz.size());
        }
      }
      // The gain curve, and the phase curve where it is the phase.
      EXPECT_GE(curves, right == std::string("phase") ? 2 : 1);
    }
  }
}

// The axis labels of a page's gain and phase, in drawing order.
std::vector<std::string> AxisLabels(const QJsonObject& drawing) {
  std::vector<std::string> labels;
  for (const QJsonValue v : drawing["elements"].toArray()) {
    const QJsonObject e = v.toObject();
    const std::string text = e["text"].toString().toStdString();
    if (e["kind"] == "text" && !text.empty() &&
        text.find_first_not_of("-.0123456789") == std::string::npos) {
      labels.push_back(text);
    }
  }
  return labels;
}

TEST(FlatSweeps, ATraceThatDoesNotVaryGetsReadableAxes) {
  QTemporaryDir dir;
  const std::string root = dir.path().toStdString();
  const std::string path = root + "/FLAT.DAT";
  WriteBytes(path,
             EncodeCalculatedDataFile(
                 testing::TestHeader({.dataType = 1, .pointCount = 3}),
                 {{100.0, 1.0f, -180.0f}, {1000.0, 1.0f, -180.0f}, {10000.0, 1.0f, -180.0f}}));
  std::ostringstream out, err;
  const QtPageDrawer drawer;
  ASSERT_EQ(TranslatedExportMain({"-o", root, "-f", "drawing", path}, root + "/fernplot-export",
                                 out, err, &drawer),
            kExitOk)
      << err.str();
  const std::vector<std::string> labels = AxisLabels(
      QJsonDocument::fromJson(QByteArray::fromStdString(ReadBytes(root + "/FLAT.drawing.json")))
          .object());
  ASSERT_GE(labels.size(), 4u);
  bool zero = false, critical = false;
  for (const std::string& label : labels) {
    EXPECT_LE(label.size(), 6u) << label;
    zero |= label == "0.0" || label == "-0.0" || label == "0";
    critical |= label.rfind("-180", 0) == 0;
  }
  std::string all;
  for (const std::string& label : labels) all += label + " ";
  EXPECT_TRUE(zero && critical) << "the value itself is on its axis: " << all;
}

TEST(AbsurdSweeps, NumbersPastThePrefixesTakeTheExponentForm) {
  struct Case {
    double value;
    std::string frequency;  // FormatFrequency
  };
  const std::vector<Case> cases{
      {1500.0, "1.5k"},   {200e9, "200G"},       {1e12, "1e12"}, {1e30, "1e30"},
      {2.5e30, "2.5e30"}, {kMax, "1.79769e308"}, {1e-4, "0.1m"}, {4e-5, "0m"},
      {4.9e-324, "0m"},   {0.0, "0m"},           {kNan, ""},     {-kMax, "-1.79769e308"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatFrequency(c.value), c.frequency) << c.value;
    if (c.frequency.find('e') != std::string::npos) {
      EXPECT_LE(FormatFrequency(c.value).size(), 16u) << c.value;
    }
  }
  // The delay axis: prefixes from f to G, the exponent form past them.
  EXPECT_EQ(FormatSiLabel(2.5e-9, 1e-10), "2.5n");
  EXPECT_EQ(FormatSiLabel(1e300, 1e299), "1e300");
  EXPECT_EQ(FormatSiLabel(-3e-300, 1e-300), "-3e-300");
  EXPECT_EQ(FormatSiLabel(5e12, 1e12), "5e12");
}

}  // namespace
}  // namespace fernplot
