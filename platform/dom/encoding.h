// Text encodings of whole documents: the encoding a UTF-16 text declares, whether the engine can write it, and
// decoding of serialised bytes.
#pragma once

#include <iconv.h>

#include <array>
#include <bitset>
#include <optional>
#include <string>
#include <string_view>

namespace vrk::dom {

// What the XML declaration at the start of a text says about the encoding.
struct DeclaredEncoding {
  std::string name;  // empty when there is no declaration or it names no encoding
  int column = 0;    // 1-based column of the name in the first line
};

// Reads the encoding pseudo-attribute of the declaration that starts `text` (after an optional byte order mark).
// A malformed declaration yields no name; the parser reports it.
DeclaredEncoding ScanDeclaredEncoding(std::u16string_view text);

// True when the engine can write a document in encoding `name`.
bool CanProduce(const char* name);
// Whether the system's converter can read and write text in the encoding `name`. When it can and the engine
// found no decoder or encoder, the engine ran out of memory while making one.
bool SystemKnowsEncoding(const char* name);

// True when every character of the UTF-8 `text` exists in encoding `name`.
bool CanEncode(std::string_view text, const char* name);

// CanEncode for many texts in one encoding, with one converter opened for all of them (opening one is far
// dearer than converting a name).
class EncodingProbe {
 public:
  explicit EncodingProbe(const char* name);
  ~EncodingProbe();
  EncodingProbe(const EncodingProbe&) = delete;
  EncodingProbe& operator=(const EncodingProbe&) = delete;

  bool CanEncode(std::string_view text);

 private:
  // Whether the converter takes `text`.
  bool Converts(std::string_view text);

  iconv_t cd_;
  // The encoding has every ASCII character, so that a text of them needs no pass through the converter (names
  // and most comments of a configuration are ASCII).
  bool ascii_ = false;
};

// A converter from encoding `name` into UTF-16, kept open for repeated use. Opening one loads the system's
// conversion module and closing the last one unloads it, which costs far more than decoding a document.
class Utf16Decoder {
 public:
  explicit Utf16Decoder(std::string name);
  ~Utf16Decoder();
  Utf16Decoder(const Utf16Decoder&) = delete;
  Utf16Decoder& operator=(const Utf16Decoder&) = delete;

  const std::string& name() const { return name_; }
  // Decodes `bytes`. Throws Error when the bytes or the name are not usable.
  std::u16string Decode(std::string_view bytes);
  // True when the encoding is one byte per character with ASCII as its first half.
  bool AsciiSingleByte() const { return table_ && table_->ascii; }
  // True when AsciiSingleByte() and every unit of `text` is a character the encoding has: writing `text` in the
  // encoding and decoding it gives `text` back.
  bool Represents(std::u16string_view text) const;

 private:
  // What the converter makes of each byte on its own, for encodings where every byte is one character or
  // invalid: decoding is then a lookup per byte instead of a pass through the converter.
  struct ByteTable {
    std::array<char16_t, 256> unit{};
    std::array<bool, 256> valid{};
    std::bitset<0x10000> image;  // the units some byte decodes to
    bool ascii = true;           // bytes 0 to 127 decode to themselves
  };
  std::optional<ByteTable> ReadByteTable();

  std::string name_;
  iconv_t cd_;
  std::optional<ByteTable> table_;
};

// Decodes `bytes` in encoding `name` into UTF-16. Throws Error when the bytes or the name are not usable.
std::u16string DecodeToUtf16(std::string_view bytes, const char* name);

}  // namespace vrk::dom
