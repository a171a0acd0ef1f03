// SPDX-License-Identifier: MIT
#pragma once
// The viewer's per-user choices that are not graph settings: the language,
// the recent data files, whether the figures panel and the page list are
// open and the limit mask. Kept by Qt in the per-user folder
// (~/.config/FERNPLOT/viewer.ini), apart from the settings file.

#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "language.h"

class QSettings;

namespace fernplot {

class ViewerSettings {
 public:
  // The user's file.
  ViewerSettings();
  // A file of the caller's (tests).
  explicit ViewerSettings(const QString& iniPath);
  ~ViewerSettings();

  // Nothing: follow the locale.
  std::optional<UiLanguage> Language() const;
  void SetLanguage(std::optional<UiLanguage> language);

  // Most recent first; names as bytes.
  std::vector<std::string> RecentFiles() const;
  void SetRecentFiles(const std::vector<std::string>& files);

  // Whether the figures panel was open when the viewer last closed.
  bool FiguresPanelOpen() const;
  void SetFiguresPanelOpen(bool open);
  // The same of the page list.
  bool PageListOpen() const;
  void SetPageListOpen(bool open);
  // The limit mask applied at the last exit; nothing: none. As bytes.
  std::optional<std::string> MaskPath() const;
  void SetMaskPath(const std::optional<std::string>& path);

 private:
  // A switch that is off unless written.
  void SetFlag(const QString& key, bool on);
  std::unique_ptr<QSettings> settings_;
};

// The recent-files rules: at most kRecentFileCount names, the latest first,
// each once (compared as absolute, normalised paths).
constexpr size_t kRecentFileCount = 8;
std::vector<std::string> WithRecentFile(std::vector<std::string> list, const std::string& path);
std::vector<std::string> WithoutRecentFile(std::vector<std::string> list, const std::string& path);
// The name a path is kept under: absolute and normalised.
std::string RecentFileKey(const std::string& path);

}  // namespace fernplot
