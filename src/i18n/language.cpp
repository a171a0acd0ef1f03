// SPDX-License-Identifier: MIT
#include "language.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <cstring>

namespace fernplot {

std::optional<UiLanguage> ParseLanguage(std::string_view code) {
  if (code == "ja") return UiLanguage::kJapanese;
  if (code == "en") return UiLanguage::kEnglish;
  return std::nullopt;
}

const char* LanguageCode(UiLanguage language) {
  return language == UiLanguage::kJapanese ? "ja" : "en";
}

UiLanguage LanguageForLocale(const QLocale& locale) {
  const QLocale::Language language = locale.language();
  if (language == QLocale::Japanese || language == QLocale::C) return UiLanguage::kJapanese;
  return UiLanguage::kEnglish;
}

UiLanguage ChooseLanguage(std::optional<UiLanguage> option, std::optional<UiLanguage> saved,
                          const QLocale& system) {
  if (option) return *option;
  if (saved) return *saved;
  return LanguageForLocale(system);
}

std::optional<UiLanguage> LanguageOption(int argc, char** argv, QString& error) {
  std::optional<UiLanguage> found;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg(argv[i]);
    if (arg == "--") break;
    std::string_view value;
    if (arg == "--lang") {
      if (i + 1 >= argc) {
        error = QStringLiteral("--lang needs ja or en");
        return std::nullopt;
      }
      value = argv[++i];
    } else if (arg.rfind("--lang=", 0) == 0) {
      value = arg.substr(7);
    } else {
      continue;
    }
    found = ParseLanguage(value);
    if (!found) {
      error = QStringLiteral("--lang takes ja or en, not '%1'")
                  .arg(QString::fromLocal8Bit(value.data(), static_cast<qsizetype>(value.size())));
      return std::nullopt;
    }
  }
  return found;
}

namespace {

// An installed program (<prefix>/bin) reads <prefix>/share/fernplot/
// translations; anything else, and a missing file, falls back to the copy
// built into the program.
bool LoadProgramTexts(QTranslator& translator, const QString& baseName,
                      const QString& programPath) {
  if (!programPath.isEmpty()) {
    const QDir bin = QFileInfo(programPath).absoluteDir();
    const QString installed = bin.filePath(QStringLiteral("../share/fernplot/translations"));
    if (translator.load(baseName, installed)) return true;
  }
  return translator.load(baseName, QStringLiteral(":/i18n"));
}

}  // namespace

QString TextIn(UiLanguage language, const char* context, const char* source) {
  if (language == UiLanguage::kEnglish) {
    QTranslator english;
    if (LoadProgramTexts(
            english, QStringLiteral("fernplot_en"),
            QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString())) {
      const QString text = english.translate(context, source);
      if (!text.isEmpty()) return text;
    }
  }
  return QString::fromUtf8(source);
}

Translations::Translations(UiLanguage language, const QString& programPath) : language_(language) {
  // Without an application object (the exporter's text outputs) there are
  // no dialogs to translate, and only the core's texts need the translator.
  const bool application = QCoreApplication::instance() != nullptr;
  if (language == UiLanguage::kJapanese) {
    programLoaded_ = true;
    if (!application) return;
    qt_ = std::make_unique<QTranslator>();
    qtLoaded_ =
        qt_->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (qtLoaded_) QCoreApplication::installTranslator(qt_.get());
    return;
  }
  program_ = std::make_unique<QTranslator>();
  programLoaded_ = LoadProgramTexts(*program_, QStringLiteral("fernplot_en"), programPath);
  if (programLoaded_ && application) {
    installed_ = QCoreApplication::installTranslator(program_.get());
  }
}

Translations::~Translations() {
  if (installed_) QCoreApplication::removeTranslator(program_.get());
  if (qt_ && qtLoaded_) QCoreApplication::removeTranslator(qt_.get());
}

TextTranslator Translations::CoreTranslator() const {
  if (language_ == UiLanguage::kJapanese || !programLoaded_) return {};
  // The translator itself rather than QCoreApplication::translate, so that
  // the exporter's text outputs need no application object.
  const QTranslator* translator = program_.get();
  return [translator](const char* context, const char* source) {
    const QString text = translator->translate(context, source);
    return text.isEmpty() ? std::string(source) : text.toStdString();
  };
}

}  // namespace fernplot
