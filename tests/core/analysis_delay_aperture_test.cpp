// SPDX-License-Identifier: MIT
// The group delay's aperture: neighbours by default (today's values), a
// wider step for a smoother delay, and its line in the settings file.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/sweep_points.h"
#include "props/settings_file.h"
#include "text/encoding.h"

namespace fernplot {
namespace {

constexpr double kDelay = 1e-6;  // seconds

// A pure delay over a log sweep, with a deterministic ±`noiseDeg` on the phase.
std::vector<UsablePoint> DelayLine(int n, double noiseDeg) {
  std::vector<SweepPoint> sweep;
  uint32_t seed = 12345;
  for (int k = 0; k < n; ++k) {
    const double f = 1000.0 * std::pow(100.0, static_cast<double>(k) / (n - 1));
    seed = seed * 1664525u + 1013904223u;
    const double noise = (static_cast<double>(seed >> 8) / (1u << 24) * 2.0 - 1.0) * noiseDeg;
    double phase = std::remainder(-360.0 * f * kDelay + noise, 360.0);
    sweep.push_back({f, 1.0, phase});
  }
  return UsablePoints(sweep);
}

double RmsRelativeError(const std::vector<DelayPoint>& delays) {
  double sum = 0.0;
  for (const DelayPoint& d : delays) sum += std::pow(d.delay / kDelay - 1.0, 2);
  return std::sqrt(sum / static_cast<double>(delays.size()));
}

// Neighbours, as the delay always was: the same doubles, also for an
// aperture that cannot be used.
TEST(DelayAperture, DefaultIsNeighbours) {
  const std::vector<UsablePoint> points = DelayLine(200, 2.0);
  std::vector<DelayPoint> expected;
  for (size_t k = 0; k + 1 < points.size(); ++k) {
    const UsablePoint& a = points[k];
    const UsablePoint& b = points[k + 1];
    expected.push_back({std::sqrt(a.frequency * b.frequency),
                        -(b.unwrapped - a.unwrapped) / (360.0 * (b.frequency - a.frequency))});
  }
  for (const DelayAperture& a :
       {DelayAperture{}, DelayAperture{ApertureUnit::kPoints, 0.0},
        DelayAperture{ApertureUnit::kPoints, 2.5}, DelayAperture{ApertureUnit::kOctave, -1.0},
        DelayAperture{ApertureUnit::kOctave, NAN}, DelayAperture{ApertureUnit::kPoints, 5000.0}}) {
    const std::vector<DelayPoint> got = GroupDelay(points, a);
    ASSERT_EQ(got.size(), expected.size()) << a.width;
    for (size_t k = 0; k < got.size(); ++k) {
      EXPECT_EQ(got[k].frequency, expected[k].frequency);
      EXPECT_EQ(got[k].delay, expected[k].delay);
    }
  }
}

// A noisy phase zig-zags the delay between neighbours; a wider aperture
// divides the noise by a larger step.
TEST(DelayAperture, WiderIsSmoother) {
  const std::vector<UsablePoint> points = DelayLine(400, 2.0);
  const double neighbours = RmsRelativeError(GroupDelay(points));
  EXPECT_GT(neighbours, 0.3);  // the zig-zag the smoothing is for
  double previous = neighbours;
  for (const DelayAperture& a :
       {DelayAperture{ApertureUnit::kPoints, 4.0}, DelayAperture{ApertureUnit::kPoints, 16.0},
        DelayAperture{ApertureUnit::kOctave, 0.5}}) {
    const std::vector<DelayPoint> delays = GroupDelay(points, a);
    ASSERT_FALSE(delays.empty());
    const double error = RmsRelativeError(delays);
    EXPECT_LT(error, previous * 0.6) << a.width;
    previous = error;
  }
  // N points leave N - 1 fewer delays; the last octave step ends at the top.
  EXPECT_EQ(GroupDelay(points, {ApertureUnit::kPoints, 16.0}).size(), points.size() - 16);
  const std::vector<DelayPoint> octave = GroupDelay(points, {ApertureUnit::kOctave, 0.5});
  EXPECT_LE(octave.back().frequency, points.back().frequency / std::sqrt(std::sqrt(2.0)) * 1.001);
}

GraphProperties Loaded(const std::string& text, GraphProperties p = FactoryDefaults()) {
  bool crossHair = false;
  std::string path;
  LoadSettingsFileText(Utf8ToCp932(text), p, crossHair, path);
  return p;
}

TEST(DelayAperture, SettingsLineOnlyWhenChanged) {
  const std::string factory = SettingsFileText(FactoryDefaults(), false, "/d/*.DAT");
  EXPECT_EQ(factory.find("DELAY_APERTURE"), std::string::npos);
  const struct {
    DelayAperture aperture;
    const char* line;
  } written[] = {{{ApertureUnit::kPoints, 5.0}, "DELAY_APERTURE = 5 POINTS\r\n"},
                 {{ApertureUnit::kOctave, 0.1}, "DELAY_APERTURE = 0.1 OCTAVE\r\n"},
                 {{ApertureUnit::kOctave, 1.0}, "DELAY_APERTURE = 1 OCTAVE\r\n"}};
  for (const auto& c : written) {
    GraphProperties p = FactoryDefaults();
    p.delayAperture = c.aperture;
    const std::string text = SettingsFileText(p, false, "/d/*.DAT");
    ASSERT_EQ(text.substr(0, factory.size()), factory) << c.line;
    EXPECT_EQ(text.substr(factory.size()), c.line);
    EXPECT_EQ(Loaded(text), p) << c.line;
  }
  // Lines that cannot be used leave the setting as it was.
  GraphProperties changed = FactoryDefaults();
  changed.delayAperture = {ApertureUnit::kPoints, 3.0};
  for (const char* line : {"DELAY_APERTURE = 0 POINTS\r\n", "DELAY_APERTURE = 1.5 POINTS\r\n",
                           "DELAY_APERTURE = 2 DECADE\r\n", "DELAY_APERTURE = -1 OCTAVE\r\n",
                           "DELAY_APERTURE = nan OCTAVE\r\n", "DELAY_APERTURE = 4\r\n"}) {
    EXPECT_EQ(Loaded(line, changed).delayAperture, changed.delayAperture) << line;
  }
  EXPECT_EQ(Loaded("DELAY_APERTURE  =  7   POINTS\n").delayAperture,
            (DelayAperture{ApertureUnit::kPoints, 7.0}));
}

}  // namespace
}  // namespace fernplot
