// SPDX-License-Identifier: MIT
// Touchstone v1 and v2 reader for one- and two-port files.

#include <array>
#include <charconv>
#include <string>
#include <vector>

#include "import/import_text.h"
#include "import/touchstone_format.h"

namespace fernplot {
namespace {

ImportResult Fail(size_t line, std::string message, bool missingSelection = false) {
  ImportResult r;
  r.error = {line, std::move(message), missingSelection};
  return r;
}

bool ParseCount(std::string_view s, long& value) {
  s = TrimSpace(s);
  const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  return ec == std::errc() && ptr == s.data() + s.size() && value >= 0;
}

class TouchstoneReader {
 public:
  TouchstoneReader(int namePorts, const ImportOptions& options)
      : namePorts_(namePorts), select_(options) {}

  ImportResult Read(std::string_view text) {
    LineCursor lines(text);
    std::string_view line;
    while (lines.Next(line)) {
      if (line.size() > kMaxImportLineBytes) return Fail(lines.LineNumber(), "line too long");
      if (const size_t bang = line.find('!'); bang != line.npos) line = line.substr(0, bang);
      line = TrimSpace(line);
      if (line.empty()) continue;
      const size_t number = lines.LineNumber();
      if (line.front() == '[') {
        if (!Keyword(line, number)) return Fail(error_.line, error_.message);
        if (ended_) break;
      } else if (line.front() == '#') {
        if (!haveOptions_) {
          std::string what;
          if (!ParseTouchstoneOptions(line.substr(1), options_, what)) return Fail(number, what);
          haveOptions_ = true;
        }
      } else if (skipping_ || (version2_ && !inNetworkData_)) {
        // Noise data, information blocks and reference values that run onto
        // further lines carry no trace.
      } else if (!DataLine(line, number)) {
        return Fail(error_.line, error_.message);
      }
    }
    return Finish();
  }

 private:
  bool Error(size_t line, std::string message) {
    error_ = {line, std::move(message), false};
    return false;
  }

  bool Keyword(std::string_view line, size_t number) {
    const size_t close = line.find(']');
    if (close == line.npos) return Error(number, "keyword without ']'");
    const std::string key = AsciiLower(TrimSpace(line.substr(1, close - 1)));
    const std::string_view value = TrimSpace(line.substr(close + 1));
    if (inInformation_) {
      if (key == "end information") inInformation_ = false;
      return true;
    }
    if (!version2_ && key != "version") {
      return Error(number, "keyword [" + key + "] in a file without [Version]");
    }
    if (key == "version") {
      if (version2_ || recordCount_ > 0) return Error(number, "[Version] after the start");
      if (!value.starts_with("2")) {
        return Error(number, "Touchstone version " + std::string(value) + " is not supported");
      }
      version2_ = true;
    } else if (key == "number of ports") {
      long n = 0;
      if (!ParseCount(value, n)) return Error(number, "[Number of Ports] without a count");
      if (n != 1 && n != 2) {
        return Error(number, "files with " + std::to_string(n) +
                                 " ports are not supported (one or two ports only)");
      }
      ports_ = static_cast<int>(n);
    } else if (key == "two-port data order") {
      if (value == "12_21") {
        order12_21_ = true;
      } else if (value == "21_12") {
        order12_21_ = false;
      } else {
        return Error(number, "[Two-Port Data Order] must be 12_21 or 21_12");
      }
      haveOrder_ = true;
    } else if (key == "number of frequencies") {
      if (!ParseCount(value, expectedFrequencies_)) {
        return Error(number, "[Number of Frequencies] without a count");
      }
    } else if (key == "matrix format") {
      if (AsciiLower(value) != "full") {
        return Error(number, "matrix format " + std::string(value) +
                                 " is not supported (full matrices only)");
      }
    } else if (key == "mixed-mode order") {
      return Error(number, "mixed-mode parameters are not supported");
    } else if (key == "reference" || key == "number of noise frequencies") {
      // Per-port references do not change gain or phase of the data.
    } else if (key == "begin information") {
      inInformation_ = true;
    } else if (key == "network data") {
      if (ports_ == 0) return Error(number, "[Network Data] before [Number of Ports]");
      if (ports_ == 2 && !haveOrder_) {
        return Error(number, "[Network Data] of two ports without [Two-Port Data Order]");
      }
      inNetworkData_ = true;
    } else if (key == "noise data") {
      inNetworkData_ = false;
      skipping_ = true;
    } else if (key == "end") {
      ended_ = true;
    } else {
      return Error(number, "keyword [" + key + "] is not supported");
    }
    return true;
  }

  bool DataLine(std::string_view line, size_t number) {
    if (ports_ == 0) {
      // A version 1 file: the first row tells the count (3 or 9 numbers),
      // the file name only when that row runs on.
      size_t count = 0;
      for (std::string_view rest = line; !(rest = TrimSpace(rest)).empty(); ++count) {
        while (!rest.empty() && !IsSpaceChar(rest.front())) rest.remove_prefix(1);
      }
      if (count == 3) {
        ports_ = 1;
      } else if (count == 9) {
        ports_ = 2;
      } else if (namePorts_ > 0) {
        ports_ = namePorts_;
      } else {
        return Error(number, "cannot tell the number of ports from " + std::to_string(count) +
                                 " numbers on a line (3 or 9 expected)");
      }
    }
    const size_t perFrequency = 1 + 2 * static_cast<size_t>(ports_ * ports_);
    while (true) {
      line = TrimSpace(line);
      if (line.empty()) return true;
      double value = 0.0;
      std::string_view rest = line;
      if (!ScanNumber(rest, value) || (!rest.empty() && !IsSpaceChar(rest.front()))) {
        size_t end = 0;
        while (end < line.size() && !IsSpaceChar(line[end])) ++end;
        return Error(number, "not a number: \"" + std::string(line.substr(0, end)) + "\"");
      }
      line = rest;
      if (pendingCount_ == 0) {
        // A two-port's noise parameters follow its data, starting again at a
        // lower frequency.
        if (!version2_ && ports_ == 2 && recordCount_ > 0 && value < lastFrequency_) {
          skipping_ = true;
          return true;
        }
        recordLine_ = number;
      }
      pending_[pendingCount_++] = value;
      if (pendingCount_ == perFrequency) Emit();
    }
  }

  void Emit() {
    pendingCount_ = 0;
    ++recordCount_;
    lastFrequency_ = pending_[0];
    // Only the parameter asked for is converted and kept.
    if (wanted_ == kUnknown) wanted_ = WantedIndex();
    if (wanted_ < 0) return;
    // Its place in the row: v1 and 21_12 rows are 11 21 12 22, 12_21 rows
    // 11 12 21 22.
    const int k = (ports_ == 2 && version2_ && order12_21_ && (wanted_ == 1 || wanted_ == 2))
                      ? 3 - wanted_
                      : wanted_;
    TracePoint p;
    p.frequency = pending_[0] * options_.hertz;
    TouchstonePairToGainPhase(options_.format, pending_[1 + 2 * k], pending_[2 + 2 * k], p.gainDb,
                              p.phaseDeg);
    if (IsUsablePoint(p)) traces_[static_cast<size_t>(wanted_)].push_back(p);
  }

  // Index (in kTwoPortNames) of the parameter asked for; -1 when the file
  // cannot have it (the letter is checked at the end).
  int WantedIndex() const {
    const std::string_view digits =
        Selection().empty() ? std::string_view(ports_ == 1 ? "11" : "21") : Selection().substr(1);
    for (int k = 0; k < ports_ * ports_; ++k) {
      if (kTwoPortNames[static_cast<size_t>(k)] == digits) return k;
    }
    return -1;
  }

  // The parameter asked for; empty for the default. A one-port has a single
  // parameter, so a choice made for two-ports does not apply to it.
  std::string_view Selection() const {
    if (ports_ == 1 && select_.forTwoPorts) return {};
    return select_.sparam;
  }

  ImportResult Finish() {
    if (pendingCount_ > 0) {
      const size_t perFrequency = 1 + 2 * static_cast<size_t>(ports_ * ports_);
      return Fail(recordLine_, "a frequency with " + std::to_string(pendingCount_) + " of " +
                                   std::to_string(perFrequency) + " numbers: data cut short");
    }
    if (inInformation_) return Fail(0, "[Begin Information] without [End Information]");
    if (version2_ && !ended_) return Fail(0, "no [End]: the file is cut short");
    if (recordCount_ == 0) return Fail(0, "no network data");
    if (version2_ && expectedFrequencies_ >= 0 &&
        recordCount_ != static_cast<size_t>(expectedFrequencies_)) {
      return Fail(0, "[Number of Frequencies] is " + std::to_string(expectedFrequencies_) +
                         " but the data hold " + std::to_string(recordCount_));
    }
    const std::string letter(1, options_.parameter);
    const std::string wanted =
        Selection().empty() ? letter + (ports_ == 1 ? "11" : "21") : AsciiLower(Selection());
    int index = -1;
    for (int k = 0; k < ports_ * ports_; ++k) {
      if (AsciiLower(letter + std::string(kTwoPortNames[k])) == AsciiLower(wanted)) index = k;
    }
    if (index < 0) {
      std::string have;
      for (int k = 0; k < ports_ * ports_; ++k)
        have += " " + letter + std::string(kTwoPortNames[k]);
      std::string upper = wanted;
      for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      return Fail(0, "has no " + upper + " (it has" + have + ")", true);
    }
    // Points the selected parameter could not use.
    size_t skipped = recordCount_ - traces_[index].size();
    if (traces_[index].empty()) {
      return Fail(0, "no usable point: all " + std::to_string(skipped) +
                         " frequencies are non-positive or not finite");
    }
    ImportResult r;
    r.file.emplace();
    r.file->format = version2_ ? "Touchstone v2" : "Touchstone v1";
    r.file->skippedPoints = skipped;
    r.file->ports = ports_;
    r.file->traces.push_back(
        {letter + std::string(kTwoPortNames[index]), std::move(traces_[index])});
    return r;
  }

  static constexpr int kUnknown = -2;
  int namePorts_;  // 1 or 2 for a ".s1p" or ".s2p" name, else 0
  int ports_ = 0;
  const ImportOptions& select_;
  int wanted_ = kUnknown;
  TouchstoneOptions options_;
  bool haveOptions_ = false;
  bool version2_ = false;
  bool order12_21_ = false;
  bool haveOrder_ = false;
  bool inNetworkData_ = false;
  bool inInformation_ = false;
  bool skipping_ = false;
  bool ended_ = false;
  long expectedFrequencies_ = -1;
  std::array<double, 9> pending_{};
  size_t pendingCount_ = 0;
  size_t recordLine_ = 0;
  size_t recordCount_ = 0;
  double lastFrequency_ = 0.0;
  std::array<std::vector<TracePoint>, 4> traces_;
  ImportError error_;
};

}  // namespace

ImportResult ReadTouchstone(std::string_view text, int ports, const ImportOptions& options) {
  return TouchstoneReader(ports, options).Read(text);
}

}  // namespace fernplot
