// SPDX-License-Identifier: MIT
#include "props/settings_path.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace fernplot {
namespace {

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return {};
}

}  // namespace

bool IsInstalledProgramFolder(const std::string& folder) {
  namespace fs = std::filesystem;
  const fs::path bin = fs::path(folder).lexically_normal();
  const fs::path name = bin.has_filename() ? bin.filename() : bin.parent_path().filename();
  std::error_code ec;
  return name == "bin" && fs::is_directory(bin / ".." / "share" / "fernplot", ec);
}

std::string DefaultSettingsFilePath(const std::string& executablePath) {
  namespace fs = std::filesystem;
  const fs::path exe(executablePath);
  const fs::path folder = exe.has_parent_path() ? exe.parent_path() : fs::path(".");
  // An installed program keeps its settings per user even where it could
  // write beside itself (run as root, or from a user-owned prefix).
  if (!executablePath.empty() && access(folder.c_str(), W_OK) == 0 &&
      !IsInstalledProgramFolder(folder.string())) {
    return (folder / (exe.stem().string() + ".CFG")).string();
  }
  fs::path config;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') {
    config = xdg;
  } else {
    config = fs::path(HomeFolder()) / ".config";
  }
  return (config / "fernplot" / "fernplot.CFG").string();
}

std::string DefaultSettingsReadPath(const std::string& executablePath) {
  namespace fs = std::filesystem;
  const std::string writePath = DefaultSettingsFilePath(executablePath);
  std::error_code ec;
  if (fs::exists(writePath, ec) || executablePath.empty()) return writePath;
  const fs::path exe(executablePath);
  const fs::path beside =
      (exe.has_parent_path() ? exe.parent_path() : fs::path(".")) / (exe.stem().string() + ".CFG");
  if (fs::is_regular_file(beside, ec) && access(beside.c_str(), R_OK) == 0) return beside.string();
  return writePath;
}

std::string DefaultDataFilePath() {
  std::string home = HomeFolder();
  if (home.empty()) return "*.DAT";
  if (home.back() != '/') home += '/';
  return home + "*.DAT";
}

}  // namespace fernplot
