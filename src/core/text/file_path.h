// SPDX-License-Identifier: MIT
#pragma once
// Splitting of '/'-separated paths into folder, name and extension, and the
// paths the programs start from.

#include <string>
#include <string_view>

namespace fernplot {

struct SplitPath {
  std::string_view folder;  // with its trailing '/', may be empty
  std::string_view name;    // file name without extension
  std::string_view ext;     // from the last '.', may be empty
};
// The parts view `path`, which must outlive them.
SplitPath SplitFilePath(std::string_view path);

// Replaces the file part of `path` by "*.DAT", keeping the folder.
std::string ReplaceFilePartWithPattern(std::string_view path);

// The running program's own path; empty when it cannot be found.
std::string ExecutablePath();

}  // namespace fernplot
