// SPDX-License-Identifier: MIT
// Touchstone v1 and v2 reader for files of any number of ports.
//
// Every frequency starts a new line and its numbers may run on over further
// lines; a line that ends one frequency and begins another means the first
// was short. Only the parameter asked for is kept (and a two-port's whole
// network), so a record is never held whole, however many ports it has.

#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "import/import_reader.h"
#include "import/import_text.h"
#include "import/touchstone_format.h"

namespace fernplot {
namespace {

bool ParseCount(std::string_view s, long& value) {
  s = TrimSpace(s);
  const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  return ec == std::errc() && ptr == s.data() + s.size() && value >= 0;
}

size_t CountWords(std::string_view line) {
  size_t count = 0;
  for (std::string_view rest = line; !(rest = TrimSpace(rest)).empty(); ++count) {
    while (!rest.empty() && !IsSpaceChar(rest.front())) rest.remove_prefix(1);
  }
  return count;
}

// The line without its comment, trimmed.
std::string_view DataPart(std::string_view line) {
  if (const size_t bang = line.find('!'); bang != line.npos) line = line.substr(0, bang);
  return TrimSpace(line);
}

bool UsableFrequency(double f) {
  return std::isfinite(f) && f > 0.0;
}

// Ports whose record of v1 data holds `numbers` numbers, 0 for none.
int PortsForNumbers(size_t numbers) {
  if (numbers < 3 || numbers % 2 == 0) return 0;
  const size_t squares = (numbers - 1) / 2;
  const auto n = static_cast<size_t>(std::lround(std::sqrt(static_cast<double>(squares))));
  return n * n == squares && n <= static_cast<size_t>(kMaxTouchstonePorts) ? static_cast<int>(n)
                                                                           : 0;
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
      line = DataPart(line);
      if (line.empty()) continue;
      const size_t number = lines.LineNumber();
      if (line.front() == '[') {
        if (!Keyword(line, number)) return Failed();
        if (ended_) break;
      } else if (line.front() == '#') {
        if (!OptionLine(line, number)) return Failed();
      } else if (skipping_ || (version2_ && !inNetworkData_)) {
        // Noise data of v2, information blocks and reference values that
        // run onto further lines carry no trace.
      } else if (!DataLine(line, number, lines)) {
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
  bool DataBegun() const { return recordCount_ > 0 || pendingCount_ > 0 || noise_; }

  bool OptionLine(std::string_view line, size_t number) {
    // Later option lines are ignored; but the first one, coming after data,
    // would read the rows before it in other units.
    if (haveOptions_) return true;
    if (DataBegun()) {
      return Error(number, FERNPLOT_TEXT("Import",
                                         "オプション行がデータの後にあります: 単位や形式を途中で"
                                         "変えることはできません"));
    }
    if (!ParseTouchstoneOptions(line.substr(1), options_, error_)) {
      error_.line = number;
      return false;
    }
    haveOptions_ = true;
    optionLine_ = number;
    return true;
  }

  bool ShortRecord(size_t have) {
    return Error(recordLine_,
                 FERNPLOT_TEXT("Import", "周波数ごとの数値 %2 個のうち %1 個しかありません"),
                 {std::to_string(have), std::to_string(perRecord_)});
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
    // What decides the numbers of a record is fixed once the data begin.
    const bool shapesRecords = key == "number of ports" || key == "two-port data order" ||
                               key == "matrix format" || key == "network data";
    if (shapesRecords && (inNetworkData_ || DataBegun() || skipping_)) {
      return Error(number,
                   FERNPLOT_TEXT("Import", "キーワード [%1] がネットワークデータの後にあります"),
                   {key});
    }
    if (pendingCount_ > 0) return ShortRecord(pendingCount_);
    if (key == "version") {
      if (version2_ || DataBegun())
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
      if (n < 1 || n > kMaxTouchstonePorts) {
        return Error(
            number,
            FERNPLOT_TEXT("Import", "%1 ポートのファイルには対応していません（1〜%2 ポート）"),
            {std::to_string(n), std::to_string(kMaxTouchstonePorts)});
      }
      declaredPorts_ = static_cast<int>(n);
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
      const std::string format = AsciiLower(value);
      if (format == "full") {
        matrix_ = MatrixFormat::kFull;
      } else if (format == "upper") {
        matrix_ = MatrixFormat::kUpper;
      } else if (format == "lower") {
        matrix_ = MatrixFormat::kLower;
      } else {
        return Error(
            number,
            FERNPLOT_TEXT("Import", "行列の形式 %1 には対応していません（Full、Upper、Lower）"),
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
      if (declaredPorts_ == 0)
        return Error(number,
                     FERNPLOT_TEXT("Import", "[Number of Ports] の前に [Network Data] があります"));
      if (declaredPorts_ == 2 && !haveOrder_) {
        return Error(
            number,
            FERNPLOT_TEXT("Import",
                          "2 ポートの [Network Data] に [Two-Port Data Order] がありません"));
      }
      TouchstoneShape shape;
      shape.ports = declaredPorts_;
      shape.matrix = matrix_;
      shape.byColumns = declaredPorts_ == 2 && !order12_21_;
      if (!SetShape(shape, number)) return false;
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

  // A version 1 file tells its ports by the numbers of its first frequency:
  // its first line and the lines after it that do not start another
  // frequency (a line starting one has an odd count, frequency and pairs).
  bool ShapeFromData(std::string_view first, size_t number, LineCursor lines) {
    size_t numbers = CountWords(first);
    std::string_view line;
    while (lines.Next(line)) {
      if (line.size() > kMaxImportLineBytes) break;
      line = DataPart(line);
      if (line.empty()) continue;
      if (line.front() == '#' || line.front() == '[') break;
      const size_t count = CountWords(line);
      if (count % 2 == 1) break;
      numbers += count;
    }
    const int found = PortsForNumbers(numbers);
    TouchstoneShape shape;
    if (found > 0 && namePorts_ > 0 && found != namePorts_) {
      return Error(number,
                   FERNPLOT_TEXT("Import",
                                 "ファイル名は %1 ポートですが、最初の周波数の数値 %2 個は %3 "
                                 "ポートのものです"),
                   {std::to_string(namePorts_), std::to_string(numbers), std::to_string(found)});
    }
    if (found > 0) {
      shape.ports = found;
    } else if (namePorts_ > 0) {
      // Laid out in some other way: the name tells, the counts check.
      shape.ports = namePorts_;
    } else {
      return Error(number,
                   FERNPLOT_TEXT("Import", "最初の周波数の数値 %1 個ではポート数がわかりません"),
                   {std::to_string(numbers)});
    }
    shape.byColumns = shape.ports == 2;
    return SetShape(shape, number);
  }

  bool SetShape(const TouchstoneShape& shape, size_t number) {
    shape_ = shape;
    haveShape_ = true;
    perRecord_ = 1 + 2 * shape.Pairs();
    // v1 Z and Y values are normalised to the reference resistance.
    if (!version2_ && (options_.parameter == 'Z' || options_.parameter == 'Y')) {
      if (!std::isfinite(options_.reference) || options_.reference <= 0.0) {
        return Error(haveOptions_ ? optionLine_ : number,
                     FERNPLOT_TEXT("Import", "基準抵抗 R は正の数です: %1"),
                     {std::to_string(options_.reference)});
      }
      const double db = 20.0 * std::log10(options_.reference);
      scaleDb_ = options_.parameter == 'Z' ? db : -db;
      scale_ = options_.parameter == 'Z' ? options_.reference : 1.0 / options_.reference;
    }
    if (shape.ports == 2) network_ = std::make_shared<ImportedNetwork>();
    ChooseParameter();
    return true;
  }

  // The parameter asked for; empty for the default. A one-port has a single
  // parameter, so a choice made for two-ports does not apply to it.
  std::string_view Selection() const {
    // An impedance from S takes the parameter its formula needs.
    if (select_.zFrom == ZFrom::kS11) return "S11";
    if (select_.zFrom != ZFrom::kNone) return "S21";
    if (shape_.ports == 1 && select_.forTwoPorts) return {};
    return select_.sparam;
  }

  void ChooseParameter() {
    const std::string_view s = Selection();
    if (s.empty()) {
      // A file of impedances is read as the impedance at port 1, of any
      // other parameter the transmission; a choice made before the file
      // was seen (the viewer's, of the transmission) keeps the 21.
      const bool impedance = options_.parameter == 'Z' && !select_.forTwoPorts;
      wantedI_ = shape_.ports == 1 || impedance ? 1 : 2;
      wantedJ_ = 1;
    } else if (AsciiLower(s.substr(0, 1)) != AsciiLower(std::string_view(&options_.parameter, 1)) ||
               !ParseParameterPorts(s.substr(1), wantedI_, wantedJ_) || wantedI_ > shape_.ports ||
               wantedJ_ > shape_.ports) {
      wantedI_ = 0;
      return;
    }
    wantedPair_ = shape_.PairIndex(wantedI_, wantedJ_);
  }

  bool DataLine(std::string_view line, size_t number, const LineCursor& after) {
    if (!haveShape_ && !ShapeFromData(line, number, after)) return false;
    if (noise_) return NoiseLine(line, number);
    const size_t before = pendingCount_;
    if (before == 0 && recordCount_ > 0) {
      // A frequency that does not rise starts a two-port's noise data, or
      // is out of order.
      std::string_view rest = line;
      double f = 0.0;
      if (ScanNumber(rest, f) && UsableFrequency(f) && f <= lastFrequency_) {
        // A row of another count than a record's can only be meant as noise.
        if (!version2_ && shape_.ports == 2 && CountWords(line) != perRecord_) {
          noise_ = true;
          return NoiseLine(line, number);
        }
        return Error(number,
                     FERNPLOT_TEXT("Import",
                                   "周波数 %1 が前の周波数 %2 より高くありません: "
                                   "周波数は昇順に並びます"),
                     {ShortText(f), ShortText(lastFrequency_)});
      }
    }
    while (true) {
      line = TrimSpace(line);
      if (line.empty()) return true;
      if (pendingCount_ == 0 && before > 0) return ShortRecord(before);
      if (pendingCount_ == 0 && recordCount_ > 0 && number == recordLine_) {
        return Error(number,
                     FERNPLOT_TEXT("Import", "1 行の数値が多すぎます: 周波数ごとに %1 個です"),
                     {std::to_string(perRecord_)});
      }
      double value = 0.0;
      if (!NextNumber(line, value, number)) return false;
      if (pendingCount_ == 0) recordLine_ = number;
      Store(value);
      if (++pendingCount_ == perRecord_) Emit();
    }
  }

  bool NextNumber(std::string_view& line, double& value, size_t number) {
    std::string_view rest = line;
    if (!ScanNumber(rest, value) || (!rest.empty() && !IsSpaceChar(rest.front()))) {
      size_t end = 0;
      while (end < line.size() && !IsSpaceChar(line[end])) ++end;
      return Error(number, FERNPLOT_TEXT("Import", "数値ではありません: \"%1\""),
                   {std::string(line.substr(0, end))});
    }
    line = rest;
    return true;
  }

  // A two-port's noise parameters: frequency, minimum noise figure, the
  // reflection for it as a pair, effective noise resistance; rising.
  bool NoiseLine(std::string_view line, size_t number) {
    if (const size_t count = CountWords(line); count != 5) {
      return Error(
          number,
          FERNPLOT_TEXT("Import", "雑音データの行には数値が 5 個あります（この行は %1 個）"),
          {std::to_string(count)});
    }
    double f = 0.0;
    for (int k = 0; k < 5; ++k) {
      double value = 0.0;
      line = TrimSpace(line);
      if (!NextNumber(line, value, number)) return false;
      if (k == 0) f = value;
    }
    if (haveNoiseFrequency_ && !(f > lastNoiseFrequency_)) {
      return Error(
          number,
          FERNPLOT_TEXT("Import", "雑音データの周波数 %1 が前の周波数 %2 より高くありません"),
          {ShortText(f), ShortText(lastNoiseFrequency_)});
    }
    haveNoiseFrequency_ = true;
    lastNoiseFrequency_ = f;
    return true;
  }

  static std::string ShortText(double v) {
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, r.ptr);
  }

  void Store(double value) {
    const size_t k = pendingCount_;
    if (k < record_.size() && perRecord_ <= record_.size()) record_[k] = value;
    if (k == 0) frequency_ = value;
    if (wantedI_ > 0 && k > 0 && (k - 1) / 2 == wantedPair_) ((k - 1) % 2 == 0 ? a_ : b_) = value;
  }

  void Emit() {
    pendingCount_ = 0;
    ++recordCount_;
    if (UsableFrequency(frequency_)) lastFrequency_ = frequency_;
    const double hertz = frequency_ * options_.hertz;
    if (network_) KeepNetworkRow(hertz);
    if (wantedI_ == 0) return;
    TracePoint p;
    p.frequency = hertz;
    TouchstonePairToGainPhase(options_.format, a_, b_, p.gainDb, p.phaseDeg);
    p.gainDb += scaleDb_;
    if (!IsUsablePoint(p)) return;
    points_.push_back(p);
    values_.push_back(scale_ * TouchstonePairToComplex(options_.format, a_, b_));
  }

  void KeepNetworkRow(double hertz) {
    if (!UsableFrequency(hertz)) return;
    ImportedNetwork::Row row;
    row.frequency = hertz;
    // Kept as 11 21 12 22, whatever the order or the triangle of the file.
    static constexpr std::array<std::array<long, 2>, 4> kKept = {{{1, 1}, {2, 1}, {1, 2}, {2, 2}}};
    for (size_t k = 0; k < kKept.size(); ++k) {
      const size_t at = 1 + 2 * shape_.PairIndex(kKept[k][0], kKept[k][1]);
      double gainDb = 0.0, phaseDeg = 0.0;
      TouchstonePairToGainPhase(options_.format, record_[at], record_[at + 1], gainDb, phaseDeg);
      const double magnitude = std::pow(10.0, (gainDb + scaleDb_) / 20.0);
      if (!std::isfinite(magnitude) || !std::isfinite(phaseDeg)) return;
      row.values[2 * k] = magnitude;
      row.values[2 * k + 1] = phaseDeg;
    }
    network_->rows.push_back(row);
  }

  std::string Present() const {
    const char letter = options_.parameter;
    const long n = shape_.ports;
    if (n * n > 16) {
      return TouchstoneParameterName(letter, 1, 1) + " … " + TouchstoneParameterName(letter, n, n);
    }
    std::string have;
    // A two-port's in the order its files are written.
    if (n == 2) {
      for (const std::string_view k : kTwoPortNames)
        have += (have.empty() ? "" : " ") + (letter + std::string(k));
      return have;
    }
    for (long i = 1; i <= n; ++i) {
      for (long j = 1; j <= n; ++j)
        have += (have.empty() ? "" : " ") + TouchstoneParameterName(letter, i, j);
    }
    return have;
  }

  ImportResult Finish() {
    if (pendingCount_ > 0) {
      return ImportFailure(
          recordLine_,
          FERNPLOT_TEXT(
              "Import",
              "周波数ごとの数値 %2 個のうち %1 個しかありません: データが途中で切れています"),
          {std::to_string(pendingCount_), std::to_string(perRecord_)});
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
    if (wantedI_ == 0) {
      std::string upper(Selection());
      for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      return ImportFailure(0, FERNPLOT_TEXT("Import", "%1 がありません（あるのは %2）"),
                           {upper, Present()}, true);
    }
    // Points the selected parameter could not use.
    const size_t skipped = recordCount_ - points_.size();
    if (points_.empty()) {
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
    r.file->ports = shape_.ports;
    if (network_) {
      network_->parameter = options_.parameter;
      network_->reference = options_.reference;
      r.file->network = std::move(network_);
    }
    r.file->traces.push_back(
        {TouchstoneParameterName(options_.parameter, wantedI_, wantedJ_), std::move(points_)});
    if (select_.zFrom != ZFrom::kNone) return ImpedanceOfS(std::move(r));
    if (options_.parameter == 'Z') {
      auto sweep = std::make_shared<ComplexSweep>();
      sweep->quantity = SweepQuantity::kImpedance;
      for (const TracePoint& p : r.file->traces[0].points) sweep->frequency.push_back(p.frequency);
      sweep->response = std::move(values_);
      r.file->traces[0].sweep = std::move(sweep);
    }
    return r;
  }

  // The impedance --z-from makes of the S-parameter read: the trace's points
  // become Z's, the points where its formula has no value left out.
  ImportResult ImpedanceOfS(ImportResult r) {
    if (options_.parameter != 'S') {
      return ImportFailure(
          0, FERNPLOT_TEXT("Import", "--z-from は S パラメータのファイルにだけ使えます"), {}, true);
    }
    ImportedTrace& trace = r.file->traces[0];
    auto sweep = std::make_shared<ComplexSweep>();
    sweep->quantity = SweepQuantity::kImpedance;
    std::vector<TracePoint> points;
    for (size_t k = 0; k < trace.points.size(); ++k) {
      const std::complex<double> z = ImpedanceFromS(select_.zFrom, values_[k], options_.reference);
      TracePoint p;
      p.frequency = trace.points[k].frequency;
      ComplexToGainPhase(z.real(), z.imag(), p.gainDb, p.phaseDeg);
      if (!IsUsablePoint(p) || !std::isfinite(z.real()) || !std::isfinite(z.imag()) ||
          std::abs(z) == 0.0) {
        ++r.file->skippedPoints;
        continue;
      }
      points.push_back(p);
      sweep->frequency.push_back(p.frequency);
      sweep->response.push_back(z);
    }
    trace.name = "Z (" + trace.name + ")";
    trace.points = std::move(points);
    trace.sweep = std::move(sweep);
    r.file->network.reset();
    return FinishTraces(std::move(*r.file));
  }

  int namePorts_;  // N for a ".sNp" name, else 0
  const ImportOptions& select_;
  TouchstoneOptions options_;
  bool haveOptions_ = false;
  size_t optionLine_ = 0;
  // The keywords of a v2 file.
  bool version2_ = false;
  int declaredPorts_ = 0;
  MatrixFormat matrix_ = MatrixFormat::kFull;
  bool order12_21_ = false;
  bool haveOrder_ = false;
  bool inNetworkData_ = false;
  bool inInformation_ = false;
  bool skipping_ = false;
  bool ended_ = false;
  long expectedFrequencies_ = -1;
  // The records, fixed at the first.
  TouchstoneShape shape_;
  bool haveShape_ = false;
  size_t perRecord_ = 0;
  double scaleDb_ = 0.0;
  double scale_ = 1.0;  // the same as a factor of the values
  long wantedI_ = 0, wantedJ_ = 0;  // 0: the file does not have what was asked for
  size_t wantedPair_ = 0;
  // The record being read.
  size_t pendingCount_ = 0;
  size_t recordLine_ = 0;
  double frequency_ = 0.0, a_ = 0.0, b_ = 0.0;
  std::array<double, 9> record_{};  // a two-port's whole record
  size_t recordCount_ = 0;
  double lastFrequency_ = 0.0;
  // v1 two-port noise data.
  bool noise_ = false;
  bool haveNoiseFrequency_ = false;
  double lastNoiseFrequency_ = 0.0;
  std::vector<TracePoint> points_;
  std::vector<std::complex<double>> values_;  // one per point, as read
  std::shared_ptr<ImportedNetwork> network_;
  ImportError error_;
};

}  // namespace

ImportResult ReadTouchstone(std::string_view text, int ports, const ImportOptions& options) {
  return TouchstoneReader(ports, options).Read(text);
}

}  // namespace fernplot
