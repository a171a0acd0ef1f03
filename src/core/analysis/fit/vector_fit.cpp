// SPDX-License-Identifier: MIT
// The numerical core of the model fit: relaxed vector fitting of a fixed
// number of poles, the residues, zeros and errors of the result.
#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "analysis/fit/rational_fit.h"

namespace fernplot::fit {

constexpr double kPi = std::numbers::pi;

namespace {

using Eigen::MatrixXd;
using Eigen::VectorXd;

// The relocation passes use at most this many points, evenly thinned; the
// poles of a smooth response need no more, and the passes stay fast on long
// sweeps. The last passes and the residues use every point.
constexpr size_t kRelocationPoints = 2000;
constexpr int kMaxPasses = 15;
constexpr int kFullPasses = 2;
// A pole pair starts with Q = 50: lightly damped pairs relocate reliably.
constexpr double kStartDamping = 0.01;
int RealOrder(const Poles& poles) {
  int n = 0;
  for (const Complex& p : poles) n += p.imag() > 0.0 ? 2 : 1;
  return n;
}

// The partial-fraction basis at s: 1/(s−a) for a real pole, and for a pair
// the real combinations 1/(s−a) + 1/(s−a*) and j/(s−a) − j/(s−a*), whose real
// coefficients c1, c2 stand for the residues c1 ± j·c2.
void Basis(const Poles& poles, Complex s, Complex* out) {
  for (const Complex& a : poles) {
    if (a.imag() > 0.0) {
      const Complex u = 1.0 / (s - a);
      const Complex v = 1.0 / (s - std::conj(a));
      *out++ = u + v;
      *out++ = Complex(0.0, 1.0) * (u - v);
    } else {
      *out++ = 1.0 / (s - a);
    }
  }
}

// The real state matrix of the poles with input vector b, such that
// cᵀ(sI − A)⁻¹b is the partial-fraction sum with the coefficients of Basis.
void StateSpace(const Poles& poles, MatrixXd& a, VectorXd& b) {
  const int n = RealOrder(poles);
  a = MatrixXd::Zero(n, n);
  b = VectorXd::Zero(n);
  int i = 0;
  for (const Complex& p : poles) {
    if (p.imag() > 0.0) {
      a(i, i) = p.real();
      a(i, i + 1) = p.imag();
      a(i + 1, i) = -p.imag();
      a(i + 1, i + 1) = p.real();
      b(i) = 2.0;
      i += 2;
    } else {
      a(i, i) = p.real();
      b(i) = 1.0;
      i += 1;
    }
  }
}

// The eigenvalues of a real matrix as Poles (real ones and the upper member
// of each pair); nothing when one is not finite.
std::optional<Poles> RealEigenvalues(const MatrixXd& m) {
  Eigen::EigenSolver<MatrixXd> solver(m, false);
  if (solver.info() != Eigen::Success) return std::nullopt;
  Poles out;
  for (const Complex& e : solver.eigenvalues()) {
    if (!std::isfinite(e.real()) || !std::isfinite(e.imag())) return std::nullopt;
    // The real Schur form gives the members of a pair as exact conjugates.
    if (e.imag() > 0.0) {
      out.push_back(e);
    } else if (e.imag() == 0.0) {
      out.push_back(e);
    }
  }
  return out;
}

// Solves min |M x − rhs| by Householder QR with the columns scaled to unit
// length first, which keeps columns of very different sizes apart.
std::optional<VectorXd> LeastSquares(MatrixXd& m, const VectorXd& rhs) {
  VectorXd scale(m.cols());
  for (Eigen::Index c = 0; c < m.cols(); ++c) {
    const double norm = m.col(c).norm();
    scale(c) = norm > 0.0 ? 1.0 / norm : 1.0;
    m.col(c) *= scale(c);
  }
  VectorXd x = m.householderQr().solve(rhs);
  x.array() *= scale.array();
  if (!x.allFinite()) return std::nullopt;
  return x;
}

Poles StartingPoles(int order, double xmin, double xmax) {
  Poles poles;
  const int pairs = order / 2;
  const double lmin = std::log(xmin);
  const double lmax = std::log(xmax);
  for (int i = 0; i < pairs; ++i) {
    const double t = pairs == 1 ? 0.5 : static_cast<double>(i) / (pairs - 1);
    const double beta = std::exp(lmin + t * (lmax - lmin));
    poles.emplace_back(-kStartDamping * beta, beta);
  }
  if (order % 2) poles.emplace_back(-std::exp(0.5 * (lmin + lmax)), 0.0);
  return poles;
}

// Rows r and r + 1 (real and imaginary parts) of the weighted fit of the
// response: each basis function times the point's weight, then the constant's
// column. Relocation and the final solve share this block.
void PutWeightedBasis(MatrixXd& m, Eigen::Index r, const std::vector<Complex>& phi, double w) {
  const auto n = static_cast<Eigen::Index>(phi.size());
  for (Eigen::Index i = 0; i < n; ++i) {
    const Complex a = phi[static_cast<size_t>(i)] * w;
    m(r, i) = a.real();
    m(r + 1, i) = a.imag();
  }
  m(r, n) = w;
  m(r + 1, n) = 0.0;
}

// One pass of relaxed pole relocation over `samples`.
std::optional<Poles> Relocate(std::span<const Sample> samples, const Poles& poles) {
  const int n = RealOrder(poles);
  const auto rows = static_cast<Eigen::Index>(2 * samples.size());
  MatrixXd m(rows + 1, 2 * n + 2);
  VectorXd rhs = VectorXd::Zero(rows + 1);
  VectorXd basisSum = VectorXd::Zero(n);
  std::vector<Complex> phi(static_cast<size_t>(n));
  for (size_t k = 0; k < samples.size(); ++k) {
    const Sample& sm = samples[k];
    const double w = 1.0 / std::abs(sm.h);
    Basis(poles, Complex(0.0, sm.x), phi.data());
    const auto r = static_cast<Eigen::Index>(2 * k);
    PutWeightedBasis(m, r, phi, w);
    for (int i = 0; i < n; ++i) {
      const Complex b = -sm.h * (phi[static_cast<size_t>(i)] * w);
      m(r, n + 1 + i) = b.real();
      m(r + 1, n + 1 + i) = b.imag();
      basisSum(i) += phi[static_cast<size_t>(i)].real();
    }
    const Complex hw = -sm.h * w;
    m(r, 2 * n + 1) = hw.real();
    m(r + 1, 2 * n + 1) = hw.imag();
  }
  // The relaxation: the real part of σ summed over the points equals their
  // number, which rules out the trivial solution without pinning σ's constant
  // to 1. The row is weighted like one of the others.
  const auto count = static_cast<double>(samples.size());
  const double weight = std::sqrt(count) / count;
  m.row(rows).setZero();
  for (int i = 0; i < n; ++i) m(rows, n + 1 + i) = basisSum(i) * weight;
  m(rows, 2 * n + 1) = count * weight;
  rhs(rows) = count * weight;

  MatrixXd work = m;
  std::optional<VectorXd> x = LeastSquares(work, rhs);
  if (!x) return std::nullopt;
  double dSigma = (*x)(2 * n + 1);
  VectorXd cSigma = x->segment(n + 1, n);
  if (std::abs(dSigma) < 1e-8) {
    // σ's constant too near 0 to divide by: fix it at a small value and solve
    // again without the relaxation row.
    dSigma = dSigma < 0.0 ? -1e-8 : 1e-8;
    MatrixXd fixed = m.topLeftCorner(rows, 2 * n + 1);
    const VectorXd fixedRhs = -m.col(2 * n + 1).head(rows) * dSigma;
    x = LeastSquares(fixed, fixedRhs);
    if (!x) return std::nullopt;
    cSigma = x->segment(n + 1, n);
  }
  MatrixXd a;
  VectorXd b;
  StateSpace(poles, a, b);
  std::optional<Poles> next = RealEigenvalues(a - b * cSigma.transpose() / dSigma);
  if (!next) return std::nullopt;
  for (Complex& p : *next) {
    if (p.real() > 0.0) p = Complex(-p.real(), p.imag());  // reflected: stable
  }
  return next;
}

Complex EvaluateRational(const Rational& r, Complex s, std::vector<Complex>& phi) {
  Basis(r.poles, s, phi.data());
  Complex sum = r.d;
  for (size_t i = 0; i < phi.size(); ++i) sum += r.c(static_cast<Eigen::Index>(i)) * phi[i];
  return sum;
}

double MaxRelativeChange(Poles a, Poles b) {
  if (a.size() != b.size()) return 1.0;
  const auto order = [](const Complex& x, const Complex& y) {
    return x.imag() != y.imag() ? x.imag() < y.imag() : x.real() < y.real();
  };
  std::sort(a.begin(), a.end(), order);
  std::sort(b.begin(), b.end(), order);
  double change = 0.0;
  for (size_t i = 0; i < a.size(); ++i) {
    change = std::max(change, std::abs(a[i] - b[i]) / std::max(std::abs(a[i]), 1e-300));
  }
  return change;
}

}  // namespace

std::optional<Rational> SolveResidues(std::span<const Sample> samples, const Poles& poles) {
  const int n = RealOrder(poles);
  const auto rows = static_cast<Eigen::Index>(2 * samples.size());
  MatrixXd m(rows, n + 1);
  VectorXd rhs(rows);
  std::vector<Complex> phi(static_cast<size_t>(n));
  for (size_t k = 0; k < samples.size(); ++k) {
    const Sample& sm = samples[k];
    const double w = 1.0 / std::abs(sm.h);
    Basis(poles, Complex(0.0, sm.x), phi.data());
    const auto r = static_cast<Eigen::Index>(2 * k);
    PutWeightedBasis(m, r, phi, w);
    rhs(r) = sm.h.real() * w;
    rhs(r + 1) = sm.h.imag() * w;
  }
  std::optional<VectorXd> x = LeastSquares(m, rhs);
  if (!x) return std::nullopt;
  return Rational{poles, x->head(n), (*x)(n)};
}
double RelativeRms(std::span<const Sample> samples, const Rational& r) {
  std::vector<Complex> phi(static_cast<size_t>(RealOrder(r.poles)));
  double sum = 0.0;
  for (const Sample& sm : samples) {
    sum += std::norm((EvaluateRational(r, Complex(0.0, sm.x), phi) - sm.h) / sm.h);
  }
  return std::sqrt(sum / static_cast<double>(samples.size()));
}

// The RMS of |log(H / L)|: ln of the gain ratio and the phase difference in
// radians. Near a good fit it equals the relative error; far from one it does
// not saturate, so a model of too low an order that misses a slope by decades
// still tells how far off it is.
double LogRms(std::span<const Sample> samples, const Rational& r) {
  std::vector<Complex> phi(static_cast<size_t>(RealOrder(r.poles)));
  double sum = 0.0;
  for (const Sample& sm : samples) {
    const Complex ratio = EvaluateRational(r, Complex(0.0, sm.x), phi) / sm.h;
    sum += std::norm(Complex(std::log(std::abs(ratio)), std::arg(ratio)));
  }
  return std::sqrt(sum / static_cast<double>(samples.size()));
}
// Vector fitting of `samples` with `order` poles.
std::optional<Rational> FitOrder(std::span<const Sample> samples, int order) {
  double xmin = samples.front().x;
  double xmax = xmin;
  for (const Sample& sm : samples) {
    xmin = std::min(xmin, sm.x);
    xmax = std::max(xmax, sm.x);
  }
  Poles poles = StartingPoles(order, xmin, xmax);

  std::vector<Sample> thinned;
  std::span<const Sample> relocation = samples;
  if (samples.size() > kRelocationPoints) {
    const size_t stride = (samples.size() + kRelocationPoints - 1) / kRelocationPoints;
    for (size_t k = 0; k < samples.size(); k += stride) thinned.push_back(samples[k]);
    if ((samples.size() - 1) % stride) thinned.push_back(samples.back());
    relocation = thinned;
  }
  for (int pass = 0; pass < kMaxPasses; ++pass) {
    std::optional<Poles> next = Relocate(relocation, poles);
    if (!next) return std::nullopt;
    const double change = MaxRelativeChange(poles, *next);
    poles = std::move(*next);
    if (change < 1e-10) break;
  }
  if (!thinned.empty()) {
    for (int pass = 0; pass < kFullPasses; ++pass) {
      std::optional<Poles> next = Relocate(samples, poles);
      if (!next) return std::nullopt;
      poles = std::move(*next);
    }
  }
  return SolveResidues(samples, poles);
}
std::vector<Sample> Samples(std::span<const UsablePoint> points, double scale, double delay) {
  std::vector<Sample> out;
  out.reserve(points.size());
  for (const UsablePoint& p : points) {
    const double magnitude = std::pow(10.0, p.gain / 20.0);
    const double phase = p.unwrapped * (kPi / 180.0) + 2.0 * kPi * p.frequency * delay;
    out.push_back({p.frequency / scale, std::polar(magnitude, phase)});
  }
  return out;
}

// Pole or zero lists in Hz with both members of each pair, ascending |p|.
std::vector<Complex> BothMembers(const Poles& roots, double scale) {
  Poles sorted = roots;
  std::sort(sorted.begin(), sorted.end(), [](const Complex& a, const Complex& b) {
    return std::abs(a) != std::abs(b) ? std::abs(a) < std::abs(b) : a.imag() < b.imag();
  });
  std::vector<Complex> out;
  for (const Complex& r : sorted) {
    out.push_back(r * scale);
    if (r.imag() > 0.0) out.push_back(std::conj(r) * scale);
  }
  return out;
}

void AddSections(const std::vector<Complex>& roots, bool zeros, std::vector<FitSection>& out) {
  for (const Complex& r : roots) {
    if (r.imag() < 0.0) continue;
    const double f = std::abs(r);
    if (r.imag() > 0.0) {
      out.push_back(
          {zeros ? SectionKind::kZeroPair : SectionKind::kPolePair, f, f / (-2.0 * r.real())});
    } else {
      out.push_back({zeros ? SectionKind::kZero : SectionKind::kPole, f, 0.0});
    }
  }
}

void MeasureErrors(std::span<const UsablePoint> points, FitModel& model) {
  double db = 0.0;
  double deg = 0.0;
  double rel = 0.0;
  for (const UsablePoint& p : points) {
    const Complex h = EvaluateModel(model, p.frequency);
    const Complex l = std::polar(std::pow(10.0, p.gain / 20.0), p.unwrapped * (kPi / 180.0));
    const double e = 20.0 * std::log10(std::abs(h)) - p.gain;
    const double a = WrapDegrees(std::arg(h) * (180.0 / kPi) - p.phase);
    db += e * e;
    deg += a * a;
    rel += std::norm((h - l) / l);
  }
  const auto count = static_cast<double>(points.size());
  model.rmsErrorDb = std::sqrt(db / count);
  model.rmsErrorDeg = std::sqrt(deg / count);
  model.relativeRms = std::sqrt(rel / count);
}

// The zeros of cᵀ(sI − A)⁻¹b + d: the finite generalised eigenvalues of the
// pencil ([A b; cᵀ d], [I 0; 0 0]). The QZ algorithm works on the pencil as
// it is; dividing by d, which is tiny when the response falls off faster than
// one pole, would lose the zeros in the band to rounding.
std::optional<Poles> Zeros(const Rational& r) {
  MatrixXd a;
  VectorXd b;
  StateSpace(r.poles, a, b);
  const Eigen::Index n = a.rows();
  MatrixXd s(n + 1, n + 1);
  s << a, b, r.c.transpose(), r.d;
  MatrixXd e = MatrixXd::Identity(n + 1, n + 1);
  e(n, n) = 0.0;
  Eigen::GeneralizedEigenSolver<MatrixXd> solver(s, e, false);
  if (solver.info() != Eigen::Success) return std::nullopt;
  Poles out;
  for (Eigen::Index i = 0; i <= n; ++i) {
    const double beta = solver.betas()(i);
    const Complex alpha = solver.alphas()(i);
    if (beta == 0.0) continue;  // infinite
    const Complex z = alpha / beta;
    if (!std::isfinite(z.real()) || !std::isfinite(z.imag())) continue;
    if (z.imag() >= 0.0) out.push_back(z);  // pairs come as exact conjugates
  }
  return out;
}

double BestGain(std::span<const UsablePoint> points, const FitModel& roots) {
  FitModel model = roots;
  model.gain = 1.0;
  double num = 0.0;
  double den = 0.0;
  for (const UsablePoint& p : points) {
    const Complex m = EvaluateModel(model, p.frequency);
    const Complex l = std::polar(std::pow(10.0, p.gain / 20.0), p.unwrapped * (kPi / 180.0));
    // Weighted by 1/|l|²: the relative error.
    num += (std::conj(m) * l).real() / std::norm(l);
    den += std::norm(m) / std::norm(l);
  }
  return num / den;
}

}  // namespace fernplot::fit

namespace fernplot {

using fit::Complex;
using fit::kPi;

double RelativeNoiseFloor(std::span<const UsablePoint> points) {
  // Each point is compared with the cubic through its two neighbours on
  // either side (in log frequency), which follows the curve itself far more
  // closely than the noise does.
  const auto value = [](const UsablePoint& q) {
    return std::polar(std::pow(10.0, q.gain / 20.0), q.unwrapped * (kPi / 180.0));
  };
  std::vector<double> scatter;
  for (size_t k = 2; k + 2 < points.size(); ++k) {
    const size_t around[] = {k - 2, k - 1, k + 1, k + 2};
    double x[4];
    for (int i = 0; i < 4; ++i) x[i] = std::log(points[around[i]].frequency);
    const double xk = std::log(points[k].frequency);
    Complex cubic = 0.0;
    double noiseGain = 1.0;
    bool distinct = true;
    for (int i = 0; i < 4; ++i) {
      double weight = 1.0;  // the Lagrange weight of neighbour i at xk
      for (int j = 0; j < 4; ++j) {
        if (j == i) continue;
        if (!(x[i] != x[j])) distinct = false;
        weight *= (xk - x[j]) / (x[i] - x[j]);
      }
      cubic += weight * value(points[around[i]]);
      noiseGain += weight * weight;
    }
    if (!distinct) continue;
    const Complex here = value(points[k]);
    // The neighbours' noise enters the cubic with the squares of the weights.
    scatter.push_back(std::abs(here - cubic) / std::abs(here) / std::sqrt(noiseGain));
  }
  if (scatter.empty()) return 0.0;
  // The median keeps the few points where the curve itself bends sharply
  // (a resonance) from passing for noise; for noise of equal spread in both
  // components the median of |e| is sqrt(ln 2) times its RMS.
  const auto mid = scatter.begin() + static_cast<std::ptrdiff_t>(scatter.size() / 2);
  std::nth_element(scatter.begin(), mid, scatter.end());
  return *mid / std::sqrt(std::log(2.0));
}

std::complex<double> EvaluateModel(const FitModel& model, double frequency) {
  const Complex s(0.0, frequency);
  Complex h = model.gain;
  // Zeros and poles alternate so that a long product stays in range.
  const size_t n = std::max(model.poles.size(), model.zeros.size());
  for (size_t i = 0; i < n; ++i) {
    if (i < model.zeros.size()) h *= s - model.zeros[i];
    if (i < model.poles.size()) h /= s - model.poles[i];
  }
  return h * std::polar(1.0, -2.0 * kPi * frequency * model.delay);
}

ModelGains GainsOfModel(const FitModel& model) {
  ModelGains g;
  g.lowestHz = model.fittedFrom;
  g.lowestDb = 20.0 * std::log10(std::abs(EvaluateModel(model, model.fittedFrom)));
  // H(0) = gain · Π(−z) / Π(−p): real, as the roots come in conjugate pairs.
  Complex product = model.gain;
  const size_t n = std::max(model.poles.size(), model.zeros.size());
  for (size_t i = 0; i < n; ++i) {
    if (i < model.zeros.size()) product *= -model.zeros[i];
    if (i < model.poles.size()) product /= -model.poles[i];
  }
  const double dc = product.real();
  if (std::isfinite(dc) && dc != 0.0) {
    g.dcDb = 20.0 * std::log10(std::abs(dc));
    g.dcInverted = dc < 0.0;
  }
  return g;
}

}  // namespace fernplot
