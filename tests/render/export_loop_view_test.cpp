// SPDX-License-Identifier: MIT
// The exporter's Nyquist and Nichols pages: the drawing's axes map the
// curve's values onto its vertices, and every picture and list is written.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cmath>
#include <numbers>
#include <sstream>

#include "analysis/loop_views.h"
#include "datafile/data_file_writer.h"
#include "export_run.h"
#include "fernplot_test_data.h"
#include "qt_page_drawer.h"

namespace fernplot {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

class ExportLoopView : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    root_ = dir_.path().toStdString();
    // An integrator with a pole at 2 kHz, 30 points from 10 Hz to 100 kHz,
    // as a ratio file: gain and phase as stored.
    for (int i = 0; i < 30; ++i) {
      const double f = 10.0 * std::pow(10.0, 4.0 * i / 29.0);
      const double x = f / 2000.0;
      const double magnitude = 1000.0 / f / std::sqrt(1.0 + x * x);
      const double phase = -90.0 - std::atan(x) * 180.0 / std::numbers::pi;
      points_.push_back({f, static_cast<float>(magnitude), static_cast<float>(phase)});
    }
    loop_ = root_ + "/loop.DAT";
    WriteBytes(loop_, EncodeCalculatedDataFile(
                          testing::TestHeader({.dataType = 1, .pointCount = 30}), points_));
  }
  int Run(std::vector<std::string> args) {
    err_.str("");
    std::ostringstream out;
    const QtPageDrawer drawer;
    return ExportMain(args, root_ + "/fernplot-export", out, err_, &drawer);
  }
  QJsonObject Drawing(const std::string& dir) {
    return QJsonDocument::fromJson(
               QByteArray::fromStdString(ReadBytes(root_ + "/" + dir + "/loop.drawing.json")))
        .object();
  }
  // The vertices drawn with the page's gain pen (the only wide coloured pen).
  static std::vector<std::pair<double, double>> CurveVertices(const QJsonObject& drawing) {
    const QJsonArray pens = drawing["pens"].toArray();
    int gainPen = -1;
    for (int i = 0; i < pens.size(); ++i) {
      const QJsonObject p = pens[i].toObject();
      if (p["screenWidth"].toInt() == 2 && p["screenColor"].toString() != "#000000") gainPen = i;
    }
    std::vector<std::pair<double, double>> out;
    for (const QJsonValue e : drawing["elements"].toArray()) {
      const QJsonObject o = e.toObject();
      if (o["kind"].toString() != "polyline" || o["pen"].toInt() != gainPen) continue;
      const QJsonArray x = o["x"].toArray(), y = o["y"].toArray();
      for (int i = 0; i < x.size(); ++i) out.emplace_back(x[i].toDouble(), y[i].toDouble());
    }
    return out;
  }

  QTemporaryDir dir_;
  std::string root_, loop_;
  std::vector<CalculatedRecord> points_;
  std::ostringstream err_;
};

TEST_F(ExportLoopView, DrawingAxesMapTheCurveOntoItsVertices) {
  const struct {
    const char* view;
    const char* x;
    const char* y;
  } views[] = {{"nyquist", "real", "imaginary"}, {"nichols", "phase", "gain"}};
  for (const auto& v : views) {
    SCOPED_TRACE(v.view);
    ASSERT_EQ(Run({"-o", root_ + "/" + v.view, "--view", v.view, "--nyquist-radius", "0", "-f",
                   "drawing", loop_}),
              0)
        << err_.str();
    const QJsonObject d = Drawing(v.view);
    const QJsonObject axes = d["axes"].toObject();
    ASSERT_EQ(axes.keys().size(), 2);
    const QJsonObject xAxis = axes[v.x].toObject(), yAxis = axes[v.y].toObject();
    ASSERT_FALSE(xAxis.isEmpty());
    ASSERT_FALSE(yAxis.isEmpty());
    EXPECT_EQ(xAxis["quantity"].toString(), v.x == std::string("phase") ? "nicholsPhase" : "");
    const QJsonArray frame = d["page"]["frame"].toArray();
    const double left = frame[0].toDouble(), bottom = frame[3].toDouble();
    const auto vertices = CurveVertices(d);
    ASSERT_GE(vertices.size(), 30u);
    // Every point is in view (R = 0 fits them; a Nichols chart covers them):
    // each one's mapped values are a vertex (to a micrometre: the file
    // holds the gain as a float ratio).
    double unwrapped = 0.0, previous = 0.0, shift = 0.0;
    for (size_t k = 0; k < points_.size(); ++k) {
      const double gain = 20.0 * std::log10(static_cast<double>(points_[k].ratio));
      const double phase = points_[k].phase;
      double xv = 0.0, yv = 0.0;
      if (v.view == std::string("nyquist")) {
        const PlanePoint q = NyquistPoint(gain, phase);
        xv = q.x;
        yv = q.y;
      } else {
        unwrapped = k == 0 ? phase : unwrapped + WrapDegrees(phase - previous);
        previous = phase;
        if (k == 0) shift = unwrapped > 0.0 ? -360.0 : 0.0;
        xv = unwrapped + shift;
        yv = gain;
      }
      const double X = left + (xv - xAxis["origin"].toDouble()) * xAxis["scale"].toDouble();
      const double Y = bottom - (yv - yAxis["origin"].toDouble()) * yAxis["scale"].toDouble();
      const bool found = std::any_of(vertices.begin(), vertices.end(), [&](const auto& p) {
        return std::abs(p.first - X) < 1e-3 && std::abs(p.second - Y) < 1e-3;
      });
      EXPECT_TRUE(found) << k << " at " << X << ", " << Y;
    }
    if (v.view == std::string("nyquist")) {
      EXPECT_EQ(xAxis["scale"].toDouble(), yAxis["scale"].toDouble());
    }
  }
}

// --no-contours leaves the M contours out of the Nichols chart (their
// labels go with them) and takes no value.
TEST_F(ExportLoopView, NoContoursLeavesOutTheNicholsContours) {
  const auto contourLabels = [](const QJsonObject& d) {
    int n = 0;
    for (const QJsonValue e : d["elements"].toArray()) {
      const QJsonObject o = e.toObject();
      if (o["kind"].toString() == "text" && o["text"].toString().endsWith(" dB")) ++n;
    }
    return n;
  };
  ASSERT_EQ(Run({"-o", root_ + "/on", "--view", "nichols", "-f", "drawing", loop_}), 0)
      << err_.str();
  ASSERT_EQ(
      Run({"-o", root_ + "/off", "--view", "nichols", "--no-contours", "-f", "drawing", loop_}), 0)
      << err_.str();
  const QJsonObject on = Drawing("on"), off = Drawing("off");
  EXPECT_GE(contourLabels(on), 3);
  EXPECT_EQ(contourLabels(off), 0);
  EXPECT_LT(off["elements"].toArray().size(), on["elements"].toArray().size());
  EXPECT_EQ(CurveVertices(on), CurveVertices(off));
  EXPECT_EQ(Run({"-o", root_ + "/bad", "--no-contours=yes", "-f", "drawing", loop_}), 2);
}

TEST_F(ExportLoopView, EveryOutputOfALoopView) {
  ASSERT_EQ(Run({"-o", root_ + "/bode", "-f", "csv", loop_}), 0) << err_.str();
  const std::string bodeCsv = ReadBytes(root_ + "/bode/loop.csv");
  for (const char* view : {"nyquist", "nichols"}) {
    SCOPED_TRACE(view);
    const std::string dir = root_ + "/" + view;
    ASSERT_EQ(Run({"-o", dir, "--view", view, "-f", "png,svg,pdf,csv", loop_}), 0) << err_.str();
    for (const char* ext : {".png", ".svg", ".pdf"}) {
      EXPECT_GT(ReadBytes(dir + "/loop" + ext).size(), 500u) << ext;
    }
    // The list holds the points, whatever the picture.
    EXPECT_EQ(ReadBytes(dir + "/loop.csv"), bodeCsv);
  }
  // A smaller radius cuts the curve at the frame's edges: it is drawn in
  // more than one piece or ends on an edge, never outside.
  ASSERT_EQ(Run({"-o", root_ + "/small", "--view", "nyquist", "--nyquist-radius", "0.3", "-f",
                 "drawing", loop_}),
            0);
  const QJsonObject d = Drawing("small");
  const QJsonArray frame = d["page"]["frame"].toArray();
  int onEdge = 0;
  for (const auto& [x, y] : CurveVertices(d)) {
    EXPECT_GE(x, frame[0].toDouble() - 1e-9);
    EXPECT_LE(x, frame[2].toDouble() + 1e-9);
    EXPECT_GE(y, frame[1].toDouble() - 1e-9);
    EXPECT_LE(y, frame[3].toDouble() + 1e-9);
    onEdge += std::abs(y - frame[1].toDouble()) < 1e-9 ||
              std::abs(y - frame[3].toDouble()) < 1e-9 ||
              std::abs(x - frame[0].toDouble()) < 1e-9 || std::abs(x - frame[2].toDouble()) < 1e-9;
  }
  EXPECT_GE(onEdge, 1);
}

TEST_F(ExportLoopView, ExtremeRadiiDrawOnlyNumbers) {
  // The ends of the radii taken: every coordinate and label a number.
  for (const char* radius : {"1e100", "1e-100"}) {
    SCOPED_TRACE(radius);
    const std::string dir = root_ + "/r" + radius;
    ASSERT_EQ(Run({"-o", dir, "--view", "nyquist", "--nyquist-radius", radius, "-f", "drawing,svg",
                   loop_}),
              0)
        << err_.str();
    for (const char* file : {"/loop.drawing.json", "/loop.svg"}) {
      const std::string text = ReadBytes(dir + file);
      for (const char* word : {"Infinity", "NaN", "inf", "nan"}) {
        EXPECT_EQ(text.find(word), std::string::npos) << file << " holds " << word;
      }
    }
  }
}

// The settings file's word on whether a page is a loop decides the summary:
// the integrator said not to be a loop lists no margins; said to be one, it
// lists them as it does by itself.
TEST_F(ExportLoopView, SettingsSayWhetherThePageIsALoop) {
  ASSERT_EQ(Run({"--summary", loop_}), 0);
  const struct {
    const char* line;
    bool margins;
  } cases[] = {{"LOOP_MEASUREMENT = NO\r\n", false},
               {"LOOP_MEASUREMENT = YES\r\n", true},
               {"LOOP_MEASUREMENT = AUTO\r\n", true}};
  for (const auto& c : cases) {
    const std::string cfg = root_ + "/loop.CFG";
    WriteBytes(cfg, c.line);
    std::ostringstream out;
    const QtPageDrawer drawer;
    ASSERT_EQ(
        ExportMain({"-s", cfg, "--summary", loop_}, root_ + "/fernplot-export", out, err_, &drawer),
        0)
        << c.line;
    EXPECT_EQ(out.str().find("PM ") != std::string::npos, c.margins) << c.line << out.str();
  }
}

}  // namespace
}  // namespace fernplot
