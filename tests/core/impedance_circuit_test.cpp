// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <string>
#include <vector>

#include "analysis/impedance/circuit.h"
#include "analysis/impedance/circuit_elements.h"

namespace fernplot {
namespace {

using Complex = std::complex<double>;
constexpr double kPi = std::numbers::pi;
constexpr Complex kJ(0.0, 1.0);

void ExpectNear(Complex actual, Complex expected, double relative) {
  EXPECT_LE(std::abs(actual - expected), relative * std::abs(expected))
      << actual << " vs " << expected;
}

Complex Element(ElementKind kind, double omega, std::vector<double> values) {
  return ElementImpedance(kind, omega, values);
}

TEST(CircuitElements, EachImpedanceFollowsItsFormula) {
  for (const double w : {1e-3, 0.7, 31.4, 2.0e4, 6.0e6}) {
    ExpectNear(Element(ElementKind::kR, w, {47.0}), 47.0, 1e-15);
    ExpectNear(Element(ElementKind::kC, w, {2.2e-6}), 1.0 / (kJ * w * 2.2e-6), 1e-14);
    ExpectNear(Element(ElementKind::kL, w, {3.3e-4}), kJ * w * 3.3e-4, 1e-14);
    ExpectNear(Element(ElementKind::kCpe, w, {1.5e-5, 0.83}),
               1.0 / (1.5e-5 * std::pow(kJ * w, 0.83)), 1e-13);
    ExpectNear(Element(ElementKind::kW, w, {12.0}), 12.0 * Complex(1.0, -1.0) / std::sqrt(w),
               1e-14);
    // Where the closed forms are well-behaved, the library's coth and tanh.
    const double tau = 0.02;
    const Complex x = std::sqrt(kJ * w * tau);
    if (std::abs(x) > 0.05 && std::abs(x) < 20.0) {
      ExpectNear(Element(ElementKind::kWo, w, {80.0, tau}), 80.0 / std::tanh(x) / x, 1e-12);
      ExpectNear(Element(ElementKind::kWs, w, {80.0, tau}), 80.0 * std::tanh(x) / x, 1e-12);
    }
    ExpectNear(Element(ElementKind::kG, w, {25.0, 3e-3}), 25.0 / std::sqrt(1.0 + kJ * w * 3e-3),
               1e-14);
  }
}

TEST(CircuitElements, DiffusionStaysFiniteAtExtremeArguments) {
  // |x| = √(ωτ) far beyond where cosh and sinh overflow: coth, tanh → 1.
  for (const ElementKind kind : {ElementKind::kWo, ElementKind::kWs}) {
    const double omega = 1e9, tau = 1e9;
    std::vector<Complex> d(2);
    const Complex z = ElementImpedance(kind, omega, std::vector<double>{5.0, tau}, d);
    ExpectNear(z, 5.0 / std::sqrt(kJ * omega * tau), 1e-12);
    EXPECT_TRUE(std::isfinite(d[0].real()) && std::isfinite(d[1].real()) &&
                std::isfinite(d[1].imag()));
  }
  // Tiny ωτ: the open end is a capacitor Z0/(jωτ) plus Z0/3, the short end
  // the resistance Z0.
  const double omega = 1e-9, tau = 1e-3;
  ExpectNear(Element(ElementKind::kWo, omega, {5.0, tau}), 5.0 / (kJ * omega * tau) + 5.0 / 3.0,
             1e-15);
  ExpectNear(Element(ElementKind::kWs, omega, {5.0, tau}), 5.0, 1e-12);
  // Both sides of where the series takes over agree.
  for (const ElementKind kind : {ElementKind::kWo, ElementKind::kWs}) {
    const double below = 0.99999e-4, above = 1.00001e-4;  // ωτ, |x| = 0.01
    ExpectNear(Element(kind, below, {1.0, 1.0}), Element(kind, above, {1.0, 1.0}), 1e-4);
  }
}

// Central differences of `circuit` at `values`, by each parameter.
std::vector<Complex> NumericDerivatives(const Circuit& circuit, double omega,
                                        std::vector<double> values) {
  std::vector<Complex> out;
  for (size_t k = 0; k < values.size(); ++k) {
    const double v = values[k], h = 1e-6 * v;
    values[k] = v + h;
    const Complex up = circuit.Impedance(omega, values);
    values[k] = v - h;
    const Complex down = circuit.Impedance(omega, values);
    values[k] = v;
    out.push_back((up - down) / (2.0 * h));
  }
  return out;
}

TEST(CircuitElements, DerivativesMatchDifferencesThroughNesting) {
  const CircuitParse parse = ParseCircuit("L0-R0-p(R1-Wo1,CPE1)-p(R2,p(C2,G1)-Ws1)-W1");
  ASSERT_TRUE(parse.circuit) << parse.Error();
  const Circuit& c = *parse.circuit;
  const std::vector<double> values = {1e-6, 2.0,  30.0, 40.0, 0.5,  2e-4, 0.8,
                                      60.0, 1e-5, 20.0, 1e-3, 15.0, 2e-2, 7.0};
  ASSERT_EQ(c.parameters().size(), values.size());
  for (const double omega : {0.3, 40.0, 3e3, 2e5}) {
    std::vector<Complex> d(values.size());
    const Complex z = c.Impedance(omega, values, d);
    ExpectNear(z, c.Impedance(omega, values), 1e-15);
    const std::vector<Complex> numeric = NumericDerivatives(c, omega, values);
    for (size_t k = 0; k < values.size(); ++k) {
      // The differences' own rounding error is about 1e-16·|Z|/h.
      EXPECT_LE(std::abs(d[k] - numeric[k]),
                1e-6 * std::abs(numeric[k]) + 1e-8 * std::abs(z) / values[k])
          << c.parameters()[k].name << " at " << omega;
    }
  }
}

TEST(CircuitParse, NestedCircuitNamesItsParametersInOrder) {
  const CircuitParse parse = ParseCircuit("R0-p(R1,C1)-p(R2-Wo1,CPE2)-G1");
  ASSERT_TRUE(parse.circuit) << parse.Error();
  const Circuit& c = *parse.circuit;
  std::vector<std::string> names, units;
  for (const CircuitParameter& p : c.parameters()) {
    names.push_back(p.name);
    units.push_back(p.unit);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"R0", "R1", "C1", "R2", "Wo1_0", "Wo1_1", "CPE2_0",
                                             "CPE2_1", "G1_0", "G1_1"}));
  EXPECT_EQ(units, (std::vector<std::string>{"Ohm", "Ohm", "F", "Ohm", "Ohm", "s", "Ohm^-1 s^a", "",
                                             "Ohm", "s"}));
  EXPECT_EQ(c.parameters()[7].range, ParameterRange::kExponent);
  EXPECT_EQ(c.FindParameter("Wo1_1"), 5);
  EXPECT_FALSE(c.FindParameter("Wo1"));

  // The impedance composes as written, spaces allowed between the parts.
  const CircuitParse spaced = ParseCircuit(" R0 - p( R1 , p(C1,L1) - R2 ) ");
  ASSERT_TRUE(spaced.circuit) << spaced.Error();
  const std::vector<double> v = {3.0, 10.0, 1e-3, 2e-2, 4.0};
  const double w = 50.0;
  const Complex inner = 1.0 / (kJ * w * 1e-3 + 1.0 / (kJ * w * 2e-2)) + 4.0;
  ExpectNear(spaced.circuit->Impedance(w, v), 3.0 + 1.0 / (1.0 / 10.0 + 1.0 / inner), 1e-14);
}

TEST(CircuitParse, MalformedStringsNameTheirPosition) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "position 1: element expected"},
      {"R0-p(R1,C1", "position 11: ')' expected"},
      {"R0-p(R1)", "position 8: ',' expected"},
      {"R0-p(R1;C1)", "position 8: ',' expected"},
      {"p(R1,C1-R2", "position 11: ')' expected"},
      {"R0-X1", "position 4: unknown element 'X'"},
      {"R0-Cpe1", "position 4: unknown element 'Cpe'"},
      {"R0-CPE", "position 7: index expected after 'CPE'"},
      {"R0-", "position 4: element expected"},
      {"R0--R1", "position 4: element expected"},
      {"R0-R0", "position 4: R0 appears twice"},
      {"R0 R1", "position 4: '-' expected"},
      {"p(R1,C1))", "position 9: '-' expected"},
      {"R0-p(,C1)", "position 6: element expected"},
      {"R0-P(R1,C1)", "position 4: unknown element 'P'"},
  };
  for (const auto& [text, error] : cases) {
    const CircuitParse parse = ParseCircuit(text);
    EXPECT_FALSE(parse.circuit) << text;
    EXPECT_EQ(parse.Error(), error) << text;
  }
}

}  // namespace
}  // namespace fernplot
