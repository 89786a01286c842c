// BSTR allocation with the platform's layout: a 32-bit byte length, the UTF-16 characters, a 16-bit zero.
// The pointer handed out points at the characters, so the block starts four bytes before it.
// Null rules: SysAllocString(nullptr) is nullptr; SysAllocStringLen(nullptr, n) is n zero characters (an empty,
// non-null BSTR for n = 0); a length whose byte count does not fit 32 bits gives nullptr; SysStringLen and
// SysStringByteLen of nullptr are 0; SysFreeString(nullptr) does nothing.
#include <cstdlib>
#include <cstring>

#include "platform/oleauto.h"

namespace {

constexpr std::size_t kPrefix = sizeof(uint32_t);
// The byte length must fit the 32-bit prefix.
constexpr UINT kMaxLength = 0x7FFFFFFFu;

char* BlockOf(BSTR text) { return reinterpret_cast<char*>(text) - kPrefix; }

}  // namespace

BSTR SysAllocString(const OLECHAR* text) {
  if (text == nullptr) return nullptr;
  std::size_t length = 0;
  while (text[length] != 0) ++length;
  if (length > kMaxLength) return nullptr;
  return SysAllocStringLen(text, static_cast<UINT>(length));
}

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
  if (length > kMaxLength) return nullptr;
  const uint32_t bytes = length * static_cast<uint32_t>(sizeof(OLECHAR));
  char* block = static_cast<char*>(std::malloc(kPrefix + bytes + sizeof(OLECHAR)));
  if (block == nullptr) return nullptr;
  std::memcpy(block, &bytes, kPrefix);
  BSTR chars = reinterpret_cast<BSTR>(block + kPrefix);
  if (text != nullptr)
    std::memcpy(chars, text, bytes);
  else
    std::memset(chars, 0, bytes);
  chars[length] = 0;
  return chars;
}

void SysFreeString(BSTR text) {
  if (text != nullptr) std::free(BlockOf(text));
}

UINT SysStringByteLen(BSTR text) {
  if (text == nullptr) return 0;
  uint32_t bytes = 0;
  std::memcpy(&bytes, BlockOf(text), kPrefix);
  return bytes;
}

UINT SysStringLen(BSTR text) { return SysStringByteLen(text) / sizeof(OLECHAR); }
