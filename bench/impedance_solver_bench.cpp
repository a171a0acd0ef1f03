// SPDX-License-Identifier: MIT
// The circuit fits of fernplot_impedance_bench through Ceres Solver's
// Levenberg–Marquardt instead of Eigen's, from the same automatic starting
// candidates, with the same residuals, analytic Jacobian and stop (relative
// cost change 1e-10): the measurement behind the choice of solver.

#include <benchmark/benchmark.h>
#include <ceres/ceres.h>

#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <random>
#include <vector>

#include "analysis/impedance/circuit_fit.h"
#include "analysis/impedance/circuit_problem.h"
#include "analysis/impedance/circuit_start.h"

namespace fernplot {
namespace {

struct Data {
  Circuit circuit;
  ImpedanceSpectrum spectrum;
};

Data Spectrum(const char* text, const std::vector<double>& values, double f0, double f1,
              int count) {
  Data d{*ParseCircuit(text).circuit, {}};
  std::mt19937 random(2024);
  std::normal_distribution<double> gauss(0.0, 1e-3);
  for (int k = 0; k < count; ++k) {
    const double f = f0 * std::pow(f1 / f0, static_cast<double>(k) / (count - 1));
    d.spectrum.frequency.push_back(f);
    const double a = gauss(random), b = gauss(random);
    d.spectrum.impedance.push_back(d.circuit.Impedance(2.0 * std::numbers::pi * f, values) *
                                   std::complex<double>(1.0 + a, b));
  }
  return d;
}

class Cost final : public ceres::CostFunction {
 public:
  explicit Cost(const CircuitProblem& problem) : problem_(problem) {
    set_num_residuals(problem.Residuals());
    mutable_parameter_block_sizes()->push_back(problem.Variables());
  }
  bool Evaluate(double const* const* parameters, double* residuals,
                double** jacobians) const override {
    const auto n = static_cast<size_t>(problem_.Variables());
    const auto m = static_cast<size_t>(problem_.Residuals());
    problem_.Evaluate({parameters[0], n}, {residuals, m},
                      jacobians && jacobians[0] ? jacobians[0] : nullptr, true);
    for (size_t i = 0; i < m; ++i) {
      if (!std::isfinite(residuals[i])) return false;
    }
    return true;
  }

 private:
  const CircuitProblem& problem_;
};

struct Outcome {
  double chiSquare = std::numeric_limits<double>::infinity();
  int converged = 0;
  int iterations = 0;
};

Outcome CeresFit(const Data& d, CircuitWeight weight) {
  const std::vector<std::vector<double>> starts = AutomaticStarts(d.circuit, d.spectrum);
  const CircuitProblem problem(d.circuit, d.spectrum, weight, starts.front(), {});
  Cost cost(problem);
  Outcome out;
  for (const std::vector<double>& s : starts) {
    std::vector<double> x = problem.ToVariables(s);
    ceres::Problem::Options po;
    po.cost_function_ownership = ceres::DO_NOT_TAKE_OWNERSHIP;
    ceres::Problem p(po);
    p.AddResidualBlock(&cost, nullptr, x.data());
    ceres::Solver::Options o;
    o.minimizer_type = ceres::TRUST_REGION;
    o.trust_region_strategy_type = ceres::LEVENBERG_MARQUARDT;
    o.linear_solver_type = ceres::DENSE_QR;
    o.function_tolerance = 1e-10;
    o.parameter_tolerance = 1e-10;
    o.max_num_iterations = 400;
    o.logging_type = ceres::SILENT;
    ceres::Solver::Summary summary;
    ceres::Solve(o, &p, &summary);
    const double chi = 2.0 * summary.final_cost;
    out.converged += summary.termination_type == ceres::CONVERGENCE;
    if (chi < out.chiSquare) {
      out.chiSquare = chi;
      out.iterations = static_cast<int>(summary.iterations.size());
    }
  }
  return out;
}

void Run(benchmark::State& state, const Data& d, CircuitWeight weight, bool ceres) {
  for (auto _ : state) {
    if (ceres) {
      const Outcome o = CeresFit(d, weight);
      state.counters["chiSquare"] = o.chiSquare;
      state.counters["convergedStarts"] = o.converged;
      state.counters["iterations"] = o.iterations;
    } else {
      const CircuitFitResult r =
          FitCircuit(d.circuit, d.spectrum.frequency, d.spectrum.impedance, {.weight = weight});
      state.counters["chiSquare"] = r.chiSquare;
      state.counters["iterations"] = r.iterations;
    }
  }
}

const Data& Randles() {
  static const Data d = Spectrum("R0-p(R1-Wo1,C1)", {5.0, 50.0, 100.0, 10.0, 2e-5}, 1e-3, 1e5, 57);
  return d;
}
const Data& Battery() {
  static const Data d = Spectrum("R0-p(R1,C1)-p(R2-Wo1,C2)",
                                 {0.015, 0.01, 0.05, 0.008, 0.06, 80.0, 2.0}, 1e-3, 1e4, 61);
  return d;
}

void BM_RandlesEigen(benchmark::State& s) {
  Run(s, Randles(), CircuitWeight::kModulus, false);
}
void BM_RandlesCeres(benchmark::State& s) {
  Run(s, Randles(), CircuitWeight::kModulus, true);
}
void BM_SevenEigen(benchmark::State& s) {
  Run(s, Battery(), CircuitWeight::kUnit, false);
}
void BM_SevenCeres(benchmark::State& s) {
  Run(s, Battery(), CircuitWeight::kUnit, true);
}
BENCHMARK(BM_RandlesEigen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RandlesCeres)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SevenEigen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SevenCeres)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fernplot

BENCHMARK_MAIN();
