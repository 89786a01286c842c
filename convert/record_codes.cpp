#include "convert/record_codes.h"

#include "bin/records_v7.h"
#include "platform/utf.h"
#include "schema/channel_references.h"

namespace vrk {
namespace {

constexpr uint32_t kFirstTachoReference = kTachoChannelCodeBase + 1;
constexpr uint32_t kTachoCodeOffset = bin::kChannelCodeTacho - kFirstTachoReference;  // 0x3FCE

constexpr std::size_t kGuidLength = 36;
constexpr std::size_t kGuidDashes[] = {8, 13, 18, 23};

bool IsGuidForm(std::u16string_view text) {
  if (text.size() != kGuidLength) return false;
  for (std::size_t dash : kGuidDashes)
    if (text[dash] != u'-') return false;
  return true;
}

uint8_t Nibble(char16_t c) {
  if (c >= u'0' && c <= u'9') return static_cast<uint8_t>(c - u'0');
  if (c >= u'a' && c <= u'f') return static_cast<uint8_t>(c - u'a' + 10);
  if (c >= u'A' && c <= u'F') return static_cast<uint8_t>(c - u'A' + 10);
  return 0xF;
}

// Integration level of a unit: acceleration 0, velocity 1, displacement 2; -1 for the others.
int UnitLevel(uint16_t unit) {
  switch (unit) {
    case kUnitAcceleration: return 0;
    case kUnitVelocity: return 1;
    case kUnitDisplacement: return 2;
    default: return -1;
  }
}

constexpr uint16_t kUnitOfLevel[] = {kUnitAcceleration, kUnitVelocity, kUnitDisplacement};

}  // namespace

uint16_t ChannelCodeOf(uint32_t channel) {
  if (channel < kFirstTachoReference) return static_cast<uint16_t>(channel - 1);
  if (channel == kModbusInputsReference) return bin::kChannelCodeModbusInputs;
  return static_cast<uint16_t>(channel + kTachoCodeOffset);
}

uint32_t ChannelOfCode(uint16_t code) {
  if (code < kVibrationChannelCount) return code + 1u;
  if (code >= bin::kChannelCodeTacho && code < bin::kChannelCodeTacho + kTachoChannelCount)
    return code - kTachoCodeOffset;
  if (code == bin::kChannelCodeModbusInputs) return kModbusInputsReference;
  return 0;
}

std::array<uint8_t, 16> CfgIdBytes(std::string_view text) {
  std::array<uint8_t, 16> bytes{};
  const std::u16string wide = Utf8ToUtf16(text);
  if (IsGuidForm(wide)) {
    std::size_t nibble = 0;
    for (std::size_t i = 0; i < wide.size(); ++i) {
      if (i == kGuidDashes[0] || i == kGuidDashes[1] || i == kGuidDashes[2] || i == kGuidDashes[3]) continue;
      const uint8_t value = Nibble(wide[i]);
      bytes[nibble / 2] |= nibble % 2 == 0 ? static_cast<uint8_t>(value << 4) : value;
      ++nibble;
    }
    return bytes;
  }
  const std::string narrow = Utf8ToLatin1(text);
  for (std::size_t i = 0; i < narrow.size() && i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(narrow[i]);
  return bytes;
}

std::string CfgIdText(const std::array<uint8_t, 16>& bytes) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) text += '-';
    text += kHex[bytes[i] >> 4];
    text += kHex[bytes[i] & 0xF];
  }
  return text;
}

std::string Latin1ToUtf8(std::string_view bytes) {
  std::u16string wide;
  for (char c : bytes) {
    if (c == '\0') break;
    wide += static_cast<char16_t>(static_cast<uint8_t>(c));
  }
  return Utf16ToUtf8(wide);
}

std::string Utf8ToLatin1(std::string_view text) {
  std::string narrow;
  for (char16_t c : Utf8ToUtf16(text)) narrow += c <= 0xFF ? static_cast<char>(c) : '?';
  return narrow;
}

SensorCoding EncodeUnits(uint16_t channel_unit, uint16_t param_unit) {
  SensorCoding coding;
  switch (channel_unit) {
    case kUnitAcceleration: coding.sensor_kind = -1; break;
    case kUnitVelocity: coding.sensor_kind = 0; break;
    case kUnitDisplacement: coding.sensor_kind = 1; break;
    case kUnitDisplacementMm: coding.sensor_kind = 2; break;
    default: break;
  }
  const int channel_level = UnitLevel(channel_unit), param_level = UnitLevel(param_unit);
  if (channel_level >= 0 && param_level >= 0) coding.integration = static_cast<int16_t>(param_level - channel_level);
  return coding;
}

std::optional<ChannelUnits> DecodeUnits(int16_t sensor_kind, int16_t integration) {
  ChannelUnits units;
  switch (sensor_kind) {
    case -1: case 3: units.channel = kUnitAcceleration; break;
    case 0: units.channel = kUnitVelocity; break;
    case 1: units.channel = kUnitDisplacement; break;
    case 2: return ChannelUnits{kUnitDisplacementMm, kUnitDisplacementMm};
    default: return std::nullopt;
  }
  const int level = UnitLevel(units.channel) + integration;
  units.param = level >= 0 && level <= 2 ? kUnitOfLevel[level] : units.channel;
  return units;
}

uint16_t TachoUnitCodeOf(uint16_t unit) {
  return unit == kTachoUnitPerSecond ? kTachoCodePerSecond : kTachoCodePerMinute;
}

double TachoSpeedFactor(uint16_t unit_code) { return unit_code == kTachoCodePerSecond ? 60.0 : 1.0; }

uint16_t AccessKindOf(uint16_t function) {
  switch (function) {
    case 1: case 2: return 1;
    case 3: case 4: return 0;
    case 5: case 15: return 3;
    case 6: case 16: return 2;
    default: return 0;
  }
}

}  // namespace vrk
