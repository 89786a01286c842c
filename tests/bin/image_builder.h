// Byte-level helpers for hand-made images: little-endian numbers, tags with computed or forced sizes, roots with
// a correct configuration CRC, and reading an image the way the component does.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "bin/bin_image.h"
#include "bin/crc32.h"
#include "bin/tag_format.h"
#include "bin/version_probe.h"
#include "interface/conv_exception.h"

namespace vrk::bin::testing {

using Bytes = std::vector<uint8_t>;

inline Bytes U16(uint16_t v) { return {uint8_t(v), uint8_t(v >> 8)}; }
inline Bytes U32(uint32_t v) { return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}; }
inline Bytes Zeros(std::size_t n) { return Bytes(n, 0); }

inline Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

// A header with the given sizes, followed by `rest` as it is.
inline Bytes RawTag(const char (&id)[5], uint32_t content, uint32_t data, const Bytes& rest = {}) {
  return Cat({Bytes(id, id + 4), U32(content), U32(data), rest});
}

// A well-formed tag: data, then the children.
inline Bytes Tag(const char (&id)[5], const Bytes& data, std::initializer_list<Bytes> children = {}) {
  const Bytes kids = Cat(children);
  return RawTag(id, uint32_t(data.size() + kids.size()), uint32_t(data.size()), Cat({data, kids}));
}

// A "CFGH" tag whose record holds `crc`, with optional children.
inline Bytes Cfgh(uint32_t crc, std::initializer_list<Bytes> children = {}) {
  return Tag("CFGH", Cat({Zeros(kConfigCrcOffset), U32(crc)}), children);
}

// An image "CONF"(root_data) -> "CFGH" -> cfgb (+ trailing bytes inside the root), the CRC taken over every byte
// of `cfgb`: what versions 6 and 7 check, and what versions 1 and 2 compute when the parse reads every byte.
inline Bytes Image(const Bytes& root_data, const Bytes& cfgb, std::initializer_list<Bytes> cfgh_children = {},
                   const Bytes& trailing = {}) {
  const uint32_t crc = UpdateCrc32(kCrc32Initial, cfgb.data(), cfgb.size());
  return Tag("CONF", root_data, {Cfgh(crc, cfgh_children), cfgb, trailing});
}

inline Bytes Body2(std::initializer_list<Bytes> children = {}) { return Tag("CFGB", Zeros(30), children); }

// Reads an image with the tree its version word selects. "" when it reads, else the error's message.
inline std::string ReadResult(const Bytes& image) {
  try {
    auto root = MakeTree(SelectTreeVersion(ProbeImageVersion(image.data(), image.size())));
    ReadImage(*root, image.data(), image.size());
    return "";
  } catch (const CConvException& e) {
    return e.message();
  }
}

// Reads an image into a root of a known tree; "" or the error's message.
template <class ROOT>
std::string ReadInto(ROOT& root, const Bytes& image) {
  try {
    ReadImage(root, image.data(), image.size());
    return "";
  } catch (const CConvException& e) {
    return e.message();
  }
}

// Patches the u32 at `offset`.
inline void Put32(Bytes& image, std::size_t offset, uint32_t v) {
  for (int i = 0; i < 4; ++i) image.at(offset + i) = uint8_t(v >> (8 * i));
}

}  // namespace vrk::bin::testing
