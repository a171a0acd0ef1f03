// SPDX-License-Identifier: MIT
#pragma once
// What the readers of other programs' sweep files make: named traces of
// frequency, gain and phase, or an error naming the line that went wrong.

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "datafile/complex_sweep.h"
#include "text/ui_text.h"

namespace fernplot {

struct TracePoint {
  double frequency = 0.0;  // Hz, > 0 and finite
  double gainDb = 0.0;
  double phaseDeg = 0.0;
  bool operator==(const TracePoint&) const = default;
};

struct ImportedTrace {
  std::string name;  // UTF-8; may be empty for a file of one unnamed trace
  std::vector<TracePoint> points;
  // The values as read, one per point, for a trace that is not a plain gain
  // and phase (an impedance: its points are then 20 log10 |Z/1 Ω| and θ).
  std::shared_ptr<const ComplexSweep> sweep;
};

// A two-port network file's four parameters, kept so that the file can be
// written back whole: at each frequency (Hz) magnitude and phase (degrees)
// of N11, N21, N12 and N22, Z in ohms and Y in siemens.
struct ImportedNetwork {
  char parameter = 'S';     // S, Y, Z, H or G
  double reference = 50.0;  // ohms
  struct Row {
    double frequency = 0.0;
    std::array<double, 8> values{};  // magnitude, phase of 11, 21, 12, 22
  };
  std::vector<Row> rows;  // ascending frequency
};

struct ImportedFile {
  std::string format;  // shown in the info block, e.g. "Touchstone v1"
  std::vector<ImportedTrace> traces;
  size_t skippedPoints = 0;  // non-positive or non-finite points left out
  int ports = 0;             // a network-parameter file's ports; 0 for other formats
  // A two-port file's whole network, for writing it back.
  std::shared_ptr<const ImportedNetwork> network;
  // The units a table's header gave, "kHz, dB, rad", when they are not Hz,
  // dB and degrees; empty otherwise.
  std::string units;
};

struct ImportError {
  size_t line = 0;  // 1-based line of a text file; 0 when the file as a whole is at fault
  // The message in the source language: `text` (marked with
  // FERNPLOT_TEXT("Import", ...)) with `args` put in for %1, %2, ...
  std::string message;
  const char* text = nullptr;
  std::vector<std::string> args;
  // The file is fine but lacks what was asked for (an S-parameter it does
  // not have): a usage error rather than a bad file.
  bool missingSelection = false;
};

struct ImportResult {
  std::optional<ImportedFile> file;  // set exactly when error.message is empty
  ImportError error;
};

// A failed read at `line` saying `text` (a FERNPLOT_TEXT literal of the
// "Import" context) with `args` for its %1, %2, ...
ImportResult ImportFailure(size_t line, const char* text, std::vector<std::string> args = {},
                           bool missingSelection = false);

// The error's message in the language of `translator` (none: the source text).
std::string ImportMessage(const ImportError& error, const TextTranslator* translator);

// "<path>: <message>" or "<path>:<line>: <message>".
std::string ImportErrorText(const std::string& path, const ImportError& error,
                            const TextTranslator* translator = nullptr);

}  // namespace fernplot
