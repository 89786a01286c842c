// Bounds-checked little-endian access to a byte range that knows its own end. Every read and write of an image
// goes through ByteReader or ByteWriter; offsets and lengths are summed in 64 bits so that no size can wrap.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace vrk::bin {

// True when [offset, offset + length) lies inside a range of `size` bytes, computed without wrap-around.
constexpr bool RangeFits(uint64_t offset, uint64_t length, uint64_t size) {
  return offset <= size && length <= size - offset;
}

namespace detail {
// Reaching this is a fault of the caller, which checks the image's sizes before it reads: the tag layer raises
// its own messages first, so this only guards against a missed check.
[[noreturn]] inline void ThrowOutOfRange() { throw std::out_of_range("byte access outside the buffer"); }
}  // namespace detail

class ByteReader {
 public:
  ByteReader(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::size_t size() const { return size_; }
  const uint8_t* data() const { return data_; }
  bool Has(uint64_t offset, uint64_t length) const { return RangeFits(offset, length, size_); }

  uint8_t U8(uint64_t offset) const { return *At(offset, 1); }
  uint16_t U16(uint64_t offset) const {
    const uint8_t* p = At(offset, 2);
    return uint16_t(p[0] | p[1] << 8);
  }
  int16_t S16(uint64_t offset) const { return std::bit_cast<int16_t>(U16(offset)); }
  uint32_t U32(uint64_t offset) const {
    const uint8_t* p = At(offset, 4);
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
  }
  float F32(uint64_t offset) const { return std::bit_cast<float>(U32(offset)); }
  void Bytes(uint64_t offset, uint8_t* destination, uint64_t length) const {
    if (length != 0) std::memcpy(destination, At(offset, length), length);
  }
  // The sub-range [offset, offset + length); throws std::out_of_range when it does not fit.
  ByteReader Sub(uint64_t offset, uint64_t length) const {
    return ByteReader(length == 0 && offset <= size_ ? data_ : At(offset, length), length);
  }

 private:
  const uint8_t* At(uint64_t offset, uint64_t length) const {
    if (!Has(offset, length)) detail::ThrowOutOfRange();
    return data_ + offset;
  }

  const uint8_t* data_;
  std::size_t size_;
};

class ByteWriter {
 public:
  ByteWriter(uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::size_t size() const { return size_; }
  const uint8_t* data() const { return data_; }
  bool Has(uint64_t offset, uint64_t length) const { return RangeFits(offset, length, size_); }

  void PutU8(uint64_t offset, uint8_t value) { *At(offset, 1) = value; }
  void PutU16(uint64_t offset, uint16_t value) {
    uint8_t* p = At(offset, 2);
    p[0] = uint8_t(value);
    p[1] = uint8_t(value >> 8);
  }
  void PutS16(uint64_t offset, int16_t value) { PutU16(offset, std::bit_cast<uint16_t>(value)); }
  void PutU32(uint64_t offset, uint32_t value) {
    uint8_t* p = At(offset, 4);
    for (int i = 0; i < 4; ++i) p[i] = uint8_t(value >> (8 * i));
  }
  void PutF32(uint64_t offset, float value) { PutU32(offset, std::bit_cast<uint32_t>(value)); }
  void PutBytes(uint64_t offset, const uint8_t* source, uint64_t length) {
    if (length != 0) std::memcpy(At(offset, length), source, length);
  }
  void Fill(uint64_t offset, uint8_t value, uint64_t length) {
    if (length != 0) std::memset(At(offset, length), value, length);
  }
  // The sub-range [offset, offset + length); throws std::out_of_range when it does not fit.
  ByteWriter Sub(uint64_t offset, uint64_t length) {
    return ByteWriter(length == 0 && offset <= size_ ? data_ : At(offset, length), length);
  }

 private:
  uint8_t* At(uint64_t offset, uint64_t length) {
    if (!Has(offset, length)) detail::ThrowOutOfRange();
    return data_ + offset;
  }

  uint8_t* data_;
  std::size_t size_;
};

}  // namespace vrk::bin
