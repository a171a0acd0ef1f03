// SPDX-License-Identifier: MIT
#pragma once
// An unchanging text that copies share: every page copies its properties
// from the defaults, and a text all of them hold alike (a font's face name)
// is then kept once instead of once per page.

#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace fernplot {

class SharedText {
 public:
  SharedText() = default;
  explicit SharedText(std::string_view text) { *this = text; }
  SharedText& operator=(std::string_view text) {
    text_ = text.empty() ? nullptr : std::make_shared<const std::string>(text);
    return *this;
  }
  SharedText& operator=(const char* text) { return *this = std::string_view(text); }

  const std::string& str() const {
    static const std::string kEmpty;
    return text_ ? *text_ : kEmpty;
  }
  operator std::string_view() const { return str(); }
  bool empty() const { return !text_; }
  size_t size() const { return str().size(); }

  bool operator==(const SharedText& other) const { return str() == other.str(); }
  friend bool operator==(const SharedText& a, std::string_view b) { return a.str() == b; }

 private:
  std::shared_ptr<const std::string> text_;
};

}  // namespace fernplot
