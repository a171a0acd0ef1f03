// SPDX-License-Identifier: MIT
#pragma once
// Writing a whole file so that a failure never destroys the old one: the
// bytes go to a temporary file in the same folder, which then replaces the
// target by rename.

#include <string>
#include <string_view>

namespace fernplot {

struct WriteFileResult {
  bool ok = false;
  std::string error;  // UTF-8, empty on success
};

WriteFileResult WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace fernplot
