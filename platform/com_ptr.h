// ComPtr<T>: owner of one reference to an interface pointer, released when the owner goes.
#pragma once

#include <cstddef>
#include <utility>

#include "platform/com_types.h"

namespace vrk {

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  // Shares `p`: takes a reference of its own (AddRef). Use Attach to adopt a reference instead.
  explicit ComPtr(T* p) : p_(p) {
    if (p_) p_->AddRef();
  }
  ComPtr(const ComPtr& other) : ComPtr(other.p_) {}
  ComPtr(ComPtr&& other) noexcept : p_(other.Detach()) {}
  ComPtr& operator=(const ComPtr& other) {
    if (other.p_) other.p_->AddRef();
    Attach(other.p_);
    return *this;
  }
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) Attach(other.Detach());
    return *this;
  }
  ~ComPtr() { Reset(); }

  // Release the held reference and adopt `p` without AddRef (the caller's reference moves in).
  void Attach(T* p) {
    T* old = std::exchange(p_, p);
    if (old) old->Release();
  }
  // Give up the reference without Release; the caller now owns it.
  T* Detach() { return std::exchange(p_, nullptr); }
  void Reset() { Attach(nullptr); }
  // Release the held reference and return the slot, for use as an [out] parameter.
  T** Out() {
    Reset();
    return &p_;
  }
  // Hand out a new reference through an [out] parameter; E_POINTER when `out` is null.
  HRESULT CopyTo(T** out) const {
    if (out == nullptr) return E_POINTER;
    *out = p_;
    if (p_) p_->AddRef();
    return S_OK;
  }
  // Ask the held object for another interface; E_POINTER when empty.
  template <class U>
  HRESULT QueryInterface(REFIID iid, ComPtr<U>& out) const {
    if (p_ == nullptr) return E_POINTER;
    return p_->QueryInterface(iid, reinterpret_cast<void**>(out.Out()));
  }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  T* p_ = nullptr;
};

}  // namespace vrk
