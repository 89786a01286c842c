// Conversions between UTF-8 (the model's texts) and UTF-16 (BSTRs). Invalid sequences become U+FFFD.
#pragma once

#include <string>
#include <string_view>

namespace vrk {

// True when no byte of `text` has its high bit set.
bool IsAscii(std::string_view text);

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace vrk
