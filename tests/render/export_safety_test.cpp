// SPDX-License-Identifier: MIT
// The exporter never loses a file: outputs that would land on each other or
// on an input, write-protected files, links at an output path, names that
// are not valid text, long names, a full disk; and the -l listing's edges.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <limits>
#include <sstream>

#include "datafile/data_file_writer.h"
#include "export_run.h"
#include "fernplot_test_data.h"
#include "fileio/atomic_file.h"
#include "graph/device_units.h"
#include "graph/json_text.h"
#include "page_output.h"
#include "qt_page_drawer.h"

namespace fernplot {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::WriteBytes;

class ExportSafety : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    root_ = dir_.path().toStdString();
    out_dir_ = root_ + "/out";
    fs::create_directories(out_dir_);
    program_ = root_ + "/bin/fernplot-export";
    fs::create_directories(root_ + "/bin");
  }

  // A small valid data file whose title tells it apart.
  std::string Data(const std::string& relative, const std::string& title) {
    const std::string path = root_ + "/" + relative;
    fs::create_directories(fs::path(path).parent_path());
    WriteBytes(path, EncodeCalculatedDataFile(testing::TestHeader({.dataType = 1,
                                                                   .pointCount = 2,
                                                                   .title = title,
                                                                   .version = "1.30",
                                                                   .made = {2024, 3, 7, 9, 5}}),
                                              {{100.0, 10.0f, -45.0f}, {1000.0, 1.0f, -120.0f}}));
    return path;
  }

  int Run(std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    const QtPageDrawer drawer;
    return ExportMain(args, program_, out_, err_, &drawer);
  }
  std::string Out(const std::string& name) const { return out_dir_ + "/" + name; }
  // Entries in `folder`, temporary files included.
  size_t EntriesIn(const std::string& folder) const {
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {}));
  }

  QTemporaryDir dir_;
  std::string root_, out_dir_, program_;
  std::ostringstream out_, err_;
};

TEST_F(ExportSafety, OutputsNeverReplaceEachOtherOrAnInput) {
  const std::string a = Data("a/X.DAT", "first"), b = Data("b/X.DAT", "second");
  EXPECT_EQ(Run({"-o", out_dir_, "-f", "csv,json", a, b}), kExitFailure);
  // The first output stays, and the message names both inputs.
  EXPECT_NE(ReadBytes(Out("X.json")).find("first"), std::string::npos);
  EXPECT_NE(err_.str().find(a), std::string::npos) << err_.str();
  EXPECT_NE(err_.str().find(b), std::string::npos) << err_.str();

  // Same name without the extension.
  const std::string c = Data("c/Y.DAT", "upper"), d = Data("c/Y.dat2", "other");
  EXPECT_EQ(Run({"-o", out_dir_, "-f", "json", c, d}), kExitFailure);
  EXPECT_NE(ReadBytes(Out("Y.json")).find("upper"), std::string::npos);

  // An input in the output folder with the output's own name.
  const std::string input = Data("out/Z.json", "input");
  const std::string before = ReadBytes(input);
  EXPECT_EQ(Run({"-o", out_dir_, "-f", "json", input}), kExitFailure);
  EXPECT_EQ(ReadBytes(input), before);
  EXPECT_NE(err_.str().find("input"), std::string::npos) << err_.str();
}

TEST_F(ExportSafety, NamesThatAreNotTextKeepTheirBytesInEveryFormat) {
  const std::string a = Data("A\xc0.DAT", "c0"), b = Data("A\xc1.DAT", "c1");
  ASSERT_EQ(Run({"-o", out_dir_, "-f", "csv,json,png,svg,pdf", a, b}), kExitOk) << err_.str();
  for (const char* suffix : {".csv", ".json", ".png", ".svg", ".pdf"}) {
    EXPECT_TRUE(fs::is_regular_file(Out(std::string("A\xc0") + suffix))) << suffix;
    EXPECT_TRUE(fs::is_regular_file(Out(std::string("A\xc1") + suffix))) << suffix;
  }
  EXPECT_EQ(EntriesIn(out_dir_), 10u);
}

TEST_F(ExportSafety, WriteProtectedFilesAndLinksAreNotWrittenThrough) {
  const std::string x = Data("X.DAT", "x");
  // A write-protected output is kept as it was, in every format.
  for (const char* f : {"csv", "json", "png", "svg", "pdf", "drawing"}) {
    const std::string suffix = f == std::string("drawing") ? "drawing.json" : f;
    const std::string target = Out("X." + suffix);
    WriteBytes(target, "keep");
    chmod(target.c_str(), 0444);
    EXPECT_EQ(Run({"-o", out_dir_, "-f", f, x}), kExitFailure) << f;
    EXPECT_EQ(ReadBytes(target), "keep") << f;
    EXPECT_NE(err_.str().find("write-protected"), std::string::npos) << err_.str();
    fs::remove(target);
  }
  // A link planted at the output path is replaced; its target is untouched.
  const std::string victim = root_ + "/victim";
  WriteBytes(victim, "victim");
  for (const char* f : {"csv", "png", "svg", "pdf"}) {
    const std::string target = Out(std::string("X.") + f);
    fs::create_symlink(victim, target);
    EXPECT_EQ(Run({"-o", out_dir_, "-f", f, x}), kExitOk) << f << err_.str();
    EXPECT_FALSE(fs::is_symlink(target)) << f;
    EXPECT_EQ(ReadBytes(victim), "victim") << f;
  }
}

TEST_F(ExportSafety, LongNamesWorkInEveryFormat) {
  // 249 bytes + ".DAT" is the longest data file name; its outputs with a
  // suffix of up to five bytes still fit, and the temporary name must too.
  const std::string stem(249, 'L');
  const std::string x = Data(stem + ".DAT", "long");
  ASSERT_EQ(Run({"-o", out_dir_, "-f", "csv,json,png,svg,pdf", x}), kExitOk) << err_.str();
  EXPECT_EQ(EntriesIn(out_dir_), 5u);
  const std::string y = Data(std::string(242, 'D') + ".DAT", "drawing");
  EXPECT_EQ(Run({"-o", out_dir_, "-f", "drawing", y}), kExitOk) << err_.str();
}

// Lowers the file size limit for the test's life: every write past it fails
// with EFBIG, as on a full disk, without needing root or a small file system.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, previous_);
  }

 private:
  rlimit old_{};
  void (*previous_)(int) = nullptr;
};

TEST_F(ExportSafety, AFailedWriteLeavesNoFileAndFails) {
  const std::string x = Data("X.DAT", "x");
  {
    FileSizeLimit limit(256);
    for (const char* f : {"svg", "pdf", "png", "json"}) {
      EXPECT_EQ(Run({"-o", out_dir_, "-f", f, x}), kExitFailure) << f;
      EXPECT_NE(err_.str().find("cannot write"), std::string::npos) << err_.str();
    }
  }
  EXPECT_EQ(EntriesIn(out_dir_), 0u) << "no output and no temporary file";

  // An old file stays as it was when its replacement cannot be written.
  WriteBytes(Out("old"), "old");
  {
    FileSizeLimit limit(4);
    EXPECT_FALSE(WriteFileAtomically(Out("old"), "longer than four bytes").ok);
  }
  EXPECT_EQ(ReadBytes(Out("old")), "old");
  EXPECT_EQ(EntriesIn(out_dir_), 1u);
  EXPECT_FALSE(CheckReplaceable(out_dir_).ok) << "a folder";
}

TEST_F(ExportSafety, ListingReportsAMissingFolderAndEscapesNames) {
  EXPECT_EQ(Run({"-l", root_ + "/nowhere/*.DAT"}), kExitFailure);
  EXPECT_NE(err_.str().find(root_ + "/nowhere/"), std::string::npos) << err_.str();
  EXPECT_TRUE(out_.str().empty());

  Data("list/a\tb.DAT", "tab");
  Data("list/c\nd.DAT", "newline");
  Data("list/e\\f.DAT", "backslash");
  ASSERT_EQ(Run({"-l", root_ + "/list/*.DAT"}), kExitOk) << err_.str();
  const std::string listing = out_.str();
  EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), 3) << listing;
  for (const char* name : {"a\\tb.DAT\t", "c\\nd.DAT\t", "e\\\\f.DAT\t"}) {
    EXPECT_NE(listing.find(name), std::string::npos) << name << '\n' << listing;
  }
}

TEST_F(ExportSafety, SettingsComeFromTheViewersFileAndAreOnlyRead) {
  const std::string beside = root_ + "/bin/fernplot.CFG";
  EXPECT_NE(ExporterSettingsFilePath(program_), beside) << "none beside: the per-user file";
  EXPECT_EQ(ExporterSettingsFilePath(program_).rfind("/fernplot/fernplot.CFG"),
            ExporterSettingsFilePath(program_).size() - 22);
  const std::string x = Data("X.DAT", "x");
  ASSERT_EQ(Run({"-o", out_dir_, "-f", "csv", x}), kExitOk) << err_.str();
  const std::string factory = ReadBytes(Out("X.csv"));
  WriteBytes(beside, "CALC = CH2/CH1\r\n");
  EXPECT_EQ(ExporterSettingsFilePath(program_), beside);
  ASSERT_EQ(Run({"-o", out_dir_, "-f", "csv", x}), kExitOk) << err_.str();
  EXPECT_NE(ReadBytes(Out("X.csv")), factory) << "the ratio of the viewer's settings";
  EXPECT_EQ(ReadBytes(beside), "CALC = CH2/CH1\r\n");
}

// A program may name its traces at any length: the page shows a short
// name of each (cut at a character), in the legend and the info texts.
TEST_F(ExportSafety, HugeTraceNamesAreCutOnThePage) {
  const std::string huge(200000, 'x');
  const std::string ka = "\xE3\x82\xAB";  // a katakana KA, two bytes in CP932
  std::string text = "Freq.\tV(out)\r\n";
  for (int run = 1; run <= 5; ++run) {
    // An odd length, so that a cut at a byte count would split a KA.
    std::string name = "R=" + std::to_string(run) + "x";
    for (int i = 0; i < 30000; ++i) name += ka;
    text += "Step Information: " + name + huge + "  (Run: " + std::to_string(run) + "/5)\r\n";
    text += "1e1\t(-1dB,-10\xC2\xB0)\r\n1e3\t(-3dB,-45\xC2\xB0)\r\n";
  }
  const std::string path = root_ + "/steps.txt";
  WriteBytes(path, text);
  ASSERT_EQ(Run({"-o", out_dir_, "-f", "drawing,pdf", path}), kExitOk) << err_.str();
  const QJsonObject d =
      QJsonDocument::fromJson(QByteArray::fromStdString(ReadBytes(Out("steps.drawing.json"))))
          .object();
  int named = 0;
  for (const QJsonValue v : d["elements"].toArray()) {
    const QString t = v.toObject()["text"].toString();
    EXPECT_LE(t.toUtf8().size(), 200) << t.left(40).toStdString();
    EXPECT_FALSE(t.contains(QChar(0xFFFD))) << "a character cut in two";
    named += t.startsWith("V(out) R=") && t.endsWith(QChar(0x2026));
  }
  EXPECT_GE(named, 5) << "the legend's names, cut";
  EXPECT_LT(ReadBytes(Out("steps.pdf")).size(), 1000000u);
}

TEST(JsonText, NonFiniteValuesStayDistinct) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(JsonDouble(nan), "\"NaN\"");
  EXPECT_EQ(JsonDouble(inf), "\"Infinity\"");
  EXPECT_EQ(JsonDouble(-inf), "\"-Infinity\"");
  EXPECT_EQ(JsonFloat(static_cast<float>(-inf)), "\"-Infinity\"");
  EXPECT_EQ(JsonShortest(nan), "\"NaN\"");
  EXPECT_EQ(JsonShortest(0.1), "0.1");
}

TEST(PageLimits, ConversionsAndSizesStayInRange) {
  EXPECT_EQ(TruncToDevice(12.9), 12);
  EXPECT_EQ(TruncToDevice(-12.9), -12);
  EXPECT_EQ(TruncToDevice(1e30), static_cast<int32_t>(kDeviceUnitLimit));
  EXPECT_EQ(TruncToDevice(-std::numeric_limits<double>::infinity()),
            -static_cast<int32_t>(kDeviceUnitLimit));
  EXPECT_EQ(TruncToDevice(std::nan("")), 0);
  EXPECT_TRUE(PageImageSizeUsable(1000, 800, 10.0));
  EXPECT_FALSE(PageImageSizeUsable(1000000, 800, 1.0));
  EXPECT_FALSE(PageImageSizeUsable(20000, 20000, 1.0)) << "400 megapixels";
  EXPECT_FALSE(PageImageSizeUsable(1000, 800, std::nan("")));
  EXPECT_TRUE(PageImageSize(1000000, 800, 1.0).isEmpty());
  EXPECT_EQ(PageImageSize(1000, 800, 1.5), QSize(1501, 1200));
}

}  // namespace
}  // namespace fernplot
