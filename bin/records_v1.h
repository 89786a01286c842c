// Records of the version-1 image, most of which later versions carry unchanged. Each states its byte grammar
// once in Layout (bin/record_codec.h); all fields are little-endian and packed. A default-constructed record holds
// the value a new record has before it is read or filled.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "bin/tag_format.h"

namespace vrk::bin {

// A record that only counts the records or tags below it: u16 count at 0.
template <uint32_t SIZE>
struct CountHeaderRecord {
  static constexpr uint32_t kSize = SIZE;
  uint16_t count = 0;
  template <class R, class IO>
  static void Layout(R& r, IO& io) { io.At(kCountOffsetHeader, r.count); }
};

// Root header of version 1: one byte, version 0. The version-1 root writes it with no data bytes at all.
struct ROOTHEADERv1 {
  static constexpr uint32_t kSize = kSizeROOTHEADERv1;
  uint8_t version = uint8_t(kVersionWordV1Tree);
  template <class R, class IO>
  static void Layout(R& r, IO& io) { io.At(0, r.version); }
};

// "CFGH": 0 text[16] (zero-padded 8-bit text) | 16 u16 hardware version | 18 u16 software version, major |
// 20 u16 software version, minor | 22 u32 configuration CRC of "CFGB". The text names the device in its first
// kHeaderFieldLength characters and its serial number in its last kHeaderFieldLength.
inline constexpr std::size_t kHeaderFieldLength = 4;
struct CONFIGHEADER {
  static constexpr uint32_t kSize = kSizeCONFIGHEADER;
  std::array<uint8_t, 16> description{};
  uint16_t hwVersion = 0;
  uint16_t swVersionMajor = 0;
  uint16_t swVersionMinor = 0;
  uint32_t crc = 0;
  template <class R, class IO>
  static void Layout(R& r, IO& io) {
    io.At(0, r.description);
    io.At(16, r.hwVersion);
    io.At(18, r.swVersionMajor);
    io.At(20, r.swVersionMinor);
    io.At(kConfigCrcOffset, r.crc);
  }
};

// "CFGB" of version 1: 30 bytes kept as they are.
struct CONFIGBODYv1 {
  static constexpr uint32_t kSize = kSizeCONFIGBODYv1;
  std::array<uint8_t, kSize> bytes{};
  template <class R, class IO>
  static void Layout(R& r, IO& io) { io.At(0, r.bytes); }
};

// "PBUS": 0 u32 | 2..13 five u16 settings.
struct PROFIBUS {
  static constexpr uint32_t kSize = kSizePROFIBUS;
  uint32_t head = 0;
  std::array<uint16_t, 5> settings{};
  template <class R, class IO>
  static void Layout(R& r, IO& io) {
    io.At(0, r.head);
    io.At(4, r.settings);
  }
};

// "MBUS": 0 u32 baudrate | 4 u16 databits | 6 u16 stopbits | 8 u16 parity | 10 u16 type | 12 u16 constant 1 |
// 14 u16 param_min_int | 16 u16 param_max_int | 18 u16 DataValidityTime_s | 20 + 4(t-1) {u16 address, u16 count}
// of table type t = 1..4.
struct MODBUS {
  static constexpr uint32_t kSize = kSizeMODBUS;
  struct Table {
    uint16_t address = 0;
    uint16_t count = 0;
  };
  uint32_t baudrate = 0;
  uint16_t databits = 0;
  uint16_t stopbits = 0;
  uint16_t parity = 0;
  uint16_t type = 0;
  uint16_t constantOne = 0;
  uint16_t paramMinInt = 0;
  uint16_t paramMaxInt = 0;
  uint16_t dataValidityTime_s = 0;
  std::array<Table, 4> tables{};
  template <class R, class IO>
  static void Layout(R& r, IO& io) {
    io.At(0, r.baudrate);
    io.At(4, r.databits);
    io.At(6, r.stopbits);
    io.At(8, r.parity);
    io.At(10, r.type);
    io.At(12, r.constantOne);
    io.At(14, r.paramMinInt);
    io.At(16, r.paramMaxInt);
    io.At(18, r.dataValidityTime_s);
    for (uint32_t t = 0; t < 4; ++t) {
      io.At(20 + 4 * t, r.tables[t].address);
      io.At(22 + 4 * t, r.tables[t].count);
    }
  }
};

// "MCYC": 0 u32 CycleTime | 4 u32 SlaveTimeOut | 8 u32 MasterMinDelay | 12 u16 number of commands.
struct MODBUSCYCLE {
  static constexpr uint32_t kSize = kSizeMODBUSCYCLE;
  uint32_t cycleTime = 0;
  uint32_t slaveTimeOut = 0;
  uint32_t masterMinDelay = 0;
  uint16_t commandCount = 0;
  template <class R, class IO>
  static void Layout(R& r, IO& io) {
    io.At(0, r.cycleTime);
    io.At(4, r.slaveTimeOut);
    io.At(8, r.masterMinDelay);
    io.At(kCountOffsetMODBUSCYCLE, r.commandCount);
  }
};

// The command records of every version: 0 u16 Function | 2 u16 SlaveAddress, then u16 AddressIn, AddressEx and
// Count from `addresses` on (later versions insert a field before them).
template <class R, class IO>
void LayoutModbusCommand(R& r, IO& io, uint32_t addresses) {
  io.At(0, r.function);
  io.At(2, r.slaveAddress);
  io.At(addresses, r.addressIn);
  io.At(addresses + 2, r.addressEx);
  io.At(addresses + 4, r.count);
}

// "DATA" under a version-1 "MCYC": 0 u16 Function | 2 u16 SlaveAddress | 4 u16 AddressIn | 6 u16 AddressEx |
// 8 u16 Count.
struct MODBUSCOMMAND {
  static constexpr uint32_t kSize = kSizeMODBUSCOMMAND;
  uint16_t function = 0;
  uint16_t slaveAddress = 0;
  uint16_t addressIn = 0;
  uint16_t addressEx = 0;
  uint16_t count = 0;
  template <class R, class IO>
  static void Layout(R& r, IO& io) { LayoutModbusCommand(r, io, 4); }
};

// "ALNR": u16 number of "LNRC" tags (read as data only; the tags are read while they follow).
struct LINEARHEADER : CountHeaderRecord<kSizeLINEARHEADER> {};

// "LNRC": 0 u16 channel number - 1 | 2 u16 linearization type | 4 u16 number of points.
struct LINEARCONFIG {
  static constexpr uint32_t kSize = kSizeLINEARCONFIG;
  uint16_t channel = 0;
  uint16_t type = 0;
  uint16_t pointCount = 0;
  template <class R, class IO>
  static void Layout(R& r, IO& io) {
    io.At(0, r.channel);
    io.At(2, r.type);
    io.At(kCountOffsetLINEARCONFIG, r.pointCount);
  }
};

// "DATA" under "LNRC": 0 f32 volt | 4 f32 value.
struct LINEARPOINT {
  static constexpr uint32_t kSize = kSizeLINEARPOINT;
  float volt = 0;
  float value = 0;
  template <class R, class IO>
  static void Layout(R& r, IO& io) {
    io.At(0, r.volt);
    io.At(4, r.value);
  }
};

struct ANALOGHEADERv1 : CountHeaderRecord<kSizeANALOGHEADERv1> {};

// "DATA" under "ANLG": 0..55 channel settings | 56..79 twelve u16 words, 3 by default. Bytes 4..11 are left
// out of the CRC.
struct ANALOGCONFIGv1 {
  static constexpr uint32_t kSize = kSizeANALOGCONFIGv1;
  std::array<uint8_t, kAnalogV1WordsOffset> settings{};
  std::array<uint16_t, kAnalogV1WordCount> words = [] {
    std::array<uint16_t, kAnalogV1WordCount> w{};
    w.fill(kAnalogV1WordDefault);
    return w;
  }();
  template <class R, class IO>
  static void Layout(R& r, IO& io) {
    io.At(0, r.settings);
    io.At(kAnalogV1WordsOffset, r.words);
  }
};

struct DISCRETHEADER : CountHeaderRecord<kSizeDISCRETHEADER> {};

// "DATA" under "DISC", one per tacho channel: 0 u16 number - 1 | 2 u16 trn_sens | 4 f32 minvalue |
// 8 f32 maxvalue | 12 u16 unit code | 14 u16 0 | 16 u16 stop level code | 18 u16 start level code |
// 20 f32 reductor_coeff (1.0 by default; older images end the record before it).
struct DISCRETGONFIG {
  static constexpr uint32_t kSize = kSizeDISCRETGONFIG;
  uint16_t number = 0;
  uint16_t trnSens = 0;
  float minValue = 0;
  float maxValue = 0;
  uint16_t unitCode = 0;
  uint16_t reserved = 0;
  uint16_t stopLevel = 0;
  uint16_t startLevel = 0;
  float reductorCoeff = 1.0f;
  template <class R, class IO>
  static void Layout(R& r, IO& io) {
    io.At(0, r.number);
    io.At(2, r.trnSens);
    io.At(4, r.minValue);
    io.At(8, r.maxValue);
    io.At(12, r.unitCode);
    io.At(14, r.reserved);
    io.At(16, r.stopLevel);
    io.At(18, r.startLevel);
    io.At(kMinSizeDISCRETGONFIG, r.reductorCoeff);
  }
};

struct CURRENTOUTHEADER : CountHeaderRecord<kSizeCURRENTOUTHEADER> {};

// "DATA" under "COUT", and under a version-1/2 "MOUT": 0 u16 Number - 1 | 2 u16 channel code | 4 u16 ParamNum.
// Later output records extend it.
template <uint32_t SIZE>
struct OutputParamRecord {
  static constexpr uint32_t kSize = SIZE;
  uint16_t number = 0;
  uint16_t channelCode = 0;
  uint16_t paramNum = 0;
  template <class R, class IO>
  static void Layout(R& r, IO& io) {
    io.At(0, r.number);
    io.At(2, r.channelCode);
    io.At(4, r.paramNum);
  }
};

struct CURRENTOUTCONFIG : OutputParamRecord<kSizeCURRENTOUTCONFIG> {};

struct TRESHOLDHEADER : CountHeaderRecord<kSizeTRESHOLDHEADER> {};

// "DATA" under "THRS": 0 u16 channel code | 2 u16 parameter | 4 u16 level code | 6 u16 upper level |
// 8 u16 lower level | 10 u16 trip delay | 12 u16 release delay | 14 + 2k {u8 relay, u8 action} for slot k = 0..15.
struct TRESHOLDCONFIG {
  static constexpr uint32_t kSize = kSizeTRESHOLDCONFIG;
  static constexpr uint32_t kSlotCount = 16;
  struct Slot {
    uint8_t relay = 0;
    uint8_t action = 0;
  };
  uint16_t channelCode = 0;
  uint16_t paramNum = 0;
  uint16_t levelCode = 0;
  uint16_t upperLevel = 0;
  uint16_t lowerLevel = 0;
  uint16_t tripDelay = 0;
  uint16_t releaseDelay = 0;
  std::array<Slot, kSlotCount> slots{};
  template <class R, class IO>
  static void Layout(R& r, IO& io) {
    io.At(0, r.channelCode);
    io.At(2, r.paramNum);
    io.At(4, r.levelCode);
    io.At(6, r.upperLevel);
    io.At(8, r.lowerLevel);
    io.At(10, r.tripDelay);
    io.At(12, r.releaseDelay);
    for (uint32_t k = 0; k < kSlotCount; ++k) {
      io.At(14 + 2 * k, r.slots[k].relay);
      io.At(15 + 2 * k, r.slots[k].action);
    }
  }
};

struct RECOMENDATIONHEADER : CountHeaderRecord<kSizeRECOMENDATIONHEADER> {};

// "DATA" under "RGPA": 66 bytes kept as they are; nothing outside the tag layer reads them.
struct RECOMENDATIONCONFIG {
  static constexpr uint32_t kSize = kSizeRECOMENDATIONCONFIG;
  std::array<uint8_t, kSize> bytes{};
  template <class R, class IO>
  static void Layout(R& r, IO& io) { io.At(0, r.bytes); }
};

// "CTAB": fourteen u16 words; the words at bytes 4, 6, 8 and 10 are the threshold level codes.
struct CODETABLE {
  static constexpr uint32_t kSize = kSizeCODETABLE;
  std::array<uint16_t, kSize / 2> words{};
  template <class R, class IO>
  static void Layout(R& r, IO& io) { io.At(0, r.words); }
};

struct MODBUSOUTHEADER : CountHeaderRecord<kSizeMODBUSOUTHEADER> {};

struct MODBUSOUTCONFIG : OutputParamRecord<kSizeMODBUSOUTCONFIG> {};

}  // namespace vrk::bin
