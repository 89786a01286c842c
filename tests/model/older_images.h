// Images of every tree version, built from the tag trees with values a configuration can hold: a minimal one
// (root, header and body only) and a full one (Modbus, one tachometer channel, one vibration channel with its
// sensor, measured values and a band, a current and a slave output, and for version 6 the test and relay tags).
#pragma once

#include <cstdint>
#include <vector>

#include "bin/bin_image.h"
#include "bin/tag_tree_v1.h"
#include "bin/tag_tree_v2.h"
#include "bin/records_v7.h"
#include "bin/tag_tree_v6.h"
#include "convert/bin_import_v1.h"

namespace vrk::test {

enum class ImageSize { kMinimal, kFull };

namespace older_images {

template <class LIST>
auto& Records(LIST& list, std::size_t count) {
  list.SetPresent(true);
  list.Records().resize(count);
  return list.Records();
}

template <class CFGH>
void FillHeader(CFGH& cfgh, bool full) {
  cfgh.SetPresent(true);
  bin::CONFIGHEADER& header = cfgh.Record();
  const char text[] = "ABCD1234";
  for (std::size_t i = 0; i + 1 < sizeof text; ++i) header.description[i] = uint8_t(text[i]);
  header.hwVersion = 2;
  header.swVersionMajor = 3;
  header.swVersionMinor = 12;
  if (!full) return;
  bin::MODBUS& modbus = cfgh.mbus.Record();
  cfgh.mbus.SetPresent(true);
  modbus.baudrate = 19200;
  modbus.databits = 4;
  modbus.paramMinInt = 3000;
  modbus.paramMaxInt = 28000;
  modbus.dataValidityTime_s = 1;
  modbus.tables[3] = {0, 37};
}

// One tachometer channel (10 to 100 per minute, start 50, stop 40) and one current output on parameter 1 of
// vibration channel 1.
template <class CFGB>
void FillCommonBody(CFGB& cfgb) {
  cfgb.disc.Record().count = 1;
  bin::DISCRETGONFIG& tacho = Records(cfgb.disc.List(), 1)[0];
  cfgb.disc.SetPresent(true);
  tacho.trnSens = 1;
  tacho.minValue = 10;
  tacho.maxValue = 100;
  tacho.unitCode = 101;  // per minute: the limits are taken as they are
  tacho.startLevel = 28889;
  tacho.stopLevel = 21667;
  cfgb.cout.SetPresent(true);
  cfgb.cout.Record().count = 1;
  Records(cfgb.cout.List(), 1)[0] = {0, 0, 1};
  cfgb.mout.SetPresent(true);
  cfgb.mout.Record().count = 1;
  auto& output = Records(cfgb.mout.List(), 1)[0];
  if constexpr (requires { output.paramDef; }) {
    output.paramMin = 100;
    output.paramMax = 200;
    output.paramDef = 300;
  }
}

// Body of versions 2 and 6: 4000 Hz, 1600 lines (2.5 Hz a line), 8192 samples, levels coded over 0..65000.
template <class CFGH, class CFGB>
void FillVersion2Body(CFGH& cfgh, CFGB& cfgb, bool full) {
  cfgb.SetPresent(true);
  bin::CONFIGBODYv2& body = cfgb.Record();
  body.frequency = 10240;
  body.lines = 4096;
  body.samples = 8192;
  body.paramMaxInt = 65000;
  if (!full) return;
  FillCommonBody(cfgb);
  cfgh.asns.SetPresent(true);
  cfgh.asns.Record().count = 1;
  Records(cfgh.asns.List(), 1)[0] = {0, 7.0f, 0.0f};
  cfgb.acfg.SetPresent(true);
  cfgb.acfg.Record().count = 1;
  auto& channel = cfgb.acfg.AddChannel();
  channel.SetPresent(true);
  channel.Record().sensorKind = 0;  // velocity sensor, no integration: unit 102 for both
  channel.Record().averageTime_s = 1;
  channel.Record().spWindow = 1;
  auto& params = Records(channel.List(), 3);
  params[0] = {};
  params[0].maxValue = 100;
  params[1].code = bin::kParamCodePeakPeak;
  params[1].number = 1;
  params[1].maxValue = 100;
  params[2].code = bin::kParamCodeAbsoluteBand;
  params[2].number = 2;
  params[2].maxValue = 100;
  params[2].extension.resize(6);
  params[2].SetExtensionU16(bin::kExtAbsFirstLine, 8);
  params[2].SetExtensionU16(bin::kExtAbsLineCount, 193);
  params[2].SetExtensionU16(bin::kExtAbsNoCutting, 1);
  channel.Record().paramCount = uint16_t(params.size());
}

}  // namespace older_images

// A version-1 image.
inline std::vector<uint8_t> Version1Image(ImageSize size) {
  bin::CTagBIN_CONFv1 tree;
  tree.SetPresent(true);
  const bool full = size == ImageSize::kFull;
  older_images::FillHeader(tree.ConfigHeader(), full);
  auto& body = tree.ConfigBody();
  body.SetPresent(true);
  if (full) {
    older_images::FillCommonBody(body);
    body.anlg.SetPresent(true);
    body.anlg.Record().count = 1;
    AnalogSettingsV1 settings;
    EncodeAnalogSettingsV1(settings, older_images::Records(body.anlg.List(), 1)[0]);
  }
  return bin::WriteImage(tree);
}

inline std::vector<uint8_t> Version2Image(ImageSize size) {
  bin::CTagBIN_CONFv2 tree;
  tree.SetPresent(true);
  older_images::FillHeader(tree.ConfigHeader(), size == ImageSize::kFull);
  older_images::FillVersion2Body(tree.ConfigHeader(), tree.ConfigBody(), size == ImageSize::kFull);
  return bin::WriteImage(tree);
}

// An image of the version-6 tree with the version word `word` (2, 3 or 6).
inline std::vector<uint8_t> Version6Image(ImageSize size, uint32_t word = 6) {
  bin::CTagBIN_CONFv6 tree;
  tree.SetPresent(true);
  tree.Record().version = word;
  const bool full = size == ImageSize::kFull;
  older_images::FillHeader(tree.ConfigHeader(), full);
  older_images::FillVersion2Body(tree.ConfigHeader(), tree.ConfigBody(), full);
  if (full) {
    auto& body = tree.ConfigBody();
    body.test.SetPresent(true);
    body.rele.SetPresent(true);
    older_images::Records(body.rele.dlwa, 2);
  }
  return bin::WriteImage(tree);
}

}  // namespace vrk::test
