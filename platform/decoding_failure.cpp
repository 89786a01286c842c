#include "platform/decoding_failure.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>

namespace vrk {
namespace {

constexpr std::size_t kBytesShown = 4;

// Line and column of the next character, fed the decoded characters in order: CR LF, a lone CR and LF each end
// a line, as an XML parser reads them; a leading byte order mark is no character.
class Position {
 public:
  void Feed(char32_t c) {
    const bool first = !started_;
    started_ = true;
    if (c == U'\n' && after_cr_) {
      after_cr_ = false;
      return;
    }
    after_cr_ = c == U'\r';
    if (c == U'\n' || c == U'\r') {
      ++at_.line;
      at_.column = 1;
    } else if (!(first && c == 0xFEFF)) {
      ++at_.column;
    }
  }
  DecodingFailure Failure(std::string reason) const {
    DecodingFailure failure = at_;
    failure.reason = std::move(reason);
    return failure;
  }

 private:
  DecodingFailure at_;
  bool started_ = false;
  bool after_cr_ = false;
};

std::string HexBytes(std::string_view bytes) {
  std::string text;
  for (std::size_t i = 0; i < bytes.size() && i < kBytesShown; ++i) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%s0x%02X", i == 0 ? "" : " ", static_cast<unsigned char>(bytes[i]));
    text += hex;
  }
  return text;
}

struct IconvCloser {
  void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};

}  // namespace

std::optional<DecodingFailure> FindDecodingFailure(std::string_view bytes, const std::string& encoding) {
  const iconv_t raw = iconv_open("UTF-32LE", encoding.c_str());
  if (raw == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  const std::unique_ptr<void, IconvCloser> cd(raw);
  Position position;
  char* in = const_cast<char*>(bytes.data());
  std::size_t in_left = bytes.size();
  // Decoded in slices, so that memory stays bounded whatever the input's size.
  char32_t slice[4096];
  while (in_left > 0) {
    char* out = reinterpret_cast<char*>(slice);
    std::size_t out_left = sizeof slice;
    const std::size_t result = iconv(raw, &in, &in_left, &out, &out_left);
    const int error = errno;
    for (std::size_t k = 0; k < (sizeof slice - out_left) / sizeof(char32_t); ++k) position.Feed(slice[k]);
    if (result != static_cast<std::size_t>(-1) || error == E2BIG) continue;
    const std::string shown = HexBytes(std::string_view(in, in_left));
    return position.Failure(error == EINVAL ? "Input ends inside a character of the encoding " + encoding + ": " + shown + "\n"
                                            : "Bytes not valid in the encoding " + encoding + ": " + shown + "\n");
  }
  return std::nullopt;
}

std::optional<DecodingFailure> FindUnpairedSurrogate(std::u16string_view text) {
  // Nearly every text has no surrogate at all; lines and columns are counted only for one that has.
  if (std::none_of(text.begin(), text.end(), [](char16_t c) { return (c & 0xF800) == 0xD800; })) return std::nullopt;
  Position position;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    const bool high = c >= 0xD800 && c <= 0xDBFF, low = c >= 0xDC00 && c <= 0xDFFF;
    if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      position.Feed(0x10000);  // a pair is one character
      ++i;
    } else if (high || low) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "0x%04X", static_cast<unsigned>(c));
      return position.Failure(std::string("input conversion failed due to input error: unpaired surrogate ") + hex +
                              "\n");
    } else {
      position.Feed(c);
    }
  }
  return std::nullopt;
}

}  // namespace vrk
