// SPDX-License-Identifier: MIT
#pragma once
// Equivalent circuits written as impedance-spectroscopy users write them:
// elements joined in series with '-', in parallel with "p(a,b,...)", nested
// as deep as needed, each element a code and an index ("R0", "CPE1", "Wo2").
// Example: "R0-p(R1,C1)-p(R2-Wo1,C2)".
//
// Parameters are numbered in the order they appear in the string and named
// after their element: "R0", "C1" for one-parameter elements, "Wo1_0",
// "Wo1_1" (Z0, τ) and "CPE1_0", "CPE1_1" (Q, α) for two.

#include <complex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/impedance/circuit_elements.h"

namespace fernplot {

struct CircuitParameter {
  std::string name;  // "R0", "CPE1_1"
  std::string unit;  // "Ohm", "F", "" ...
  ParameterRange range = ParameterRange::kPositive;
  int node = 0;  // the element it belongs to, an index into Circuit::nodes
};

struct CircuitNode {
  enum class Type { kElement, kSeries, kParallel };
  Type type = Type::kElement;
  ElementKind element = ElementKind::kR;  // kElement only
  std::string name;                       // kElement only: "R0", "Wo1"
  std::vector<int> children;              // kSeries, kParallel: indices into Circuit::nodes
  // The parameters of the subtree: a subtree's parameters are contiguous.
  int firstParameter = 0;
  int parameterCount = 0;
};

class Circuit {
 public:
  // The string as it was parsed.
  const std::string& text() const { return text_; }
  const std::vector<CircuitNode>& nodes() const { return nodes_; }
  int root() const { return root_; }
  const std::vector<CircuitParameter>& parameters() const { return parameters_; }
  // The index of the parameter called `name`, if there is one.
  std::optional<int> FindParameter(std::string_view name) const;

  // The impedance at `omega` (rad/s) for one value per parameter.
  std::complex<double> Impedance(double omega, std::span<const double> values) const;
  // The same, with dZ/d value for every parameter in `derivatives`.
  std::complex<double> Impedance(double omega, std::span<const double> values,
                                 std::span<std::complex<double>> derivatives) const;

 private:
  friend struct CircuitBuilder;
  std::complex<double> Evaluate(int node, double omega, std::span<const double> values,
                                std::span<std::complex<double>> derivatives) const;

  std::string text_;
  std::vector<CircuitNode> nodes_;
  int root_ = 0;
  std::vector<CircuitParameter> parameters_;
};

struct CircuitParse {
  std::optional<Circuit> circuit;
  // Without a circuit: where the string goes wrong (1-based; one past the
  // end when it ends too soon) and what was expected there.
  int position = 0;
  std::string message;  // "')' expected"
  // "position 7: ')' expected"
  std::string Error() const;
};

// Spaces between the parts of the string are allowed.
CircuitParse ParseCircuit(std::string_view text);

}  // namespace fernplot
