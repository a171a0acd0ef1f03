// SPDX-License-Identifier: MIT
#pragma once
// Folder search for data files and the list it fills.

#include <string>
#include <string_view>

#include "datafile/data_file_list.h"

namespace fernplot {

// Case-insensitive first; on a tie lower case sorts before upper case.
// Returns <0, 0 or >0.
int CompareFileNames(std::string_view a, std::string_view b);

// Completes a typed search text: an empty file name becomes "*", an empty
// extension ".DAT" (a text ending in a separator names a folder).
std::string NormalizeSearchPattern(std::string_view typed);

// Turns what the user typed into the search pattern: a leading "~" or "~/"
// stands for `home`, and a typed folder that exists is searched for "*.DAT"
// even without its final '/' (it is never searched as "folder.DAT"). The
// rest is completed as NormalizeSearchPattern does.
std::string ExpandSearchText(std::string_view typed, std::string_view home);

// Finds the files matching `pattern` (folder + wildcard file part, matched
// case-insensitively), reads each header and fills `list` sorted by name.
void ScanDataFiles(const std::string& pattern, DataFileList& list);
void ReleaseDataFileList(DataFileList& list);

}  // namespace fernplot
