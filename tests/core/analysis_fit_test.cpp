// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "analysis/figures_text.h"
#include "analysis/fit/model_text.h"
#include "analysis/fit/resonance_fit.h"
#include "analysis/fit/vector_fit.h"
#include "analysis/sweep_figures.h"
#include "fit_test_sweeps.h"

namespace fernplot {
namespace {

using testing::Complex;
using testing::Join;
using testing::Known;
using testing::Noise;
using testing::Pair;
using testing::Sweep;
constexpr double kPi = std::numbers::pi;

// The RMS difference of two models over a sweep, in dB and degrees.
std::pair<double, double> RmsDifference(const FitModel& a, const FitModel& b,
                                        const std::vector<UsablePoint>& at) {
  double db = 0.0, deg = 0.0;
  for (const UsablePoint& p : at) {
    const Complex ha = EvaluateModel(a, p.frequency);
    const Complex hb = EvaluateModel(b, p.frequency);
    db += std::pow(20.0 * std::log10(std::abs(ha / hb)), 2);
    deg += std::pow(std::arg(ha / hb) * 180.0 / kPi, 2);
  }
  return {std::sqrt(db / at.size()), std::sqrt(deg / at.size())};
}

// The largest relative distance from each of `expected` to the nearest of
// `actual`.
double PoleDistance(const std::vector<Complex>& expected, const std::vector<Complex>& actual) {
  double worst = 0.0;
  for (const Complex& e : expected) {
    double best = HUGE_VAL;
    for (const Complex& a : actual) best = std::min(best, std::abs(a - e) / std::abs(e));
    worst = std::max(worst, best);
  }
  return worst;
}

struct KnownCase {
  const char* name;
  FitModel truth;
  double f0, f1;
};

std::vector<KnownCase> KnownCases() {
  // Butterworth low-passes at 1 kHz of order 1 to 6.
  std::vector<KnownCase> cases;
  for (int order = 1; order <= 6; ++order) {
    std::vector<Complex> poles;
    for (int k = 0; k < order; ++k) {
      const double angle = kPi * (2.0 * k + order + 1) / (2.0 * order);
      Complex p = 1e3 * Complex(std::cos(angle), std::sin(angle));
      if (std::abs(p.imag()) < 1e-9) p = p.real();
      poles.push_back(p);
    }
    cases.push_back({"butterworth", Known(std::pow(1e3, order), poles), 10.0, 1e5});
  }
  cases.push_back({"two resonances and a notch",
                   Known(4e6, Join({Pair(1e3, 5.0), Pair(2e4, 8.0)}), Pair(5e3, 30.0)), 10.0, 1e6});
  cases.push_back({"integrator with two poles",
                   Known(1e8, {Complex(-0.01), Complex(-1e3), Complex(-1e5)}), 1.0, 1e7});
  cases.push_back(
      {"lead-lag", Known(10.0, {Complex(-100.0), Complex(-1e4)}, {Complex(-1e3)}), 1.0, 1e6});
  return cases;
}

TEST(VectorFit, KnownFunctionsOfKnownOrder) {
  for (const KnownCase& c : KnownCases()) {
    const auto points = Sweep(c.truth, c.f0, c.f1, 400);
    const int order = static_cast<int>(c.truth.poles.size());
    const FitResult r = FitSweep(points, {.order = order});
    ASSERT_TRUE(r.model) << c.name << " " << order << ": " << r.error;
    SCOPED_TRACE(std::string(c.name) + " order " + std::to_string(order));
    EXPECT_LE(r.model->rmsErrorDb, 0.001);
    EXPECT_LE(r.model->rmsErrorDeg, 0.01);
    EXPECT_LE(PoleDistance(c.truth.poles, r.model->poles), 1e-4);
    EXPECT_LE(PoleDistance(c.truth.zeros, r.model->zeros), 1e-3);
    EXPECT_EQ(r.model->zeros.size(), c.truth.zeros.size());
    EXPECT_EQ(r.model->delay, 0.0);
  }
}

TEST(VectorFit, NoisyDataStayNearTheTrueFunction) {
  const struct {
    const char* name;
    FitModel truth;
    std::vector<Complex> dominant;
  } cases[] = {
      {"resonant low-pass", Known(1e6 * 1e6, Pair(1e3, 3.0)), Pair(1e3, 3.0)},
      {"two resonances and a notch",
       Known(4e6, Join({Pair(1e3, 5.0), Pair(2e4, 8.0)}), Pair(5e3, 30.0)), Pair(1e3, 5.0)},
      {"three real poles",
       Known(1e9, {Complex(-100.0), Complex(-1e3), Complex(-1e4)}),
       {Complex(-100.0), Complex(-1e3)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto points = Sweep(c.truth, 10.0, 1e5, 1000, {0.05, 0.3});
    const FitResult r = FitSweep(points, {.order = static_cast<int>(c.truth.poles.size())});
    ASSERT_TRUE(r.model) << r.error;
    const auto [db, deg] = RmsDifference(*r.model, c.truth, points);
    EXPECT_LE(db, 0.1);
    EXPECT_LE(deg, 1.0);
    EXPECT_LE(PoleDistance(c.dominant, r.model->poles), 0.02);
    // The errors against the data are those of the noise.
    EXPECT_NEAR(r.model->rmsErrorDb, 0.05, 0.01);
    EXPECT_NEAR(r.model->rmsErrorDeg, 0.3, 0.06);
  }
}

TEST(VectorFit, DeadTimeOfALoop) {
  // Two poles and 25 ns, swept to 10 MHz where the delay alone turns the
  // phase by 90°.
  const FitModel truth = Known(1e3 * 1e5 * 1e6, {Complex(-1e3), Complex(-1e6)}, {}, 25e-9);
  const auto points = Sweep(truth, 10.0, 1e7, 500);
  const FitResult r = FitSweep(points, {.order = 2, .delay = true});
  ASSERT_TRUE(r.model) << r.error;
  EXPECT_NEAR(r.model->delay, 25e-9, 0.02 * 25e-9);
  EXPECT_LE(PoleDistance(truth.poles, r.model->poles), 1e-3);
  EXPECT_LE(r.model->rmsErrorDeg, 0.05);
  // Without the option the delay stays 0 and the fit is worse.
  const FitResult plain = FitSweep(points, {.order = 2});
  ASSERT_TRUE(plain.model);
  EXPECT_EQ(plain.model->delay, 0.0);
  EXPECT_GT(plain.model->rmsErrorDeg, 10.0 * r.model->rmsErrorDeg);
}

TEST(VectorFit, AutomaticOrder) {
  const struct {
    const char* name;
    FitModel truth;
    Noise noise;
    size_t order;
  } cases[] = {
      {"one pole", Known(1e3, {Complex(-1e3)}), {}, 1},
      {"resonant pair", Known(1e6, Pair(1e3, 10.0)), {}, 2},
      {"two resonances and a notch",
       Known(4e6, Join({Pair(1e3, 5.0), Pair(2e4, 8.0)}), Pair(5e3, 30.0)),
       {},
       4},
      {"noisy resonant pair", Known(1e6, Pair(1e3, 10.0)), {0.05, 0.3}, 2},
      {"noisy pair and pole",
       Known(1e6 * 3e3, Join({Pair(1e3, 4.0), {Complex(-3e3)}})),
       {0.05, 0.3},
       3},
  };
  for (const auto& c : cases) {
    const auto points = Sweep(c.truth, 10.0, 1e5, 1000, c.noise);
    const FitResult r = FitSweep(points, {});
    ASSERT_TRUE(r.model) << c.name << ": " << r.error;
    EXPECT_EQ(r.model->poles.size(), c.order) << c.name;
  }
}

TEST(VectorFit, NoiseFloorOfTheScatter) {
  const FitModel truth = Known(1e6, Pair(1e3, 2.0));
  EXPECT_LT(RelativeNoiseFloor(Sweep(truth, 10.0, 1e5, 1000)), 1e-5);
  // 0.05 dB and 0.3° are 0.58 % and 0.52 % of the response.
  EXPECT_NEAR(RelativeNoiseFloor(Sweep(truth, 10.0, 1e5, 1000, {0.05, 0.3})), 0.0078, 0.0012);
  EXPECT_EQ(RelativeNoiseFloor({}), 0.0);
}

TEST(VectorFit, PagesThatCannotBeFitted) {
  const FitModel truth = Known(1e3, {Complex(-1e3)});
  const auto points = Sweep(truth, 10.0, 1e5, 8);
  const struct {
    std::vector<UsablePoint> points;
    FitOptions options;
    const char* error;
  } cases[] = {
      {{}, {}, "使えるデータ点がありません"},
      {{}, {.order = 2}, "使えるデータ点がありません"},
      {{points.begin(), points.begin() + 2}, {}, "(2) が 1 次のモデルの未知数 3 個"},
      {points, {.order = 4}, "(8) が 4 次のモデルの未知数 9 個"},
      {{points.begin(), points.begin() + 3}, {.delay = true}, "未知数 4 個"},
      {points, {.order = 0}, "次数は 1 から 20 まで"},
      {points, {.order = 21}, "次数は 1 から 20 まで"},
  };
  // English through a translator that knows the one text with values.
  const TextTranslator english = [](const char* context, const char* source) {
    return std::string(context) == "Fit" && std::string(source).find("%3") != std::string::npos
               ? std::string("fewer usable points (%1) than the %2 unknowns of an order %3 model")
               : std::string(source);
  };
  for (const auto& c : cases) {
    const FitResult r = FitSweep(c.points, c.options);
    EXPECT_FALSE(r.model);
    EXPECT_NE(r.error.find(c.error), std::string::npos) << r.error;
    EXPECT_EQ(FitErrorMessage(r, nullptr), r.error);
  }
  EXPECT_EQ(FitErrorMessage(FitSweep({points.begin(), points.begin() + 2}, {}), &english),
            "fewer usable points (2) than the 3 unknowns of an order 1 model");
  // Just enough points for the unknowns.
  EXPECT_TRUE(FitSweep({points.begin(), points.begin() + 3}, {.order = 1}).model);
}

TEST(VectorFit, ConjugatePairsAndSections) {
  const FitModel truth =
      Known(4e6, Join({Pair(1e3, 5.0), Pair(2e4, 8.0), {Complex(-5e4)}}), Pair(5e3, 30.0));
  const auto points = Sweep(truth, 10.0, 1e6, 600);
  const FitResult r = FitSweep(points, {.order = 5});
  ASSERT_TRUE(r.model) << r.error;
  const FitModel& m = *r.model;
  // Both members of a pair, upper first, exactly conjugate; real roots
  // exactly real; ascending |p|.
  for (const auto* roots : {&m.poles, &m.zeros}) {
    for (size_t i = 0; i < roots->size(); ++i) {
      const Complex p = (*roots)[i];
      if (p.imag() > 0.0) {
        ASSERT_LT(i + 1, roots->size());
        EXPECT_EQ((*roots)[i + 1], std::conj(p));
      } else if (p.imag() < 0.0) {
        ASSERT_GT(i, 0u);
        EXPECT_EQ((*roots)[i - 1], std::conj(p));
      }
      if (i) {
        EXPECT_LE(std::abs((*roots)[i - 1]), std::abs(p) * (1 + 1e-12));
      }
    }
  }
  ASSERT_EQ(m.sections.size(), 4u);
  const SectionKind kinds[] = {SectionKind::kPolePair, SectionKind::kPolePair, SectionKind::kPole,
                               SectionKind::kZeroPair};
  const double f0[] = {1e3, 2e4, 5e4, 5e3};
  const double q[] = {5.0, 8.0, 0.0, 30.0};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(m.sections[i].kind, kinds[i]) << i;
    EXPECT_NEAR(m.sections[i].frequency, f0[i], 1e-4 * f0[i]) << i;
    EXPECT_NEAR(m.sections[i].q, q[i], 1e-3 * q[i] + 1e-9) << i;
  }
}

TEST(VectorFit, PolesAreKeptStable) {
  // A right-half-plane pole has the magnitude of its mirror image; the fit
  // reflects it at every step and ends with poles on the left only.
  const FitModel unstable = Known(-1e3, {Complex(1e3)});
  const auto points = Sweep(unstable, 10.0, 1e5, 300);
  for (int order : {1, 3, 6}) {
    const FitResult r = FitSweep(points, {.order = order});
    ASSERT_TRUE(r.model) << r.error;
    for (const Complex& p : r.model->poles) {
      EXPECT_LT(p.real(), 0.0) << order;
    }
  }
}

// A small evaluator of the Laplace text: numbers, s, + - * /, parentheses
// and exp(), in complex arithmetic.
class Laplace {
 public:
  Laplace(const std::string& text, Complex s) : text_(text), s_(s) {}
  Complex Value() {
    const Complex v = Sum();
    if (pos_ != text_.size()) ok_ = false;
    return v;
  }
  bool ok() const { return ok_; }

 private:
  Complex Sum() {
    Complex v = Product();
    while (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) {
      const char op = text_[pos_++];
      const Complex r = Product();
      v = op == '+' ? v + r : v - r;
    }
    return v;
  }
  Complex Product() {
    Complex v = Unary();
    while (pos_ < text_.size() && (text_[pos_] == '*' || text_[pos_] == '/')) {
      const char op = text_[pos_++];
      const Complex r = Unary();
      v = op == '*' ? v * r : v / r;
    }
    return v;
  }
  Complex Unary() {
    if (pos_ < text_.size() && text_[pos_] == '-') {
      ++pos_;
      return -Unary();
    }
    return Atom();
  }
  Complex Atom() {
    if (text_.compare(pos_, 4, "exp(") == 0) {
      pos_ += 3;
      return std::exp(Atom());
    }
    if (pos_ < text_.size() && text_[pos_] == '(') {
      ++pos_;
      const Complex v = Sum();
      if (pos_ >= text_.size() || text_[pos_] != ')') ok_ = false;
      ++pos_;
      return v;
    }
    if (pos_ < text_.size() && text_[pos_] == 's') {
      ++pos_;
      return s_;
    }
    size_t used = 0;
    double v = 0.0;
    try {
      v = std::stod(text_.substr(pos_), &used);
    } catch (...) {
      ok_ = false;
    }
    if (used == 0) ok_ = false;
    pos_ += used == 0 ? text_.size() : used;
    return v;
  }

  std::string text_;
  Complex s_;
  size_t pos_ = 0;
  bool ok_ = true;
};

TEST(ModelText, LaplaceExpressionEvaluatesToTheModel) {
  const FitModel models[] = {
      Known(4e6, Join({Pair(1e3, 5.0), Pair(2e4, 8.0)}), Pair(5e3, 30.0)),
      Known(1e8, {Complex(-0.01), Complex(-1e3), Complex(-1e5)}),
      Known(-2.5, {Complex(-100.0)}, {Complex(0.0), Complex(300.0)}, 25e-9),
      Known(1e11, {Complex(-1e3), Complex(-1e6)}, {}, 1e-6),
  };
  for (const FitModel& m : models) {
    const std::string text = LaplaceExpression(m);
    EXPECT_EQ(text.find('^'), std::string::npos) << text;
    EXPECT_EQ(text.find("e-0*"), std::string::npos) << text;
    for (double f : {1.0, 157.0, 5e3, 1e5, 3e6}) {
      Laplace expression(text, Complex(0.0, 2.0 * kPi * f));
      const Complex value = expression.Value();
      ASSERT_TRUE(expression.ok()) << text;
      const Complex expected = EvaluateModel(m, f);
      EXPECT_LE(std::abs(value - expected), 1e-9 * std::abs(expected)) << text << " at " << f;
    }
  }
  EXPECT_EQ(LaplaceExpression(Known(2.0, {Complex(-1.0)})), "2/(1+s*0.159154943092)");
  EXPECT_EQ(LaplaceExpression(Known(3.0, {}, {}, 1e-3)), "3*exp(-s*0.001)");
}

TEST(ModelText, JsonDocument) {
  FitModel m = Known(2.0, {Complex(-1.0, 2.0), Complex(-1.0, -2.0)}, {Complex(-3.0)}, 0.5);
  m.sections = {{SectionKind::kPolePair, 2.5, 1.25}, {SectionKind::kZero, 3.0, 0.0}};
  m.rmsErrorDb = 0.25;
  m.rmsErrorDeg = 1.5;
  const std::string json = ModelJson("A\"B", m);
  const std::string expected =
      "{\n\"file\":\"A\\\"B\"\n"
      ",\"poles\":[{\"re\":-1,\"im\":2},{\"re\":-1,\"im\":-2}]\n"
      ",\"zeros\":[{\"re\":-3,\"im\":0}]\n"
      ",\"gain\":2\n"
      ",\"delaySeconds\":0.5\n"
      ",\"sections\":[{\"kind\":\"polePair\",\"f0Hz\":2.5,\"q\":1.25},"
      "{\"kind\":\"zero\",\"fHz\":3}]\n"
      ",\"rmsErrorDb\":0.25\n"
      ",\"rmsErrorDeg\":1.5\n"
      ",\"laplace\":\"" +
      LaplaceExpression(m) + "\"\n}\n";
  EXPECT_EQ(json, expected);
}

TEST(ResonanceFit, CoarseSweepsReadTheTrueQ) {
  // Q = 20 at 10 kHz swept at 50 and 2,000 points a decade, as a low-pass and
  // as a band-pass; the points alone read Q about 23 on the coarse sweep.
  const struct {
    const char* name;
    FitModel truth;
  } shapes[] = {
      {"low-pass", Known(1e8, Pair(1e4, 20.0))},
      {"band-pass", Known(1e4 / 20.0, Pair(1e4, 20.0), {Complex(0.0)})},
  };
  for (const auto& shape : shapes) {
    for (int perDecade : {50, 2000}) {
      SCOPED_TRACE(std::string(shape.name) + " " + std::to_string(perDecade));
      const auto points = Sweep(shape.truth, 1e3, 1e5, 2 * perDecade + 1);
      const SweepFigures fig = ComputeFigures(points, MarginReference::kMinus180);
      ASSERT_TRUE(fig.resonance);
      ASSERT_TRUE(fig.resonance->fittedQ && fig.resonance->fittedFrequency);
      EXPECT_NEAR(*fig.resonance->fittedQ, 20.0, 0.01);
      EXPECT_NEAR(*fig.resonance->fittedFrequency, 1e4, 0.1);
      EXPECT_EQ(CoarseResonance(*fig.resonance), perDecade == 50);
    }
  }
  const auto coarse = Sweep(shapes[0].truth, 1e3, 1e5, 101);
  const SweepFigures fig = ComputeFigures(coarse, MarginReference::kMinus180);
  EXPECT_GT(fig.resonance->q, 22.0);  // what the points alone say
  const std::string panel = FiguresPanelText("F", fig);
  EXPECT_NE(panel.find("Q 20.0  (粗いｽｲｰﾌﾟ: ﾌｨｯﾄ値)"), std::string::npos) << panel;
  EXPECT_NE(panel.find("共振 (補間)  10.0 kHz  Q " + ThreeDigits(fig.resonance->q)),
            std::string::npos)
      << panel;
  const std::string json = FiguresJson("F", ChannelRatio::kCh1Ch2, fig);
  const auto member = [&json](const std::string& key) {
    const size_t at = json.find("\"" + key + "\":");
    return at == std::string::npos ? -1.0 : std::stod(json.substr(at + key.size() + 3));
  };
  EXPECT_NEAR(member("fittedF0Hz"), 1e4, 0.1) << json;
  EXPECT_NEAR(member("fittedQ"), 20.0, 0.01) << json;
}

TEST(ResonanceFit, NoPairNoFittedFigures) {
  // Two real poles: no pair to read f0 and Q from; and a peak index off the
  // points.
  const auto points = Sweep(Known(1e3 * 1e4, {Complex(-1e3), Complex(-1e4)}), 1e2, 1e5, 61);
  EXPECT_FALSE(FitResonance(points, 0));
  EXPECT_FALSE(FitResonance(points, points.size()));
}

}  // namespace
}  // namespace fernplot
