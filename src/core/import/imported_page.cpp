// SPDX-License-Identifier: MIT
#include "import/imported_page.h"

#include <algorithm>
#include <iterator>
#include <limits>

#include "datafile/reader.h"
#include "import/import_reader.h"

namespace fernplot {
namespace {

std::string_view BaseName(std::string_view path) {
  const size_t slash = path.find_last_of('/');
  return slash == path.npos ? path : path.substr(slash + 1);
}

std::string_view Stem(std::string_view name) {
  const size_t dot = name.rfind('.');
  return dot == name.npos ? name : name.substr(0, dot);
}

}  // namespace

std::vector<MeasurementData> ImportedRecords(const ImportedFile& file, std::string_view fileName) {
  std::vector<MeasurementData> records;
  records.reserve(file.traces.size());
  const bool several = file.traces.size() > 1;
  for (const ImportedTrace& trace : file.traces) {
    MeasurementData d;
    ImportedSource source;
    source.format = file.format;
    source.traceName = trace.name;
    source.fileName = std::string(fileName);
    source.legendName = several && !trace.name.empty() ? trace.name : std::string(Stem(fileName));
    source.pointCount = trace.points.size();
    source.units = file.units;
    source.sweep = trace.sweep;
    d.imported = std::move(source);
    // The header's count field is 16 bits wide; the points hold the truth.
    d.pointCount = static_cast<uint16_t>(
        std::min<size_t>(trace.points.size(), std::numeric_limits<uint16_t>::max()));
    d.dataType = 0;  // both ratios are known
    std::vector<DataPoint> points;
    points.reserve(trace.points.size());
    double lo = std::numeric_limits<double>::infinity(), hi = 0.0;
    for (const TracePoint& p : trace.points) {
      const auto g = static_cast<float>(p.gainDb);
      const auto ph = static_cast<float>(p.phaseDeg);
      points.push_back({p.frequency, g, -g, ph, -ph});
      lo = std::min(lo, p.frequency);
      hi = std::max(hi, p.frequency);
    }
    d.sweepMinFrequency = lo;
    d.sweepMaxFrequency = hi;
    d.points = std::move(points);
    records.push_back(std::move(d));
  }
  return records;
}

ImportedRecordsRead ReadImportedRecords(const std::string& path, const ImportOptions& options,
                                        const TextTranslator* translator) {
  ImportedRecordsRead read;
  const ImportResult r = ReadImportFile(path, options);
  if (!r.file) {
    read.error = ImportErrorText(path, r.error, translator);
    read.errorLine = r.error.line;
    read.errorMessage = ImportMessage(r.error, translator);
    read.missingSelection = r.error.missingSelection;
    return read;
  }
  read.records = ImportedRecords(*r.file, BaseName(path));
  read.ports = r.file->ports;
  return read;
}

SweepFileRead ReadSweepFile(const std::string& path, const ImportOptions& options,
                            const TextTranslator* translator) {
  SweepFileRead read;
  if (!HasImportSuffix(path)) {
    read.data = ReadDataFile(true, path, read.message);
    if (read.data || !IsImportFile(path)) return read;
  }
  ImportedRecordsRead imported = ReadImportedRecords(path, options, translator);
  read.message.clear();
  read.importError = std::move(imported.error);
  read.importLine = imported.errorLine;
  read.importMessage = std::move(imported.errorMessage);
  read.missingSelection = imported.missingSelection;
  read.ports = imported.ports;
  if (!imported.records.empty()) {
    read.data = std::move(imported.records.front());
    read.more.assign(std::make_move_iterator(imported.records.begin() + 1),
                     std::make_move_iterator(imported.records.end()));
  }
  return read;
}

}  // namespace fernplot
