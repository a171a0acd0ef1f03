// SPDX-License-Identifier: MIT
#pragma once
// Tests of what happens when a folder may not be written only mean something
// for a user whom the permissions bind; root may write anywhere. As root the
// check runs in a child process that has become nobody/nogroup for good.

#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

namespace fernplot::testing {

// Runs `check`, a test body with EXPECT_/ASSERT_, as a user without
// privileges: in this process when it has none, else in a forked child that
// has dropped them, whose failures are printed by the child and fail the
// calling test. Returns why privileges could not be dropped (the check did
// not run; the caller skips), else an empty text.
inline std::string RunWithoutPrivileges(const std::function<void()>& check) {
  if (geteuid() != 0) {
    check();
    return {};
  }
  const passwd* nobody = getpwnam("nobody");
  if (!nobody) return "running as root and there is no user nobody to run as";
  const uid_t uid = nobody->pw_uid;
  gid_t gid = nobody->pw_gid;
  if (const group* nogroup = getgrnam("nogroup")) gid = nogroup->gr_gid;

  int reason[2];
  if (pipe(reason) != 0) return std::string("pipe: ") + std::strerror(errno);
  std::fflush(stdout);
  std::fflush(stderr);
  const pid_t child = fork();
  if (child < 0) return std::string("fork: ") + std::strerror(errno);
  constexpr int kCannotDrop = 125;
  if (child == 0) {
    close(reason[0]);
    auto fail = [&](const char* what) {
      const std::string text = std::string("running as root and cannot drop privileges: ") + what +
                               ": " + std::strerror(errno);
      [[maybe_unused]] const ssize_t n = write(reason[1], text.data(), text.size());
      _exit(kCannotDrop);
    };
    if (setgroups(0, nullptr) != 0) fail("setgroups");
    if (setgid(gid) != 0) fail("setgid");
    if (setuid(uid) != 0) fail("setuid");
    if (setuid(0) == 0 || geteuid() != uid) fail("root could be taken back");
    // The folder for temporary files must be one the new user can use.
    std::error_code ec;
    const std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
    if (ec || access(temp.c_str(), W_OK | X_OK) != 0) setenv("TMPDIR", "/tmp", 1);
    close(reason[1]);
    check();
    std::fflush(stdout);
    std::fflush(stderr);
    _exit(::testing::Test::HasFailure() ? 1 : 0);
  }
  close(reason[1]);
  std::string text;
  char buffer[256];
  for (ssize_t n; (n = read(reason[0], buffer, sizeof buffer)) != 0;) {
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) break;
    text.append(buffer, static_cast<size_t>(n));
  }
  close(reason[0]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == kCannotDrop && !text.empty()) return text;
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
      << "the check failed as user " << uid << " (status " << status << ")";
  return {};
}

}  // namespace fernplot::testing
