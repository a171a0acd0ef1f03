// SPDX-License-Identifier: MIT
#pragma once
// An optional value kept on the heap, copied like a value. A large member
// that few objects use (a fitted model on a page) then costs the others one
// pointer instead of its whole size, which matters with thousands of pages
// open.

#include <memory>
#include <utility>

namespace fernplot {

template <class T>
class HeapValue {
 public:
  HeapValue() = default;
  HeapValue(const HeapValue& other) : value_(other ? std::make_unique<T>(*other) : nullptr) {}
  HeapValue(HeapValue&&) noexcept = default;
  HeapValue& operator=(const HeapValue& other) {
    if (this != &other) value_ = other ? std::make_unique<T>(*other) : nullptr;
    return *this;
  }
  HeapValue& operator=(HeapValue&&) noexcept = default;
  HeapValue& operator=(T value) {
    value_ = std::make_unique<T>(std::move(value));
    return *this;
  }

  bool has_value() const { return value_ != nullptr; }
  explicit operator bool() const { return has_value(); }
  T& operator*() { return *value_; }
  const T& operator*() const { return *value_; }
  T* operator->() { return value_.get(); }
  const T* operator->() const { return value_.get(); }
  void reset() { value_.reset(); }

 private:
  std::unique_ptr<T> value_;
};

}  // namespace fernplot
