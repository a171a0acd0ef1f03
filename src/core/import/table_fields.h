// SPDX-License-Identifier: MIT
#pragma once
// The fields of a delimited table's rows, shared by the readers of tables.

#include <cstddef>
#include <string_view>
#include <vector>

namespace fernplot {

inline constexpr size_t kMaxTableFields = 4096;

enum class Separator { kComma, kSemicolon, kTab, kSpace };

// The separator a row uses: a tab, else a semicolon, else a comma, else
// spaces.
Separator ChooseSeparator(std::string_view line);

// Splits `line` into trimmed fields; false when there are too many.
bool SplitFields(std::string_view line, Separator sep, std::vector<std::string_view>& fields);

}  // namespace fernplot
