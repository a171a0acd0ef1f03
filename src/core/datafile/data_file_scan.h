// SPDX-License-Identifier: MIT
#pragma once
// Folder search for data files and the list it fills.

#include <dirent.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "datafile/data_file_list.h"
#include "text/encoding.h"

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

// The data files of a folder (`*.DAT` in any case), as absolute paths in
// the list's name order; a name's bytes are kept as they are.
std::vector<std::string> DataFilesInFolder(const std::string& folder);

// What the paths given to open stand for: a folder means its data files (as
// DataFilesInFolder finds them), named under the folder as it was given;
// any other path stays as given. A folder without any data file adds none
// and is listed in emptyFolders, for the caller to report.
struct ExpandedInputs {
  std::vector<std::string> files;
  std::vector<std::string> emptyFolders;
};
ExpandedInputs ExpandFolderInputs(const std::vector<std::string>& inputs);

// The same search a slice at a time, for a list that fills as the headers
// are read and a search that can be stopped: the matching names are listed
// and sorted at once, the headers read by ReadMore.
class DataFileScan {
 public:
  explicit DataFileScan(const std::string& pattern);
  // The files found; all zero when the folder cannot be read.
  size_t Total() const { return names_.size(); }
  size_t Done() const { return next_; }
  bool Finished() const { return next_ >= names_.size(); }
  // Reads the headers of up to `count` more files, appending their entries
  // to `out` in name order; returns how many.
  size_t ReadMore(size_t count, DataFileList& out);

 private:
  std::unique_ptr<DIR, int (*)(DIR*)> dir_;
  std::string folder_;
  std::vector<std::string> names_;
  size_t next_ = 0;
  Cp932Decoder decoder_;
};
void ReleaseDataFileList(DataFileList& list);

}  // namespace fernplot
