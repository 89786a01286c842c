// The CRC-32 of the configuration image: the reflected IEEE 802.3 polynomial, register started at all ones and
// handed out raw, without the final complement (the CRC-32/JAMCRC parameter set).
#pragma once

#include <cstddef>
#include <cstdint>

namespace vrk::bin {

inline constexpr uint32_t kCrc32Initial = 0xFFFFFFFFu;

// Runs the register `crc` over `length` bytes. With a mask, a byte at index i < mask_length whose mask byte is 0
// leaves the register unchanged; bytes beyond the mask always count. Null `bytes` is allowed with length 0.
uint32_t UpdateCrc32(uint32_t crc, const uint8_t* bytes, std::size_t length, const uint8_t* mask = nullptr,
                     std::size_t mask_length = 0);

}  // namespace vrk::bin
