// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <string>
#include <vector>

#include "analysis/impedance/impedance_json.h"
#include "analysis/impedance/lin_kk.h"
#include "impedance_support.h"

namespace fernplot {
namespace {

using Complex = std::complex<double>;
using testing_impedance::LogFrequencies;
using testing_impedance::Spectrum;
using testing_impedance::Synthetic;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

// R0 + jωL + 1/(jωC) + Σ R_k/(1 + jωτ_k), C = 0 for none.
Spectrum Chain(const std::vector<double>& f, double r0, double l, double c,
               const std::vector<double>& r, const std::vector<double>& tau) {
  Spectrum s;
  s.f = f;
  for (const double x : f) {
    const double w = kTwoPi * x;
    Complex z(r0, w * l);
    if (c > 0.0) z += 1.0 / Complex(0.0, w * c);
    for (size_t k = 0; k < r.size(); ++k) z += r[k] / Complex(1.0, w * tau[k]);
    s.z.push_back(z);
  }
  return s;
}

TEST(KramersKronig, OneElementFitsAnExactRcChainInEveryMode) {
  // M = 1 puts its element at τ = 1/(2π f_min): a chain with exactly that
  // element is fitted exactly.
  const std::vector<double> f = LogFrequencies(1.0, 1e5, 30);
  const double tau = 1.0 / (kTwoPi * 1.0);
  const Spectrum s = Chain(f, 7.0, 2e-6, 0.0, {50.0}, {tau});
  for (const KkFit fit : {KkFit::kReal, KkFit::kImag, KkFit::kComplex}) {
    const KkResult r = KramersKronigTest(s.f, s.z, {.fit = fit, .maxM = 1});
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.m, 1);
    ASSERT_EQ(r.tau.size(), 1u);
    EXPECT_NEAR(r.tau[0], tau, 1e-15 * tau);
    EXPECT_NEAR(r.r0, 7.0, 1e-9) << KkFitName(fit);
    EXPECT_NEAR(r.r[0], 50.0, 1e-9) << KkFitName(fit);
    EXPECT_NEAR(r.inductance, 2e-6, 1e-14) << KkFitName(fit);
    EXPECT_EQ(r.mu, 1.0);
    EXPECT_LT(r.maxResidual, 1e-12) << KkFitName(fit);
    ASSERT_EQ(r.residualsReal.size(), f.size());
    EXPECT_EQ(r.frequency, f);
  }
}

TEST(KramersKronig, TimeConstantsSpanTheBandAndTheCapacitanceEntersInverted) {
  // Three elements at 1/(2π f_max), the geometric middle and 1/(2π f_min),
  // and a series capacitor.
  const std::vector<double> f = LogFrequencies(0.1, 1e3, 25);
  const std::vector<double> tau = {1.0 / (kTwoPi * 1e3), 1.0 / (kTwoPi * 10.0),
                                   1.0 / (kTwoPi * 0.1)};
  const Spectrum s = Chain(f, 1.0, 0.0, 4e-3, {10.0, 20.0, 5.0}, tau);
  for (const KkFit fit : {KkFit::kReal, KkFit::kImag, KkFit::kComplex}) {
    const KkResult r =
        KramersKronigTest(s.f, s.z, {.fit = fit, .capacitance = true, .c = -1.0, .maxM = 3});
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.m, 3);
    for (size_t k = 0; k < 3; ++k) EXPECT_NEAR(r.tau[k], tau[k], 1e-12 * tau[k]);
    EXPECT_NEAR(r.inverseCapacitance, 1.0 / 4e-3, 1e-6) << KkFitName(fit);
    EXPECT_NEAR(r.r[1], 20.0, 1e-6) << KkFitName(fit);
    EXPECT_LT(r.maxResidual, 1e-10) << KkFitName(fit);
    const Complex between = Chain({3.0}, 1.0, 0.0, 4e-3, {10.0, 20.0, 5.0}, tau).z[0];
    EXPECT_LT(std::abs(KkImpedance(r, 3.0) - between), 1e-8 * std::abs(between));
  }
  // Without the capacitor in the chain, a capacitive spectrum fails the
  // test: its residuals are large.
  const KkResult without = KramersKronigTest(s.f, s.z, {.c = -1.0, .maxM = 3});
  EXPECT_GT(without.maxResidual, 0.05);
}

TEST(KramersKronig, MGrowsUntilMuFallsToC) {
  // A noisy Randles-like spectrum: few elements describe it, many fit the
  // noise with elements of both signs, and μ falls.
  const Spectrum s = Synthetic("R0-p(R1-W1,C1)", {10.0, 100.0, 40.0, 1e-5}, 0.01, 1e5, 60, 2e-3);
  const KkResult r = KramersKronigTest(s.f, s.z, {});
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_GT(r.m, 1);
  EXPECT_LT(r.m, 50);
  EXPECT_LE(r.mu, 0.85);
  // One element fewer had μ above c.
  const KkResult fewer = KramersKronigTest(s.f, s.z, {.maxM = r.m - 1});
  EXPECT_EQ(fewer.m, r.m - 1);
  EXPECT_GT(fewer.mu, 0.85);
  // c = 1 is met by the first chain (μ never exceeds 1); a c no chain meets
  // runs up to the maximum.
  EXPECT_EQ(KramersKronigTest(s.f, s.z, {.c = 1.0}).m, 1);
  EXPECT_EQ(KramersKronigTest(s.f, s.z, {.c = -1e300, .maxM = 7}).m, 7);
}

TEST(KramersKronig, DriftingSpectrumFailsAndBadOptionsAreRefused) {
  // The real part drifting by 5 % over the sweep, as a cell that changes
  // while it is measured: no causal chain follows it.
  Spectrum s = Synthetic("R0-p(R1,C1)", {10.0, 100.0, 1e-5}, 0.1, 1e5, 60);
  Spectrum drifting = s;
  for (size_t i = 0; i < s.z.size(); ++i)
    drifting.z[i] += Complex(5.0 * std::sin(static_cast<double>(i) * 0.3), 0.0);
  // Elements every quarter decade describe any causal spectrum here.
  const KkOptions dense{.c = -1e300, .maxM = 25};
  const KkResult good = KramersKronigTest(s.f, s.z, dense);
  const KkResult bad = KramersKronigTest(drifting.f, drifting.z, dense);
  EXPECT_LT(good.maxResidual, 1e-3);
  EXPECT_GT(bad.maxResidual, 0.1);

  EXPECT_FALSE(KramersKronigTest(s.f, s.z, {.maxM = 0}).ok());
  EXPECT_FALSE(KramersKronigTest(s.f, s.z, {.c = std::nan("")}).ok());
  EXPECT_FALSE(KramersKronigTest(std::vector<double>{1.0}, std::vector<Complex>{1.0}, {}).ok());
  const KkResult band = KramersKronigTest(s.f, s.z, {.fmin = s.f[5], .fmax = s.f[20]});
  EXPECT_EQ(band.frequency.size(), 16u);
  EXPECT_EQ(band.frequency.front(), s.f[5]);
  EXPECT_EQ(ParseKkFit("imag"), KkFit::kImag);
  EXPECT_FALSE(ParseKkFit("both"));
}

TEST(KramersKronigJson, WritesEveryMember) {
  KkResult r;
  r.options.fit = KkFit::kComplex;
  r.options.capacitance = true;
  r.m = 4;
  r.mu = 0.5;
  r.frequency = {1.0, 10.0};
  r.residualsReal = {0.001, -0.002};
  r.residualsImag = {0.0, 0.0005};
  r.maxResidual = 0.002;
  EXPECT_EQ(KramersKronigJson(r),
            "{\n\"M\":4\n,\"mu\":0.5\n,\"c\":0.85\n,\"fit\":\"complex\"\n,\"capacitance\":true\n"
            ",\"frequency\":[1,10]\n,\"residualsReal\":[0.001,-0.002]\n"
            ",\"residualsImag\":[0,5e-04]\n,\"maxResidual\":0.002\n}\n");
}

}  // namespace
}  // namespace fernplot
