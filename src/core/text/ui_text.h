// SPDX-License-Identifier: MIT
#pragma once
// Texts the core makes for people (page texts, messages) are written in the
// source language, Japanese, and marked with FERNPLOT_TEXT(context, text) so
// that the translation tools find them. A caller that shows another language
// hands the core a TextTranslator; without one the source text is used, as
// every test and the exporter's default output expect.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

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

// `text` with %1..%9 replaced by `args` in one pass, so that a value holding
// "%2" stays as it is.
inline std::string FillTextArgs(std::string_view text, const std::vector<std::string>& args) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
      const auto k = static_cast<size_t>(text[i + 1] - '1');
      if (k < args.size()) {
        out += args[k];
        ++i;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

}  // namespace fernplot
