// SPDX-License-Identifier: MIT
#pragma once
// Texts the core makes for people (page texts, messages) are written in the
// source language, Japanese, and marked with FERNPLOT_TEXT(context, text) so
// that the translation tools find them. A caller that shows another language
// hands the core a TextTranslator; without one the source text is used, as
// every test and the exporter's default output expect.

#include <functional>
#include <string>

// Marks a source text; the text itself is the value.
#define FERNPLOT_TEXT(context, text) text

namespace fernplot {

// (context, source text) -> text to show, UTF-8. Both arguments are the
// string literals marked with FERNPLOT_TEXT.
using TextTranslator = std::function<std::string(const char* context, const char* source)>;

// The translation of `source`, or `source` when there is no translator.
inline std::string Translate(const TextTranslator* translator, const char* context,
                             const char* source) {
  return translator && *translator ? (*translator)(context, source) : std::string(source);
}

}  // namespace fernplot
