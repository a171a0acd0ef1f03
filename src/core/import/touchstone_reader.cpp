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
      if (line.size() > kMaxImportLineBytes)
        return ImportFailure(lines.LineNumber(), FERNPLOT_TEXT("Import", "行が長すぎます"));
      if (const size_t bang = line.find('!'); bang != line.npos) line = line.substr(0, bang);
      line = TrimSpace(line);
      if (line.empty()) continue;
      const size_t number = lines.LineNumber();
      if (line.front() == '[') {
        if (!Keyword(line, number)) return Failed();
        if (ended_) break;
      } else if (line.front() == '#') {
        if (!haveOptions_) {
          if (!ParseTouchstoneOptions(line.substr(1), options_, error_)) {
            error_.line = number;
            return Failed();
          }
          haveOptions_ = true;
        }
      } else if (skipping_ || (version2_ && !inNetworkData_)) {
        // Noise data, information blocks and reference values that run onto
        // further lines carry no trace.
      } else if (!DataLine(line, number)) {
        return Failed();
      }
    }
    return Finish();
  }

 private:
  bool Error(size_t line, const char* text, std::vector<std::string> args = {}) {
    error_ = ImportFailure(line, text, std::move(args)).error;
    return false;
  }
  ImportResult Failed() const {
    ImportResult r;
    r.error = error_;
    return r;
  }

  bool Keyword(std::string_view line, size_t number) {
    const size_t close = line.find(']');
    if (close == line.npos)
      return Error(number, FERNPLOT_TEXT("Import", "キーワードに ']' がありません"));
    const std::string key = AsciiLower(TrimSpace(line.substr(1, close - 1)));
    const std::string_view value = TrimSpace(line.substr(close + 1));
    if (inInformation_) {
      if (key == "end information") inInformation_ = false;
      return true;
    }
    if (!version2_ && key != "version") {
      return Error(number,
                   FERNPLOT_TEXT("Import", "[Version] のないファイルにキーワード [%1] があります"),
                   {key});
    }
    if (key == "version") {
      if (version2_ || recordCount_ > 0)
        return Error(number, FERNPLOT_TEXT("Import", "[Version] がファイルの始めにありません"));
      if (!value.starts_with("2")) {
        return Error(number,
                     FERNPLOT_TEXT("Import", "Touchstone のバージョン %1 には対応していません"),
                     {std::string(value)});
      }
      version2_ = true;
    } else if (key == "number of ports") {
      long n = 0;
      if (!ParseCount(value, n))
        return Error(number, FERNPLOT_TEXT("Import", "[Number of Ports] に数がありません"));
      if (n != 1 && n != 2) {
        return Error(
            number,
            FERNPLOT_TEXT("Import",
                          "%1 ポートのファイルには対応していません（1 ポートと 2 ポートのみ）"),
            {std::to_string(n)});
      }
      ports_ = static_cast<int>(n);
    } else if (key == "two-port data order") {
      if (value == "12_21") {
        order12_21_ = true;
      } else if (value == "21_12") {
        order12_21_ = false;
      } else {
        return Error(number,
                     FERNPLOT_TEXT("Import", "[Two-Port Data Order] は 12_21 か 21_12 です"));
      }
      haveOrder_ = true;
    } else if (key == "number of frequencies") {
      if (!ParseCount(value, expectedFrequencies_)) {
        return Error(number, FERNPLOT_TEXT("Import", "[Number of Frequencies] に数がありません"));
      }
    } else if (key == "matrix format") {
      if (AsciiLower(value) != "full") {
        return Error(number,
                     FERNPLOT_TEXT("Import", "行列の形式 %1 には対応していません（Full のみ）"),
                     {std::string(value)});
      }
    } else if (key == "mixed-mode order") {
      return Error(number,
                   FERNPLOT_TEXT("Import", "ミックスモードのパラメータには対応していません"));
    } else if (key == "reference" || key == "number of noise frequencies") {
      // Per-port references do not change gain or phase of the data.
    } else if (key == "begin information") {
      inInformation_ = true;
    } else if (key == "network data") {
      if (ports_ == 0)
        return Error(number,
                     FERNPLOT_TEXT("Import", "[Number of Ports] の前に [Network Data] があります"));
      if (ports_ == 2 && !haveOrder_) {
        return Error(
            number,
            FERNPLOT_TEXT("Import",
                          "2 ポートの [Network Data] に [Two-Port Data Order] がありません"));
      }
      inNetworkData_ = true;
    } else if (key == "noise data") {
      inNetworkData_ = false;
      skipping_ = true;
    } else if (key == "end") {
      ended_ = true;
    } else {
      return Error(number, FERNPLOT_TEXT("Import", "キーワード [%1] には対応していません"), {key});
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
        return Error(
            number,
            FERNPLOT_TEXT("Import", "1 行に %1 個の数値ではポート数がわかりません（3 個か 9 個）"),
            {std::to_string(count)});
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
        return Error(number, FERNPLOT_TEXT("Import", "数値ではありません: \"%1\""),
                     {std::string(line.substr(0, end))});
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
      return ImportFailure(
          recordLine_,
          FERNPLOT_TEXT(
              "Import",
              "周波数ごとの数値 %2 個のうち %1 個しかありません: データが途中で切れています"),
          {std::to_string(pendingCount_), std::to_string(perFrequency)});
    }
    if (inInformation_)
      return ImportFailure(
          0, FERNPLOT_TEXT("Import", "[Begin Information] に [End Information] がありません"));
    if (version2_ && !ended_)
      return ImportFailure(
          0, FERNPLOT_TEXT("Import", "[End] がありません: ファイルが途中で切れています"));
    if (recordCount_ == 0)
      return ImportFailure(0, FERNPLOT_TEXT("Import", "ネットワークデータがありません"));
    if (version2_ && expectedFrequencies_ >= 0 &&
        recordCount_ != static_cast<size_t>(expectedFrequencies_)) {
      return ImportFailure(
          0, FERNPLOT_TEXT("Import", "[Number of Frequencies] は %1 ですがデータは %2 件です"),
          {std::to_string(expectedFrequencies_), std::to_string(recordCount_)});
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
        have += (k ? " " : "") + letter + std::string(kTwoPortNames[k]);
      std::string upper = wanted;
      for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      return ImportFailure(0, FERNPLOT_TEXT("Import", "%1 がありません（あるのは %2）"),
                           {upper, have}, true);
    }
    // Points the selected parameter could not use.
    size_t skipped = recordCount_ - traces_[index].size();
    if (traces_[index].empty()) {
      return ImportFailure(
          0,
          FERNPLOT_TEXT("Import",
                        "使える点がありません: %1 個の周波数がすべて正でないか有限ではありません"),
          {std::to_string(skipped)});
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
