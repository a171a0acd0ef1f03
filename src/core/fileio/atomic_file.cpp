// SPDX-License-Identifier: MIT
#include "fileio/atomic_file.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <ctime>

namespace fernplot {
namespace {

WriteFileResult Failure(const std::string& what, int err) {
  return {false, what + ": " + std::strerror(err)};
}

// The folder part of `path` with its slash ("" for a bare name), so the
// temporary file lands on the same file system and rename stays atomic.
std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A new name beside `path`: ".fp-" and six random letters and digits. A
// short name: the target's own name may already be at the length limit.
std::string TempPathBeside(const std::string& path) {
  static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  unsigned char random[6];
  if (getrandom(random, sizeof random, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof random)) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    uint64_t v = static_cast<uint64_t>(now.tv_nsec) ^ (static_cast<uint64_t>(gettid()) << 32);
    for (unsigned char& r : random) {
      r = static_cast<unsigned char>(v);
      v = v * 6364136223846793005u + 1442695040888963407u;
    }
  }
  std::string temp = FolderOf(path) + ".fp-";
  for (const unsigned char r : random) temp += kChars[r % (sizeof kChars - 1)];
  return temp;
}

}  // namespace

WriteFileResult CheckReplaceable(const std::string& path) {
  struct stat old {};
  if (lstat(path.c_str(), &old) != 0) return {true, {}};  // a new file
  if (S_ISDIR(old.st_mode)) return Failure("cannot write " + path, EISDIR);
  // A link is replaced by the new file, never written through, so only a
  // regular file's own permission matters. Root passes access() on any file;
  // the mode bits are what the user set, so honour them too.
  if (S_ISREG(old.st_mode)) {
    const bool noWriteBit = (old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    if (access(path.c_str(), W_OK) != 0 || noWriteBit) {
      return {false, "the file is write-protected; it was left as it was"};
    }
  }
  return {true, {}};
}

WriteFileResult WriteFileAtomically(const std::string& path, std::string_view bytes,
                                    InFlightFiles* inFlight) {
  if (path.empty()) return {false, "empty file name"};
  if (path.back() == '/') return Failure("cannot write " + path, EISDIR);
  if (WriteFileResult ok = CheckReplaceable(path); !ok.ok) return ok;
  // Created listed in `inFlight`, so that a signal handler can remove it.
  int slot = -1;
  std::string tempPath;
  int fd = -1;
  for (int attempt = 0; fd < 0; ++attempt) {
    tempPath = TempPathBeside(path);
    slot = inFlight ? inFlight->Begin(tempPath) : -1;
    if (slot == InFlightFiles::kEnding) return {false, "the program is ending"};
    fd = open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
      const int err = errno;
      if (inFlight) inFlight->Remove(slot);
      if (err != EEXIST || attempt >= 100) {
        return Failure("cannot create a temporary file beside " + path, err);
      }
    }
  }

  auto fail = [&](const std::string& what, int err) {
    if (fd >= 0) close(fd);
    unlink(tempPath.c_str());
    if (inFlight) inFlight->Remove(slot);
    return Failure(what, err);
  };
  if (inFlight && !inFlight->Created(slot)) return fail("cannot write " + path, EINTR);

  // Created 0600: keep the mode of the file being replaced, else
  // give the usual mode of a new document.
  struct stat old {};
  mode_t mode = 0644;
  if (lstat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) mode = old.st_mode & 07777;
  if (fchmod(fd, mode) != 0) return fail("cannot write " + path, errno);

  const char* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail("cannot write " + path, errno);
    }
    if (n == 0) return fail("cannot write " + path, ENOSPC);
    p += n;
    left -= static_cast<size_t>(n);
  }
  if (fsync(fd) != 0 && errno != EINVAL) return fail("cannot write " + path, errno);
  int rc = close(fd);
  fd = -1;
  if (rc != 0) return fail("cannot write " + path, errno);
  if (rename(tempPath.c_str(), path.c_str()) != 0) return fail("cannot replace " + path, errno);
  if (inFlight) inFlight->Remove(slot);
  return {true, {}};
}

}  // namespace fernplot
