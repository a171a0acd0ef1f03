// SPDX-License-Identifier: MIT
#include "analysis/fit/model_text.h"

#include <charconv>
#include <cmath>
#include <numbers>

#include "text/json_string.h"
#include "text/number_text.h"

namespace fernplot {

namespace {

using Complex = std::complex<double>;

std::string Number(double value) { return JsonNumberOrNull(value); }

// Twelve significant digits: well beyond what any fit determines, short
// enough to read.
std::string Coefficient(double value) {
  return FormatGeneral(value, 12);
}

// "+s*a" or "-s*a" for a term with coefficient `value`.
std::string Term(double value, const char* power) {
  return (value < 0.0 ? "-" : "+") + std::string(power) + "*" + Coefficient(std::abs(value));
}

// The normalised factors of one side and the constant they take out.
struct Factors {
  std::string text;  // "(1+s*a)*(1+s*b+s*s*c)"
  int count = 0;
  double constant = 1.0;
};

Factors Normalise(const std::vector<Complex>& roots) {
  constexpr double kTwoPi = 2.0 * std::numbers::pi;
  Factors out;
  const auto add = [&out](const std::string& factor) {
    if (out.count++) out.text += '*';
    out.text += factor;
  };
  for (const Complex& r : roots) {
    if (r.imag() < 0.0) continue;  // the pair's upper member stands for both
    if (r == 0.0) {
      // s/2π − 0
      add("s");
      out.constant /= kTwoPi;
    } else if (r.imag() > 0.0) {
      // (s/2π − r)(s/2π − r*) = |r|² (1 − s·2Re r/(2π|r|²) + s²/(2π|r|)²)
      const double m2 = std::norm(r);
      add("(1" + Term(-2.0 * r.real() / (kTwoPi * m2), "s") +
          Term(1.0 / (kTwoPi * kTwoPi * m2), "s*s") + ")");
      out.constant *= m2;
    } else {
      // s/2π − r = −r (1 − s/(2π r))
      add("(1" + Term(-1.0 / (kTwoPi * r.real()), "s") + ")");
      out.constant *= -r.real();
    }
  }
  return out;
}

std::string Roots(const std::vector<Complex>& roots) {
  std::string out = "[";
  for (size_t i = 0; i < roots.size(); ++i) {
    if (i) out += ',';
    out += "{\"re\":" + Number(roots[i].real()) + ",\"im\":" + Number(roots[i].imag()) + "}";
  }
  return out + "]";
}

std::string Section(const FitSection& s) {
  switch (s.kind) {
    case SectionKind::kPolePair:
      return "{\"kind\":\"polePair\",\"f0Hz\":" + Number(s.frequency) + ",\"q\":" + Number(s.q) +
             "}";
    case SectionKind::kZeroPair:
      return "{\"kind\":\"zeroPair\",\"f0Hz\":" + Number(s.frequency) + ",\"q\":" + Number(s.q) +
             "}";
    case SectionKind::kPole:
      return "{\"kind\":\"pole\",\"fHz\":" + Number(s.frequency) + "}";
    case SectionKind::kZero:
      return "{\"kind\":\"zero\",\"fHz\":" + Number(s.frequency) + "}";
  }
  return "null";
}

}  // namespace

std::string LaplaceExpression(const FitModel& model) {
  const Factors zeros = Normalise(model.zeros);
  const Factors poles = Normalise(model.poles);
  std::string text = Coefficient(model.gain * zeros.constant / poles.constant);
  if (zeros.count) text += "*" + zeros.text;
  if (poles.count == 1) text += "/" + poles.text;
  if (poles.count > 1) text += "/(" + poles.text + ")";
  if (model.delay > 0.0) text += "*exp(-s*" + Coefficient(model.delay) + ")";
  return text;
}

std::string ModelJson(std::string_view fileName, const FitModel& model) {
  std::string sections = "[";
  for (size_t i = 0; i < model.sections.size(); ++i) {
    if (i) sections += ',';
    sections += Section(model.sections[i]);
  }
  sections += ']';
  std::string out = "{\n\"file\":" + JsonString(fileName) + "\n";
  out += ",\"poles\":" + Roots(model.poles) + "\n";
  out += ",\"zeros\":" + Roots(model.zeros) + "\n";
  out += ",\"gain\":" + Number(model.gain) + "\n";
  out += ",\"delaySeconds\":" + Number(model.delay) + "\n";
  out += ",\"sections\":" + sections + "\n";
  out += ",\"rmsErrorDb\":" + Number(model.rmsErrorDb) + "\n";
  out += ",\"rmsErrorDeg\":" + Number(model.rmsErrorDeg) + "\n";
  out += ",\"laplace\":" + JsonString(LaplaceExpression(model)) + "\n";
  return out + "}\n";
}

}  // namespace fernplot
