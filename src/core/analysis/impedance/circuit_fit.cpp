// SPDX-License-Identifier: MIT
#include "analysis/impedance/circuit_fit.h"

#include <Eigen/Dense>
#include <charconv>
#include <chrono>
#include <cmath>
#include <limits>
#include <numbers>
#include <random>
#include <unsupported/Eigen/NonLinearOptimization>

#include "analysis/impedance/circuit_problem.h"
#include "analysis/impedance/circuit_start.h"

namespace fernplot {

namespace {

using Clock = std::chrono::steady_clock;
using Eigen::MatrixXd;
using Eigen::VectorXd;

double Since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

constexpr double kRejected = 1e100;

// The problem as Eigen's Levenberg–Marquardt solver takes it.
struct Functor {
  using Scalar = double;
  enum { InputsAtCompileTime = Eigen::Dynamic, ValuesAtCompileTime = Eigen::Dynamic };
  using InputType = VectorXd;
  using ValueType = VectorXd;
  using JacobianType = MatrixXd;

  const CircuitProblem& problem;
  int inputs() const { return problem.Variables(); }
  int values() const { return problem.Residuals(); }
  int operator()(const VectorXd& x, VectorXd& f) const {
    problem.Evaluate({x.data(), static_cast<size_t>(x.size())},
                     {f.data(), static_cast<size_t>(f.size())});
    // A trial step far out (a value overflowing) costs so much that the
    // solver turns it down and tries a shorter one.
    for (Eigen::Index i = 0; i < f.size(); ++i) {
      if (!std::isfinite(f(i))) f(i) = kRejected;
    }
    return 0;
  }
  int df(const VectorXd& x, MatrixXd& j) const {
    VectorXd f(values());
    problem.Evaluate({x.data(), static_cast<size_t>(x.size())},
                     {f.data(), static_cast<size_t>(f.size())}, j.data());
    return j.allFinite() ? 0 : -1;
  }
};

struct LocalFit {
  std::vector<double> variables;
  double cost = 0.0;  // chi-square
  bool converged = false;
  int iterations = 0;
};

double Cost(const CircuitProblem& problem, std::span<const double> variables) {
  VectorXd f(problem.Residuals());
  problem.Evaluate(variables, {f.data(), static_cast<size_t>(f.size())});
  return f.allFinite() ? f.squaredNorm() : std::numeric_limits<double>::infinity();
}

LocalFit Solve(const CircuitProblem& problem, std::vector<double> start,
               const CircuitFitOptions& options) {
  LocalFit out;
  if (problem.Variables() == 0) {
    out.cost = Cost(problem, {});
    out.converged = true;
    return out;
  }
  Functor functor{problem};
  Eigen::LevenbergMarquardt<Functor> lm(functor);
  lm.parameters.ftol = options.costTolerance;
  lm.parameters.xtol = options.costTolerance;
  lm.parameters.maxfev = options.maxIterations;
  VectorXd x = Eigen::Map<const VectorXd>(start.data(), static_cast<Eigen::Index>(start.size()));
  namespace space = Eigen::LevenbergMarquardtSpace;
  const space::Status status = lm.minimize(x);
  out.variables.assign(x.data(), x.data() + x.size());
  out.cost = Cost(problem, out.variables);
  out.iterations = static_cast<int>(lm.iter);
  // The solver's other stops (a step or gradient too small for the cost to
  // change in double precision) are convergence too; the iteration limit,
  // a failed evaluation and bad input are not.
  out.converged = std::isfinite(out.cost) && status != space::TooManyFunctionEvaluation &&
                  status != space::ImproperInputParameters && status != space::UserAsked;
  return out;
}

// The standard errors of the free parameters at `variables`, from the
// Jacobian by the parameters (scaled by their values, for a well-conditioned
// decomposition).
std::vector<std::optional<double>> StandardErrors(const CircuitProblem& problem,
                                                  std::span<const double> variables,
                                                  double chiSquare) {
  const int m = problem.Residuals(), n = problem.Variables();
  std::vector<std::optional<double>> out(static_cast<size_t>(n));
  if (n == 0 || m <= n) return out;
  VectorXd f(m);
  MatrixXd j(m, n);
  problem.Evaluate(variables, {f.data(), static_cast<size_t>(m)}, j.data(), false, true);
  if (!j.allFinite()) return out;
  const Eigen::JacobiSVD<MatrixXd> svd(j, Eigen::ComputeThinV);
  const VectorXd& sigma = svd.singularValues();
  const double variance = chiSquare / (m - n);
  for (int k = 0; k < n; ++k) {
    double sum = 0.0;
    for (int i = 0; i < n; ++i) {
      const double v = svd.matrixV()(k, i);
      sum += sigma(i) > 0.0 ? v * v / (sigma(i) * sigma(i))
                            : (v != 0.0 ? std::numeric_limits<double>::infinity() : 0.0);
    }
    // Relative to the value (the columns were scaled by it).
    const double relative = std::sqrt(sum * variance);
    if (std::isfinite(relative) && relative <= 1.0) out[static_cast<size_t>(k)] = relative;
  }
  return out;
}

std::string Quoted(std::string_view text) {
  std::string out = "'";
  out += text;
  out += '\'';
  return out;
}

}  // namespace

std::string_view CircuitWeightName(CircuitWeight weight) {
  switch (weight) {
    case CircuitWeight::kModulus:
      return "modulus";
    case CircuitWeight::kUnit:
      return "unit";
    case CircuitWeight::kProportional:
      return "proportional";
  }
  return "";
}

std::optional<CircuitWeight> ParseCircuitWeight(std::string_view name) {
  for (const CircuitWeight w :
       {CircuitWeight::kModulus, CircuitWeight::kUnit, CircuitWeight::kProportional}) {
    if (name == CircuitWeightName(w)) return w;
  }
  return std::nullopt;
}

std::vector<double> CircuitFitResult::Values() const {
  std::vector<double> out;
  for (const FittedParameter& p : parameters) out.push_back(p.value);
  return out;
}

std::string CheckInitialValues(std::span<const InitialValue> values, const Circuit& circuit) {
  std::vector<bool> seen(circuit.parameters().size(), false);
  for (const InitialValue& v : values) {
    const std::optional<int> k = circuit.FindParameter(v.name);
    if (!k) return v.name + " is not a parameter of " + circuit.text();
    if (seen[static_cast<size_t>(*k)]) return v.name + " is given twice";
    seen[static_cast<size_t>(*k)] = true;
    if (!v.value) continue;
    const double x = *v.value;
    if (circuit.parameters()[static_cast<size_t>(*k)].range == ParameterRange::kExponent) {
      if (!(x > 0.0 && x <= 1.0)) return v.name + " must lie in (0, 1]";
    } else if (!(std::isfinite(x) && x > 0.0)) {
      return v.name + " must be a positive number";
    }
  }
  return {};
}

InitialValuesParse ParseInitialValues(std::string_view text, const Circuit& circuit) {
  InitialValuesParse out;
  while (!text.empty()) {
    const size_t comma = text.find(',');
    const std::string_view entry = text.substr(0, comma);
    text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
    const size_t equals = entry.find('=');
    if (equals == std::string_view::npos) {
      out.error = Quoted(entry) + ": NAME=VALUE expected";
      return out;
    }
    InitialValue v;
    v.name = std::string(entry.substr(0, equals));
    const std::string_view number = entry.substr(equals + 1);
    double x = 0.0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), x);
    if (number.empty() || ec != std::errc() || end != number.data() + number.size()) {
      out.error = Quoted(entry) + ": not a number";
      return out;
    }
    v.value = x;
    out.values.push_back(std::move(v));
  }
  out.error = CheckInitialValues(out.values, circuit);
  if (!out.error.empty()) out.values.clear();
  return out;
}

CircuitFitResult FitCircuit(const Circuit& circuit, std::span<const double> frequency,
                            std::span<const std::complex<double>> impedance,
                            const CircuitFitOptions& options) {
  const Clock::time_point begin = Clock::now();
  CircuitFitResult result;
  result.circuit = circuit.text();
  result.weight = options.weight;
  SpectrumSelection selection = SelectSpectrum(frequency, impedance, options.fmin, options.fmax);
  if (!selection.error.empty()) {
    result.error = selection.error;
    return result;
  }
  const ImpedanceSpectrum& spectrum = selection.spectrum;
  result.points = static_cast<int>(spectrum.frequency.size());
  result.error = CheckInitialValues(options.initial, circuit);
  if (!result.error.empty()) return result;

  const size_t count = circuit.parameters().size();
  std::vector<std::optional<double>> given(count);
  std::vector<bool> fixed(count, false);
  for (const InitialValue& v : options.initial) {
    const auto k = static_cast<size_t>(*circuit.FindParameter(v.name));
    given[k] = v.value;
    fixed[k] = v.fixed;
  }
  const int freeCount = static_cast<int>(std::count(fixed.begin(), fixed.end(), false));
  if (result.points == 0 || 2 * result.points < freeCount) {
    result.error = std::to_string(result.points) + " points cannot determine " +
                   std::to_string(freeCount) + " parameters";
    return result;
  }

  // Every candidate with the given values put in (only one when every value
  // is given); a free exponent of exactly 1 starts just below, where its
  // variable is not stationary. The global search also starts from the
  // automatic candidates as they are.
  const std::vector<std::vector<double>> automatic = AutomaticStarts(circuit, spectrum);
  const bool allGiven =
      std::all_of(given.begin(), given.end(), [](const auto& g) { return g.has_value(); });
  std::vector<std::vector<double>> starts;
  const auto add = [&](std::vector<double> s, bool useGiven) {
    for (size_t k = 0; k < count; ++k) {
      if (given[k] && (useGiven || fixed[k])) s[k] = *given[k];
      if (!fixed[k] && circuit.parameters()[k].range == ParameterRange::kExponent)
        s[k] = std::min(s[k], 0.98);
    }
    if (std::find(starts.begin(), starts.end(), s) == starts.end()) starts.push_back(std::move(s));
  };
  for (const std::vector<double>& s : automatic) {
    add(s, true);
    if (allGiven) break;
  }
  if (options.global) {
    for (const std::vector<double>& s : automatic) add(s, false);
  }

  const CircuitProblem problem(circuit, spectrum, options.weight, starts.front(), fixed);
  LocalFit best;
  best.cost = std::numeric_limits<double>::infinity();
  // Each improvement: its cost, start and time.
  struct Improvement {
    double cost;
    int start;
    double seconds;
  };
  std::vector<Improvement> improvements;
  const auto consider = [&](const std::vector<double>& values) {
    LocalFit fit = Solve(problem, problem.ToVariables(values), options);
    ++result.starts;
    if (result.starts == 1 || fit.cost < best.cost) {
      best = std::move(fit);
      improvements.push_back({best.cost, result.starts, Since(begin)});
    }
  };
  for (const std::vector<double>& s : starts) consider(s);

  if (options.global && freeCount > 0) {
    // Restarts scattered about the starting candidates and the best result
    // so far, in the solver's variables: positive parameters over about
    // two decades either way, exponents anywhere in their range.
    std::mt19937 random(20140101);
    std::normal_distribution<double> gauss(0.0, 1.0);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    size_t round = 0;
    while (Since(begin) < options.globalSeconds) {
      const bool aroundBest = (round % 2 == 0) && !best.variables.empty();
      std::vector<double> centre =
          aroundBest ? problem.ToValues(best.variables) : starts[(round / 2) % starts.size()];
      const double spread = aroundBest ? 1.0 : 2.0;
      for (size_t k = 0; k < count; ++k) {
        if (fixed[k]) continue;
        if (circuit.parameters()[k].range == ParameterRange::kExponent) {
          centre[k] = 0.3 + 0.68 * uniform(random);
        } else {
          centre[k] *= std::pow(10.0, spread * gauss(random));
        }
      }
      consider(centre);
      ++round;
    }
  }

  // When the kept optimum was first reached, to the last digits a rounding
  // apart.
  for (const Improvement& i : improvements) {
    if (i.cost <= best.cost * (1.0 + 1e-9)) {
      result.bestStart = i.start;
      result.secondsToBest = i.seconds;
      break;
    }
  }

  // The kept result and its figures.
  const std::vector<double> values = problem.ToValues(best.variables);
  const std::vector<std::optional<double>> errors =
      StandardErrors(problem, best.variables, best.cost);
  size_t variable = 0;
  for (size_t k = 0; k < count; ++k) {
    FittedParameter p;
    p.name = circuit.parameters()[k].name;
    p.unit = circuit.parameters()[k].unit;
    p.value = values[k];
    p.fixed = fixed[k];
    if (!fixed[k]) {
      if (errors[variable]) p.stdError = *errors[variable] * values[k];
      ++variable;
    }
    result.parameters.push_back(std::move(p));
  }
  double sumOhm = 0.0, sumRelative = 0.0;
  for (size_t i = 0; i < spectrum.frequency.size(); ++i) {
    const double omega = 2.0 * std::numbers::pi * spectrum.frequency[i];
    const double d = std::norm(circuit.Impedance(omega, values) - spectrum.impedance[i]);
    sumOhm += d;
    sumRelative += d / std::norm(spectrum.impedance[i]);
  }
  const double n = static_cast<double>(spectrum.frequency.size());
  result.rmsOhm = std::sqrt(sumOhm / n);
  result.rmsRelative = std::sqrt(sumRelative / n);
  result.chiSquare = best.cost;
  result.converged = best.converged;
  result.iterations = best.iterations;
  result.seconds = Since(begin);
  return result;
}

}  // namespace fernplot
