// SPDX-License-Identifier: MIT
#include "viewer_settings.h"

#include <QSettings>
#include <algorithm>
#include <filesystem>

namespace fernplot {

namespace {

const QString kLanguageKey = QStringLiteral("language");
const QString kRecentKey = QStringLiteral("recentFiles");
const QString kFiguresPanelKey = QStringLiteral("figuresPanel");
const QString kMaskKey = QStringLiteral("mask");
const QString kPageListKey = QStringLiteral("pageList");

}  // namespace

ViewerSettings::ViewerSettings()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            QStringLiteral("FERNPLOT"), QStringLiteral("viewer"))) {
}

ViewerSettings::ViewerSettings(const QString& iniPath)
    : settings_(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

ViewerSettings::~ViewerSettings() = default;

std::optional<UiLanguage> ViewerSettings::Language() const {
  return ParseLanguage(settings_->value(kLanguageKey).toString().toStdString());
}

void ViewerSettings::SetLanguage(std::optional<UiLanguage> language) {
  if (language) {
    settings_->setValue(kLanguageKey, QString::fromLatin1(LanguageCode(*language)));
  } else {
    settings_->remove(kLanguageKey);
  }
  settings_->sync();
}

std::vector<std::string> ViewerSettings::RecentFiles() const {
  // Kept as byte arrays: a name need not be valid text.
  std::vector<std::string> files;
  for (const QVariant& v : settings_->value(kRecentKey).toList()) {
    const QByteArray bytes = v.toByteArray();
    if (!bytes.isEmpty() && files.size() < kRecentFileCount) files.push_back(bytes.toStdString());
  }
  return files;
}

void ViewerSettings::SetRecentFiles(const std::vector<std::string>& files) {
  QVariantList list;
  for (const std::string& f : files) list.push_back(QByteArray::fromStdString(f));
  settings_->setValue(kRecentKey, list);
  settings_->sync();
}

bool ViewerSettings::FiguresPanelOpen() const {
  return settings_->value(kFiguresPanelKey, false).toBool();
}

void ViewerSettings::SetFiguresPanelOpen(bool open) {
  SetFlag(kFiguresPanelKey, open);
}

bool ViewerSettings::PageListOpen() const {
  return settings_->value(kPageListKey, false).toBool();
}

void ViewerSettings::SetPageListOpen(bool open) {
  SetFlag(kPageListKey, open);
}

void ViewerSettings::SetFlag(const QString& key, bool on) {
  if (on == settings_->value(key, false).toBool()) return;
  // Off is the default: no entry, as before the panel was remembered.
  if (on) {
    settings_->setValue(key, true);
  } else {
    settings_->remove(key);
  }
  settings_->sync();
}

std::optional<std::string> ViewerSettings::MaskPath() const {
  const QByteArray bytes = settings_->value(kMaskKey).toByteArray();
  if (bytes.isEmpty()) return std::nullopt;
  return bytes.toStdString();
}

void ViewerSettings::SetMaskPath(const std::optional<std::string>& path) {
  if (path) {
    settings_->setValue(kMaskKey, QByteArray::fromStdString(RecentFileKey(*path)));
  } else {
    settings_->remove(kMaskKey);
  }
  settings_->sync();
}

std::string RecentFileKey(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  return ec ? path : absolute.lexically_normal().string();
}

std::vector<std::string> WithRecentFile(std::vector<std::string> list, const std::string& path) {
  const std::string key = RecentFileKey(path);
  list = WithoutRecentFile(std::move(list), key);
  list.insert(list.begin(), key);
  if (list.size() > kRecentFileCount) list.resize(kRecentFileCount);
  return list;
}

std::vector<std::string> WithoutRecentFile(std::vector<std::string> list, const std::string& path) {
  const std::string key = RecentFileKey(path);
  std::erase_if(list, [&](const std::string& f) { return RecentFileKey(f) == key; });
  return list;
}

}  // namespace fernplot
