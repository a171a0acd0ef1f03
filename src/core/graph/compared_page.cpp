// SPDX-License-Identifier: MIT
#include "graph/compared_page.h"

#include <algorithm>
#include <filesystem>

#include "analysis/difference.h"
#include "datafile/reader.h"
#include "graph/model_overlay.h"
#include "graph/page_figures.h"
#include "graph/page_session.h"
#include "import/imported_page.h"

namespace fernplot {
namespace {

std::string FileNameOf(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

}  // namespace

std::vector<OverlayTrace> ReadOverlayTraces(const std::string& path, const ImportOptions& options,
                                            const TextTranslator* translator, std::string& errors,
                                            bool& missingSelection) {
  std::vector<OverlayTrace> traces;
  SweepFileRead read = ReadSweepFile(path, options, translator);
  missingSelection = missingSelection || read.missingSelection;
  if (!read.importError.empty()) {
    errors += read.importError + '\n';
    return traces;
  }
  // A record without points has nothing to lay over a page.
  if (!read.data || !read.data->points) {
    errors += path + ": " +
              (read.message.empty() ? std::string("has no points")
                                    : LocalizedReaderMessage(read.message, translator)) +
              '\n';
    return traces;
  }
  read.more.insert(read.more.begin(), std::move(*read.data));
  for (MeasurementData& d : read.more) {
    std::string name =
        d.imported ? d.imported->legendName : std::string(PageFileName(FileNameOf(path)));
    traces.push_back(OverlayTrace{std::move(d), std::move(name), path});
  }
  return traces;
}

ComparisonRead ReadComparison(const std::vector<std::string>& overlays,
                              const std::optional<std::string>& differenceFile,
                              const ImportOptions& options, const TextTranslator* translator) {
  ComparisonRead read;
  Comparison& c = read.comparison;
  for (const std::string& path : overlays) {
    std::vector<OverlayTrace> t =
        ReadOverlayTraces(path, options, translator, read.errors, read.missingSelection);
    if (t.empty()) {
      read.allRead = false;
      continue;
    }
    if (differenceFile && path == *differenceFile && c.referenceIndex < 0) {
      c.referenceIndex = static_cast<int>(c.overlays.size());
    }
    for (OverlayTrace& trace : t) c.overlays.push_back(std::move(trace));
  }
  if (differenceFile && c.referenceIndex < 0) {
    const bool listed =
        std::find(overlays.begin(), overlays.end(), *differenceFile) != overlays.end();
    // Listed but unreadable: already reported.
    if (!listed) {
      std::vector<OverlayTrace> t = ReadOverlayTraces(*differenceFile, options, translator,
                                                      read.errors, read.missingSelection);
      if (!t.empty()) {
        c.referenceIndex = static_cast<int>(c.overlays.size());
        c.referenceOnly = true;
        for (OverlayTrace& trace : t) c.overlays.push_back(std::move(trace));
      } else {
        read.allRead = false;
      }
    }
  }
  return read;
}

ComparedPage MakeComparedPage(const GraphProperties& defaults, MeasurementData data,
                              std::vector<MeasurementData> more, const std::string& path,
                              const Comparison& comparison, bool marks,
                              const FitOptions* fitOverlay, const TextTranslator* translator) {
  ComparedPage made;
  // Further traces of an imported file: laid over its first.
  std::vector<OverlayTrace> ownOverlays;
  for (MeasurementData& d : more) {
    std::string name =
        d.imported ? d.imported->legendName : std::string(PageFileName(FileNameOf(path)));
    ownOverlays.push_back(OverlayTrace{std::move(d), std::move(name), path});
  }
  // A page showing the closed loop or the sensitivity draws and lists those
  // points; its figures stay those of the loop gain as measured.
  if (defaults.loopCurve != LoopCurve::kOpen) {
    made.measured = PageSession::MakePage(defaults, data, PageFileName(FileNameOf(path)));
  }
  made.page = PageSession::MakePage(defaults, std::move(data), PageFileName(FileNameOf(path)));
  GraphPage& page = *made.page;
  page.showFigureMarks = marks;
  page.sourcePath = path;
  if (!comparison.overlays.empty() || !ownOverlays.empty()) {
    const Comparison& c = comparison;
    page.overlays = std::move(ownOverlays);
    const int first = static_cast<int>(page.overlays.size());
    page.overlays.insert(page.overlays.end(), c.overlays.begin(), c.overlays.end());
    page.referenceIndex = c.referenceIndex >= 0 ? first + c.referenceIndex : -1;
    page.showDifference = page.referenceIndex >= 0;
    if (page.showDifference) {
      const auto at = static_cast<size_t>(page.referenceIndex);
      const Subtraction check =
          CheckSubtraction(page.data, page.overlays[at].data, PageRatio(page.properties));
      if (check != Subtraction::kPossible) {
        // An input error: said so, and the page is drawn as if no difference
        // had been asked for.
        made.errors += page.overlays[at].path + ": " + SubtractionMessage(check, translator) + '\n';
        made.ok = false;
        page.showDifference = false;
        page.referenceIndex = -1;
        // Traces read only to be subtracted are the last ones.
        if (c.referenceOnly) page.overlays.resize(at);
      }
    }
  }
  if (made.measured) ShowLoopCurve(page);
  if (fitOverlay) {
    // The model of the curve the page shows; a page it cannot be fitted to
    // is drawn without one (-f model says why).
    const std::vector<UsablePoint> shown = PageUsablePoints(page);
    const FitResult fit = FitSweep(shown, *fitOverlay);
    if (fit.model) {
      page.overlays.push_back(ModelOverlay(*fit.model, shown, PageRatio(page.properties)));
    }
  }
  return made;
}

}  // namespace fernplot
