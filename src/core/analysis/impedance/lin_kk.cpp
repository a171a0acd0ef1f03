// SPDX-License-Identifier: MIT
#include "analysis/impedance/lin_kk.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "analysis/impedance/impedance_points.h"

namespace fernplot {

namespace {

using Complex = std::complex<double>;
using Eigen::MatrixXd;
using Eigen::VectorXd;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

struct Chain {
  double r0 = 0.0, inductance = 0.0, inverseCapacitance = 0.0;
  std::vector<double> tau, r;
};

std::vector<double> TimeConstants(int m, double fmin, double fmax) {
  if (m == 1) return {1.0 / (kTwoPi * fmin)};
  const double first = 1.0 / (kTwoPi * fmax), last = 1.0 / (kTwoPi * fmin);
  std::vector<double> tau(static_cast<size_t>(m));
  for (int k = 0; k < m; ++k) {
    tau[static_cast<size_t>(k)] = std::pow(
        10.0, std::log10(first) + static_cast<double>(k) / (m - 1) * std::log10(last / first));
  }
  return tau;
}

VectorXd Solve(const MatrixXd& a, const VectorXd& b) {
  return a.colPivHouseholderQr().solve(b);
}

Complex ChainImpedance(const Chain& c, double omega) {
  Complex z(c.r0, omega * c.inductance - c.inverseCapacitance / omega);
  for (size_t k = 0; k < c.tau.size(); ++k) z += c.r[k] / Complex(1.0, omega * c.tau[k]);
  return z;
}

// The chain of `m` elements fitted to the spectrum as `options` says.
Chain FitChain(const ImpedanceSpectrum& s, int m, const KkOptions& options) {
  const auto n = static_cast<Eigen::Index>(s.frequency.size());
  Chain c;
  c.tau = TimeConstants(m, s.frequency.front(), s.frequency.back());
  c.r.assign(static_cast<size_t>(m), 0.0);
  const int reactive = options.capacitance ? 2 : 1;  // L, then 1/C
  // Re and Im of R_k/(1 + jωτ_k) per unit R_k.
  const auto basisRe = [&](Eigen::Index i, int k) {
    const double x = kTwoPi * s.frequency[static_cast<size_t>(i)] * c.tau[static_cast<size_t>(k)];
    return 1.0 / (1.0 + x * x);
  };
  const auto basisIm = [&](Eigen::Index i, int k) {
    const double x = kTwoPi * s.frequency[static_cast<size_t>(i)] * c.tau[static_cast<size_t>(k)];
    return -x / (1.0 + x * x);
  };
  const auto omega = [&](Eigen::Index i) { return kTwoPi * s.frequency[static_cast<size_t>(i)]; };
  const auto weight = [&](Eigen::Index i) {
    const double a = std::abs(s.impedance[static_cast<size_t>(i)]);
    return a > 0.0 ? 1.0 / a : 1.0;
  };
  // The columns of L and 1/C in an imaginary row.
  const auto reactiveColumns = [&](MatrixXd& a, Eigen::Index row, Eigen::Index i, Eigen::Index col,
                                   double w) {
    a(row, col) = omega(i) * w;
    if (options.capacitance) a(row, col + 1) = -w / omega(i);
  };
  switch (options.fit) {
    case KkFit::kReal: {
      MatrixXd a(n, 1 + m);
      VectorXd b(n);
      for (Eigen::Index i = 0; i < n; ++i) {
        const double w = weight(i);
        a(i, 0) = w;
        for (int k = 0; k < m; ++k) a(i, 1 + k) = basisRe(i, k) * w;
        b(i) = s.impedance[static_cast<size_t>(i)].real() * w;
      }
      const VectorXd x = Solve(a, b);
      c.r0 = x(0);
      for (int k = 0; k < m; ++k) c.r[static_cast<size_t>(k)] = x(1 + k);
      MatrixXd a2(n, reactive);
      VectorXd b2(n);
      for (Eigen::Index i = 0; i < n; ++i) {
        const double w = weight(i);
        double rest = s.impedance[static_cast<size_t>(i)].imag();
        for (int k = 0; k < m; ++k) rest -= c.r[static_cast<size_t>(k)] * basisIm(i, k);
        reactiveColumns(a2, i, i, 0, w);
        b2(i) = rest * w;
      }
      const VectorXd y = Solve(a2, b2);
      c.inductance = y(0);
      if (options.capacitance) c.inverseCapacitance = y(1);
      break;
    }
    case KkFit::kImag: {
      MatrixXd a(n, m + reactive);
      VectorXd b(n);
      for (Eigen::Index i = 0; i < n; ++i) {
        const double w = weight(i);
        for (int k = 0; k < m; ++k) a(i, k) = basisIm(i, k) * w;
        reactiveColumns(a, i, i, m, w);
        b(i) = s.impedance[static_cast<size_t>(i)].imag() * w;
      }
      const VectorXd x = Solve(a, b);
      for (int k = 0; k < m; ++k) c.r[static_cast<size_t>(k)] = x(k);
      c.inductance = x(m);
      if (options.capacitance) c.inverseCapacitance = x(m + 1);
      // R0 as the mean of what the real parts keep, weighted by 1/|Z|².
      double sum = 0.0, weights = 0.0;
      for (Eigen::Index i = 0; i < n; ++i) {
        const double w = weight(i) * weight(i);
        const double fitted = ChainImpedance(c, omega(i)).real();
        sum += w * (s.impedance[static_cast<size_t>(i)].real() - fitted);
        weights += w;
      }
      c.r0 = sum / weights;
      break;
    }
    case KkFit::kComplex: {
      MatrixXd a = MatrixXd::Zero(2 * n, 1 + reactive + m);
      VectorXd b(2 * n);
      for (Eigen::Index i = 0; i < n; ++i) {
        const double w = weight(i);
        a(i, 0) = w;
        reactiveColumns(a, n + i, i, 1, w);
        for (int k = 0; k < m; ++k) {
          a(i, 1 + reactive + k) = basisRe(i, k) * w;
          a(n + i, 1 + reactive + k) = basisIm(i, k) * w;
        }
        b(i) = s.impedance[static_cast<size_t>(i)].real() * w;
        b(n + i) = s.impedance[static_cast<size_t>(i)].imag() * w;
      }
      const VectorXd x = Solve(a, b);
      c.r0 = x(0);
      c.inductance = x(1);
      if (options.capacitance) c.inverseCapacitance = x(2);
      for (int k = 0; k < m; ++k) c.r[static_cast<size_t>(k)] = x(1 + reactive + k);
      break;
    }
  }
  return c;
}

double Mu(const std::vector<double>& r) {
  double negative = 0.0, positive = 0.0;
  for (const double x : r) (x < 0.0 ? negative : positive) += std::abs(x);
  if (positive == 0.0) return negative == 0.0 ? 1.0 : -std::numeric_limits<double>::infinity();
  return 1.0 - negative / positive;
}

}  // namespace

std::string_view KkFitName(KkFit fit) {
  switch (fit) {
    case KkFit::kReal:
      return "real";
    case KkFit::kImag:
      return "imag";
    case KkFit::kComplex:
      return "complex";
  }
  return "";
}

std::optional<KkFit> ParseKkFit(std::string_view name) {
  for (const KkFit f : {KkFit::kReal, KkFit::kImag, KkFit::kComplex}) {
    if (name == KkFitName(f)) return f;
  }
  return std::nullopt;
}

KkResult KramersKronigTest(std::span<const double> frequency,
                           std::span<const std::complex<double>> impedance,
                           const KkOptions& options) {
  KkResult out;
  out.options = options;
  if (options.maxM < 1) {
    out.error = "the largest number of elements must be 1 or more";
    return out;
  }
  if (!std::isfinite(options.c)) {
    out.error = "c must be a number";
    return out;
  }
  SpectrumSelection selection = SelectSpectrum(frequency, impedance, options.fmin, options.fmax);
  if (!selection.error.empty()) {
    out.error = selection.error;
    return out;
  }
  const ImpedanceSpectrum& s = selection.spectrum;
  const size_t needed = options.capacitance ? 3 : 2;
  if (s.frequency.size() < needed) {
    out.error = std::to_string(s.frequency.size()) + " points are too few for the test";
    return out;
  }
  Chain chain;
  for (int m = 1; m <= options.maxM; ++m) {
    chain = FitChain(s, m, options);
    out.m = m;
    out.mu = Mu(chain.r);
    if (out.mu <= options.c) break;
  }
  out.r0 = chain.r0;
  out.inductance = chain.inductance;
  out.inverseCapacitance = chain.inverseCapacitance;
  out.tau = chain.tau;
  out.r = chain.r;
  out.frequency = s.frequency;
  for (size_t i = 0; i < s.frequency.size(); ++i) {
    const Complex z = s.impedance[i];
    const double a = std::abs(z);
    const Complex d = (z - ChainImpedance(chain, kTwoPi * s.frequency[i])) / (a > 0.0 ? a : 1.0);
    out.residualsReal.push_back(d.real());
    out.residualsImag.push_back(d.imag());
    out.maxResidual = std::max({out.maxResidual, std::abs(d.real()), std::abs(d.imag())});
  }
  return out;
}

std::complex<double> KkImpedance(const KkResult& result, double frequency) {
  Chain c{result.r0, result.inductance, result.inverseCapacitance, result.tau, result.r};
  return ChainImpedance(c, kTwoPi * frequency);
}

}  // namespace fernplot
