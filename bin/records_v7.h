// Records that version 7 adds: its root header and the vibration channel record with the high-pass flag; and the
// codes and constant contents that the version-7 records carry.
#pragma once

#include <cstdint>

#include "bin/records_v6.h"
#include "bin/tag_format.h"

namespace vrk::bin {

struct ROOTHEADERv7 : RootHeaderRecord<kVersionWordV7> {};

// "ACHN" of version 7: the version-2 record, then 14 u16 hpf & 1.
struct ACHANCONFIGv7 : ACHANCONFIGv2 {
  static constexpr uint32_t kSize = kSizeACHANCONFIGv7;
  uint16_t hpf = 0;
  template <class R, class IO>
  static void Layout(R& r, IO& io) {
    ACHANCONFIGv2::Layout(r, io);
    io.At(14, r.hpf);
  }
};

// PARAMSTRUCTv2 parameter codes. A band's code follows its value type: 1 (or none) the base code, 2 and 3 the
// codes beside it.
inline constexpr uint16_t kParamCodeAverage = 0;
inline constexpr uint16_t kParamCodePeak = 1;
inline constexpr uint16_t kParamCodePeakPeak = 2;
inline constexpr uint16_t kParamCodeWaveRMS = 3;
inline constexpr uint16_t kParamCodeCrest = 4;
inline constexpr uint16_t kParamCodeAbsoluteBand = 5;
inline constexpr uint16_t kParamCodeRelativeBand = 6;
inline constexpr uint16_t kParamCodePhase = 7;
inline constexpr uint16_t kParamCodeAbsoluteBandType2 = 8;
inline constexpr uint16_t kParamCodeRelativeBandType2 = 9;
inline constexpr uint16_t kParamCodeAbsoluteBandType3 = 10;
inline constexpr uint16_t kParamCodeRelativeBandType3 = 11;

// PARAMSTRUCTv2 extensions, offsets from the extension's first byte.
//   absolute band (6 bytes): 0 u16 first line | 2 u16 number of lines | 4 u16 1 without cut-out bands, else 0
//   relative band (8 bytes): 0 u16 shaft - 1 | 2 f32 factor | 6 u16 line of lower_bound
//   phase (6 bytes):         0 u16 shaft - 1 of its band | 2 f32 factor of its band
inline constexpr uint32_t kExtAbsFirstLine = 0;
inline constexpr uint32_t kExtAbsLineCount = 2;
inline constexpr uint32_t kExtAbsNoCutting = 4;
inline constexpr uint32_t kExtRelShaft = 0;
inline constexpr uint32_t kExtRelFactor = 2;
inline constexpr uint32_t kExtRelLine = 6;

// Channel codes of the records that refer to a channel: vibration channel c is c - 1, tacho channel n is
// kChannelCodeTacho + n - 1, the Modbus inputs are kChannelCodeModbusInputs.
inline constexpr uint16_t kChannelCodeTacho = 0x4000;
inline constexpr uint16_t kChannelCodeModbusInputs = 0x8000;

// TRESHOLDCONFIG slot actions: not used, and the marks of a monitoring element that watches the parameter.
inline constexpr uint8_t kSlotActionUnused = 0xFF;
inline constexpr uint8_t kSlotActionMonitoredAbsolute = 0x1C;
inline constexpr uint8_t kSlotActionMonitored = 0x3C;

// Readiness records: the level of the closing record, the relay byte of the last slot while its action names a
// diagnosis, and the offset of the action of a diagnosis without levels.
inline constexpr uint16_t kReadinessNoLevel = 0xFFFF;
inline constexpr uint8_t kReadinessRelayMark = 0x03;
inline constexpr uint8_t kReadinessBareOffset = 0x3D;

// The CODETABLE words (u16 index) that hold the four threshold level codes.
inline constexpr uint32_t kCodeWordHighWarning = 2;
inline constexpr uint32_t kCodeWordHighAlarm = 3;  // also low warning
inline constexpr uint32_t kCodeWordHighInoperative = 4;  // also low alarm
inline constexpr uint32_t kCodeWordLowInoperative = 5;

// "MBUS" byte 12.
inline constexpr uint16_t kModbusConstantOne = 1;

// The constant "PBUS" content: u32 0, then 4, 0, 2, 0, 3.
inline PROFIBUS ConstantProfibus() {
  PROFIBUS record;
  record.settings = {4, 0, 2, 0, 3};
  return record;
}

// The constant "CTAB" content: 0, 1, then three times 0, 1, 2, 3.
inline CODETABLE ConstantCodeTable() {
  CODETABLE record;
  record.words = {0, 1, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3};
  return record;
}

}  // namespace vrk::bin
