// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "datafile/data_file_list_cells.h"
#include "datafile/data_file_scan.h"
#include "fernplot_test_data.h"
#include "text/encoding.h"
#include "text/file_path.h"

namespace fernplot {
namespace {

using testing::Header;
using testing::TempDir;

std::vector<std::string> Names(const DataFileList& list) {
  std::vector<std::string> names;
  for (const DataFileEntry& e : list) names.push_back(e.fileName);
  return names;
}

std::string RawFile(uint16_t count) {
  return EncodeRawDataFile(Header(0, count), std::vector<RawRecord>(count));
}

TEST(CompareFileNames, CaseInsensitiveFirstThenLowerCaseFirst) {
  struct Row {
    const char* a;
    const char* b;
    int sign;
  } rows[] = {
      {"a2.DAT", "A3.DAT", -1}, {"A3.DAT", "B1.DAT", -1}, {"b1.dat", "A3.DAT", 1},
      {"a.DAT", "A.DAT", -1},   {"A.DAT", "a.DAT", 1},    {"ab", "aB", -1},
      {"aB", "Ab", -1},  // the first differing case decides
      {"same", "same", 0},      {"a", "ab", -1},          {"_x", "ax", -1},
      {"Z", "a_", 1},
  };
  for (const Row& r : rows) {
    int c = CompareFileNames(r.a, r.b);
    EXPECT_EQ((c > 0) - (c < 0), r.sign) << r.a << " vs " << r.b;
    int back = CompareFileNames(r.b, r.a);
    EXPECT_EQ((back > 0) - (back < 0), -r.sign) << r.b << " vs " << r.a;
  }
}

TEST(SearchPattern, CompletesTheTypedText) {
  struct Row {
    const char* typed;
    const char* normalised;
    const char* filePartReplaced;
  } rows[] = {
      {"", "*.DAT", "*.DAT"},
      {"/data/", "/data/*.DAT", "/data/*.DAT"},
      {"/data", "/data.DAT", "/*.DAT"},
      {"/data/x1", "/data/x1.DAT", "/data/*.DAT"},
      {"/data/.dat", "/data/*.dat", "/data/*.DAT"},
      {"/data/*.csv", "/data/*.csv", "/data/*.DAT"},
      {"rel/a?.dat", "rel/a?.dat", "rel/*.DAT"},
      {"/my.dir/file", "/my.dir/file.DAT", "/my.dir/*.DAT"},
      {"/Meas/測定", "/Meas/測定.DAT", "/Meas/*.DAT"},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(NormalizeSearchPattern(r.typed), r.normalised) << r.typed;
    EXPECT_EQ(ReplaceFilePartWithPattern(r.typed), r.filePartReplaced) << r.typed;
  }
}

TEST(SearchPattern, ExpandsHomeAndTypedFolders) {
  TempDir dir;
  const std::string home = dir.path().string();
  std::filesystem::create_directory(dir.path() / "meas");
  dir.Write("plain", "");
  struct Row {
    std::string typed;
    std::string expanded;
  } rows[] = {
      {"~", home + "/*.DAT"},
      {"~/", home + "/*.DAT"},
      {"~/meas", home + "/meas/*.DAT"},  // an existing folder, no final '/'
      {"~/meas/", home + "/meas/*.DAT"},
      {"~/meas/x*", home + "/meas/x*.DAT"},
      {"~/missing", home + "/missing.DAT"},  // not a folder: a file name
      {"~/plain", home + "/plain.DAT"},      // a file is not a folder
      {home + "/meas", home + "/meas/*.DAT"},
      {"~other/x", "~other/x.DAT"},  // another user's home is not guessed
      {"a~/b", "a~/b.DAT"},
      {"", "*.DAT"},
  };
  for (const Row& r : rows) EXPECT_EQ(ExpandSearchText(r.typed, home), r.expanded) << r.typed;
  EXPECT_EQ(ExpandSearchText("~/meas", home + "/"), home + "/meas/*.DAT");
  EXPECT_EQ(ExpandSearchText("~/x", ""), "~/x.DAT");  // no home known: left as typed
}

TEST(ScanDataFiles, ListsMatchingFilesSortedWithTheirHeaders) {
  TempDir dir;
  dir.Write("B1.DAT", RawFile(2));
  dir.Write("a2.DAT", RawFile(2));
  dir.Write("A3.DAT", RawFile(2));
  dir.Write("lower.dat", RawFile(1));
  dir.Write("broken.DAT", "too short");
  dir.Write("notes.txt", RawFile(1));
  std::filesystem::create_directory(dir.path() / "folder.DAT");

  DataFileList list;
  ScanDataFiles(dir.path().string() + "/*.DAT", list);
  EXPECT_EQ(Names(list),
            (std::vector<std::string>{"a2.DAT", "A3.DAT", "B1.DAT", "broken.DAT", "lower.dat"}));
  for (const DataFileEntry& e : list) {
    EXPECT_EQ(e.fullPath, dir.File(e.fileName));
    if (e.fileName == "broken.DAT") {
      EXPECT_EQ(e.flags, kEntryUnreadable);
      EXPECT_FALSE(e.header);
      EXPECT_EQ(e.message, "ファイルの形式が違います");
    } else {
      EXPECT_EQ(e.flags, 0u);
      ASSERT_TRUE(e.header);
      EXPECT_FALSE(e.header->points) << "a search reads headers only";
      EXPECT_EQ(e.message, "");
    }
  }

  ScanDataFiles(dir.path().string() + "/?2.*", list);  // added in sorted place
  EXPECT_EQ(Names(list)[0], "a2.DAT");
  EXPECT_EQ(Names(list)[1], "a2.DAT");
  ReleaseDataFileList(list);
  EXPECT_TRUE(list.empty());
}

TEST(ScanDataFiles, OrderMatchesThePlainComparison) {
  // Names that differ in case only, in punctuation and in length.
  TempDir dir;
  const char* letters = "aAbB_.1~zZ";
  std::vector<std::string> names;
  uint32_t seed = 7;
  for (int i = 0; i < 300; ++i) {
    std::string name;
    const int length = 1 + static_cast<int>(seed % 5);
    for (int k = 0; k < length; ++k) {
      seed = seed * 1664525u + 1013904223u;
      name += letters[(seed >> 16) % 10];
    }
    name += ".DAT";
    if (std::find(names.begin(), names.end(), name) != names.end()) continue;
    names.push_back(name);
    dir.Write(name, RawFile(1));
  }
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return CompareFileNames(a, b) < 0; });
  DataFileList list;
  ScanDataFiles(dir.path().string() + "/*.DAT", list);
  EXPECT_EQ(Names(list), names);
}

TEST(ScanDataFiles, SkipsNamesOverSixtyFourBytes) {
  TempDir dir;
  const std::string name64 = std::string(60, 'n') + ".DAT";
  const std::string name65 = std::string(61, 'n') + ".DAT";
  const std::string kana64 = std::string(58, 'x') + "ﾃﾞ.DAT";  // 2 bytes in CP932, 6 in UTF-8
  const std::string kanji66 = std::string(60, 'y') + "測.DAT";
  for (const auto& n : {name64, name65, kana64, kanji66}) dir.Write(n, RawFile(1));
  const std::string name70 = std::string(66, 'z') + ".DAT";
  dir.Write(name70, RawFile(1));

  DataFileList list;
  ScanDataFiles(dir.path().string() + "/*.DAT", list);
  auto names = Names(list);
  std::sort(names.begin(), names.end());
  std::vector<std::string> expected{name64, kana64};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(names, expected);
}

TEST(ScanDataFiles, SkipsFilesWhosePathDoesNotFitItsField) {
  TempDir dir;
  const std::filesystem::path deep = dir.path() / std::string(200, 'd');
  std::filesystem::create_directory(deep);
  const size_t folderBytes = deep.string().size() + 1;
  ASSERT_LT(folderBytes + 10, 255u);
  const std::string fits(255 - folderBytes - 4, 'f');
  const std::string tooLong(256 - folderBytes - 4, 'g');
  testing::WriteBytes(deep / (fits + ".DAT"), RawFile(1));
  testing::WriteBytes(deep / (tooLong + ".DAT"), RawFile(1));
  DataFileList list;
  ScanDataFiles(deep.string() + "/*.DAT", list);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].fullPath.size(), 255u);
}

TEST(ScanDataFiles, NoFolderOrNoMatchGivesAnEmptyList) {
  TempDir dir;
  DataFileList list;
  ScanDataFiles(dir.path().string() + "/missing/*.DAT", list);
  ScanDataFiles(dir.path().string() + "/*.DAT", list);
  EXPECT_TRUE(list.empty());
}

TEST(ScanDataFiles, WildcardsMatchWithoutCase) {
  TempDir dir;
  for (const char* n : {"ab.DAT", "AXB.dat", "a.b.dat", "測定1.DAT", "b.DAT"}) {
    dir.Write(n, RawFile(1));
  }
  struct Row {
    const char* pattern;
    std::vector<std::string> names;
  } rows[] = {
      {"a*b.dat", {"a.b.dat", "ab.DAT", "AXB.dat"}},
      {"A?B.DAT", {"a.b.dat", "AXB.dat"}},
      {"*.*.*", {"a.b.dat"}},
      {"測定?.dat", {"測定1.DAT"}},
      {"???.DAT", {"a.b.dat", "AXB.dat", "測定1.DAT"}},
      {"B.DAT", {"b.DAT"}},
      {"**b*", {"a.b.dat", "ab.DAT", "AXB.dat", "b.DAT"}},
  };
  for (const Row& r : rows) {
    DataFileList list;
    ScanDataFiles(dir.path().string() + "/" + r.pattern, list);
    EXPECT_EQ(Names(list), r.names) << r.pattern;
  }
}

// Names are bytes: stray bytes and CP932 names are matched byte by byte,
// never skipped, and kept exactly as they are on disk.
TEST(ScanDataFiles, MatchesNamesThatAreNotValidText) {
  TempDir dir;
  const std::vector<std::string> odd = {"A\xc0.DAT", "bad\xff\xfe.DAT", "\xc3\xde\xb0\xc0.DAT",
                                        "\xe3\x81.DAT"};
  for (const std::string& n : odd) dir.Write(n, RawFile(1));
  dir.Write("\xc3\xde.TXT", RawFile(1));
  DataFileList list;
  ScanDataFiles(dir.path().string() + "/*.DAT", list);
  std::vector<std::string> names = Names(list);
  std::sort(names.begin(), names.end());
  std::vector<std::string> expected = odd;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(names, expected);
  for (const DataFileEntry& e : list) {
    EXPECT_TRUE(e.header) << e.fullPath;
    EXPECT_EQ(e.fullPath, dir.path().string() + "/" + e.fileName);
  }
  struct Row {
    const char* pattern;
    std::vector<std::string> names;
  } rows[] = {
      {"A?.DAT", {"A\xc0.DAT"}},  // one stray byte is one character
      {"\xc3*.dat", {"\xc3\xde\xb0\xc0.DAT"}},
      {"bad*.DAT", {"bad\xff\xfe.DAT"}},
  };
  for (const Row& r : rows) {
    DataFileList found;
    ScanDataFiles(dir.path().string() + "/" + r.pattern, found);
    EXPECT_EQ(Names(found), r.names) << r.pattern;
  }
}

TEST(ScanDataFiles, CutsTheNotFoundMessageToItsField) {
  // A dangling link matches the pattern but cannot be opened.
  TempDir dir;
  std::filesystem::create_symlink(dir.File("gone"), dir.path() / "周波数特性のデータ.DAT");
  DataFileList list;
  ScanDataFiles(dir.path().string() + "/*.DAT", list);
  ASSERT_EQ(list.size(), 1u);
  const DataFileEntry& e = list[0];
  EXPECT_EQ(e.flags, kEntryUnreadable);
  EXPECT_LE(Cp932Length(e.message), 64u);
  EXPECT_TRUE(e.message.starts_with("ファイル["));
  // Cut at a character boundary: the kept text is a prefix of the full one.
  const std::string full = "ファイル[" + e.fullPath + "]が見つかりません";
  EXPECT_TRUE(full.starts_with(e.message));
  EXPECT_GT(Cp932Length(e.message), 62u);
}

TEST(DataFileListCells, ShowsHeaderOrMessage) {
  DataFileEntry raw;
  raw.fileName = "R1.DAT";
  raw.header = Header(0, 401);
  raw.header->hour = 9;
  EXPECT_EQ(DataFileListCells(raw),
            (DataFileListRow{"R1.DAT", "生ﾃﾞｰﾀ", "401", "1998-04-07  9:05", "テスト"}));

  DataFileEntry calc = raw;
  calc.header->dataType = 1;
  calc.header->hour = 23;
  EXPECT_EQ(DataFileListCells(calc),
            (DataFileListRow{"R1.DAT", "演算ﾃﾞｰﾀ", "401", "1998-04-07 23:05", "テスト"}));

  DataFileEntry bad;
  bad.fileName = "X.DAT";
  bad.flags = kEntryUnreadable;
  bad.message = "ファイルの形式が違います";
  EXPECT_EQ(DataFileListCells(bad), (DataFileListRow{"X.DAT", "不明", "", "", bad.message}));
}

// Sorting by a column gives the order of CompareListEntries, stable, in both
// directions, for readable and unreadable entries, ties included.
TEST(DataFileListCells, SortListOrderAgreesWithTheComparison) {
  DataFileList entries;
  const char* titles[] = {"b", "a", "b", "テスト", ""};
  for (int i = 0; i < 40; ++i) {
    DataFileEntry e;
    e.fileName = std::string(i % 3 == 0 ? "a" : "A") + std::to_string(i % 7) + ".DAT";
    if (i % 9 == 4) {
      e.flags = kEntryUnreadable;
      e.message = i % 2 ? "ファイルの形式が違います" : "z";
    } else {
      e.header = Header(static_cast<int16_t>(i % 2), static_cast<uint16_t>(i % 5));
      e.header->hour = static_cast<uint16_t>(i % 4 * 6);
      e.header->dataTitle = titles[i % 5];
    }
    entries.push_back(e);
  }
  for (int column = 0; column < kListColumnCount; ++column) {
    for (const bool descending : {false, true}) {
      std::vector<uint32_t> order, expected;
      for (uint32_t i = 0; i < entries.size(); ++i) order.push_back((i * 17) % 40);
      expected = order;
      std::stable_sort(expected.begin(), expected.end(), [&](uint32_t a, uint32_t b) {
        const int c = CompareListEntries(entries[a], entries[b], column);
        return descending ? c > 0 : c < 0;
      });
      SortListOrder(entries, order, column, descending);
      EXPECT_EQ(order, expected) << "column " << column << (descending ? " descending" : "");
    }
  }
}

}  // namespace
}  // namespace fernplot

namespace fernplot {
namespace {

// The one rule both programs open paths by: a folder is its data files in
// name order (any case of .DAT), named under the folder as given; other
// paths pass as given, missing ones too; an empty folder is reported.
TEST(ExpandFolderInputs, FoldersBecomeTheirDataFilesInNameOrder) {
  TempDir dir;
  const std::filesystem::path meas = dir.path() / "meas";
  std::filesystem::create_directory(meas);
  std::filesystem::create_directory(dir.path() / "empty");
  // A name longer than the list dialog shows is still an input.
  const std::string longName = std::string(120, 'L') + ".DAT";
  for (const std::string& name : {std::string("meas/B1.DAT"), std::string("meas/a2.dat"),
                                  std::string("meas/A3.Dat"), "meas/" + longName})
    dir.Write(name, RawFile(1));
  std::filesystem::create_directory(meas / "SUB.DAT");
  dir.Write("meas/notes.txt", RawFile(1));
  dir.Write("empty/readme.txt", "");
  const std::string file = dir.Write("single.DAT", RawFile(1));
  const std::string missing = dir.File("missing.DAT");
  const std::string folder = meas.string();

  const ExpandedInputs got =
      ExpandFolderInputs({folder + "/", file, dir.File("empty"), missing, folder});
  const std::vector<std::string> inFolder = {folder + "/a2.dat", folder + "/A3.Dat",
                                             folder + "/B1.DAT", folder + "/" + longName};
  std::vector<std::string> expected = inFolder;
  expected.push_back(file);
  expected.push_back(missing);
  expected.insert(expected.end(), inFolder.begin(), inFolder.end());
  EXPECT_EQ(got.files, expected);
  EXPECT_EQ(got.emptyFolders, std::vector<std::string>{dir.File("empty")});

  EXPECT_EQ(ExpandFolderInputs({}).files, std::vector<std::string>{});
}

}  // namespace
}  // namespace fernplot
