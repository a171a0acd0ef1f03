// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <string>
#include <vector>

#include "analysis/impedance/circuit_fit.h"
#include "analysis/impedance/impedance_json.h"
#include "impedance_support.h"

namespace fernplot {
namespace {

using Complex = std::complex<double>;
using testing_impedance::Spectrum;
using testing_impedance::Synthetic;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

struct Known {
  const char* circuit;
  std::vector<double> values;
  double f0, f1;
};

// Ordinary spectra of the shapes people fit, each from automatic starting
// values only.
const Known kShapes[] = {
    {"R0-p(R1,C1)", {10.0, 100.0, 1e-5}, 0.1, 1e5},
    {"R0-p(R1,C1)-p(R2,C2)", {10.0, 100.0, 1e-6, 200.0, 1e-3}, 0.01, 1e5},
    {"R0-p(R1-Wo1,C1)", {5.0, 50.0, 100.0, 10.0, 2e-5}, 1e-3, 1e5},
    {"R0-p(R1,CPE1)", {10.0, 100.0, 1e-5, 0.8}, 0.1, 1e5},
    {"L0-R0-p(R1,C1)-p(R2-W1,C2)", {1e-6, 10.0, 50.0, 1e-6, 100.0, 30.0, 1e-3}, 0.01, 1e6},
    {"R0-p(R1,C1)-p(R2-Wo1,C2)", {0.015, 0.01, 0.05, 0.008, 0.06, 80.0, 2.0}, 1e-3, 1e4},
    {"R0-p(R1-Ws1,C1)", {2.0, 20.0, 30.0, 5.0, 1e-5}, 1e-3, 1e5},
    {"R0-p(R1,C1)-G1", {3.0, 40.0, 2e-6, 25.0, 0.05}, 0.01, 1e5},
};

CircuitFitResult Fit(const Known& k, const Spectrum& s, CircuitFitOptions options = {}) {
  const CircuitParse parse = ParseCircuit(k.circuit);
  EXPECT_TRUE(parse.circuit) << parse.Error();
  return FitCircuit(*parse.circuit, s.f, s.z, options);
}

void ExpectValues(const CircuitFitResult& r, const std::vector<double>& truth, double relative) {
  ASSERT_TRUE(r.ok()) << r.error;
  ASSERT_EQ(r.parameters.size(), truth.size());
  for (size_t k = 0; k < truth.size(); ++k) {
    EXPECT_NEAR(r.parameters[k].value, truth[k], relative * truth[k])
        << r.circuit << " " << r.parameters[k].name;
  }
}

TEST(CircuitFit, CleanSpectraRecoverEveryParameterFromAutomaticStarts) {
  for (const Known& k : kShapes) {
    const Spectrum s = Synthetic(k.circuit, k.values, k.f0, k.f1, 57);
    const CircuitFitResult r = Fit(k, s);
    ExpectValues(r, k.values, 1e-6);
    EXPECT_TRUE(r.converged) << k.circuit;
    EXPECT_LT(r.rmsRelative, 1e-8) << k.circuit;
    EXPECT_EQ(r.points, 57);
    EXPECT_GT(r.iterations, 0);
  }
}

TEST(CircuitFit, NoisySpectraRecoverEveryParameterWithinOnePercent) {
  for (const Known& k : kShapes) {
    const Spectrum s = Synthetic(k.circuit, k.values, k.f0, k.f1, 57, 1e-3);
    const CircuitFitResult r = Fit(k, s);
    ExpectValues(r, k.values, 0.01);
    EXPECT_TRUE(r.converged) << k.circuit;
    // The residual is the noise: about √2 · 0.1 %.
    EXPECT_NEAR(r.rmsRelative, 1.41e-3, 0.4e-3) << k.circuit;
    for (const FittedParameter& p : r.parameters) {
      ASSERT_TRUE(p.stdError) << k.circuit << " " << p.name;
      EXPECT_LT(*p.stdError, 0.01 * p.value) << k.circuit << " " << p.name;
    }
  }
}

// The figures of a result computed again from its values, by their
// definitions.
void ExpectFiguresOf(const CircuitFitResult& r, const Circuit& c, const Spectrum& s,
                     CircuitWeight weight) {
  double chi = 0.0, ohm = 0.0, relative = 0.0;
  for (size_t i = 0; i < s.f.size(); ++i) {
    const Complex d = c.Impedance(kTwoPi * s.f[i], r.Values()) - s.z[i];
    double wr = 1.0, wi = 1.0;
    if (weight == CircuitWeight::kModulus) wr = wi = std::abs(s.z[i]);
    if (weight == CircuitWeight::kProportional) {
      wr = std::abs(s.z[i].real());
      wi = std::abs(s.z[i].imag());
    }
    chi += d.real() * d.real() / (wr * wr) + d.imag() * d.imag() / (wi * wi);
    ohm += std::norm(d);
    relative += std::norm(d) / std::norm(s.z[i]);
  }
  const double n = static_cast<double>(s.f.size());
  EXPECT_NEAR(r.chiSquare, chi, 1e-9 * chi);
  EXPECT_NEAR(r.rmsOhm, std::sqrt(ohm / n), 1e-9 * r.rmsOhm);
  EXPECT_NEAR(r.rmsRelative, std::sqrt(relative / n), 1e-9 * r.rmsRelative);
}

TEST(CircuitFit, EachWeightMinimisesItsOwnChiSquare) {
  const Known& k = kShapes[2];
  const Spectrum s = Synthetic(k.circuit, k.values, k.f0, k.f1, 40, 3e-3, 99);
  const Circuit c = *ParseCircuit(k.circuit).circuit;
  std::vector<std::vector<double>> fitted;
  for (const CircuitWeight w :
       {CircuitWeight::kModulus, CircuitWeight::kUnit, CircuitWeight::kProportional}) {
    const CircuitFitResult r = FitCircuit(c, s.f, s.z, {.weight = w});
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.weight, w);
    ExpectFiguresOf(r, c, s, w);
    ExpectValues(r, k.values, 0.05);
    fitted.push_back(r.Values());
  }
  // Each weighting has its own optimum on noisy data; the same one for all
  // would mean the weight was ignored.
  EXPECT_NE(fitted[0], fitted[1]);
  EXPECT_NE(fitted[0], fitted[2]);
  // Unit weight: the optimum in ohms is no worse than the modulus optimum's.
  const CircuitFitResult unit = FitCircuit(c, s.f, s.z, {.weight = CircuitWeight::kUnit});
  const CircuitFitResult modulus = FitCircuit(c, s.f, s.z, {});
  EXPECT_LE(unit.rmsOhm, modulus.rmsOhm * (1.0 + 1e-9));
  EXPECT_LE(modulus.rmsRelative, unit.rmsRelative * (1.0 + 1e-9));
  EXPECT_EQ(ParseCircuitWeight("proportional"), CircuitWeight::kProportional);
  EXPECT_FALSE(ParseCircuitWeight("Modulus"));
}

TEST(CircuitFit, ParametersStayPhysicalAtTheirBounds) {
  // An arc without series resistance: R0 heads for 0 but stays positive,
  // and the data do not determine it.
  const Spectrum arc = Synthetic("p(R1,C1)", {100.0, 1e-5}, 0.1, 1e5, 50, 1e-3);
  const CircuitFitResult r = FitCircuit(*ParseCircuit("R0-p(R1,C1)").circuit, arc.f, arc.z, {});
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_GT(r.parameters[0].value, 0.0);
  EXPECT_LT(r.parameters[0].value, 1e-3);
  EXPECT_TRUE(r.parameters[0].Undetermined());
  EXPECT_NEAR(r.parameters[1].value, 100.0, 0.5);
  // An ideal capacitor fitted as a CPE: α reaches 1 and goes no further,
  // even when the data lean beyond it (a phase below −90°).
  std::vector<Complex> beyond;
  for (size_t i = 0; i < arc.f.size(); ++i)
    beyond.push_back(1.0 / (std::pow(Complex(0.0, kTwoPi * arc.f[i]), 1.03) * 1e-5));
  const CircuitFitResult q =
      FitCircuit(*ParseCircuit("CPE1").circuit, arc.f, beyond, {.initial = {{"CPE1_1", 0.7}}});
  ASSERT_TRUE(q.ok()) << q.error;
  EXPECT_LE(q.parameters[1].value, 1.0);
  EXPECT_GT(q.parameters[1].value, 0.999);
  EXPECT_GT(q.parameters[0].value, 0.0);
}

TEST(CircuitFit, AStartHundredsOfDecadesOffStillConverges) {
  // In log variables a start this far off is only a long way, not a
  // different problem.
  const Spectrum s = Synthetic("R0-p(R1,C1)", {10.0, 100.0, 1e-5}, 0.1, 1e5, 40, 1e-3);
  const CircuitFitResult r =
      FitCircuit(*ParseCircuit("R0-p(R1,C1)").circuit, s.f, s.z,
                 {.initial = {{"R0", 1e100}, {"R1", 1e100}, {"C1", 1e-100}}});
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_TRUE(r.converged);
  ExpectValues(r, {10.0, 100.0, 1e-5}, 0.01);
}

TEST(CircuitFit, ResistorsOnlyInSeriesAreNotDeterminedSeparately) {
  const Spectrum s = Synthetic("R0-p(R2,C2)", {10.0, 100.0, 1e-5}, 0.1, 1e5, 40, 1e-3);
  const CircuitFitResult r = FitCircuit(*ParseCircuit("R0-R1-p(R2,C2)").circuit, s.f, s.z, {});
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_TRUE(r.parameters[0].Undetermined());
  EXPECT_TRUE(r.parameters[1].Undetermined());
  EXPECT_FALSE(r.parameters[2].Undetermined());
  EXPECT_FALSE(r.parameters[3].Undetermined());
  EXPECT_NEAR(r.parameters[0].value + r.parameters[1].value, 10.0, 0.1);
  const std::string json = CircuitFitJson(r);
  EXPECT_NE(json.find("{\"name\":\"R1\",\"value\":"), std::string::npos);
  EXPECT_NE(json.find(",\"stdError\":null,\"unit\":\"Ohm\"}"), std::string::npos);
}

TEST(CircuitFit, StandardErrorOfASingleResistorByHand) {
  // Z = R0 with unit weight: R0 is the mean of Re Z, J = [1..1, 0..0], so
  // (JᵀJ)⁻¹ = 1/N and stdError = √(χ²/(2N − 1)/N).
  const std::vector<double> f = {1.0, 2.0, 3.0, 4.0};
  const std::vector<Complex> z = {{9.0, 0.5}, {11.0, -0.5}, {10.5, 0.2}, {9.5, 0.0}};
  const CircuitFitResult r =
      FitCircuit(*ParseCircuit("R0").circuit, f, z, {.weight = CircuitWeight::kUnit});
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_NEAR(r.parameters[0].value, 10.0, 1e-9);
  const double chi = 1.0 + 1.0 + 0.25 + 0.25 + 0.25 + 0.25 + 0.04;
  EXPECT_NEAR(r.chiSquare, chi, 1e-9);
  ASSERT_TRUE(r.parameters[0].stdError);
  EXPECT_NEAR(*r.parameters[0].stdError, std::sqrt(chi / 7.0 / 4.0), 1e-9);
  EXPECT_NEAR(r.rmsOhm, std::sqrt(chi / 4.0), 1e-9);
  EXPECT_TRUE(r.converged);
}

TEST(CircuitFit, GivenAndFixedValuesAndTheBand) {
  const Known& k = kShapes[2];  // Randles
  const Spectrum s = Synthetic(k.circuit, k.values, k.f0, k.f1, 57, 1e-3);
  const Circuit c = *ParseCircuit(k.circuit).circuit;
  // A fixed value stays exactly where it was put, without a standard error;
  // the others still fit.
  const CircuitFitResult fixed =
      FitCircuit(c, s.f, s.z, {.initial = {{"R0", 5.5, true}, {"C1", 1e-5}}});
  ASSERT_TRUE(fixed.ok()) << fixed.error;
  EXPECT_EQ(fixed.parameters[0].value, 5.5);
  EXPECT_TRUE(fixed.parameters[0].fixed);
  EXPECT_FALSE(fixed.parameters[0].stdError);
  EXPECT_FALSE(fixed.parameters[0].Undetermined());
  EXPECT_NEAR(fixed.parameters[4].value, 2e-5, 0.2 * 2e-5);
  // The band is inclusive at both ends.
  const CircuitFitResult band = FitCircuit(c, s.f, s.z, {.fmin = s.f[10], .fmax = s.f[50]});
  ASSERT_TRUE(band.ok()) << band.error;
  EXPECT_EQ(band.points, 41);
  // Bad values and names, and too few points.
  EXPECT_EQ(FitCircuit(c, s.f, s.z, {.initial = {{"R9", 1.0}}}).error,
            "R9 is not a parameter of R0-p(R1-Wo1,C1)");
  EXPECT_EQ(FitCircuit(c, s.f, s.z, {.initial = {{"R0", -1.0}}}).error,
            "R0 must be a positive number");
  const Circuit cpe = *ParseCircuit("R0-CPE1").circuit;
  EXPECT_EQ(FitCircuit(cpe, s.f, s.z, {.initial = {{"CPE1_1", 1.5}}}).error,
            "CPE1_1 must lie in (0, 1]");
  EXPECT_EQ(FitCircuit(cpe, s.f, s.z, {.initial = {{"CPE1_1", 1.0}}}).error, "");
  EXPECT_EQ(FitCircuit(c, s.f, s.z, {.fmin = 7e4}).error, "2 points cannot determine 5 parameters");
  EXPECT_FALSE(
      FitCircuit(c, std::vector<double>{2.0, 1.0}, std::vector<Complex>{1.0, 1.0}, {}).ok());

  const InitialValuesParse parsed = ParseInitialValues("R0=5,Wo1_1=1e1", c);
  ASSERT_EQ(parsed.error, "");
  ASSERT_EQ(parsed.values.size(), 2u);
  EXPECT_EQ(parsed.values[1].name, "Wo1_1");
  EXPECT_EQ(parsed.values[1].value, 10.0);
  EXPECT_EQ(ParseInitialValues("R0=5,C1", c).error, "'C1': NAME=VALUE expected");
  EXPECT_EQ(ParseInitialValues("R0=5x", c).error, "'R0=5x': not a number");
  EXPECT_EQ(ParseInitialValues("R0=1,R0=2", c).error, "R0 is given twice");
  EXPECT_EQ(ParseInitialValues("R0=nan", c).error, "R0 must be a positive number");
}

TEST(CircuitFit, GlobalSearchEscapesABadStart) {
  const Known& k = kShapes[2];  // Randles
  const Spectrum s = Synthetic(k.circuit, k.values, k.f0, k.f1, 57, 1e-3);
  const Circuit c = *ParseCircuit(k.circuit).circuit;
  // Every value given and far off: the local fit from there alone settles
  // somewhere worse.
  const std::vector<InitialValue> bad = {
      {"R0", 100.0}, {"R1", 0.5}, {"Wo1_0", 1e4}, {"Wo1_1", 1e-4}, {"C1", 1e-2}};
  const CircuitFitResult local = FitCircuit(c, s.f, s.z, {.initial = bad});
  EXPECT_EQ(local.starts, 1);
  const CircuitFitResult global =
      FitCircuit(c, s.f, s.z, {.initial = bad, .global = true, .globalSeconds = 0.3});
  ASSERT_TRUE(global.ok()) << global.error;
  EXPECT_GT(global.starts, 1);
  EXPECT_GT(local.chiSquare, 2.0 * global.chiSquare);
  ExpectValues(global, k.values, 0.01);
  EXPECT_GE(global.seconds, 0.3);
  EXPECT_LE(global.secondsToBest, global.seconds);
}

TEST(CircuitFitJson, WritesEveryMemberInShortestDigits) {
  CircuitFitResult r;
  r.circuit = "R0-p(R1,C1)";
  r.weight = CircuitWeight::kProportional;
  r.points = 3;
  r.parameters = {{"R0", "Ohm", 0.1, 0.002}, {"C1", "F", 2e-6, std::nullopt}};
  r.rmsRelative = 1.5e-3;
  r.rmsOhm = 0.25;
  r.chiSquare = 1e-5;
  r.converged = true;
  r.iterations = 12;
  r.seconds = 0.003;
  EXPECT_EQ(CircuitFitJson(r),
            "{\n\"circuit\":\"R0-p(R1,C1)\"\n,\"weight\":\"proportional\"\n,\"points\":3\n"
            ",\"parameters\":[{\"name\":\"R0\",\"value\":0.1,\"stdError\":0.002,\"unit\":\"Ohm\"},"
            "{\"name\":\"C1\",\"value\":2e-06,\"stdError\":null,\"unit\":\"F\"}]\n"
            ",\"rmsRelative\":0.0015\n,\"rmsOhm\":0.25\n,\"chiSquare\":1e-05\n,\"converged\":true\n"
            ",\"iterations\":12\n,\"seconds\":0.003\n}\n");
}

}  // namespace
}  // namespace fernplot
