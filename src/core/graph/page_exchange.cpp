// SPDX-License-Identifier: MIT
#include "graph/page_exchange.h"

#include "graph/page_impedance.h"
#include "import/import_reader.h"
#include "import/spice_table.h"
#include "import/touchstone_writer.h"

namespace fernplot {

std::string PageSourceName(const GraphPage& page) {
  if (page.data.imported) return page.data.imported->fileName;
  if (page.sourcePath.empty()) return page.fileName;
  const size_t slash = page.sourcePath.find_last_of('/');
  return slash == std::string::npos ? page.sourcePath : page.sourcePath.substr(slash + 1);
}

std::string PagePanelName(const GraphPage& page) {
  const bool network = page.data.imported && page.data.imported->format.starts_with("Touchstone");
  return network ? WithParameterName(page, PageSourceName(page)) : page.fileName;
}

std::string WithParameterName(const GraphPage& page, std::string name) {
  const std::optional<ImportedSource>& source = page.data.imported;
  if (source && source->format.starts_with("Touchstone") && !source->traceName.empty())
    (name += ' ') += source->traceName;
  return name;
}

namespace {

// The network of the two-port file the page shows a parameter of, read
// again; none when the file is no longer the one the page was read from.
std::optional<ImportedFile> PageNetwork(const GraphPage& page) {
  const std::optional<ImportedSource>& source = page.data.imported;
  if (!source || !source->format.starts_with("Touchstone") || page.sourcePath.empty() ||
      !page.data.points)
    return std::nullopt;
  ImportOptions options;
  options.sparam = source->traceName;
  ImportResult r = ReadImportFile(page.sourcePath, options);
  if (!r.file || !r.file->network || r.file->traces.size() != 1) return std::nullopt;
  // The page's points are the parameter's as read, in float.
  const std::vector<TracePoint>& points = r.file->traces.front().points;
  const std::vector<DataPoint>& shown = *page.data.points;
  if (points.size() != shown.size()) return std::nullopt;
  for (size_t k = 0; k < points.size(); ++k) {
    if (points[k].frequency != shown[k].frequency ||
        static_cast<float>(points[k].gainDb) != shown[k].gainCh1Ch2 ||
        static_cast<float>(points[k].phaseDeg) != shown[k].phaseCh1Ch2)
      return std::nullopt;
  }
  return std::move(r.file);
}

}  // namespace

WriteFileResult WritePageTouchstone(const GraphPage& page, const std::string& path) {
  const bool inverse = page.properties.calcType == ChannelRatio::kCh2Ch1;
  // The inverse ratio is no parameter of the network: it is written as the
  // page's response like any other.
  const std::optional<ImportedFile> file = inverse ? std::nullopt : PageNetwork(page);
  return WriteTouchstoneS2p(page.data, inverse, PageSourceName(page), path,
                            file ? file->network.get() : nullptr);
}

bool TouchstoneOfImpedance(const GraphPage& page) {
  if (!IsImpedancePage(page)) return false;
  return page.properties.calcType == ChannelRatio::kCh2Ch1 || !PageNetwork(page);
}

WriteFileResult WritePageImpedanceTouchstone(const GraphPage& page, const std::string& path,
                                             InFlightFiles* inFlight) {
  const std::optional<ImpedanceSpectrum> z = PageImpedance(page);
  if (!z) return {false, "not an impedance"};
  return WriteFileAtomically(
      path, TouchstoneZ1pText(z->frequency, z->impedance, PageSourceName(page)), inFlight);
}

WriteFileResult WritePageSpiceTable(const GraphPage& page, const std::string& path) {
  return WriteSpiceTable(page.data, page.properties.calcType == ChannelRatio::kCh2Ch1,
                         page.fileName, PageSourceName(page), path);
}

}  // namespace fernplot
