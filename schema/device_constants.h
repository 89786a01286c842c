// Values the model shares between its schema, its conversions and its edits: how many channels the device has
// and the unit codes that channel attributes hold.
#pragma once

#include <cstdint>

namespace vrk {

// Vibration channels are numbered 1..16, tachometer channels 1..6.
inline constexpr uint32_t kVibrationChannelCount = 16;
inline constexpr uint32_t kTachoChannelCount = 6;

// Unit codes of vibration channels and their parameters.
inline constexpr uint16_t kUnitAcceleration = 101;
inline constexpr uint16_t kUnitVelocity = 102;
inline constexpr uint16_t kUnitDisplacement = 103;     // micrometres
inline constexpr uint16_t kUnitDisplacementMm = 334;

// Speed units of tachometer channels.
inline constexpr uint16_t kTachoUnitPerSecond = 201;
inline constexpr uint16_t kTachoUnitPerMinute = 202;

}  // namespace vrk
