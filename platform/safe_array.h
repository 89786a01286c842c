// SafeArrayPtr, the owner of one SAFEARRAY.
#pragma once

#include <utility>

#include "platform/oleauto.h"

namespace vrk {

// Destroys the held array (SafeArrayDestroy) when it goes. The array must be unlocked by then, or it stays
// allocated; keep data access inside the owner's lifetime and balanced.
class SafeArrayPtr {
 public:
  SafeArrayPtr() = default;
  explicit SafeArrayPtr(SAFEARRAY* array) : array_(array) {}
  SafeArrayPtr(SafeArrayPtr&& other) noexcept : array_(other.release()) {}
  SafeArrayPtr& operator=(SafeArrayPtr&& other) noexcept {
    if (this != &other) Reset(other.release());
    return *this;
  }
  SafeArrayPtr(const SafeArrayPtr&) = delete;
  SafeArrayPtr& operator=(const SafeArrayPtr&) = delete;
  ~SafeArrayPtr() { SafeArrayDestroy(array_); }

  SAFEARRAY* get() const { return array_; }
  // Give up ownership; the caller destroys the result.
  SAFEARRAY* release() { return std::exchange(array_, nullptr); }
  void Reset(SAFEARRAY* array = nullptr) { SafeArrayDestroy(std::exchange(array_, array)); }
  explicit operator bool() const { return array_ != nullptr; }

 private:
  SAFEARRAY* array_ = nullptr;
};

}  // namespace vrk
