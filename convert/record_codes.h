// The small codings between document values and version-7 record fields that both directions of the binary
// conversion share: channel references, the configuration identifier, 8-bit texts, the unit pair of a
// vibration channel and the access kind of a Modbus command.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "schema/device_constants.h"

namespace vrk {

// Channel reference c (vibration 1..49, tacho 49 + n, 100 the Modbus inputs) as a record's channel code:
// c - 1 below 50, 0x8000 for 100, c + 0x3FCE otherwise, all modulo 2^16 (so c = 0 gives 0xFFFF).
uint16_t ChannelCodeOf(uint32_t channel);
// The inverse as images are read: codes below 16 give code + 1, tacho codes give 50 to 55, 0x8000 gives 100,
// anything else 0.
uint32_t ChannelOfCode(uint16_t code);

// `CfgId` as the 16 bytes of "CFGB": a 36-character text with dashes at 8, 13, 18 and 23 gives its 32 other
// characters as nibbles in text order (0xF for a character that is no hexadecimal digit); any other text gives
// its first 16 characters as 8-bit text, zero-padded.
std::array<uint8_t, 16> CfgIdBytes(std::string_view text);
// The 16 bytes as lowercase hexadecimal in the 36-character form.
std::string CfgIdText(const std::array<uint8_t, 16>& bytes);

// 8-bit texts of the records are Latin-1: a character beyond it is stored as '?'. `bytes` ends at its first zero.
std::string Latin1ToUtf8(std::string_view bytes);
std::string Utf8ToLatin1(std::string_view text);

// "ACHN" bytes 4 and 6.
struct SensorCoding {
  int16_t sensor_kind = 0;
  int16_t integration = 0;
};
struct ChannelUnits {
  uint16_t channel = 0;
  uint16_t param = 0;
};

// Sensor kind from the channel's unit (101 -1, 102 0, 103 1, 334 2, other 0) and the integration order from the
// two units' levels (101 0, 102 1, 103 2; 0 when either is 334 or another code).
SensorCoding EncodeUnits(uint16_t channel_unit, uint16_t param_unit);
// The inverse: the channel's unit from the sensor kind (-1 and 3 give 101, 0 102, 1 103, 2 334), the parameter's
// unit the one the order integrates to, or the channel's when that leaves the three levels. Null for another kind.
std::optional<ChannelUnits> DecodeUnits(int16_t sensor_kind, int16_t integration);

// "DISC" codes of the tacho channel speed units: revolutions per second (kTachoUnitPerSecond) are stored as 100,
// any other unit as 101 (revolutions per minute), the speeds unconverted.
inline constexpr uint16_t kTachoCodePerSecond = 100;
inline constexpr uint16_t kTachoCodePerMinute = 101;
uint16_t TachoUnitCodeOf(uint16_t unit);
// The factor that brings the stored speeds of a unit code to revolutions per minute: 60 for code 100, else 1.
double TachoSpeedFactor(uint16_t unit_code);

// The access kind a Modbus command's function implies: 1, 2 read bits (1); 3, 4 read registers (0); 5, 15 write
// bits (3); 6, 16 write registers (2); 0 for any other function.
uint16_t AccessKindOf(uint16_t function);

}  // namespace vrk
