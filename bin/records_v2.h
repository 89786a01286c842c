// Records that version 2 adds: the four-byte root header, the configuration body that later versions keep, the
// sensor list and the per-channel vibration records with their variable-length parameters.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "bin/byte_io.h"
#include "bin/records_v1.h"
#include "bin/tag_format.h"

namespace vrk::bin {

// Root header of versions 2, 6 and 7: u32 version word.
template <uint32_t DEFAULT_VERSION>
struct RootHeaderRecord {
  static constexpr uint32_t kSize = kSizeROOTHEADER;
  uint32_t version = DEFAULT_VERSION;
  template <class R, class IO>
  static void Layout(R& r, IO& io) { io.At(0, r.version); }
};

struct ROOTHEADERv2 : RootHeaderRecord<kVersionWordV2> {};

// "CFGB" of versions 2 to 7: 0 CfgId[16] | 16 u16 round(fmax * 2.56) | 18 u16 round(lines * 2.56) |
// 20 u32 samples | 24 u16 param_min_int | 26 u16 param_max_int | 28 u16 decimation_coeff.
// The factor between the body.s frequency and lines and the document.s fmax and line count.
inline constexpr double kLinesPerHertz = 2.56;
struct CONFIGBODYv2 {
  static constexpr uint32_t kSize = kSizeCONFIGBODYv2;
  std::array<uint8_t, 16> cfgId{};
  uint16_t frequency = 0;
  uint16_t lines = 0;
  uint32_t samples = 0;
  uint16_t paramMinInt = 0;
  uint16_t paramMaxInt = 0;
  uint16_t decimationCoeff = 0;
  template <class R, class IO>
  static void Layout(R& r, IO& io) {
    io.At(0, r.cfgId);
    io.At(16, r.frequency);
    io.At(18, r.lines);
    io.At(20, r.samples);
    io.At(24, r.paramMinInt);
    io.At(26, r.paramMaxInt);
    io.At(28, r.decimationCoeff);
  }
};

struct ASENSHEAD : CountHeaderRecord<kSizeASENSHEAD> {};

// "DATA" under "ASNS", one per vibration channel: 0 u16 number - 1 | 2 f32 trn_sens | 6 f32 trn_offset.
struct SENSECONFIG {
  static constexpr uint32_t kSize = kSizeSENSECONFIG;
  uint16_t channel = 0;
  float trnSens = 0;
  float trnOffset = 0;
  template <class R, class IO>
  static void Layout(R& r, IO& io) {
    io.At(0, r.channel);
    io.At(2, r.trnSens);
    io.At(6, r.trnOffset);
  }
};

// "ACFG": u16 number of "ACHN" tags.
struct ANALOGHEADERv2 : CountHeaderRecord<kSizeANALOGHEADERv2> {};

// "ACHN" of versions 2 and 6: 0 u16 number - 1 | 2 u16 sp_window - 1 | 4 s16 sensor kind |
// 6 s16 integration order | 8 f32 average_time_s | 12 u16 number of PARAMSTRUCTv2 records in "PRMS".
struct ACHANCONFIGv2 {
  static constexpr uint32_t kSize = kSizeACHANCONFIGv2;
  uint16_t channel = 0;
  uint16_t spWindow = 0;
  int16_t sensorKind = 0;
  int16_t integration = 0;
  float averageTime_s = 0;
  uint16_t paramCount = 0;
  template <class R, class IO>
  static void Layout(R& r, IO& io) {
    io.At(0, r.channel);
    io.At(2, r.spWindow);
    io.At(4, r.sensorKind);
    io.At(6, r.integration);
    io.At(8, r.averageTime_s);
    io.At(kCountOffsetACHANCONFIG, r.paramCount);
  }
};

// "PRMS" record: 0 u16 parameter code | 2 u16 parameter number - 1 | 4 f32 minvalue | 8 f32 maxvalue |
// 12 u16 extension length | 14 the extension. Layout covers bytes 0..11; the length at 12 is always the size of
// `extension`, written and sized by the "PRMS" tag, and on reading the code decides it (ParamExtensionLength).
struct PARAMSTRUCTv2 {
  static constexpr uint32_t kSize = kSizePARAMSTRUCTv2;
  uint16_t code = 0;
  uint16_t number = 0;
  float minValue = 0;
  float maxValue = 0;
  std::vector<uint8_t> extension;

  template <class R, class IO>
  static void Layout(R& r, IO& io) {
    io.At(kParamCodeOffset, r.code);
    io.At(2, r.number);
    io.At(4, r.minValue);
    io.At(8, r.maxValue);
  }

  // Typed access to the extension at byte offsets; they throw std::out_of_range outside the extension.
  uint16_t ExtensionU16(uint32_t offset) const { return Reader().U16(offset); }
  float ExtensionF32(uint32_t offset) const { return Reader().F32(offset); }
  void SetExtensionU16(uint32_t offset, uint16_t value) { Writer().PutU16(offset, value); }
  void SetExtensionF32(uint32_t offset, float value) { Writer().PutF32(offset, value); }

 private:
  ByteReader Reader() const { return ByteReader(extension.data(), extension.size()); }
  ByteWriter Writer() { return ByteWriter(extension.data(), extension.size()); }
};

}  // namespace vrk::bin
