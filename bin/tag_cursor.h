// TagCursor: the position in an image that every tag read and write is handed, with the number of bytes that
// may still be used and the CRC register to update, if any. Reading and writing use the same cursor over const
// and mutable bytes respectively.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "bin/byte_io.h"

namespace vrk::bin {

template <class Byte>
struct BasicTagCursor {
  Byte* position = nullptr;
  uint32_t remaining = 0;
  uint32_t* accumulator = nullptr;  // null: no CRC is computed

  // Moves by min(n, remaining).
  void Advance(uint64_t n) {
    const uint32_t step = uint32_t(std::min<uint64_t>(n, remaining));
    position += step;
    remaining -= step;
  }

  // A cursor over the first min(n, remaining) bytes, with the same register.
  BasicTagCursor Window(uint64_t n) const {
    return {position, uint32_t(std::min<uint64_t>(n, remaining)), accumulator};
  }
};

using TagCursor = BasicTagCursor<const uint8_t>;
using TagWriteCursor = BasicTagCursor<uint8_t>;

inline ByteReader BytesOf(const TagCursor& cursor) { return ByteReader(cursor.position, cursor.remaining); }
inline ByteWriter BytesOf(const TagWriteCursor& cursor) { return ByteWriter(cursor.position, cursor.remaining); }

// A cursor over a whole image, without a register. The count is a u32 like every size in the image, so an image
// is used up to its first 4 GiB; no device configuration comes near that.
inline TagCursor ImageCursor(const uint8_t* data, std::size_t size) {
  return {data, uint32_t(std::min<std::size_t>(size, std::numeric_limits<uint32_t>::max())), nullptr};
}
inline TagWriteCursor ImageCursor(uint8_t* data, std::size_t size) {
  return {data, uint32_t(std::min<std::size_t>(size, std::numeric_limits<uint32_t>::max())), nullptr};
}

}  // namespace vrk::bin
