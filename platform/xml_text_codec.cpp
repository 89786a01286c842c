#include "platform/xml_text_codec.h"

#include <iconv.h>

#include <cerrno>
#include <memory>

#include "platform/utf.h"

namespace vrk {
namespace {

// The value of the encoding pseudo-attribute in an ASCII-compatible declaration, or "".
std::string EncodingInDeclaration(std::string_view head) {
  if (head.substr(0, 5) != "<?xml") return {};
  const std::size_t end = head.find("?>");
  const std::string_view declaration = head.substr(0, end);
  const std::size_t key = declaration.find("encoding");
  if (key == std::string_view::npos) return {};
  std::size_t pos = declaration.find_first_of("\"'", key);
  if (pos == std::string_view::npos) return {};
  const char quote = declaration[pos];
  const std::size_t close = declaration.find(quote, pos + 1);
  if (close == std::string_view::npos) return {};
  return std::string(declaration.substr(pos + 1, close - pos - 1));
}

struct IconvCloser {
  void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};

std::string Convert(std::string_view input, const std::string& from, const std::string& to) {
  iconv_t raw = iconv_open(to.c_str(), from.c_str());
  if (raw == reinterpret_cast<iconv_t>(-1)) throw TextCodecError("unsupported encoding " + from + " -> " + to);
  const std::unique_ptr<void, IconvCloser> cd(raw);
  std::string output(input.size() * 4 + 16, '\0');
  char* in = const_cast<char*>(input.data());
  std::size_t in_left = input.size();
  char* out = output.data();
  std::size_t out_left = output.size();
  while (in_left > 0) {
    if (iconv(raw, &in, &in_left, &out, &out_left) != static_cast<std::size_t>(-1)) continue;
    if (errno != E2BIG) {
      if (const std::optional<DecodingFailure> failure = FindDecodingFailure(input, from))
        throw TextCodecError(*failure);
      throw TextCodecError("text cannot be converted from " + from + " to " + to);
    }
    const std::size_t used = output.size() - out_left;
    output.resize(output.size() * 2);
    out = output.data() + used;
    out_left = output.size() - used;
  }
  output.resize(output.size() - out_left);
  return output;
}

// True when the converter gives every ASCII character as itself, one byte each, without a state that a byte
// switches (as the escape and shift bytes of ISO-2022 encodings or the '+' of UTF-7 do, which then fail this
// test): a text of ASCII bytes is then the same text in UTF-8. False, too, when the converter cannot say.
bool KeepsAscii(const std::string& encoding) {
  std::string ascii(128, '\0');
  for (std::size_t i = 0; i < ascii.size(); ++i) ascii[i] = static_cast<char>(i);
  try {
    return Convert(ascii, encoding, "UTF-8") == ascii;
  } catch (const TextCodecError&) {
    return false;
  }
}

std::string Utf16LeBytes(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

}  // namespace

TextCodecError::TextCodecError(DecodingFailure failure)
    : std::runtime_error(failure.reason.substr(0, failure.reason.find_last_not_of('\n') + 1) + " (line " +
                         std::to_string(failure.line) + ", character " + std::to_string(failure.column) + ")"),
      decoding_failure_(std::move(failure)) {}

std::string DeclaredEncodingOf(std::string_view bytes) {
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE)
    return "UTF-16LE";
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFE && static_cast<unsigned char>(bytes[1]) == 0xFF)
    return "UTF-16BE";
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  const std::string name = EncodingInDeclaration(bytes.substr(0, 256));
  return name.empty() ? "UTF-8" : name;
}

std::u16string XmlBytesToText(std::string_view bytes) {
  const std::string encoding = DeclaredEncodingOf(bytes);
  if (encoding.starts_with("UTF-16")) bytes.remove_prefix(2);
  // Most configurations are ASCII throughout; converting them is then a widening copy.
  if (IsAscii(bytes) && KeepsAscii(encoding)) return std::u16string(bytes.begin(), bytes.end());
  const std::string utf8 = Convert(bytes, encoding, "UTF-8");
  std::u16string text = Utf8ToUtf16(utf8);
  if (!text.empty() && text.front() == u'\uFEFF') text.erase(0, 1);
  return text;
}

std::string XmlTextToBytes(std::u16string_view text) {
  const std::string utf8 = Utf16ToUtf8(text);
  const std::string encoding = DeclaredEncodingOf(utf8);
  if (encoding == "UTF-8" || encoding == "utf-8") return utf8;
  return Convert(Utf16LeBytes(text), "UTF-16LE", encoding);
}

}  // namespace vrk
