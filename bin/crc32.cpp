// Table-driven CRC-32, eight bytes per step where no mask applies; the tables are built at compile time and are
// the only shared data.
#include "bin/crc32.h"

#include <array>

namespace vrk::bin {
namespace {

constexpr uint32_t kReflectedPolynomial = 0xEDB88320u;

// kTables[0] is the byte table; kTables[k][b] is the register contribution of byte b followed by k zero bytes,
// so that eight bytes fold in with eight independent lookups.
constexpr std::array<std::array<uint32_t, 256>, 8> MakeTables() {
  std::array<std::array<uint32_t, 256>, 8> tables{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t r = i;
    for (int bit = 0; bit < 8; ++bit) r = (r & 1) ? (r >> 1) ^ kReflectedPolynomial : r >> 1;
    tables[0][i] = r;
  }
  for (std::size_t k = 1; k < 8; ++k)
    for (uint32_t i = 0; i < 256; ++i) tables[k][i] = (tables[k - 1][i] >> 8) ^ tables[0][tables[k - 1][i] & 0xFFu];
  return tables;
}

constexpr std::array<std::array<uint32_t, 256>, 8> kTables = MakeTables();

// The register over `length` bytes that all count.
uint32_t Unmasked(uint32_t crc, const uint8_t* bytes, std::size_t length) {
  for (; length >= 8; bytes += 8, length -= 8) {
    const uint32_t low = crc ^ (uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
                                uint32_t{bytes[3]} << 24);
    crc = kTables[7][low & 0xFFu] ^ kTables[6][(low >> 8) & 0xFFu] ^ kTables[5][(low >> 16) & 0xFFu] ^
          kTables[4][low >> 24] ^ kTables[3][bytes[4]] ^ kTables[2][bytes[5]] ^ kTables[1][bytes[6]] ^
          kTables[0][bytes[7]];
  }
  for (std::size_t i = 0; i < length; ++i) crc = (crc >> 8) ^ kTables[0][(crc ^ bytes[i]) & 0xFFu];
  return crc;
}

}  // namespace

uint32_t UpdateCrc32(uint32_t crc, const uint8_t* bytes, std::size_t length, const uint8_t* mask,
                     std::size_t mask_length) {
  if (mask == nullptr) mask_length = 0;
  const std::size_t masked = mask_length < length ? mask_length : length;
  // Masks come in runs; each run of counted bytes goes through the eight-byte loop.
  for (std::size_t i = 0; i < masked;) {
    std::size_t end = i;
    while (end < masked && mask[end] != 0) ++end;
    crc = Unmasked(crc, bytes + i, end - i);
    while (end < masked && mask[end] == 0) ++end;
    i = end;
  }
  return masked < length ? Unmasked(crc, bytes + masked, length - masked) : crc;
}

}  // namespace vrk::bin
