// SPDX-License-Identifier: MIT
#include "text/file_path.h"

#include <filesystem>
#include <system_error>

namespace fernplot {

SplitPath SplitFilePath(std::string_view path) {
  SplitPath s;
  size_t slash = path.rfind('/');
  std::string_view file = path;
  if (slash != std::string_view::npos) {
    s.folder = path.substr(0, slash + 1);
    file = path.substr(slash + 1);
  }
  size_t dot = file.rfind('.');
  if (dot == std::string_view::npos) {
    s.name = file;
  } else {
    s.name = file.substr(0, dot);
    s.ext = file.substr(dot);
  }
  return s;
}

std::string ReplaceFilePartWithPattern(std::string_view path) {
  return std::string(SplitFilePath(path).folder) + "*.DAT";
}

std::string ExecutablePath() {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.string();
}

}  // namespace fernplot
