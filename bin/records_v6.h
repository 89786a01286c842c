// Records that version 6 adds: Modbus slave outputs and exchange cycles, the test mode, relay delays and the
// Modbus inputs.
#pragma once

#include <cstdint>

#include "bin/records_v2.h"
#include "bin/tag_format.h"

namespace vrk::bin {

struct ROOTHEADERv6 : RootHeaderRecord<kVersionWordV6> {};

// "DATA" under a version-6/7 "MOUT": the version-1 output record, then 6 u16 ParamMin | 8 u16 ParamMax |
// 10 u16 ParamDef.
struct MODBUSOUTCONFIGv3 : OutputParamRecord<kSizeMODBUSOUTCONFIGv3> {
  uint16_t paramMin = 0;
  uint16_t paramMax = 0;
  uint16_t paramDef = 0;
  template <class R, class IO>
  static void Layout(R& r, IO& io) {
    OutputParamRecord::Layout(r, io);
    io.At(6, r.paramMin);
    io.At(8, r.paramMax);
    io.At(10, r.paramDef);
  }
};

// "MBMC": u16 number of exchange cycles (read as data only; the "MCYC" tags are read while they follow).
struct MODBUSCYCLEHEADER : CountHeaderRecord<kSizeMODBUSCYCLEHEADER> {};

// "MCMD" under "MCYC": 0 u16 Function | 2 u16 SlaveAddress | 4 u16 access kind | 6 u16 AddressIn |
// 8 u16 AddressEx | 10 u16 Count.
struct MODBUSCOMMANDv3 {
  static constexpr uint32_t kSize = kSizeMODBUSCOMMANDv3;
  uint16_t function = 0;
  uint16_t slaveAddress = 0;
  uint16_t accessKind = 0;
  uint16_t addressIn = 0;
  uint16_t addressEx = 0;
  uint16_t count = 0;
  template <class R, class IO>
  static void Layout(R& r, IO& io) {
    LayoutModbusCommand(r, io, 6);
    io.At(4, r.accessKind);
  }
};

// "TEST": four u16 bit sets: 0 forced TG/TGE outputs | 2 their forced states | 4 forced relays | 6 their states.
struct TESTHEADER {
  static constexpr uint32_t kSize = kSizeTESTHEADER;
  uint16_t outputMask = 0;
  uint16_t outputState = 0;
  uint16_t relayMask = 0;
  uint16_t relayState = 0;
  template <class R, class IO>
  static void Layout(R& r, IO& io) {
    io.At(0, r.outputMask);
    io.At(2, r.outputState);
    io.At(4, r.relayMask);
    io.At(6, r.relayState);
  }
};

struct TSTMHEADER : CountHeaderRecord<kSizeTSTMHEADER> {};

// "DATA" under "TSTM": 0 u16 OutputNumber - 1 | 2 u16 coded Value.
struct TSTMOUTCONFIG {
  static constexpr uint32_t kSize = kSizeTSTMOUTCONFIG;
  uint16_t outputNumber = 0;
  uint16_t value = 0;
  template <class R, class IO>
  static void Layout(R& r, IO& io) {
    io.At(0, r.outputNumber);
    io.At(2, r.value);
  }
};

// "DLWA" under "RELE", exactly two (warning, alarm): 0 u16 On delay | 2 u16 Off delay, in device cycles.
struct DELAY {
  static constexpr uint32_t kSize = kSizeDELAY;
  uint16_t onCycles = 0;
  uint16_t offCycles = 0;
  template <class R, class IO>
  static void Layout(R& r, IO& io) {
    io.At(0, r.onCycles);
    io.At(2, r.offCycles);
  }
};

struct MODBUSINPUTHEADER : CountHeaderRecord<kSizeMODBUSINPUTHEADER> {};

// "DATA" under "MBIN": 0 u16 Number (not reduced by one) | 2 f32 MinPhisValue | 6 f32 MaxPhisValue |
// 10 u16 MinInputValue | 12 u16 MaxInputValue.
struct MODBUSINPUTCONFIGv6 {
  static constexpr uint32_t kSize = kSizeMODBUSINPUTCONFIGv6;
  uint16_t number = 0;
  float minPhisValue = 0;
  float maxPhisValue = 0;
  uint16_t minInputValue = 0;
  uint16_t maxInputValue = 0;
  template <class R, class IO>
  static void Layout(R& r, IO& io) {
    io.At(0, r.number);
    io.At(2, r.minPhisValue);
    io.At(6, r.maxPhisValue);
    io.At(10, r.minInputValue);
    io.At(12, r.maxInputValue);
  }
};

}  // namespace vrk::bin
