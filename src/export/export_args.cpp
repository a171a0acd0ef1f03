// SPDX-License-Identifier: MIT
#include "export_args.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "import/touchstone_format.h"
#include "analysis/view_rows.h"
#include "props/property_table.h"

namespace fernplot {

namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

// The options the command line knows, for a "did you mean" after a typo.
constexpr std::string_view kOptionNames[] = {
    "--help",           "--version",     "--factory",
    "--calc",           "--zoom",        "--overlay",
    "--difference",     "--sparam",      "--margin-reference",
    "--right",          "--view",        "--loop",
    "--nyquist-radius", "--no-contours", "--marks",
    "--fit-order",      "--fit-delay",   "--fit-overlay",
    "--summary",        "--report",      "--jobs",
    "--quiet",          "--lang",        "--set",
    "--properties",     "--mask",        "--statistics",
    "--statistics-of",  "--sigma",       "--columns",
    "--circuit",        "--initial",     "--circuit-weight",
    "--global",         "--global-seconds", "--kk-fit",
    "--kk-c",           "--kk-max-m",    "--kk-capacitance",
    "--fmin",           "--fmax",        "--shunt",
    "--z-from",         "--circuit-overlay"};

// Edits (insertions, deletions, changes, swaps of neighbours) from a to b.
size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
  for (size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t change = a[i - 1] == b[j - 1] ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + change});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[a.size()][b.size()];
}

// " (did you mean X?)" for the nearest of `names` to a mistyped `given`,
// or nothing when none is near: a short name may be one edit off, a longer
// one two.
template <typename Names>
std::string DidYouMean(std::string_view given, const Names& names) {
  const std::string lower = Lower(std::string(given));
  std::string_view best;
  size_t bestDistance = 0;
  for (const auto& entry : names) {
    const std::string_view name(entry);
    const size_t d = EditDistance(lower, Lower(std::string(name)));
    const size_t allowed = std::min(name.size(), lower.size()) <= 4 ? 1 : 2;
    if (d <= allowed && (best.empty() || d < bestDistance)) {
      best = name;
      bestDistance = d;
    }
  }
  return best.empty() ? std::string() : " (did you mean " + std::string(best) + "?)";
}

std::vector<std::string> PagePropertyNames() {
  std::vector<std::string> names;
  for (const PropertyDescriptor& d : PageProperties()) names.push_back(d.name);
  return names;
}

// Adds the comma-separated formats of `list`; false on an unknown or empty one.
bool AddFormats(const std::string& list, std::vector<ExportFormat>& formats, std::string& error) {
  size_t start = 0;
  while (true) {
    const size_t comma = list.find(',', start);
    const std::string name = list.substr(start, comma == std::string::npos ? comma : comma - start);
    const ExportFormat format = FindExportFormat(name);
    if (!format) {
      std::vector<std::string_view> names;
      for (const ExportFormatEntry& f : kExportFormats) names.push_back(f.name);
      error = "unknown format '" + name + "'" + DidYouMean(name, names);
      return false;
    }
    if (std::find(formats.begin(), formats.end(), format) == formats.end()) {
      formats.push_back(format);
    }
    if (comma == std::string::npos) return true;
    start = comma + 1;
  }
}

bool IsExistingFile(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

}  // namespace

ParsedArgs ParseExportArgs(const std::vector<std::string>& args) {
  ExportOptions o;
  bool sawExportOption = false;  // anything that only makes sense with -f
  auto fail = [](std::string why) { return ParsedArgs{std::nullopt, std::move(why)}; };

  for (size_t i = 0; i < args.size(); ++i) {
    std::string arg = args[i];
    std::optional<std::string> inlineValue;
    if (arg.rfind("--", 0) == 0 && arg.size() > 2) {
      if (const size_t eq = arg.find('='); eq != std::string::npos) {
        inlineValue = arg.substr(eq + 1);
        arg.resize(eq);
      }
    }
    auto value = [&](std::string& out) {
      if (inlineValue) {
        out = *inlineValue;
        return true;
      }
      if (i + 1 >= args.size()) return false;
      out = args[++i];
      return true;
    };
    auto takesNoValue = [&] { return !inlineValue; };

    std::string v;
    if (arg == "-h" || arg == "--help") {
      if (!takesNoValue()) return fail("--help takes no value");
      o.help = true;
    } else if (arg == "--version") {
      if (!takesNoValue()) return fail("--version takes no value");
      o.version = true;
    } else if (arg == "--properties") {
      if (!takesNoValue()) return fail("--properties takes no value");
      o.properties = true;
    } else if (arg == "--set") {
      if (!value(v)) return fail("--set needs NAME=VALUE");
      const size_t eq = v.find('=');
      const std::string name = v.substr(0, eq);
      if (eq == std::string::npos || name.empty()) {
        return fail("--set takes NAME=VALUE, not '" + v + "' (--properties lists the names)");
      }
      if (!FindPageProperty(name)) {
        return fail("--set: unknown property '" + name + "'" +
                    DidYouMean(name, PagePropertyNames()) + " (--properties lists them)");
      }
      // A word or number the property never takes is a usage error at
      // once; whether the page keeps it with its other values (a settings
      // file's, earlier --set's) is known only when the page is.
      if (std::string why = CheckPagePropertyValue(name, v.substr(eq + 1)); !why.empty()) {
        return fail("--set: " + why);
      }
      o.setProperties.emplace_back(name, v.substr(eq + 1));
      sawExportOption = true;
    } else if (arg == "-o") {
      if (!value(v) || v.empty()) return fail("-o needs a folder");
      o.outputDir = v;
      sawExportOption = true;
    } else if (arg == "-s") {
      if (!value(v) || v.empty()) return fail("-s needs a settings file");
      o.settingsPath = v;
      sawExportOption = true;
    } else if (arg == "--factory") {
      if (!takesNoValue()) return fail("--factory takes no value");
      o.factory = true;
      sawExportOption = true;
    } else if (arg == "--calc") {
      if (!value(v)) return fail("--calc needs ch1/ch2 or ch2/ch1");
      const std::string c = Lower(v);
      if (c == "ch1/ch2") {
        o.calcType = ChannelRatio::kCh1Ch2;
      } else if (c == "ch2/ch1") {
        o.calcType = ChannelRatio::kCh2Ch1;
      } else {
        return fail("--calc takes ch1/ch2 or ch2/ch1, not '" + v + "'");
      }
      sawExportOption = true;
    } else if (arg == "--zoom") {
      if (!value(v)) return fail("--zoom needs a percentage");
      int percent = 0;
      const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), percent);
      if (ec != std::errc() || end != v.data() + v.size() || percent < 10 || percent > 1000) {
        return fail("--zoom takes a whole percentage from 10 to 1000, not '" + v + "'");
      }
      o.zoomPercent = percent;
      sawExportOption = true;
    } else if (arg == "--overlay") {
      if (!value(v) || v.empty()) return fail("--overlay needs a data file list");
      // A name may hold commas: an argument that names an existing file is
      // that one file, and --overlay FILE can be repeated instead of a list.
      if (IsExistingFile(v)) {
        o.overlays.push_back(v);
      } else {
        size_t start = 0;
        while (true) {
          const size_t comma = v.find(',', start);
          const std::string file =
              v.substr(start, comma == std::string::npos ? comma : comma - start);
          if (file.empty()) return fail("--overlay has an empty file name in '" + v + "'");
          o.overlays.push_back(file);
          if (comma == std::string::npos) break;
          start = comma + 1;
        }
      }
      sawExportOption = true;
    } else if (arg == "--difference") {
      if (!value(v) || v.empty()) return fail("--difference needs a data file");
      if (o.differenceFile) return fail("--difference given twice");
      o.differenceFile = v;
      sawExportOption = true;
    } else if (arg == "--sparam") {
      if (!value(v)) return fail("--sparam needs a parameter such as S21, S31 or Z11");
      for (char& c : v) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      long row = 0, column = 0;
      if (v.empty() || kTouchstoneParameters.find(v.front()) == std::string_view::npos ||
          !ParseParameterPorts(std::string_view(v).substr(1), row, column)) {
        return fail("--sparam takes a parameter such as S21, S31 or Z11, not '" + v + "'");
      }
      o.sparam = v;
      sawExportOption = true;
    } else if (arg == "--margin-reference") {
      if (!value(v)) return fail("--margin-reference needs -180 or 0");
      if (v == "-180") {
        o.marginReferenceZero = false;
      } else if (v == "0") {
        o.marginReferenceZero = true;
      } else {
        return fail("--margin-reference takes -180 or 0, not '" + v + "'");
      }
      sawExportOption = true;
    } else if (arg == "--right") {
      if (!value(v)) return fail("--right needs phase, unwrapped or delay");
      const std::string r = Lower(v);
      if (r == "phase") {
        o.rightAxis = kRightPhase;
      } else if (r == "unwrapped") {
        o.rightAxis = kRightUnwrappedPhase;
      } else if (r == "delay") {
        o.rightAxis = kRightGroupDelay;
      } else {
        return fail("--right takes phase, unwrapped or delay, not '" + v + "'");
      }
      sawExportOption = true;
    } else if (arg == "--view") {
      if (!value(v)) return fail("--view needs " + ViewOptionWords(", "));
      const std::optional<ViewKind> view = ViewOfOptionWord(v);
      if (!view) return fail("--view takes " + ViewOptionWords(", ") + ", not '" + v + "'");
      o.view = *view;
      sawExportOption = true;
    } else if (arg == "--loop") {
      if (!value(v)) return fail("--loop needs open, closed or sensitivity");
      if (v == "open") {
        o.loopCurve = LoopCurve::kOpen;
      } else if (v == "closed") {
        o.loopCurve = LoopCurve::kClosed;
      } else if (v == "sensitivity") {
        o.loopCurve = LoopCurve::kSensitivity;
      } else {
        return fail("--loop takes open, closed or sensitivity, not '" + v + "'");
      }
      sawExportOption = true;
    } else if (arg == "--nyquist-radius") {
      if (!value(v)) return fail("--nyquist-radius needs a number");
      double radius = 0.0;
      // from_chars takes no plus sign; "+2" is a number all the same.
      const char* first = v.data() + (v.size() > 1 && v[0] == '+' && v[1] != '-' ? 1 : 0);
      const auto [end, ec] = std::from_chars(first, v.data() + v.size(), radius);
      if (v.empty() || ec != std::errc() || end != v.data() + v.size() ||
          !IsNyquistRadius(radius)) {
        return fail("--nyquist-radius takes 0 or a number from 1e-100 to 1e100, not '" + v + "'");
      }
      o.nyquistRadius = radius;
      sawExportOption = true;
    } else if (arg == "--no-contours") {
      if (!takesNoValue()) return fail("--no-contours takes no value");
      o.nicholsContours = false;
      sawExportOption = true;
    } else if (arg == "--marks") {
      if (!takesNoValue()) return fail("--marks takes no value");
      o.marks = true;
      sawExportOption = true;
    } else if (arg == "--fit-order") {
      if (!value(v)) return fail("--fit-order needs a number of poles");
      int order = 0;
      const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), order);
      if (ec != std::errc() || end != v.data() + v.size() || order < 1 || order > kMaxFitOrder) {
        return fail("--fit-order takes a whole number from 1 to " + std::to_string(kMaxFitOrder) +
                    ", not '" + v + "'");
      }
      o.fit.order = order;
      sawExportOption = true;
    } else if (arg == "--fit-delay") {
      if (!takesNoValue()) return fail("--fit-delay takes no value");
      o.fit.delay = true;
      sawExportOption = true;
    } else if (arg == "--fit-overlay") {
      if (!takesNoValue()) return fail("--fit-overlay takes no value");
      o.fitOverlay = true;
      sawExportOption = true;
    } else if (arg == "--fmin" || arg == "--fmax") {
      // The band the model is fitted to, in Hz, both ends included.
      if (!value(v)) return fail(arg + " needs a frequency in Hz");
      double hz = 0.0;
      const char* first = v.data() + (v.size() > 1 && v[0] == '+' && v[1] != '-' ? 1 : 0);
      const auto [end, ec] = std::from_chars(first, v.data() + v.size(), hz);
      if (v.empty() || ec != std::errc() || end != v.data() + v.size() || !std::isfinite(hz) ||
          hz <= 0.0) {
        return fail(arg + " takes a frequency in Hz above 0, not '" + v + "'");
      }
      (arg == "--fmin" ? o.fit.fmin : o.fit.fmax) = hz;
      if (o.fit.fmin && o.fit.fmax && *o.fit.fmin > *o.fit.fmax) {
        return fail("--fmin is above --fmax");
      }
      sawExportOption = true;
    } else if (arg == "--summary") {
      if (inlineValue && *inlineValue != "csv" && *inlineValue != "tsv") {
        return fail("--summary= takes csv or tsv, not '" + *inlineValue + "'");
      }
      if (inlineValue) o.summaryTable = *inlineValue == "csv" ? ',' : '\t';
      o.summary = true;
      sawExportOption = true;
    } else if (arg == "--report") {
      if (!value(v) || v.empty()) return fail("--report needs a file ending in .pdf");
      if (v.size() < 5 || Lower(v.substr(v.size() - 4)) != ".pdf") {
        return fail("--report writes a PDF: the file name must end in .pdf, not '" + v + "'");
      }
      o.reportPath = v;
      sawExportOption = true;
    } else if (arg == "-j" || arg == "--jobs" || (arg.rfind("-j", 0) == 0 && arg.size() > 2)) {
      // -jN as well as -j N, as make and GNU parallel take it.
      if (arg.size() > 2 && arg[1] == 'j') {
        v = arg.substr(2);
      } else if (!value(v)) {
        return fail("-j needs a number of files at once");
      }
      int jobs = 0;
      const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), jobs);
      if (ec != std::errc() || end != v.data() + v.size() || jobs < 1 || jobs > kMaxJobs) {
        return fail("-j takes a whole number from 1 to " + std::to_string(kMaxJobs) + ", not '" +
                    v + "'");
      }
      o.jobs = jobs;
      sawExportOption = true;
    } else if (arg == "-q" || arg == "--quiet") {
      if (!takesNoValue()) return fail("--quiet takes no value");
      o.quiet = true;
      sawExportOption = true;
    } else if (std::string why; TakeProductionOption(arg, value, o.production, why)) {
      // --mask, --statistics, --statistics-of, --sigma (production_args.h).
      if (!why.empty()) return fail(why);
      sawExportOption = true;
    } else if (std::string wrong;
               TakeImpedanceOption(arg, value, takesNoValue, o.impedance, wrong)) {
      // --columns, --circuit ..., --kk-... (impedance_args.h).
      if (!wrong.empty()) return fail(wrong);
      sawExportOption = true;
    } else if (arg == "-f") {
      if (!value(v)) return fail("-f needs a format list");
      std::string error;
      if (!AddFormats(v, o.formats, error)) return fail(error);
    } else if (arg == "--lang") {
      if (!value(v)) return fail("--lang needs ja or en");
      if (v != "ja" && v != "en") return fail("--lang takes ja or en, not '" + v + "'");
      o.language = v;
    } else if (arg == "-l") {
      if (!value(v) || v.empty()) return fail("-l needs a search pattern");
      if (o.listPattern) return fail("-l given twice");
      o.listPattern = v;
    } else if (arg == "--") {
      for (++i; i < args.size(); ++i) o.files.push_back(args[i]);
    } else if (arg.size() > 1 && arg[0] == '-') {
      return fail("unknown option '" + args[i] + "'" + DidYouMean(arg, kOptionNames));
    } else {
      o.files.push_back(arg);
    }
  }

  if (o.factory && o.settingsPath) return fail("--factory and -s exclude each other");
  if (o.help || o.version || o.properties) return ParsedArgs{o, {}};
  if (o.listPattern) {
    if (!o.formats.empty() || !o.files.empty() || sawExportOption) {
      return fail("-l takes no other options or files");
    }
    return ParsedArgs{o, {}};
  }
  if (o.formats.empty() && !o.summary && !o.reportPath && !o.production.statisticsDir) {
    return fail("no output format (-f), --summary or --report given");
  }
  if (const std::string why = CheckProductionOptions(
          o.production, std::find(o.formats.begin(), o.formats.end(),
                                  FindExportFormat("verdict")) != o.formats.end());
      !why.empty()) {
    return fail(why);
  }
  if (o.impedance.zFrom != ZFrom::kNone && !o.sparam.empty()) {
    return fail("--z-from and --sparam exclude each other: --z-from reads S11 or S21");
  }
  const auto asked = [&o](const char* name) {
    return std::find(o.formats.begin(), o.formats.end(), FindExportFormat(name)) != o.formats.end();
  };
  if (const std::string why = CheckImpedanceOptions(o.impedance, asked("circuit"), asked("kk"));
      !why.empty()) {
    return fail(why);
  }

  if (o.files.empty()) return fail("no data file given");
  return ParsedArgs{o, {}};
}

std::string ExportHelpText() {
  std::string formats;
  for (const ExportFormatEntry& f : kExportFormats) {
    // The descriptions line up after the longest name.
    formats +=
        "  " + std::string(f.name) + std::string(9 - std::min<size_t>(f.name.size(), 8), ' ');
    formats += "<name>" + std::string(f.suffix) + ": " + std::string(f.help) + "\n";
  }
  const std::string views = ViewOptionWords("|");
  return "Usage:\n"
         "  fernplot-export [-o DIR] [-s SETTINGS|--factory] [--calc ch1/ch2|ch2/ch1]\n"
         "                  [--zoom PERCENT]\n"
         "                  [--overlay FILE[,FILE...]]... [--difference FILE] [--sparam SNN]\n"
         "                  [--margin-reference -180|0] [--right phase|unwrapped|delay]\n"
         "                  [--view " +
         views + "] [--loop open|closed|sensitivity]\n"
         "                  [--nyquist-radius R] [--no-contours] [--set NAME=VALUE]...\n"
         "                  [--marks] [--summary[=csv|tsv]] [--report FILE.pdf]\n"
         "                  [--fit-order N] [--fit-delay] [--fit-overlay]\n"
         "                  [--fmin HZ] [--fmax HZ]\n"
         "                  [--mask FILE] [--statistics OUT] [--statistics-of db|complex]\n"
         "                  [--sigma K] [-j N] [--quiet] [--lang ja|en]\n"
         "                  -f FMT[,FMT...] FILE...\n"
         "  fernplot-export -l PATTERN\n"
         "  fernplot-export --properties\n"
         "\n"
         "Writes one output per data file and format into DIR (default: the current\n"
         "folder, created when missing), named after the data file without its folder\n"
         "and extension. Besides the instrument's data files, FILE (and the files of\n"
         "--overlay and --difference) may be Touchstone (.s1p, .s2p, .sNp), a circuit\n"
         "simulator's AC text export or a delimited table of frequency, gain (dB) and\n"
         "phase (deg); a file of several traces makes a page with the others laid over.\n"
         "\n"
         "Formats:\n" +
         formats +
         "\n"
         "Options:\n"
         "  -o DIR         output folder\n"
         "  -s SETTINGS    read this settings file over the factory defaults\n"
         "                 (default: the viewer's fernplot.CFG, only read; the\n"
         "                 first line of this text names the one a run reads)\n"
         "  --factory      the factory settings, whatever settings file there is\n"
         "  --calc RATIO   show ch1/ch2 or ch2/ch1 (default: the settings file's)\n"
         "  --zoom PERCENT zoom of png output, 10 to 1000 (default 100)\n"
         "  --overlay FILE[,FILE...]\n"
         "                 lay these data files over every page, with a legend;\n"
         "                 may be repeated; a FILE that exists is taken whole,\n"
         "                 commas and all\n"
         "  --difference FILE\n"
         "                 draw every page minus FILE (csv: the difference points)\n"
         "  --sparam S21|S11|S31|Z21|...\n"
         "                 the parameter read from Touchstone files: the file's\n"
         "                 letter (S, Y, Z, H or G) and two port numbers, as\n"
         "                 S1_12 past port 9 (default: S21, a one-port's S11);\n"
         "                 exit 2 for a file without it\n"
         "  --margin-reference -180|0\n"
         "                 read phase margins against -180 or 0 degrees\n"
         "                 (default: the settings file's, -180 when unset)\n"
         "  --right phase|unwrapped|delay\n"
         "                 the right axis shows the phase as measured, the phase\n"
         "                 followed through its jumps, or the group delay\n"
         "                 (default: the settings file's, the phase when unset)\n"
         "  --view " +
         views + "\n"
         "                 draw gain and phase over frequency, the Nyquist plot\n"
         "                 or the Nichols chart (default: the settings file's)\n"
         "  --loop open|closed|sensitivity\n"
         "                 show the loop gain L as measured, the closed loop\n"
         "                 L/(1+L) or the sensitivity 1/(1+L); the figures stay L's\n"
         "  --nyquist-radius R\n"
         "                 the Nyquist plot shows at least -R..R on both axes;\n"
         "                 0 fits every point (default 2)\n"
         "  --no-contours  the Nichols chart without its closed-loop gain contours\n"
         "  --set NAME=VALUE  a page property by name, in the settings file's words and\n"
         "                 numbers (--set title=Loop --set axis.gain.max=20); repeatable\n"
         "  --properties   list every property: NAME TYPE DEFAULT RANGE-OR-WORDS HELP\n"
         "  --marks        mark the figures (-3 dB points, resonance, margins) on\n"
         "                 the gain curve of every page drawn\n"
         "  --summary      print each file's main figures on one line on stdout;\n"
         "                 -f may then be left out\n"
         "  --summary=csv|tsv  the same figures as a table: a header row, then one\n"
         "                 row per file in input order, empty where a figure is none\n"
         "  --report FILE.pdf  one PDF: a table of every input's figures (unreadable\n"
         "                 files listed with their message), then every page at true\n"
         "                 size in input order\n"
         "  --fit-order N  the model has N poles, 1 to 20 (default: the lowest\n"
         "                 order within 1.5 times the best error of orders 1 to 20)\n"
         "  --fit-delay    the model also has a pure delay (default: none)\n"
         "  --fit-overlay  draw the fitted model over every page, dashed, as \"model\"\n"
         "  --fmin HZ, --fmax HZ  fit the model (and the circuit, the Kramers-Kronig\n"
         "                 test) to the points from HZ / up to HZ only, both ends\n"
         "                 included (default: every point)\n" +
         ProductionOptionsHelp() + ImpedanceOptionsHelp() +
         "  -j N, --jobs N export N files at once (default: one per online\n"
         "                 processor); outputs and messages are the same for any N\n"
         "  -q, --quiet    no progress line (shown only on a terminal, for runs\n"
         "                 of more than a second)\n"
         "  -l PATTERN     list the data files matching PATTERN, one per line:\n"
         "                 name, type, count, date, title or message (TAB-separated;\n"
         "                 a TAB, line feed, carriage return or backslash in a cell\n"
         "                 is written \\t, \\n, \\r, \\\\, here and in --summary)\n"
         "  --lang ja|en   language of the page texts and messages (default: the\n"
         "                 locale's; Japanese under a Japanese or the C locale)\n"
         "  -h, --help     show this text\n"
         "  --version      show the program's version\n"
         "\n"
         "Exit status: 0 when every output was written, 1 when an input or output\n"
         "failed (each on stderr as <path>: <message>), 2 on a usage error (also for a\n"
         "Touchstone file without the --sparam parameter; the other files are written),\n"
         "also for a missing or malformed mask (nothing is written), 3 when everything\n"
         "was written but an input failed its mask.\n"
         "An output that would replace another output of the run, one of its inputs or\n"
         "a write-protected file is not written.\n";
}

std::string OutputFileName(const std::string& name, ExportFormat format, bool asImpedance) {
  const std::string_view suffix =
      asImpedance && !format->impedanceSuffix.empty() ? format->impedanceSuffix : format->suffix;
  return name + std::string(suffix);
}

}  // namespace fernplot
