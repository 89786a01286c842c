// Filled trees of every version.
#include "sample_trees.h"

#include "bin/bin_image.h"

namespace vrk::bin::testing {
namespace {

template <class LIST>
void FillList(LIST& list, std::size_t count) {
  list.SetPresent(true);
  list.Records().resize(count);
}

// A counted tag, present with `count` zeroed records in its list; returns the records.
template <class TAG>
auto& FillCounted(TAG& tag, uint16_t count) {
  tag.SetPresent(true);
  tag.Record().count = count;
  FillList(tag.List(), count);
  return tag.List().Records();
}

void FillHeader(CConfigHeaderTagBIN& cfgh) {
  cfgh.SetPresent(true);
  CONFIGHEADER& r = cfgh.Record();
  const char text[] = "ABCD1234";
  for (std::size_t i = 0; i + 1 < sizeof text; ++i) r.description[i] = uint8_t(text[i]);
  r.hwVersion = 2;
  r.swVersionMajor = 3;
  r.swVersionMinor = 12;
}

// "PBUS", "MBUS" with two cycles, "ALNR" with two linearizations.
template <class CFGH>
void FillHeaderChildren(CFGH& cfgh) {
  FillHeader(cfgh);
  cfgh.pbus.SetPresent(true);
  cfgh.pbus.Record().settings = {4, 0, 2, 0, 3};
  cfgh.mbus.SetPresent(true);
  cfgh.mbus.Record().baudrate = 115200;
  cfgh.mbus.Record().tables[2] = {300, 12};
  for (uint16_t c = 0; c < 2; ++c) {
    auto& cycle = cfgh.mbus.AddChild();
    cycle.SetPresent(true);
    cycle.Record().cycleTime = 1000u + c;
    cycle.Record().commandCount = uint16_t(c + 1);
    FillList(cycle.List(), c + 1u);
    cycle.List().Records().back().function = 3;
  }
  cfgh.alnr.SetPresent(true);
  cfgh.alnr.Record().count = 2;
  for (uint16_t c = 0; c < 2; ++c) {
    auto& linear = cfgh.alnr.AddChild();
    linear.SetPresent(true);
    linear.Record().channel = c;
    linear.Record().pointCount = 3;
    FillList(linear.List(), 3);
    linear.List().Records()[1] = {1.5f, 2.5f};
  }
}

template <class CFGH>
void FillSensors(CFGH& cfgh) {
  FillCounted(cfgh.asns, 2)[1] = {1, 0.5f, -0.25f};
}

// The children of "CFGB" that every version has, after its channels.
template <class CFGB>
void FillCommonBody(CFGB& cfgb) {
  cfgb.SetPresent(true);
  FillCounted(cfgb.disc, 2)[0].maxValue = 6000;
  FillCounted(cfgb.cout, 1)[0] = {0, 0x4000, 1};
  FillCounted(cfgb.thrs, 2)[1].slots[4] = {1, 0x1C};
  FillCounted(cfgb.rgpa, 1)[0].bytes[65] = 0x5A;
  cfgb.ctab.SetPresent(true);
  cfgb.ctab.Record().words = {0, 1, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3};
  FillCounted(cfgb.mout, 2)[1].paramNum = 7;
}

// Two channels: the first with an overall value, an absolute band, a relative band and its phase.
template <class ACFG>
void FillChannels(ACFG& acfg) {
  acfg.SetPresent(true);
  acfg.Record().count = 2;
  for (uint16_t c = 0; c < 2; ++c) {
    auto& channel = acfg.AddChannel();
    channel.SetPresent(true);
    channel.Record().channel = c;
    channel.Record().sensorKind = -1;
    channel.Record().averageTime_s = 1.25f;
    auto& params = channel.List().Records();
    channel.List().SetPresent(true);
    if (c == 0) {
      params.resize(4);
      params[0].code = 0;
      params[1].code = 5;
      params[1].extension = {4, 0, 5, 0, 1, 0};
      params[2].code = 6;
      params[2].extension.resize(8);
      params[2].SetExtensionF32(2, 2.0f);
      params[3].code = 7;
      params[3].extension.resize(6);
    }
    channel.Record().paramCount = uint16_t(params.size());
  }
}

template <class CFGB>
void FillV6Body(CFGB& cfgb) {
  FillCommonBody(cfgb);
  FillChannels(cfgb.acfg);
  cfgb.Record().frequency = 10240;
  cfgb.Record().lines = 4096;
  cfgb.mbmc.SetPresent(true);
  cfgb.mbmc.Record().count = 1;
  auto& cycle = cfgb.mbmc.AddChild();
  cycle.SetPresent(true);
  cycle.Record().commandCount = 2;
  FillList(cycle.List(), 2);
  cycle.List().Records()[1] = {16, 1, 2, 100, 200, 4};
  cfgb.test.SetPresent(true);
  cfgb.test.Record() = {0x3F, 0x05, 0x0F, 0x01};
  FillCounted(cfgb.test.tstm, 1);
  cfgb.rele.SetPresent(true);
  cfgb.rele.dlwa.SetPresent(true);
  cfgb.rele.dlwa.Records()[1] = {3, 4};
  FillCounted(cfgb.mbin, 1)[0] = {1, 0.0f, 100.0f, 0, 65535};
}

}  // namespace

void FillFull(CTagBIN_CONFv1& root) {
  root.SetPresent(true);
  FillHeaderChildren(root.ConfigHeader());
  auto& cfgb = root.ConfigBody();
  FillCommonBody(cfgb);
  cfgb.Record().bytes[0] = 0x11;
  FillCounted(cfgb.anlg, 2)[1].settings[0] = 0x22;
  cfgb.anlg.List().Records()[1].settings[5] = 0x33;  // left out of the CRC
}

void FillFull(CTagBIN_CONFv2& root) {
  root.SetPresent(true);
  FillHeaderChildren(root.ConfigHeader());
  FillSensors(root.ConfigHeader());
  FillCommonBody(root.ConfigBody());
  FillChannels(root.ConfigBody().acfg);
}

// Versions 6 and 7 share their layout.
template <class ROOT>
void FillVersion6Layout(ROOT& root) {
  root.SetPresent(true);
  FillHeaderChildren(root.ConfigHeader());
  FillSensors(root.ConfigHeader());
  FillV6Body(root.ConfigBody());
}

void FillFull(CTagBIN_CONFv6& root) { FillVersion6Layout(root); }

void FillFull(CTagBIN_CONFv7& root) {
  FillVersion6Layout(root);
  root.ConfigBody().acfg.Channels()[0]->Record().hpf = 1;
}

template <class ROOT>
std::vector<uint8_t> FullImage() {
  ROOT root;
  FillFull(root);
  return WriteImage(root);
}

template <class ROOT>
std::vector<uint8_t> MinimalImage() {
  ROOT root;
  FillMinimal(root);
  return WriteImage(root);
}

template std::vector<uint8_t> FullImage<CTagBIN_CONFv1>();
template std::vector<uint8_t> FullImage<CTagBIN_CONFv2>();
template std::vector<uint8_t> FullImage<CTagBIN_CONFv6>();
template std::vector<uint8_t> FullImage<CTagBIN_CONFv7>();
template std::vector<uint8_t> MinimalImage<CTagBIN_CONFv1>();
template std::vector<uint8_t> MinimalImage<CTagBIN_CONFv2>();
template std::vector<uint8_t> MinimalImage<CTagBIN_CONFv6>();
template std::vector<uint8_t> MinimalImage<CTagBIN_CONFv7>();

}  // namespace vrk::bin::testing
