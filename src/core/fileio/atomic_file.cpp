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

}  // namespace

WriteFileResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
  if (path.empty()) return {false, "empty file name"};
  if (path.back() == '/') return Failure("cannot write " + path, EISDIR);
  std::string pattern = path + ".XXXXXX";
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
  mode_t mode = (stat(path.c_str(), &old) == 0) ? (old.st_mode & 07777) : 0644;
  fchmod(fd, mode);

  const char* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail("cannot write " + tempPath, errno);
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  if (fsync(fd) != 0 && errno != EINVAL) return fail("cannot write " + tempPath, errno);
  int rc = close(fd);
  fd = -1;
  if (rc != 0) return fail("cannot write " + tempPath, errno);
  if (rename(tempPath.c_str(), path.c_str()) != 0) return fail("cannot replace " + path, errno);
  return {true, {}};
}

}  // namespace fernplot
