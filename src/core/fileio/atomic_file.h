// SPDX-License-Identifier: MIT
#pragma once
// Writing a whole file so that a failure never destroys the old one: the
// bytes go to a temporary file in the same folder, which then replaces the
// target by rename.

#include <string>
#include <string_view>

#include "fileio/in_flight_files.h"

namespace fernplot {

struct WriteFileResult {
  bool ok = false;
  std::string error;  // UTF-8, empty on success
};

// Whether `path` may be replaced: a missing file or a link may; a regular
// file only when the user may write it (a write-protected file is kept).
WriteFileResult CheckReplaceable(const std::string& path);

// Writes `bytes` to a temporary file beside `path`, checks every write, and
// renames it over `path` (a link at `path` is replaced, not followed). On any
// failure nothing is left behind and an old file stays as it was. While it
// exists, the temporary file is listed in `inFlight` (when given), for a
// signal handler to remove.
WriteFileResult WriteFileAtomically(const std::string& path, std::string_view bytes,
                                    InFlightFiles* inFlight = nullptr);

}  // namespace fernplot
