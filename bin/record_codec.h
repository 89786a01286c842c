// Encoding and decoding of fixed-size records. A record type states its byte grammar once, in a static
// `Layout(record, io)` that maps every field to its offset:
//   io.At(0, r.number); io.At(2, r.value); ...
// The same Layout decodes (FieldReader) and encodes (FieldWriter), so reader and writer cannot disagree.
// A record type also has `static constexpr uint32_t kSize`.
#pragma once

#include <array>
#include <cstdint>

#include "bin/byte_io.h"

namespace vrk::bin {

class FieldReader {
 public:
  explicit FieldReader(ByteReader in) : in_(in) {}
  void At(uint32_t offset, uint8_t& v) { v = in_.U8(offset); }
  void At(uint32_t offset, uint16_t& v) { v = in_.U16(offset); }
  void At(uint32_t offset, int16_t& v) { v = in_.S16(offset); }
  void At(uint32_t offset, uint32_t& v) { v = in_.U32(offset); }
  void At(uint32_t offset, float& v) { v = in_.F32(offset); }
  template <std::size_t N>
  void At(uint32_t offset, std::array<uint8_t, N>& v) { in_.Bytes(offset, v.data(), N); }
  template <std::size_t N>
  void At(uint32_t offset, std::array<uint16_t, N>& v) {
    for (std::size_t i = 0; i < N; ++i) v[i] = in_.U16(offset + 2 * i);
  }

 private:
  ByteReader in_;
};

class FieldWriter {
 public:
  explicit FieldWriter(ByteWriter out) : out_(out) {}
  void At(uint32_t offset, uint8_t v) { out_.PutU8(offset, v); }
  void At(uint32_t offset, uint16_t v) { out_.PutU16(offset, v); }
  void At(uint32_t offset, int16_t v) { out_.PutS16(offset, v); }
  void At(uint32_t offset, uint32_t v) { out_.PutU32(offset, v); }
  void At(uint32_t offset, float v) { out_.PutF32(offset, v); }
  template <std::size_t N>
  void At(uint32_t offset, const std::array<uint8_t, N>& v) { out_.PutBytes(offset, v.data(), N); }
  template <std::size_t N>
  void At(uint32_t offset, const std::array<uint16_t, N>& v) {
    for (std::size_t i = 0; i < N; ++i) out_.PutU16(offset + 2 * i, v[i]);
  }

 private:
  ByteWriter out_;
};

// Reads a record from the first RECORD::kSize bytes of `in`; throws std::out_of_range when `in` is shorter.
template <class RECORD>
void DecodeRecord(RECORD& record, ByteReader in) {
  FieldReader io(in.Sub(0, RECORD::kSize));
  RECORD::Layout(record, io);
}

// Writes a record over the first RECORD::kSize bytes of `out`; throws std::out_of_range when `out` is shorter.
template <class RECORD>
void EncodeRecord(const RECORD& record, ByteWriter out) {
  if (!out.Has(0, RECORD::kSize)) detail::ThrowOutOfRange();
  FieldWriter io(out);
  RECORD::Layout(record, io);
}

// The record's bytes as the image holds them.
template <class RECORD>
std::array<uint8_t, RECORD::kSize> RecordBytes(const RECORD& record) {
  std::array<uint8_t, RECORD::kSize> bytes{};
  EncodeRecord(record, ByteWriter(bytes.data(), bytes.size()));
  return bytes;
}

}  // namespace vrk::bin
