// Declared encodings and decoding with iconv, the converter the engine itself uses for these encodings.
#include "platform/dom/encoding.h"

#include <iconv.h>
#include <libxml/encoding.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <utility>

#include "platform/dom/dom.h"

namespace vrk::dom {
namespace {

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }
bool IsLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

}  // namespace

DeclaredEncoding ScanDeclaredEncoding(std::u16string_view text) {
  std::size_t pos = !text.empty() && text[0] == u'\uFEFF' ? 1 : 0;
  const std::size_t line_start = pos;  // the byte order mark is no character of the first line
  if (text.substr(pos, 5) != u"<?xml" || pos + 5 >= text.size() || !IsSpace(text[pos + 5])) return {};
  pos += 5;
  const auto skip_spaces = [&] {
    while (pos < text.size() && IsSpace(text[pos])) ++pos;
  };
  for (;;) {
    skip_spaces();
    const std::size_t name_start = pos;
    while (pos < text.size() && IsLetter(text[pos])) ++pos;
    const std::u16string_view name = text.substr(name_start, pos - name_start);
    if (name.empty()) return {};
    skip_spaces();
    if (pos >= text.size() || text[pos] != u'=') return {};
    ++pos;
    skip_spaces();
    if (pos >= text.size() || (text[pos] != u'"' && text[pos] != u'\'')) return {};
    const char16_t quote = text[pos++];
    const std::size_t value_start = pos;
    while (pos < text.size() && text[pos] != quote && text[pos] != u'<' && text[pos] < 0x80) ++pos;
    if (pos >= text.size() || text[pos] != quote) return {};
    if (name == u"encoding") {
      DeclaredEncoding declared;
      for (std::size_t i = value_start; i < pos; ++i) declared.name += static_cast<char>(text[i]);
      declared.column = static_cast<int>(value_start - line_start) + 1;
      return declared;
    }
    ++pos;
  }
}

bool CanProduce(const char* name) {
  xmlCharEncodingHandlerPtr handler = xmlFindCharEncodingHandler(name);
  if (handler == nullptr) return false;
  bool can = handler->output != nullptr;
#ifdef LIBXML_ICONV_ENABLED
  can = can || handler->iconv_out != nullptr;
#endif
#ifdef LIBXML_ICU_ENABLED
  can = can || handler->uconv_out != nullptr;
#endif
  xmlCharEncCloseFunc(handler);
  return can;
}

bool SystemKnowsEncoding(const char* name) {
  for (const auto& [to, from] : {std::pair<const char*, const char*>{name, "UTF-8"}, {"UTF-8", name}}) {
    const iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    iconv_close(cd);
  }
  return true;
}

bool CanEncode(std::string_view text, const char* name) { return EncodingProbe(name).CanEncode(text); }

EncodingProbe::EncodingProbe(const char* name) : cd_(iconv_open(name, "UTF-8")) {
  // Nothing here may throw once the converter is open: the destructor would not close it.
  static constexpr std::array<char, 127> kAscii = [] {
    std::array<char, 127> ascii{};
    for (std::size_t i = 0; i < ascii.size(); ++i) ascii[i] = static_cast<char>(i + 1);
    return ascii;
  }();
  ascii_ = Converts(std::string_view(kAscii.data(), kAscii.size()));
}

EncodingProbe::~EncodingProbe() {
  if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
}

bool EncodingProbe::CanEncode(std::string_view text) {
  if (ascii_ && std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
    return true;
  return Converts(text);
}

bool EncodingProbe::Converts(std::string_view text) {
  if (cd_ == reinterpret_cast<iconv_t>(-1)) return false;
  iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // a fresh shift state for every text
  char* in = const_cast<char*>(text.data());
  std::size_t in_left = text.size();
  char buffer[256];
  while (in_left > 0) {
    char* out = buffer;
    std::size_t out_left = sizeof buffer;
    if (iconv(cd_, &in, &in_left, &out, &out_left) == static_cast<std::size_t>(-1) && errno != E2BIG) return false;
  }
  return true;
}

Utf16Decoder::Utf16Decoder(std::string name) : name_(std::move(name)), cd_(iconv_open("UTF-16LE", name_.c_str())) {
  if (cd_ != reinterpret_cast<iconv_t>(-1)) table_ = ReadByteTable();
}

std::optional<Utf16Decoder::ByteTable> Utf16Decoder::ReadByteTable() {
  ByteTable table;
  for (unsigned value = 0; value < 256; ++value) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char byte = static_cast<char>(value);
    char* in = &byte;
    std::size_t in_left = 1;
    char16_t units[2] = {};
    char* out = reinterpret_cast<char*>(units);
    std::size_t out_left = sizeof units;
    if (iconv(cd_, &in, &in_left, &out, &out_left) == static_cast<std::size_t>(-1)) {
      if (errno != EILSEQ) return std::nullopt;  // a byte that starts a longer sequence
      continue;
    }
    // A shift state that writes on its own, or a byte worth other than one unit, is no single-byte encoding.
    if (iconv(cd_, nullptr, nullptr, &out, &out_left) == static_cast<std::size_t>(-1) ||
        out_left != sizeof units - sizeof(char16_t))
      return std::nullopt;
    table.unit[value] = units[0];
    table.valid[value] = true;
    table.image.set(units[0]);
  }
  for (unsigned value = 0; value < 0x80; ++value)
    table.ascii = table.ascii && table.valid[value] && table.unit[value] == value;
  return table;
}

bool Utf16Decoder::Represents(std::u16string_view text) const {
  if (!AsciiSingleByte()) return false;
  // One reduction without an early exit first, which the compiler takes many units per step: most texts are ASCII.
  char16_t high = 0;
  for (char16_t unit : text) high |= unit;
  if (high < 0x80) return true;
  for (char16_t unit : text)
    if (unit >= 0x80 && !table_->image.test(unit)) return false;
  return true;
}

Utf16Decoder::~Utf16Decoder() {
  if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
}

std::u16string Utf16Decoder::Decode(std::string_view bytes) {
  static_assert(std::endian::native == std::endian::little, "char16_t text is taken as UTF-16LE");
  if (cd_ == reinterpret_cast<iconv_t>(-1)) throw Error("cannot decode the encoding " + name_);
  if (table_) {
    std::u16string out(bytes.size(), u'\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      const auto value = static_cast<unsigned char>(bytes[i]);
      if (!table_->valid[value]) throw Error("the document is not valid " + name_);
      out[i] = table_->unit[value];
    }
    return out;
  }
  iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // a fresh shift state for every text
  // No supported encoding needs more UTF-16 units than it has bytes; the loop copes anyway.
  std::u16string out(bytes.size() + 1, u'\0');
  char* in = const_cast<char*>(bytes.data());
  std::size_t in_left = bytes.size();
  std::size_t used = 0;
  for (;;) {
    char* out_ptr = reinterpret_cast<char*>(out.data() + used);
    std::size_t out_left = (out.size() - used) * sizeof(char16_t);
    const std::size_t rc = iconv(cd_, &in, &in_left, &out_ptr, &out_left);
    used = out.size() - out_left / sizeof(char16_t);
    if (rc != static_cast<std::size_t>(-1)) break;
    if (errno != E2BIG) throw Error("the document is not valid " + name_);
    out.resize(out.size() * 2);
  }
  out.resize(used);
  return out;
}

std::u16string DecodeToUtf16(std::string_view bytes, const char* name) { return Utf16Decoder(name).Decode(bytes); }

}  // namespace vrk::dom
