// SPDX-License-Identifier: MIT
#include "datafile/data_file_scan.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <vector>

#include "datafile/reader_internal.h"
#include "text/encoding.h"
#include "text/file_path.h"

namespace fernplot {
namespace {

constexpr size_t kMaxFileNameBytes = 64;
constexpr size_t kMaxFullPathBytes = 255;
constexpr size_t kMaxMessageBytes = 64;

unsigned char FoldCase(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// Length of the UTF-8 character at s[i]. A name need not be valid text (a
// CP932 name, stray bytes): where no whole UTF-8 character starts, one byte
// counts as a character, so no byte is ever stepped over unseen.
size_t CharLength(std::string_view s, size_t i) {
  const unsigned char c = static_cast<unsigned char>(s[i]);
  const size_t n = c < 0xC2 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : c < 0xF5 ? 4 : 1;
  if (n > s.size() - i) return 1;
  for (size_t k = 1; k < n; ++k) {
    if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 1;
  }
  return n;
}

// '*' matches any run of characters, '?' one character; letters match
// without regard to case. Iterative with one backtrack point, so a pattern of
// many stars cannot blow up.
bool WildcardMatch(std::string_view pattern, std::string_view name) {
  size_t p = 0, n = 0;
  size_t starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = ++p;
      starN = n;
      continue;
    }
    if (p < pattern.size()) {
      if (pattern[p] == '?') {
        ++p;
        n += CharLength(name, n);
        continue;
      }
      if (FoldCase(static_cast<unsigned char>(pattern[p])) ==
          FoldCase(static_cast<unsigned char>(name[n]))) {
        ++p;
        ++n;
        continue;
      }
    }
    if (starP == std::string_view::npos) return false;
    // A star takes one more byte: the pattern is text, and a character of
    // valid text never starts inside another one.
    p = starP;
    n = ++starN;
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

void FillEntry(DataFileEntry& entry, int folderFd, std::string fileName, std::string fullPath,
               Cp932Decoder& decoder) {
  entry.fileName = std::move(fileName);
  entry.fullPath = std::move(fullPath);
  std::string message;
  entry.header =
      ReadDataFileHeaderAt(folderFd, entry.fileName.c_str(), entry.fullPath, message, decoder);
  // The reader's not-found text carries the whole path; the entry keeps what
  // fits its field.
  entry.message = CutToCp932Bytes(message, kMaxMessageBytes);
  if (!entry.header) entry.flags |= kEntryUnreadable;
}

// Sorts as CompareFileNames does, with the case-folded names made once so
// that most comparisons are a plain memcmp.
void SortNames(std::vector<std::string>& names) {
  struct Keyed {
    std::string folded;
    std::string* name;
  };
  std::vector<Keyed> keyed;
  keyed.reserve(names.size());
  for (std::string& name : names) {
    std::string folded = name;
    for (char& c : folded) c = static_cast<char>(FoldCase(static_cast<unsigned char>(c)));
    keyed.push_back({std::move(folded), &name});
  }
  std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
    if (int c = a.folded.compare(b.folded); c != 0) return c < 0;
    return CompareFileNames(*a.name, *b.name) < 0;
  });
  std::vector<std::string> sorted;
  sorted.reserve(names.size());
  for (Keyed& k : keyed) sorted.push_back(std::move(*k.name));
  names = std::move(sorted);
}

bool NameLess(const DataFileEntry& a, const DataFileEntry& b) {
  return CompareFileNames(a.fileName, b.fileName) < 0;
}

}  // namespace

int CompareFileNames(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  int caseTie = 0;
  for (size_t i = 0; i < n; ++i) {
    unsigned char ca = static_cast<unsigned char>(a[i]);
    unsigned char cb = static_cast<unsigned char>(b[i]);
    unsigned char fa = FoldCase(ca), fb = FoldCase(cb);
    if (fa != fb) return fa < fb ? -1 : 1;
    // Same letter in different case: the first such place decides a tie,
    // lower case first.
    if (caseTie == 0 && ca != cb) caseTie = ca > cb ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return caseTie;
}

std::string NormalizeSearchPattern(std::string_view typed) {
  SplitPath s = SplitFilePath(typed);
  std::string out(s.folder);
  out += s.name.empty() ? std::string_view("*") : s.name;
  out += s.ext.empty() ? std::string_view(".DAT") : s.ext;
  return out;
}

std::string ExpandSearchText(std::string_view typed, std::string_view home) {
  std::string text;
  if (!home.empty() && typed.starts_with('~') && (typed.size() == 1 || typed[1] == '/')) {
    text = home;
    if (typed.size() == 1) {
      text += '/';
    } else {
      if (text.ends_with('/')) text.pop_back();
      text += typed.substr(1);
    }
  } else {
    text = typed;
  }
  if (!text.empty() && !text.ends_with('/')) {
    struct stat st {};
    if (stat(text.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) text += '/';
  }
  return NormalizeSearchPattern(text);
}

DataFileScan::DataFileScan(const std::string& pattern) : dir_(nullptr, &closedir) {
  SplitPath s = SplitFilePath(pattern);
  folder_ = std::string(s.folder);
  const std::string_view filePattern = std::string_view(pattern).substr(folder_.size());
  dir_.reset(opendir(folder_.empty() ? "." : folder_.c_str()));
  if (!dir_) return;

  // Names first, sorted, so that every entry is built in its final place.
  const size_t folderBytes = Cp932Length(folder_);
  while (const dirent* d = readdir(dir_.get())) {
    std::string_view name(d->d_name);
    if (name == "." || name == "..") continue;
    if (!WildcardMatch(filePattern, name)) continue;
    bool isFolder = d->d_type == DT_DIR;
    if (d->d_type == DT_UNKNOWN || d->d_type == DT_LNK) {
      struct stat st {};
      isFolder = fstatat(dirfd(dir_.get()), d->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
    }
    if (isFolder) continue;
    if (Cp932Length(name) > kMaxFileNameBytes) continue;
    if (folderBytes + Cp932Length(name) > kMaxFullPathBytes) continue;
    names_.emplace_back(name);
  }
  SortNames(names_);
}

size_t DataFileScan::ReadMore(size_t count, DataFileList& out) {
  const size_t end = std::min(names_.size(), next_ + count);
  const size_t first = next_;
  // Room for every file at the first slice: growing by a slice at a time
  // would copy the whole list again on every slice.
  if (first == 0) out.reserve(out.size() + names_.size());
  for (; next_ < end; ++next_) {
    DataFileEntry& entry = out.emplace_back();
    // The entry takes the name over: it is not needed here again.
    std::string fullPath = folder_ + names_[next_];
    FillEntry(entry, dirfd(dir_.get()), std::move(names_[next_]), std::move(fullPath), decoder_);
  }
  return end - first;
}

void ScanDataFiles(const std::string& pattern, DataFileList& list) {
  DataFileScan scan(pattern);
  std::vector<DataFileEntry> found;
  scan.ReadMore(scan.Total(), found);
  if (list.empty()) {
    list = std::move(found);
    return;
  }
  // Same order as inserting each new entry in front of the first entry that
  // is not smaller: new entries first among equal names.
  DataFileList merged;
  merged.reserve(list.size() + found.size());
  auto oldIt = list.begin();
  for (DataFileEntry& entry : found) {
    while (oldIt != list.end() && NameLess(*oldIt, entry)) merged.push_back(std::move(*oldIt++));
    merged.push_back(std::move(entry));
  }
  while (oldIt != list.end()) merged.push_back(std::move(*oldIt++));
  list = std::move(merged);
}

void ReleaseDataFileList(DataFileList& list) {
  list.clear();
}

std::vector<std::string> DataFilesInFolder(const std::string& folder) {
  std::error_code ec;
  std::string absolute = std::filesystem::absolute(folder, ec).lexically_normal().string();
  if (ec) absolute = folder;
  if (absolute.empty() || absolute.back() != '/') absolute += '/';
  // Every data file, however long its name: the list dialog's name limits
  // are about what it can show, and a folder given as input must not lose
  // files silently.
  std::vector<std::string> names;
  std::filesystem::directory_iterator it(absolute, ec);
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    std::string name = it->path().filename().string();
    std::error_code typeError;
    if (!WildcardMatch("*.DAT", name) || it->is_directory(typeError)) continue;
    names.push_back(std::move(name));
  }
  SortNames(names);
  for (std::string& name : names) name.insert(0, absolute);
  return names;
}

ExpandedInputs ExpandFolderInputs(const std::vector<std::string>& inputs) {
  ExpandedInputs out;
  for (const std::string& input : inputs) {
    std::error_code ec;
    if (!std::filesystem::is_directory(input, ec)) {
      out.files.push_back(input);
      continue;
    }
    const std::vector<std::string> found = DataFilesInFolder(input);
    if (found.empty()) out.emptyFolders.push_back(input);
    // Named as the folder was given, so that messages and lists read as the
    // user typed them.
    for (const std::string& path : found) {
      out.files.push_back((std::filesystem::path(input) / std::filesystem::path(path).filename())
                              .lexically_normal()
                              .string());
    }
  }
  return out;
}

}  // namespace fernplot
