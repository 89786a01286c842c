// BStr: owner of one BSTR, freed with SysFreeString when the owner goes. A null BSTR reads as empty text.
#pragma once

#include <new>
#include <string>
#include <string_view>
#include <utility>

#include "platform/oleauto.h"
#include "platform/utf.h"

namespace vrk {

// The characters of a BSTR as UTF-16 text (a null BSTR reads as empty). OLECHAR is char16_t on Linux and
// wchar_t on Windows, both UTF-16 code units.
inline std::u16string_view BstrView(const OLECHAR* text) {
  return text ? std::u16string_view(reinterpret_cast<const char16_t*>(text), SysStringLen(const_cast<BSTR>(text)))
              : std::u16string_view();
}

// UTF-16 characters as the Sys* functions take them.
inline const OLECHAR* OleText(const char16_t* text) { return reinterpret_cast<const OLECHAR*>(text); }

class BStr {
 public:
  BStr() = default;
  // Allocate a new BSTR holding the text (an empty text gives an empty, non-null BSTR).
  // Throws std::bad_alloc when the string cannot be allocated.
  explicit BStr(std::u16string_view text) : text_(Allocate(text)) {}
  explicit BStr(std::string_view utf8) : BStr(std::u16string_view(Utf8ToUtf16(utf8))) {}

  // Take ownership of a BSTR allocated by the Sys* functions (null allowed).
  static BStr Adopt(BSTR text) {
    BStr owner;
    owner.text_ = text;
    return owner;
  }

  BStr(BStr&& other) noexcept : text_(other.release()) {}
  BStr& operator=(BStr&& other) noexcept {
    if (this != &other) Reset(other.release());
    return *this;
  }
  BStr(const BStr&) = delete;
  BStr& operator=(const BStr&) = delete;
  ~BStr() { SysFreeString(text_); }

  // The held BSTR, still owned; null when empty-handed.
  BSTR get() const { return text_; }
  // Give up ownership; the caller frees the result.
  BSTR release() { return std::exchange(text_, nullptr); }
  // Free the held BSTR and take `text` instead.
  void Reset(BSTR text = nullptr) { SysFreeString(std::exchange(text_, text)); }
  // Free the held BSTR and return the slot, for use as an [out] parameter.
  BSTR* Out() {
    Reset();
    return &text_;
  }

  UINT size() const { return SysStringLen(text_); }
  bool empty() const { return size() == 0; }
  std::u16string_view View() const { return BstrView(text_); }
  std::u16string ToUtf16() const { return std::u16string(View()); }
  std::string ToUtf8() const { return Utf16ToUtf8(View()); }

 private:
  static BSTR Allocate(std::u16string_view text) {
    if (text.size() > 0x7FFFFFFFu) throw std::bad_alloc();
    BSTR result = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
    if (result == nullptr) throw std::bad_alloc();
    return result;
  }

  BSTR text_ = nullptr;
};

}  // namespace vrk
