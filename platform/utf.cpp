// UTF-8 <-> UTF-16 conversion, strict about malformed input: every bad sequence becomes one U+FFFD, and an
// unpaired surrogate in UTF-16 becomes U+FFFD as well.
#include "platform/utf.h"

#include <algorithm>
#include <cstdint>

namespace vrk {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at text[pos], advancing pos. A malformed sequence becomes one U+FFFD that covers its
// longest valid beginning (at least one byte), so a sequence cut short costs one U+FFFD and the byte that broke
// it is read again as the start of the next character. The ranges of the second byte exclude overlong forms,
// surrogates and code points above U+10FFFF.
char32_t DecodeUtf8(std::string_view text, std::size_t& pos) {
  const uint8_t lead = static_cast<uint8_t>(text[pos++]);
  if (lead < 0x80) return lead;
  int extra = 0;
  char32_t cp = 0;
  uint8_t low = 0x80;
  uint8_t high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1, cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2, cp = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3, cp = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return kReplacement;
  }
  for (int i = 0; i < extra; ++i) {
    if (pos >= text.size()) return kReplacement;
    const uint8_t b = static_cast<uint8_t>(text[pos]);
    if (b < low || b > high) return kReplacement;
    low = 0x80, high = 0xBF;
    cp = (cp << 6) | (b & 0x3F);
    ++pos;
  }
  return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

// One reduction without an early exit, so that the compiler takes many bytes per step.
bool IsAscii(std::string_view text) {
  unsigned char high = 0;
  for (char c : text) high |= static_cast<unsigned char>(c);
  return high < 0x80;
}

std::u16string Utf8ToUtf16(std::string_view text) {
  if (IsAscii(text)) return std::u16string(text.begin(), text.end());  // most configurations are ASCII throughout
  // No character takes more UTF-16 units than UTF-8 bytes (a malformed sequence, at least one byte, gives one
  // unit), so the text is written into room of the input's size and cut to what was written.
  std::u16string out(text.size(), u'\0');
  std::size_t used = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    if (static_cast<uint8_t>(text[pos]) < 0x80) {
      out[used++] = static_cast<char16_t>(text[pos++]);
      continue;
    }
    const char32_t cp = DecodeUtf8(text, pos);
    if (cp >= 0x10000) {
      out[used++] = static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      out[used++] = static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      out[used++] = static_cast<char16_t>(cp);
    }
  }
  out.resize(used);
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  char16_t high = 0;
  for (char16_t unit : text) high |= unit;  // one reduction, as IsAscii
  if (high < 0x80) {
    std::string ascii(text.size(), '\0');
    std::transform(text.begin(), text.end(), ascii.begin(), [](char16_t c) { return static_cast<char>(c); });
    return ascii;
  }
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp < 0x80) {
      // Runs of ASCII, most of a configuration, are copied as one block.
      std::size_t end = i + 1;
      while (end < text.size() && text[end] < 0x80) ++end;
      const std::size_t at = out.size();
      out.resize(at + (end - i));
      std::transform(text.begin() + static_cast<std::ptrdiff_t>(i), text.begin() + static_cast<std::ptrdiff_t>(end),
                     out.begin() + static_cast<std::ptrdiff_t>(at), [](char16_t c) { return static_cast<char>(c); });
      i = end - 1;
      continue;
    }
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kReplacement;
    }
    AppendUtf8(out, cp);
  }
  return out;
}

}  // namespace vrk
