// SPDX-License-Identifier: MIT
#include "analysis/impedance/circuit.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace fernplot {

namespace {

using Complex = std::complex<double>;

// Longer codes first, so that "CPE" is not read as "C" and "Wo" not as "W".
constexpr std::array<ElementKind, 8> kByCodeLength = {
    ElementKind::kCpe, ElementKind::kWo, ElementKind::kWs, ElementKind::kR,
    ElementKind::kC,   ElementKind::kL,  ElementKind::kW,  ElementKind::kG};

bool IsLetter(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) != 0;
}
bool IsDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

// The recursive-descent reader; it builds the circuit as it reads.
struct CircuitBuilder {
  std::string_view text;
  size_t at = 0;
  Circuit circuit;
  int errorAt = -1;  // 0-based
  std::string message;

  bool Fail(size_t where, std::string what) {
    if (errorAt < 0) {
      errorAt = static_cast<int>(where);
      message = std::move(what);
    }
    return false;
  }

  void SkipSpaces() {
    while (at < text.size() && text[at] == ' ') ++at;
  }

  char Peek() {
    SkipSpaces();
    return at < text.size() ? text[at] : '\0';
  }

  int AddNode(CircuitNode node) {
    circuit.nodes_.push_back(std::move(node));
    return static_cast<int>(circuit.nodes_.size()) - 1;
  }

  Circuit Finish(int root) {
    circuit.text_ = std::string(text);
    circuit.root_ = root;
    return std::move(circuit);
  }

  // series := term ('-' term)*
  bool Series(int& out) {
    CircuitNode node;
    node.type = CircuitNode::Type::kSeries;
    node.firstParameter = static_cast<int>(circuit.parameters_.size());
    int child = 0;
    if (!Term(child)) return false;
    node.children.push_back(child);
    while (Peek() == '-') {
      ++at;
      if (!Term(child)) return false;
      node.children.push_back(child);
    }
    if (node.children.size() == 1) {
      out = child;
      return true;
    }
    node.parameterCount = static_cast<int>(circuit.parameters_.size()) - node.firstParameter;
    out = AddNode(std::move(node));
    return true;
  }

  // term := "p(" series (',' series)+ ')' | element
  bool Term(int& out) {
    const char c = Peek();
    if (c == 'p' && at + 1 < text.size() && text[at + 1] == '(') {
      at += 2;
      CircuitNode node;
      node.type = CircuitNode::Type::kParallel;
      node.firstParameter = static_cast<int>(circuit.parameters_.size());
      for (;;) {
        int child = 0;
        if (!Series(child)) return false;
        node.children.push_back(child);
        const char next = Peek();
        if (next == ',') {
          ++at;
          continue;
        }
        if (next == ')' && node.children.size() >= 2) {
          ++at;
          break;
        }
        return Fail(at, node.children.size() < 2 ? "',' expected" : "')' expected");
      }
      node.parameterCount = static_cast<int>(circuit.parameters_.size()) - node.firstParameter;
      out = AddNode(std::move(node));
      return true;
    }
    return Element(out);
  }

  bool Element(int& out) {
    const size_t start = at;
    if (!IsLetter(Peek())) return Fail(at, "element expected");
    size_t end = at;
    while (end < text.size() && IsLetter(text[end])) ++end;
    const std::string_view letters = text.substr(at, end - at);
    std::optional<ElementKind> kind;
    for (const ElementKind k : kByCodeLength) {
      if (letters == ElementCode(k)) kind = k;
    }
    if (!kind) return Fail(start, "unknown element '" + std::string(letters) + "'");
    at = end;
    while (end < text.size() && IsDigit(text[end])) ++end;
    if (end == at) return Fail(at, "index expected after '" + std::string(letters) + "'");
    const std::string name(text.substr(start, end - start));
    at = end;
    for (const CircuitNode& n : circuit.nodes_) {
      if (n.type == CircuitNode::Type::kElement && n.name == name)
        return Fail(start, name + " appears twice");
    }
    CircuitNode node;
    node.element = *kind;
    node.name = name;
    node.firstParameter = static_cast<int>(circuit.parameters_.size());
    const int count = ElementParameterCount(*kind);
    node.parameterCount = count;
    out = AddNode(std::move(node));
    for (int i = 0; i < count; ++i) {
      CircuitParameter p;
      p.name = count == 1 ? name : name + "_" + std::to_string(i);
      p.unit = std::string(ElementParameterUnit(*kind, i));
      p.range = ElementParameterRange(*kind, i);
      p.node = out;
      circuit.parameters_.push_back(std::move(p));
    }
    return true;
  }
};

std::optional<int> Circuit::FindParameter(std::string_view name) const {
  for (size_t i = 0; i < parameters_.size(); ++i) {
    if (parameters_[i].name == name) return static_cast<int>(i);
  }
  return std::nullopt;
}

std::complex<double> Circuit::Impedance(double omega, std::span<const double> values) const {
  return Evaluate(root_, omega, values, {});
}

std::complex<double> Circuit::Impedance(double omega, std::span<const double> values,
                                        std::span<std::complex<double>> derivatives) const {
  return Evaluate(root_, omega, values, derivatives);
}

std::complex<double> Circuit::Evaluate(int index, double omega, std::span<const double> values,
                                       std::span<std::complex<double>> derivatives) const {
  const CircuitNode& node = nodes_[static_cast<size_t>(index)];
  const bool wanted = !derivatives.empty();
  const auto first = static_cast<size_t>(node.firstParameter);
  const auto count = static_cast<size_t>(node.parameterCount);
  switch (node.type) {
    case CircuitNode::Type::kElement:
      return ElementImpedance(
          node.element, omega, values.subspan(first, count),
          wanted ? derivatives.subspan(first, count) : std::span<std::complex<double>>{});
    case CircuitNode::Type::kSeries: {
      // Each child fills the derivatives of its own parameters, which are
      // also the sum's.
      Complex z = 0.0;
      for (const int child : node.children) z += Evaluate(child, omega, values, derivatives);
      return z;
    }
    case CircuitNode::Type::kParallel: {
      Complex admittance = 0.0;
      for (const int child : node.children) {
        const Complex zi = Evaluate(child, omega, values, derivatives);
        admittance += 1.0 / zi;
        if (wanted) {
          // dZ/dp = Z²/Zi² · dZi/dp; Z² is applied below, once Z is known.
          const CircuitNode& c = nodes_[static_cast<size_t>(child)];
          const Complex scale = 1.0 / (zi * zi);
          for (int k = 0; k < c.parameterCount; ++k)
            derivatives[static_cast<size_t>(c.firstParameter + k)] *= scale;
        }
      }
      const Complex z = 1.0 / admittance;
      if (wanted) {
        for (size_t k = first; k < first + count; ++k) derivatives[k] *= z * z;
      }
      return z;
    }
  }
  return 0.0;
}

std::string CircuitParse::Error() const {
  return "position " + std::to_string(position) + ": " + message;
}

CircuitParse ParseCircuit(std::string_view text) {
  CircuitBuilder b{.text = text};
  CircuitParse out;
  int root = 0;
  if (b.Series(root)) {
    b.SkipSpaces();
    if (b.at < text.size()) {
      b.Fail(b.at, "'-' expected");
    } else {
      out.circuit = b.Finish(root);
      return out;
    }
  }
  out.position = b.errorAt + 1;
  out.message = b.message;
  return out;
}

}  // namespace fernplot
