// SPDX-License-Identifier: MIT
// The real exporter programs as a shell starts them: arguments that look
// like Qt's options, an inherited display platform, quit signals in the
// middle of a batch, and a terminal that shows stdout and stderr together.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "datafile/data_file_writer.h"
#include "fernplot_test_data.h"

namespace fernplot {
namespace {

namespace fs = std::filesystem;
using testing::WriteBytes;

// What a child is started with.
struct Launch {
  std::vector<std::string> args;  // args[0] is the program
  std::string folder;             // the working folder
};

// execv's array, made before fork (the child may only exec).
struct ExecArrays {
  explicit ExecArrays(const Launch& l) : strings(l.args) {
    for (std::string& s : strings) argv.push_back(s.data());
    argv.push_back(nullptr);
  }
  std::vector<std::string> strings;
  std::vector<char*> argv;
};

[[noreturn]] void ExecChild(const ExecArrays& a, const std::string& folder) {
  if (chdir(folder.c_str()) != 0) _exit(126);
  // The test runner may ignore or block what the child must get.
  for (const int s : {SIGINT, SIGTERM, SIGPIPE}) signal(s, SIG_DFL);
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  execv(a.argv[0], a.argv.data());
  _exit(127);
}

// Starts the child with stdout on a pipe (returned in `out`, read end) and
// stderr on /dev/null.
pid_t Start(const Launch& l, int& out) {
  const ExecArrays a(l);
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return -1;
  const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(fds[1], STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    ExecChild(a, l.folder);
  }
  close(fds[1]);
  close(null);
  out = fds[0];
  return pid;
}

std::string ReadAll(int fd) {
  std::string text;
  char buffer[4096];
  for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR);) {
    if (n > 0) text.append(buffer, static_cast<size_t>(n));
  }
  return text;
}

int Wait(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return status;
}

// Runs to the end; the exit status, -1 when killed.
int RunToEnd(const Launch& l) {
  int out = -1;
  const pid_t pid = Start(l, out);
  ReadAll(out);
  close(out);
  const int status = Wait(pid);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> TemporaryFiles(const std::string& folder) {
  std::vector<std::string> found;
  for (const fs::directory_entry& e : fs::directory_iterator(folder)) {
    if (e.path().filename().string().starts_with(".fp-")) found.push_back(e.path().string());
  }
  return found;
}

class ExportProcess : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    root_ = dir_.path().toStdString();
    out_ = root_ + "/out";
    fs::create_directories(out_);
  }
  void Small(const std::string& name) {
    WriteBytes(root_ + "/" + name, EncodeRawDataFile(testing::TestHeader({.pointCount = 5}),
                                                     testing::LowPassRecords(5)));
  }
  // `count` names for one file of `points` points (links, so that large
  // batches cost no disk).
  std::vector<std::string> Batch(int count, int points, const std::string& prefix = "S") {
    const std::string big = root_ + "/" + prefix + "-big.DAT";
    WriteBytes(big,
               EncodeRawDataFile(testing::TestHeader({.pointCount = static_cast<uint16_t>(points)}),
                                 testing::LowPassRecords(points)));
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "%03d.DAT", i);
      fs::create_symlink(big, root_ + "/" + prefix + name);
      names.push_back(prefix + name);
    }
    return names;
  }
  Launch Exporter(std::vector<std::string> args) const {
    args.insert(args.begin(), FERNPLOT_EXPORT_PROGRAM);
    return {std::move(args), root_};
  }

  QTemporaryDir dir_;
  std::string root_, out_;
};

TEST_F(ExportProcess, NamesAfterDashDashAreFilesNotQtOptions) {
  for (const char* name : {"-reverse", "-qwindowtitle", "-platform", "A.DAT", "B.DAT"}) Small(name);
  struct Case {
    std::vector<std::string> names;
  };
  for (const Case& c :
       {Case{{"-reverse", "-qwindowtitle", "A.DAT", "B.DAT"}}, Case{{"-platform", "A.DAT"}}}) {
    fs::remove_all(out_);
    std::vector<std::string> args{"-o", out_, "-f", "png", "--"};
    args.insert(args.end(), c.names.begin(), c.names.end());
    EXPECT_EQ(RunToEnd(Exporter(args)), 0) << c.names[0];
    for (const std::string& name : c.names) {
      const std::string stem = name.ends_with(".DAT") ? name.substr(0, name.size() - 4) : name;
      EXPECT_TRUE(fs::is_regular_file(out_ + "/" + stem + ".png")) << stem;
    }
  }
}

TEST_F(ExportProcess, AnInheritedDisplayPlatformIsNotUsed) {
  Small("A.DAT");
  for (const char* platform : {"xcb", "wayland"}) {
    const Launch l{{"/usr/bin/env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY",
                    std::string("QT_QPA_PLATFORM=") + platform, FERNPLOT_EXPORT_PROGRAM, "-o", out_,
                    "-f", "png,pdf", "A.DAT"},
                   root_};
    EXPECT_EQ(RunToEnd(l), 0) << platform;
    EXPECT_TRUE(fs::is_regular_file(out_ + "/A.png")) << platform;
    fs::remove(out_ + "/A.png");
  }
}

// Waits until a temporary file appears in `folder`; false after 20 s.
bool AwaitTemporaryFile(int inotify) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  alignas(inotify_event) char buffer[4096];
  while (std::chrono::steady_clock::now() < end) {
    pollfd p{inotify, POLLIN, 0};
    if (poll(&p, 1, 200) <= 0) continue;
    const ssize_t n = read(inotify, buffer, sizeof buffer);
    for (ssize_t at = 0; at < n;) {
      const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
      if (e->len > 0 && std::strncmp(e->name, ".fp-", 4) == 0) return true;
      at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
    }
  }
  return false;
}

TEST_F(ExportProcess, QuitSignalsLeaveNoTemporaryFiles) {
  std::vector<std::string> args{"-j", "2", "-o", out_, "-f", "json,png"};
  for (const std::string& n : Batch(6, 65535)) args.push_back(n);
  for (const int sig : {SIGINT, SIGTERM, SIGPIPE}) {
    SCOPED_TRACE(strsignal(sig));
    fs::remove_all(out_);
    fs::create_directories(out_);
    const int inotify = inotify_init1(IN_CLOEXEC);
    ASSERT_GE(inotify_add_watch(inotify, out_.c_str(), IN_CREATE), 0);
    int out = -1;
    const pid_t pid = Start(Exporter(args), out);
    // Signalled while a temporary file is being written.
    const bool caught = AwaitTemporaryFile(inotify);
    kill(pid, sig);
    close(out);
    const int status = Wait(pid);
    close(inotify);
    ASSERT_TRUE(caught);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << "status " << status;
    EXPECT_EQ(TemporaryFiles(out_), std::vector<std::string>());
  }
  // A reader that stops early (`| head`): the exporter ends with SIGPIPE,
  // tidily. Summaries fill the pipe's buffer many times over.
  fs::remove_all(out_);
  fs::create_directories(out_);
  args = {"--summary", "-j", "2", "-o", out_, "-f", "json"};
  for (const std::string& n : Batch(400, 4000, "P")) args.push_back(n);
  int out = -1;
  const pid_t pid = Start(Exporter(args), out);
  char first = 0;
  ASSERT_EQ(read(out, &first, 1), 1);
  close(out);
  const int status = Wait(pid);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGPIPE) << "status " << status;
  EXPECT_EQ(TemporaryFiles(out_), std::vector<std::string>());
}

TEST_F(ExportProcess, TheProgressLineIsClearedBeforeSummaryLines) {
  // A run of a few seconds on a terminal, stdout and stderr both on it; long
  // enough on a fast machine that the line shows (it waits for a second of
  // work left).
  constexpr int kFiles = 24;
  std::vector<std::string> args{"--summary", "-j", "1", "-o", out_, "-f", "json"};
  for (const std::string& n : Batch(kFiles, 65535)) args.push_back(n);
  const ExecArrays a(Exporter(args));
  int terminal = -1;
  const pid_t pid = forkpty(&terminal, nullptr, nullptr, nullptr);
  if (pid == 0) ExecChild(a, root_);
  ASSERT_GT(pid, 0);
  std::string screen;
  char buffer[4096];
  for (ssize_t n; (n = read(terminal, buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR);) {
    if (n > 0) screen.append(buffer, static_cast<size_t>(n));
  }
  close(terminal);
  const int status = Wait(pid);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << screen;
  ASSERT_NE(screen.find("files/s"), std::string::npos) << "no progress line was shown";
  // Every summary line starts a line of its own: after a line feed or
  // after the progress line was erased.
  int lines = 0;
  const std::regex start("S[0-9]{3}");
  for (auto it = std::sregex_iterator(screen.begin(), screen.end(), start);
       it != std::sregex_iterator(); ++it) {
    const size_t at = static_cast<size_t>(it->position());
    ++lines;
    const bool fresh =
        at == 0 || screen[at - 1] == '\n' || (at >= 3 && screen.compare(at - 3, 3, "\033[K") == 0);
    EXPECT_TRUE(fresh) << screen.substr(at >= 40 ? at - 40 : 0, 80);
  }
  EXPECT_EQ(lines, kFiles);
}

}  // namespace
}  // namespace fernplot
