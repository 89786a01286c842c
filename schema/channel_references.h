// Channel numbers as parameter references state them (the channel part of ChannelNum and ChannelNum_ParamNum):
// vibration channels by their own number, tachometer channel n as kTachoChannelCodeBase + n, and the Modbus
// inputs as one channel of their own.
#pragma once

#include <cstdint>

namespace vrk {

// Tachometer channel n (1..6) is referred to as 49 + n; references up to 49 name vibration channels.
inline constexpr uint32_t kTachoChannelCodeBase = 49;
inline constexpr uint32_t kLastVibrationReference = kTachoChannelCodeBase;
// The Modbus inputs, whose parameters are the inputs by number.
inline constexpr uint32_t kModbusInputsReference = 100;

}  // namespace vrk
