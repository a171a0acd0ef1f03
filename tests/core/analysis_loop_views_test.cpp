// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

#include "analysis/loop_views.h"

namespace fernplot {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

TEST(NyquistView, EqualScalesAroundTheOrigin) {
  const struct {
    double radius, width, height;
    double scale, xHalf, yHalf;
  } cases[] = {
      {2, 200, 100, 25, 4, 2},            // the shorter side spans [-R, R]
      {2, 100, 100, 25, 2, 2},            //
      {0.5, 60, 120, 60, 0.5, 1},         //
      {0, 100, 100, 50 / 3.5, 3.5, 3.5},  // 0 fits every point
  };
  const std::vector<PlanePoint> points{{-3.5, 0.2}, {1, -2}, {kNan, 99}};
  for (const auto& c : cases) {
    const NyquistFrame f = NyquistFrameFor(points, c.radius, c.width, c.height);
    EXPECT_DOUBLE_EQ(f.scale, c.scale) << c.radius;
    EXPECT_DOUBLE_EQ(f.range.xMax, c.xHalf) << c.radius;
    EXPECT_DOUBLE_EQ(f.range.xMin, -c.xHalf) << c.radius;
    EXPECT_DOUBLE_EQ(f.range.yMax, c.yHalf) << c.radius;
    EXPECT_DOUBLE_EQ(f.range.yMin, -c.yHalf) << c.radius;
    // The frame is filled exactly: same mm per unit both ways.
    EXPECT_DOUBLE_EQ((f.range.xMax - f.range.xMin) * f.scale, c.width);
    EXPECT_DOUBLE_EQ((f.range.yMax - f.range.yMin) * f.scale, c.height);
  }
  EXPECT_DOUBLE_EQ(NyquistFrameFor({}, 0, 80, 80).scale, 40.0);  // nothing: [-1, 1]

  // The unit circle (0 dB at every phase) maps to a circle in mm around
  // the mapped origin, with -1 on it at 180°.
  const NyquistFrame f = NyquistFrameFor({}, 2, 150, 90);
  const auto mm = [&f](PlanePoint p) {
    return PlanePoint{10 + (p.x - f.range.xMin) * f.scale, 100 - (p.y - f.range.yMin) * f.scale};
  };
  const PlanePoint centre = mm({0, 0});
  for (int deg = -180; deg <= 180; deg += 15) {
    const PlanePoint p = mm(NyquistPoint(0.0, deg));
    EXPECT_NEAR(std::hypot(p.x - centre.x, p.y - centre.y), f.scale, 1e-9) << deg;
  }
  const PlanePoint critical = NyquistPoint(0.0, 180.0);
  EXPECT_DOUBLE_EQ(critical.x, -1.0);
  EXPECT_NEAR(critical.y, 0.0, 1e-15);
  const PlanePoint l = NyquistPoint(20.0, -90.0);
  EXPECT_NEAR(l.x, 0.0, 1e-12);
  EXPECT_NEAR(l.y, -10.0, 1e-12);
}

// The complex plane of an impedance: -Im Z up, the origin and every point
// in view, the same millimetres per ohm across and up, the frame filled.
TEST(ComplexPlaneView, OriginAndEveryPointAtEqualScales) {
  // 20 dB and -53.13°: Z = 6 - 8j, drawn at (6, 8).
  const PlanePoint z =
      ViewPlanePoint(ViewKind::kComplex, {100.0, 20.0, 0.0, -53.130102354155978}, 0.0);
  EXPECT_NEAR(z.x, 6.0, 1e-12);
  EXPECT_NEAR(z.y, 8.0, 1e-12);
  const std::vector<PlanePoint> arc{{20, 0.5}, {25, 5}, {30, 0.2}, {kNan, 1e9}};
  for (const auto& [w, h] : {std::pair{200.0, 100.0}, std::pair{100.0, 160.0}}) {
    const NyquistFrame f = ComplexPlaneFrameFor(arc, w, h);
    EXPECT_DOUBLE_EQ((f.range.xMax - f.range.xMin) * f.scale, w);
    EXPECT_DOUBLE_EQ((f.range.yMax - f.range.yMin) * f.scale, h);
    EXPECT_LT(f.range.xMin, 0.0);  // the origin, far left of the arc
    EXPECT_LT(f.range.yMin, 0.0);
    EXPECT_GT(f.range.xMax, 30.0);
    EXPECT_GT(f.range.yMax, 5.0);
  }
  // Nothing to show: a unit square around the origin.
  const NyquistFrame none = ComplexPlaneFrameFor({}, 100, 100);
  EXPECT_GT(none.scale, 0.0);
  EXPECT_LT(none.range.xMin, 0.0);
  EXPECT_GT(none.range.xMax, 0.0);
}

TEST(NyquistView, DecadeLabelsLieOnTheCurve) {
  const auto points = UsablePoints(std::vector<SweepPoint>{{3000, -20, -170}, {3, 20, -10}});
  const auto decades = DecadeReadings(points);
  ASSERT_EQ(decades.size(), 3u);
  EXPECT_EQ(decades[0].frequency, 10.0);
  EXPECT_EQ(decades[1].frequency, 100.0);
  EXPECT_EQ(decades[2].frequency, 1000.0);
  EXPECT_NEAR(decades[1].gain, 20 - 40 * std::log10(100.0 / 3) / 3, 1e-9);
  const auto low = UsablePoints(std::vector<SweepPoint>{{0.5, 0, 0}, {0.01, 0, 0}});
  const auto lowDecades = DecadeReadings(low);
  ASSERT_EQ(lowDecades.size(), 2u);
  EXPECT_EQ(lowDecades[0].frequency, 0.01);
  EXPECT_EQ(lowDecades[1].frequency, 0.1);
  EXPECT_TRUE(DecadeReadings({}).empty());
}

TEST(NicholsView, PhaseShiftAndRange) {
  const struct {
    double first, second;
    double shiftedFirst;
  } cases[] = {{0, -30, 0}, {10, -30, -350}, {-90, -200, -90}, {180, 150, -180}, {-179, 170, -179}};
  for (const auto& c : cases) {
    // UsablePoints unwraps from the first point on: the second follows it.
    const auto points = UsablePoints(std::vector<SweepPoint>{{100, 0, c.second}, {10, 0, c.first}});
    const auto phases = NicholsPhases(points);
    ASSERT_EQ(phases.size(), 2u);
    EXPECT_DOUBLE_EQ(phases[0], c.shiftedFirst) << c.first;
    EXPECT_GT(phases[0], -360.0);
    EXPECT_LE(phases[0], 0.0);
    EXPECT_DOUBLE_EQ(phases[1] - phases[0], points[1].unwrapped - points[0].unwrapped);
  }
  const struct {
    std::vector<double> phases;
    double low, high;
  } ranges[] = {{{-100, -200}, -225, -90},
                {{-10}, -180, 0},
                {{-30, -400}, -405, 0},
                {{-180}, -225, -135},
                {{}, -225, -135}};
  for (const auto& r : ranges) {
    const ValueRange v = NicholsPhaseRange(r.phases);
    EXPECT_EQ(v.low, r.low);
    EXPECT_EQ(v.high, r.high);
  }
}

TEST(NicholsView, ContoursAreClosedLoopMagnitudes) {
  const ValueRange range{-360, 0};
  for (double db : kNicholsContoursDb) {
    const auto lines = NicholsContour(db, range);
    ASSERT_FALSE(lines.empty()) << db;
    double low = 1e9, high = -1e9;
    for (const Polyline& line : lines) {
      for (const PlanePoint& p : line) {
        const std::complex<double> l =
            std::polar(std::pow(10.0, p.y / 20), p.x * std::numbers::pi / 180);
        EXPECT_NEAR(20 * std::log10(std::abs(l / (1.0 + l))), db, 1e-9) << db << " " << p.x;
        low = std::min(low, p.x);
        high = std::max(high, p.x);
      }
    }
    if (db > 0) {
      // A closed curve around -180° that ends where it started.
      EXPECT_EQ(lines.size(), 1u) << db;
      EXPECT_GT(low, -360.0);
      EXPECT_LT(high, 0.0);
      EXPECT_LT(low, -180.0);
      EXPECT_GT(high, -180.0);
      EXPECT_NEAR(lines[0].front().x, lines[0].back().x, 1e-9);
      EXPECT_NEAR(lines[0].front().y, lines[0].back().y, 1e-9);
    } else {
      // Across every phase of the chart.
      EXPECT_DOUBLE_EQ(low, -360.0) << db;
      EXPECT_DOUBLE_EQ(high, 0.0) << db;
    }
  }
  EXPECT_TRUE(NicholsContour(0.0, range).empty());
  EXPECT_EQ(NicholsContour(6, {-720, 0}).size(), 2u);  // one around each critical point
}

TEST(ClipPolyline, CutsAtTheEdgesAndBreaksAtGaps) {
  const PlaneRect box{0, 10, 0, 10};
  using Lines = std::vector<Polyline>;
  const struct {
    Polyline line;
    Lines expected;
  } cases[] = {
      {{{1, 1}, {5, 5}, {9, 1}}, {{{1, 1}, {5, 5}, {9, 1}}}},                        // inside
      {{{-5, 5}, {15, 5}}, {{{0, 5}, {10, 5}}}},                                     // through
      {{{5, 5}, {5, 20}, {8, 20}, {8, 5}}, {{{5, 5}, {5, 10}}, {{8, 10}, {8, 5}}}},  // out and back
      {{{1, 1}, {2, 2}, {kNan, 3}, {4, 4}, {6, 6}}, {{{1, 1}, {2, 2}}, {{4, 4}, {6, 6}}}},
      {{{-1, -1}, {-5, 20}}, {}},                      // outside
      {{{10, 10}, {20, 20}}, {{{10, 10}, {10, 10}}}},  // touches a corner
      {{{3, 3}}, {{{3, 3}}}},                          // a lone point
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(ClipPolyline(cases[i].line, box), cases[i].expected) << i;
  }
}

}  // namespace
}  // namespace fernplot
