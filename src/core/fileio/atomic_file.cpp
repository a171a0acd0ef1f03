// SPDX-License-Identifier: MIT
#include "fileio/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

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

WriteFileResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
  if (path.empty()) return {false, "empty file name"};
  if (path.back() == '/') return Failure("cannot write " + path, EISDIR);
  if (WriteFileResult ok = CheckReplaceable(path); !ok.ok) return ok;
  // A short name: the target's own name may already be at the length limit.
  std::string pattern = FolderOf(path) + ".fp-XXXXXX";
  std::vector<char> temp(pattern.begin(), pattern.end());
  temp.push_back('\0');
  int fd = mkstemp(temp.data());
  if (fd < 0) return Failure("cannot create a temporary file beside " + path, errno);
  std::string tempPath(temp.data());

  auto fail = [&](const std::string& what, int err) {
    if (fd >= 0) close(fd);
    unlink(tempPath.c_str());
    return Failure(what, err);
  };

  // mkstemp creates 0600: keep the mode of the file being replaced, else
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
  return {true, {}};
}

}  // namespace fernplot
