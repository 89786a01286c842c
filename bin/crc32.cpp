// Table-driven CRC-32, one lookup per byte; the table is built at compile time and is the only shared data.
#include "bin/crc32.h"

#include <array>

namespace vrk::bin {
namespace {

constexpr uint32_t kReflectedPolynomial = 0xEDB88320u;

constexpr std::array<uint32_t, 256> MakeTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t r = i;
    for (int bit = 0; bit < 8; ++bit) r = (r & 1) ? (r >> 1) ^ kReflectedPolynomial : r >> 1;
    table[i] = r;
  }
  return table;
}

constexpr std::array<uint32_t, 256> kTable = MakeTable();

}  // namespace

uint32_t UpdateCrc32(uint32_t crc, const uint8_t* bytes, std::size_t length, const uint8_t* mask,
                     std::size_t mask_length) {
  if (mask == nullptr) mask_length = 0;
  for (std::size_t i = 0; i < length; ++i) {
    if (i < mask_length && mask[i] == 0) continue;
    crc = (crc >> 8) ^ kTable[(crc ^ bytes[i]) & 0xFFu];
  }
  return crc;
}

}  // namespace vrk::bin
