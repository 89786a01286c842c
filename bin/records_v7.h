// Records that version 7 adds: its root header and the vibration channel record with the high-pass flag.
#pragma once

#include <cstdint>

#include "bin/records_v6.h"
#include "bin/tag_format.h"

namespace vrk::bin {

struct ROOTHEADERv7 : RootHeaderRecord<kVersionWordV7> {};

// "ACHN" of version 7: 0 u16 number - 1 | 2 u16 sp_window - 1 | 4 s16 sensor kind | 6 s16 integration order |
// 8 f32 average_time_s | 12 u16 number of PARAMSTRUCTv2 records in "PRMS" | 14 u16 hpf & 1.
struct ACHANCONFIGv7 {
  static constexpr uint32_t kSize = kSizeACHANCONFIGv7;
  uint16_t channel = 0;
  uint16_t spWindow = 0;
  int16_t sensorKind = 0;
  int16_t integration = 0;
  float averageTime_s = 0;
  uint16_t paramCount = 0;
  uint16_t hpf = 0;
  template <class R, class IO>
  static void Layout(R& r, IO& io) {
    io.At(0, r.channel);
    io.At(2, r.spWindow);
    io.At(4, r.sensorKind);
    io.At(6, r.integration);
    io.At(8, r.averageTime_s);
    io.At(kCountOffsetACHANCONFIG, r.paramCount);
    io.At(14, r.hpf);
  }
};

}  // namespace vrk::bin
