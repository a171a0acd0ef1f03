// SPDX-License-Identifier: MIT
#pragma once
// The Touchstone network-parameter format, described once for its reader and
// its writer: the option line's words and how a number pair becomes gain
// and phase.

#include <array>
#include <complex>
#include <optional>
#include <string>
#include <string_view>

#include "import/imported_trace.h"

namespace fernplot {

struct TouchstoneUnit {
  std::string_view name;  // as written by the writer; read without regard to case
  double hertz;
};
inline constexpr std::array<TouchstoneUnit, 4> kTouchstoneUnits = {
    {{"Hz", 1.0}, {"kHz", 1e3}, {"MHz", 1e6}, {"GHz", 1e9}}};

// How each number pair is written.
enum class PairFormat { kDb, kMa, kRi };
struct TouchstonePairFormat {
  std::string_view name;
  PairFormat format;
};
inline constexpr std::array<TouchstonePairFormat, 3> kTouchstonePairFormats = {
    {{"DB", PairFormat::kDb}, {"MA", PairFormat::kMa}, {"RI", PairFormat::kRi}}};

// Kinds of network parameter (S, Y, Z, H, G): the letter names the traces.
inline constexpr std::string_view kTouchstoneParameters = "SYZHG";

struct TouchstoneOptions {
  double hertz = 1e9;
  char parameter = 'S';
  PairFormat format = PairFormat::kMa;
  double reference = 50.0;
};
inline constexpr std::string_view kTouchstoneCommentStart = "!";
inline constexpr std::string_view kTouchstoneOptionStart = "#";

// Reads the words after '#'. False, with `what` set (its line left 0), for
// a word that does not belong there.
bool ParseTouchstoneOptions(std::string_view words, TouchstoneOptions& options, ImportError& what);
// "# Hz S MA R 50" for the options given.
std::string TouchstoneOptionLine(const TouchstoneOptions& options);
// The complex value of a pair as written (a, b), in the file's format.
std::complex<double> TouchstonePairToComplex(PairFormat format, double a, double b);

// Gain and phase of one number pair.
void TouchstonePairToGainPhase(PairFormat format, double a, double b, double& gainDb,
                               double& phaseDeg);

// The two-port's parameters in the order of v1 data (11 21 12 22), the order
// a two-port file is written in.
inline constexpr std::array<std::string_view, 4> kTwoPortNames = {"11", "21", "12", "22"};

// The most ports a file may have: a record of the largest holds 2·10⁸ numbers,
// more than a file of the largest size the readers take.
inline constexpr long kMaxTouchstonePorts = 9999;

// How the matrix of one frequency is written. A symmetric network may give
// only the upper or lower triangle, row by row.
enum class MatrixFormat { kFull, kUpper, kLower };

struct TouchstoneShape {
  int ports = 1;
  MatrixFormat matrix = MatrixFormat::kFull;
  // Column by column (11 21 12 22): a v1 two-port and a v2 "21_12" one.
  // Every other matrix is written row by row.
  bool byColumns = false;
  // Number pairs after the frequency.
  size_t Pairs() const;
  // Where Nij (ports counted from 1) is among the pairs; a triangle holds
  // Nij and Nji in one place.
  size_t PairIndex(long i, long j) const;
};

// "S21", or "S1_12" when a port number has more than one digit.
std::string TouchstoneParameterName(char letter, long i, long j);
// The ports of a parameter name after its letter ("21", "1_12"); false
// for anything else.
bool ParseParameterPorts(std::string_view digits, long& i, long& j);

// Which trace a reader should deliver from a network-parameter file: "S21",
// "S31", "Z11" etc. (the file's own letter); empty for the default (S21 of a
// file of two ports or more, a one-port's S11).
// How a delimited table's first three columns are read when the user says
// so (--columns): frequency and then gain in dB and phase in degrees (a
// ratio), or an impedance as real and imaginary part, real part and minus
// the imaginary part, or modulus and phase (ohms, degrees).
enum class TableColumns { kFromFile, kDbDeg, kReIm, kReNegIm, kMagDeg };
// "f,db,deg", "f,re,im", "f,re,-im" or "f,mag,deg"; nothing for any other.
std::optional<TableColumns> ParseTableColumns(std::string_view list);
// The list's words, for messages: "f,re,im, f,re,-im, f,mag,deg or f,db,deg".
inline constexpr const char* kTableColumnsWords = "f,re,im, f,re,-im, f,mag,deg or f,db,deg";

// How an S-parameter file gives an impedance (--z-from): from the
// reflection S11, or from S21 of the element shunting or in series with the
// line; none reads the file as it is.
enum class ZFrom { kNone, kS11, kS21Shunt, kS21Series };
// "s11", "s21-shunt", "s21-series"; nothing for any other.
std::optional<ZFrom> ParseZFrom(std::string_view word);
// Z of the S-parameter `s` over the reference `z0` as `from` reads it; NaN
// where the formula has no value (1 - S or S = 0).
std::complex<double> ImpedanceFromS(ZFrom from, std::complex<double> s, double z0);

struct ImportOptions {
  std::string sparam;
  // The choice is made before the file is seen (the viewer's open dialog):
  // a one-port then gives its S11, its only parameter, whatever was chosen.
  bool forTwoPorts = false;
  // Kept from the file (its header, or frequency, gain and phase) unless
  // given; given, the file must be a delimited table and a header row is
  // skipped.
  TableColumns columns = TableColumns::kFromFile;
  ZFrom zFrom = ZFrom::kNone;
};

// Reads Touchstone v1 or v2 text (UTF-8). `ports` is N when the file name
// says so (.sNp), 0 to find out from the data.
ImportResult ReadTouchstone(std::string_view text, int ports, const ImportOptions& options);

}  // namespace fernplot
