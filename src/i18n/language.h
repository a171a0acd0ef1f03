// SPDX-License-Identifier: MIT
#pragma once
// Which language the programs speak, and the translators that make them
// speak it. Japanese is the source language: it needs no translation of our
// own texts, only Qt's for its standard dialogs and buttons.

#include <QString>
#include <QTranslator>
#include <memory>
#include <optional>
#include <string_view>

#include "text/ui_text.h"

class QLocale;

namespace fernplot {

enum class UiLanguage { kJapanese, kEnglish };

// "ja" or "en"; nothing for anything else.
std::optional<UiLanguage> ParseLanguage(std::string_view code);
const char* LanguageCode(UiLanguage language);
// Japanese under a Japanese locale and under C/POSIX (so that scripts and
// tests see the texts of today); English under every other language.
UiLanguage LanguageForLocale(const QLocale& locale);
// An explicit option wins over the choice kept in the settings, which wins
// over the locale.
UiLanguage ChooseLanguage(std::optional<UiLanguage> option, std::optional<UiLanguage> saved,
                          const QLocale& system);

// The value of "--lang CODE" or "--lang=CODE" in argv; `error` is set when
// the option is there without a known code. The option is not removed.
std::optional<UiLanguage> LanguageOption(int argc, char** argv, QString& error);

// `source` (a text of `context`) in `language`, whatever language the
// program speaks now: a message about a language choice is read in it.
QString TextIn(UiLanguage language, const char* context, const char* source);

// The translators of one language, installed on the running
// QCoreApplication (a QGuiApplication or QApplication is not needed) for
// as long as the object lives.
class Translations {
 public:
  // `programPath`: the running executable, to find an installed copy of
  // the translations in <prefix>/share/fernplot/translations.
  Translations(UiLanguage language, const QString& programPath);
  ~Translations();
  Translations(const Translations&) = delete;
  Translations& operator=(const Translations&) = delete;

  UiLanguage Language() const { return language_; }
  // False when this program's translation for the language was not found
  // (never for Japanese).
  bool ProgramTextsLoaded() const { return programLoaded_; }
  // True when Qt's own translation was found (Japanese only).
  bool QtTextsLoaded() const { return qtLoaded_; }
  // For texts the Qt-free core builds; empty under Japanese.
  TextTranslator CoreTranslator() const;

 private:
  UiLanguage language_;
  std::unique_ptr<QTranslator> program_;
  std::unique_ptr<QTranslator> qt_;
  bool programLoaded_ = false;
  bool qtLoaded_ = false;
  bool installed_ = false;  // program_ is installed on the application
};

}  // namespace fernplot
