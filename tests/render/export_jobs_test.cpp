// SPDX-License-Identifier: MIT
// Exporting on several threads: the same files, bytes, messages and exit
// status as on one, in input order; the -j and --quiet options; the
// progress line.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <thread>

#include "datafile/data_file_writer.h"
#include "export_args.h"
#include "export_batch.h"
#include "export_run.h"
#include "fernplot_test_data.h"
#include "progress_line.h"
#include "qt_page_drawer.h"

namespace fernplot {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::WriteBytes;

TEST(ExportBatch, OutputsAndStepsComeInInputOrderWithinTheWindow) {
  constexpr size_t kCount = 300, kWindow = 6;
  std::vector<size_t> steps, commits;
  std::atomic<size_t> started{0};
  std::atomic<size_t> committed{0};
  std::atomic<bool> overran{false};
  std::atomic<int> tasksMade{0};
  RunInOrder(
      kCount, 4, kWindow,
      [&] {
        ++tasksMade;
        return [&](size_t i, TaskTurn& turn) {
          if (++started > committed + kWindow) overran = true;
          // Later inputs often finish first.
          std::this_thread::sleep_for(std::chrono::microseconds((kCount - i) % 7 * 50));
          // Every third task leaves its turn to the runner.
          if (i % 3) turn.Step([&] { steps.push_back(i); });
          return TaskOutput{"e" + std::to_string(i), "o", i % 5 != 0};
        };
      },
      [&](size_t i, TaskOutput output) {
        EXPECT_EQ(output.err, "e" + std::to_string(i));
        EXPECT_EQ(output.ok, i % 5 != 0);
        commits.push_back(i);
        ++committed;
      });
  EXPECT_EQ(tasksMade, 4);
  ASSERT_EQ(commits.size(), kCount);
  EXPECT_TRUE(std::is_sorted(commits.begin(), commits.end()));
  EXPECT_TRUE(std::is_sorted(steps.begin(), steps.end()));
  EXPECT_EQ(steps.size(), kCount - kCount / 3);
  EXPECT_FALSE(overran);

  // One job, or fewer inputs than jobs, and no inputs at all.
  commits.clear();
  RunInOrder(
      3, 1, 1, [&] { return Task([](size_t, TaskTurn&) { return TaskOutput{}; }); },
      [&](size_t i, TaskOutput) { commits.push_back(i); });
  EXPECT_EQ(commits, (std::vector<size_t>{0, 1, 2}));
  RunInOrder(
      0, 8, 4,
      [&]() -> Task {
        ADD_FAILURE() << "no thread for no input";
        return {};
      },
      [&](size_t, TaskOutput) { ADD_FAILURE(); });
}

TEST(ExportArgs, JobsAndQuiet) {
  const auto jobs = [](std::vector<std::string> args) {
    args.insert(args.end(), {"-f", "csv", "x.DAT"});
    const ParsedArgs p = ParseExportArgs(args);
    return p.options ? p.options->jobs : -1;
  };
  EXPECT_EQ(jobs({}), 0) << "default: online processors";
  EXPECT_EQ(jobs({"-j", "3"}), 3);
  EXPECT_EQ(jobs({"-j7"}), 7);
  EXPECT_EQ(jobs({"--jobs=2"}), 2);
  EXPECT_EQ(jobs({"--jobs", "1"}), 1);
  for (const char* bad : {"0", "-1", "x", "2x", "", "100000"}) {
    EXPECT_EQ(jobs({"-j", bad}), -1) << bad;
  }
  EXPECT_FALSE(ParseExportArgs({"-f", "csv", "x.DAT", "-j"}).options);
  EXPECT_TRUE(ParseExportArgs({"-q", "-f", "csv", "x.DAT"}).options->quiet);
  EXPECT_TRUE(ParseExportArgs({"--quiet", "-f", "csv", "x.DAT"}).options->quiet);
  EXPECT_FALSE(ParseExportArgs({"--quiet=1", "-f", "csv", "x.DAT"}).options);
  EXPECT_FALSE(ParseExportArgs({"-l", "*.DAT", "-j", "2"}).options);
}

TEST(ProgressLine, ShownOnlyWhenEnabledAndMoreThanASecondIsLeft) {
  using namespace std::chrono_literals;
  std::ostringstream term;
  {
    ProgressLine off(term, 100, false);
    off.Update(10, ProgressLine::Clock::now() + 500ms);
  }
  EXPECT_EQ(term.str(), "");

  {
    // 10 files in half a second, 90 left: 4.5 s more.
    ProgressLine line(term, 100, true);
    const auto t0 = ProgressLine::Clock::now();
    line.Update(1, t0 + 50ms);
    EXPECT_EQ(term.str(), "") << "too early to tell";
    line.Update(10, t0 + 500ms);
    EXPECT_NE(term.str().find("\r\033[K[##------------------] 10/100 files"), std::string::npos)
        << term.str();
    EXPECT_NE(term.str().find("0:05 left"), std::string::npos) << term.str();
    const size_t drawn = term.str().size();
    line.Update(11, t0 + 520ms);
    EXPECT_EQ(term.str().size(), drawn) << "at most ten redraws a second";
    line.Clear();
    EXPECT_TRUE(term.str().ends_with("\r\033[K"));
    line.Update(99, t0 + 10s);
    line.Update(100, t0 + 10s);
  }
  EXPECT_TRUE(term.str().ends_with("\r\033[K")) << "cleared at the end";

  term.str("");
  {
    // Nearly done: 0.3 s left is not worth a line.
    ProgressLine line(term, 10, true);
    line.Update(5, ProgressLine::Clock::now() + 300ms);
  }
  EXPECT_EQ(term.str(), "");
  EXPECT_EQ(ProgressLine::Text(50, 50, 2.0), "[####################] 50/50 files  25.0 files/s");
}

// The same batch on one thread and on four, twice: good files of several
// sizes, unreadable ones, a file without points, two inputs whose outputs
// share a name and an input with an output's name.
class ExportJobs : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    root_ = dir_.path().toStdString();
    out_ = root_ + "/out";
    fs::create_directories(out_);
    for (int k = 0; k < 14; ++k) {
      const int n = 2 + k * 37;
      const MeasurementData h =
          testing::TestHeader({.pointCount = static_cast<uint16_t>(n),
                               .title = "T" + std::to_string(k),
                               .version = "1.30",
                               .made = {2024, 3, 7, 9, static_cast<uint16_t>(k)}});
      const auto response = [k](double f) {
        return testing::Response{1.0 / (1.0 + f / (100.0 * (k + 1))), -f / 1000.0};
      };
      files_.push_back(root_ + "/in/F" + std::to_string(k) + ".DAT");
      fs::create_directories(root_ + "/in");
      WriteBytes(files_.back(), EncodeRawDataFile(h, testing::RawSweep(n, 10.0, 5.0, response)));
      if (k == 3) files_.push_back(root_ + "/in/missing.DAT");
      if (k == 5) {
        files_.push_back(root_ + "/in/empty.DAT");
        WriteBytes(files_.back(), EncodeHeader(testing::TestHeader({.title = "empty"})));
      }
      if (k == 7) {
        files_.push_back(root_ + "/in/garbage.DAT");
        WriteBytes(files_.back(), std::string(300, '\x7f'));
      }
      if (k == 9) {
        // Same page name as F2: its outputs are refused.
        fs::create_directories(root_ + "/in/again");
        files_.push_back(root_ + "/in/again/F2.DAT");
        fs::copy_file(files_[2], files_.back());
      }
    }
    // An input lying where an output of the run would go.
    files_.push_back(out_ + "/F20.json");
    fs::copy_file(files_[0], files_.back());
  }

  struct Result {
    int status;
    std::string out, err;
    std::map<std::string, std::string> files;
  };

  Result Run(const std::string& jobs) {
    std::ostringstream out, err;
    std::vector<std::string> args = {
        "-o", out_, "-j", jobs, "--summary", "-f", "csv,json,png,svg,pdf,drawing,figures"};
    args.insert(args.end(), files_.begin(), files_.end());
    const QtPageDrawer drawer;
    Result r{
        ExportMain(args, root_ + "/fernplot-export", out, err, &drawer), out.str(), err.str(), {}};
    for (const auto& entry : fs::directory_iterator(out_)) {
      const std::string name = entry.path().filename().string();
      r.files[name] = ReadBytes(entry.path().string());
      if (name != "F20.json") fs::remove(entry.path());
    }
    return r;
  }

  QTemporaryDir dir_;
  std::string root_, out_;
  std::vector<std::string> files_;
};

TEST_F(ExportJobs, FourThreadsGiveWhatOneGives) {
  // A fixed PDF date: two runs a second apart must not differ.
  ASSERT_EQ(setenv("SOURCE_DATE_EPOCH", "946684800", 1), 0);
  const Result one = Run("1");
  const Result four = Run("4");
  const Result again = Run("4");
  unsetenv("SOURCE_DATE_EPOCH");

  EXPECT_EQ(one.status, kExitFailure);
  EXPECT_GT(one.files.size(), 100u);
  for (const char* bad : {"missing.DAT", "empty.DAT", "again/F2.DAT"}) {
    EXPECT_NE(one.err.find(root_ + "/in/" + bad), std::string::npos) << bad << "\n" << one.err;
  }
  EXPECT_NE(one.err.find("F20.json: not written"), std::string::npos) << one.err;
  for (const Result* r : {&four, &again}) {
    EXPECT_EQ(r->status, one.status);
    EXPECT_EQ(r->err, one.err);
    EXPECT_EQ(r->out, one.out);
    ASSERT_EQ(r->files.size(), one.files.size());
    for (const auto& [name, bytes] : one.files) {
      const auto it = r->files.find(name);
      ASSERT_NE(it, r->files.end()) << name;
      EXPECT_TRUE(it->second == bytes) << name << " differs";
    }
  }
}

}  // namespace
}  // namespace fernplot
