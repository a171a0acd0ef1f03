// SPDX-License-Identifier: MIT
#include "analysis/impedance/circuit_start.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace fernplot {

namespace {

using Complex = std::complex<double>;
constexpr double kTwoPi = 2.0 * std::numbers::pi;
// A CPE starts as a slightly depressed capacitor.
constexpr double kStartAlpha = 0.9;

// An arc of −Im Z: its apex and twice its height (the diameter of the
// semicircle it would be).
struct Arc {
  double omega = 0.0;
  double width = 0.0;
};

struct Features {
  double omegaMin = 0.0, omegaMax = 0.0;
  Complex zLow, zHigh;    // at the lowest and highest frequency
  double rHigh = 0.0;     // the series resistance
  double span = 0.0;      // how much the real part grows towards low frequency
  std::vector<Arc> arcs;  // highest frequency first
};

// The local maxima of −Im Z standing out from their surroundings by 5 % of
// their height at least, so that noise on a flat stretch makes no arc.
std::vector<Arc> FindArcs(const ImpedanceSpectrum& s) {
  const size_t n = s.frequency.size();
  std::vector<double> v(n);
  for (size_t i = 0; i < n; ++i) v[i] = -s.impedance[i].imag();
  std::vector<Arc> arcs;
  for (size_t i = 0; i < n; ++i) {
    if (v[i] <= 0.0) continue;
    if ((i > 0 && v[i - 1] >= v[i]) || (i + 1 < n && v[i + 1] > v[i])) continue;
    // A maximum at the very edge of the band is a slope, not an apex.
    if (i == 0 || i + 1 == n) continue;
    // Its prominence: the higher of the lowest points on either side before
    // a higher point (or the band's edge).
    double leftMin = v[i], rightMin = v[i];
    for (size_t j = i; j-- > 0 && v[j] <= v[i];) leftMin = std::min(leftMin, v[j]);
    for (size_t j = i + 1; j < n && v[j] <= v[i]; ++j) rightMin = std::min(rightMin, v[j]);
    const double floor = std::max(leftMin, rightMin);
    if (v[i] - floor < 0.05 * v[i]) continue;
    arcs.push_back({kTwoPi * s.frequency[i], 2.0 * v[i]});
  }
  std::sort(arcs.begin(), arcs.end(), [](const Arc& a, const Arc& b) { return a.omega > b.omega; });
  return arcs;
}

Features Describe(const ImpedanceSpectrum& s) {
  Features f;
  f.omegaMin = kTwoPi * s.frequency.front();
  f.omegaMax = kTwoPi * s.frequency.back();
  f.zLow = s.impedance.front();
  f.zHigh = s.impedance.back();
  double scale = 0.0;
  for (const Complex& z : s.impedance) scale = std::max(scale, std::abs(z));
  const double tiny = std::max(scale, 1e-300) * 1e-6;
  f.rHigh = std::max(f.zHigh.real(), tiny);
  f.span = std::max(f.zLow.real() - f.rHigh, std::max(0.1 * f.rHigh, tiny));
  f.arcs = FindArcs(s);
  return f;
}

// The scale an element is started from: a resistance and the angular
// frequencies at which it should matter (its own and, for the diffusion
// elements and capacitors in series with a branch, a lower one).
struct Scale {
  double r = 1.0;
  double omega = 1.0;
  double omegaLow = 1.0;
};

struct Variant {
  bool spread = false;          // ignore the arcs found
  bool reversed = false;        // blocks from the lowest frequency
  double timeScale = 1.0;       // every block's time constant times this
  double diffusionScale = 1.0;  // the diffusion elements' time constants times this
};

class Starter {
 public:
  Starter(const Circuit& circuit, const Features& features, const Variant& variant,
          std::vector<double>& values)
      : c_(circuit), f_(features), v_(variant), values_(values) {}

  void Run() {
    const CircuitNode& root = Node(c_.root());
    std::vector<int> top;
    if (root.type == CircuitNode::Type::kSeries) {
      top = root.children;
    } else {
      top = {c_.root()};
    }
    std::vector<int> blocks;
    int resistors = 0;
    for (const int n : top) {
      if (Node(n).type == CircuitNode::Type::kParallel) blocks.push_back(n);
      if (Node(n).type == CircuitNode::Type::kElement && Node(n).element == ElementKind::kR)
        ++resistors;
    }
    const std::vector<Scale> scales = BlockScales(blocks.size());
    for (const int n : top) {
      const CircuitNode& node = Node(n);
      if (node.type == CircuitNode::Type::kParallel) {
        const size_t b =
            static_cast<size_t>(std::find(blocks.begin(), blocks.end(), n) - blocks.begin());
        Block(n, scales[b]);
      } else {
        TopElement(node, resistors);
      }
    }
  }

 private:
  const CircuitNode& Node(int n) const { return c_.nodes()[static_cast<size_t>(n)]; }

  // One scale a parallel block, highest frequency first.
  std::vector<Scale> BlockScales(size_t count) const {
    std::vector<Scale> out(count);
    if (count == 0) return out;
    const double logMax = std::log(f_.omegaMax), logMin = std::log(f_.omegaMin);
    for (size_t b = 0; b < count; ++b) {
      const double t = (static_cast<double>(b) + 0.5) / static_cast<double>(count);
      out[b].omega = std::exp(logMax + t * (logMin - logMax));
      out[b].r = f_.span / static_cast<double>(count);
    }
    if (!v_.spread && !f_.arcs.empty()) {
      // The widest arcs, as many as there are blocks, in frequency order.
      std::vector<Arc> arcs = f_.arcs;
      if (arcs.size() > count) {
        std::sort(arcs.begin(), arcs.end(),
                  [](const Arc& a, const Arc& b) { return a.width > b.width; });
        arcs.resize(count);
        std::sort(arcs.begin(), arcs.end(),
                  [](const Arc& a, const Arc& b) { return a.omega > b.omega; });
      }
      // Each arc takes the free block whose spread frequency is nearest.
      std::vector<bool> taken(count, false);
      for (const Arc& arc : arcs) {
        size_t best = count;
        double distance = 0.0;
        for (size_t b = 0; b < count; ++b) {
          const double d = std::abs(std::log(out[b].omega / arc.omega));
          if (!taken[b] && (best == count || d < distance)) {
            best = b;
            distance = d;
          }
        }
        taken[best] = true;
        out[best].omega = arc.omega;
        out[best].r = arc.width;
      }
      std::sort(out.begin(), out.end(),
                [](const Scale& a, const Scale& b) { return a.omega > b.omega; });
    }
    if (v_.reversed) std::reverse(out.begin(), out.end());
    for (Scale& s : out) s.omega /= v_.timeScale;
    // Diffusion in a block shows below its arc: down to the next block's
    // frequency, or the band's end.
    for (Scale& s : out) {
      double below = std::min(f_.omegaMin, s.omega);
      for (const Scale& other : out) {
        if (other.omega < s.omega) below = std::max(below, other.omega);
      }
      s.omegaLow = below / v_.diffusionScale;
    }
    return out;
  }

  void Set(const CircuitNode& node, int index, double value) {
    values_[static_cast<size_t>(node.firstParameter + index)] = value;
  }

  // An element by the rules of its kind at `s`.
  void Element(const CircuitNode& node, const Scale& s) {
    switch (node.element) {
      case ElementKind::kR:
        Set(node, 0, s.r);
        break;
      case ElementKind::kC:
        Set(node, 0, 1.0 / (s.omega * s.r));
        break;
      case ElementKind::kL:
        Set(node, 0, s.r / s.omega);
        break;
      case ElementKind::kCpe:
        Set(node, 0, 1.0 / (s.r * std::pow(s.omega, kStartAlpha)));
        Set(node, 1, kStartAlpha);
        break;
      case ElementKind::kW:
        Set(node, 0, s.r * std::sqrt(s.omegaLow));
        break;
      case ElementKind::kWo:
      case ElementKind::kWs:
        Set(node, 0, s.r);
        Set(node, 1, 1.0 / s.omegaLow);
        break;
      case ElementKind::kG:
        Set(node, 0, s.r);
        Set(node, 1, 1.0 / s.omega);
        break;
    }
  }

  // An element in the top-level series chain.
  void TopElement(const CircuitNode& node, int resistors) {
    const double lowReactance =
        f_.zLow.imag() < 0.0 ? -f_.zLow.imag() : std::max(std::abs(f_.zLow), f_.rHigh);
    Scale s{.r = f_.span,
            .omega = std::sqrt(f_.omegaMin * f_.omegaMax),
            .omegaLow = f_.omegaMin / v_.diffusionScale};
    switch (node.element) {
      case ElementKind::kR:
        s.r = f_.rHigh / std::max(resistors, 1);
        break;
      case ElementKind::kC:
      case ElementKind::kCpe:
        s.r = lowReactance;
        s.omega = f_.omegaMin;
        break;
      case ElementKind::kL:
        s.r = std::max(f_.zHigh.imag(), 1e-3 * std::abs(f_.zHigh));
        s.omega = f_.omegaMax;
        break;
      case ElementKind::kW:
        s.r = std::max(-f_.zLow.imag(), 0.1 * f_.span);
        break;
      default:
        break;
    }
    Element(node, s);
  }

  // A parallel block: each branch at the block's scale, elements in series
  // within a branch sharing its resistance.
  void Block(int n, const Scale& s) {
    for (const int child : Node(n).children) {
      const CircuitNode& c = Node(child);
      if (c.type == CircuitNode::Type::kElement) {
        Element(c, s);
      } else if (c.type == CircuitNode::Type::kParallel) {
        Block(child, s);
      } else {
        Branch(child, s);
      }
    }
  }

  void Branch(int n, const Scale& s) {
    int resistors = 0;
    for (const int child : Node(n).children) {
      const CircuitNode& c = Node(child);
      if (c.type == CircuitNode::Type::kElement && c.element == ElementKind::kR) ++resistors;
    }
    for (const int child : Node(n).children) {
      const CircuitNode& c = Node(child);
      if (c.type == CircuitNode::Type::kParallel) {
        // A block nested in a branch shows below the outer block's arc.
        Block(child, {s.r, std::sqrt(s.omega * s.omegaLow), s.omegaLow});
        continue;
      }
      Scale own = s;
      switch (c.element) {
        case ElementKind::kR:
          own.r = s.r / std::max(resistors, 1);
          break;
        case ElementKind::kC:
        case ElementKind::kCpe:
          own.omega = s.omegaLow;
          break;
        default:
          break;
      }
      Element(c, own);
    }
  }

  const Circuit& c_;
  const Features& f_;
  const Variant& v_;
  std::vector<double>& values_;
};

}  // namespace

std::vector<std::vector<double>> AutomaticStarts(const Circuit& circuit,
                                                 const ImpedanceSpectrum& spectrum) {
  const Features features = Describe(spectrum);
  const Variant variants[] = {
      {},
      {.spread = true},
      {.reversed = true},
      {.timeScale = 3.0},
      {.timeScale = 1.0 / 3.0},
      {.diffusionScale = 10.0},
      {.diffusionScale = 0.1},
      {.spread = true, .reversed = true},
  };
  std::vector<std::vector<double>> out;
  for (const Variant& v : variants) {
    std::vector<double> values(circuit.parameters().size(), 1.0);
    Starter(circuit, features, v, values).Run();
    for (double& x : values) {
      if (!std::isfinite(x) || x <= 0.0) x = 1.0;
    }
    if (std::find(out.begin(), out.end(), values) == out.end()) out.push_back(std::move(values));
  }
  return out;
}

}  // namespace fernplot
