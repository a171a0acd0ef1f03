#pragma once
// Temporary folders and file images shared by the data-file tests.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "datafile/data_file_writer.h"
#include "datafile/measurement.h"

namespace fernplot::testing {

// A fresh folder under the system's temp folder, removed with the object.
class TempDir {
 public:
  TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "fernplot-test-XXXXXX").string();
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    path_ = mkdtemp(buf.data());
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  std::string Write(const std::string& name, const std::string& bytes) const {
    std::string p = File(name);
    std::ofstream(p, std::ios::binary) << bytes;
    return p;
  }

 private:
  std::filesystem::path path_;
};

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline MeasurementData Header(int16_t type, uint16_t count) {
  MeasurementData h;
  h.modelName = "Q417";
  h.version = "1.03";
  h.dataType = type;
  h.pointCount = count;
  h.year = 1998;
  h.month = 4;
  h.day = 7;
  h.hour = 9;
  h.minute = 5;
  h.dataTitle = "テスト";
  return h;
}

}  // namespace fernplot::testing
