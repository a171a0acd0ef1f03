// SPDX-License-Identifier: MIT
// libFuzzer target for the readers of other programs' sweep files. The first
// byte picks the file name the bytes are read under (the name is a hint for
// the format), whether a parameter is asked for and whether the choice is
// for two-ports only; the rest is the file. A file ending in a byte 1 to 4
// is read with the table's columns named (--columns), one ending in 5 to 7
// as an impedance made of its S-parameters (--z-from).
// Every result is either a set of traces of usable points or an error, never
// both.

#include <complex>
#include <string_view>

#include "fuzz_support.h"
#include "import/import_reader.h"
#include "import/import_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace fernplot;
  using fuzzing::Check;
  if (size == 0) return 0;
  static constexpr const char* kNames[] = {"a.s1p", "a.s2p", "a.s4p", "a.txt", "a.csv",
                                           "a.DAT", "a",     "a.z",   "a.DTA", "a.mpt"};
  static constexpr const char* kParams[] = {"",    "S11", "S21", "S12", "S22",
                                            "s21", "Y11", "x",   "S43", "S1_12"};
  const std::string_view name = kNames[data[0] % 10];
  ImportOptions options;
  options.sparam = kParams[(data[0] / 10) % 10];
  options.forTwoPorts = data[0] >= 128;
  if (size > 1 && data[size - 1] >= 1 && data[size - 1] <= 4) {
    options.columns = static_cast<TableColumns>(data[size - 1]);
  } else if (size > 1 && data[size - 1] >= 5 && data[size - 1] <= 7) {
    options.zFrom = static_cast<ZFrom>(data[size - 1] - 4);
  }
  const std::string_view bytes = fuzzing::InputText(data + 1, size - 1);

  const ImportResult r = ParseImport(bytes, name, options);
  Check(r.file.has_value() == r.error.message.empty());
  if (r.file) {
    Check(!r.file->traces.empty());
    Check(!r.file->format.empty());
    for (const ImportedTrace& t : r.file->traces) {
      Check(!t.points.empty());
      for (const TracePoint& p : t.points) Check(IsUsablePoint(p));
      // An impedance keeps one value as read per point, none of them zero.
      if (t.sweep) {
        Check(t.sweep->frequency.size() == t.points.size());
        Check(t.sweep->response.size() == t.points.size());
        for (const std::complex<double>& z : t.sweep->response) Check(std::abs(z) > 0.0);
      }
    }
    // A choice made for two-ports leaves a one-port its only parameter.
    if (options.forTwoPorts && r.file->ports == 1) Check(r.file->traces[0].name.ends_with("11"));
    Check(r.file->ports == 0 || r.file->format.starts_with("Touchstone"));
    // Only a two-port keeps its whole network, one row per usable frequency.
    Check(!r.file->network || r.file->ports == 2);
  } else {
    // A missing parameter is only ever reported for an explicit request.
    Check(!r.error.missingSelection || !options.sparam.empty() ||
          options.columns != TableColumns::kFromFile || options.zFrom != ZFrom::kNone);
    // The line named exists.
    size_t lines = 1;
    for (const char c : bytes) lines += c == '\n';
    // UTF-16 text has at most one line per two bytes; counted on the bytes,
    // every line break is at least one byte.
    Check(r.error.line <= lines);
  }
  // The format the probe sees in the first bytes is the one the reader uses
  // for the whole file whenever the file is small enough to be probed whole.
  if (bytes.size() <= kImportProbeBytes && r.file) {
    Check(DetectImportFormat(bytes, name) != ImportFormat::kNone || name == "a.DAT" || name == "a" ||
          options.columns != TableColumns::kFromFile);
  }
  return 0;
}
