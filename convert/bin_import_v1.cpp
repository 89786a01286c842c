// The version-1 importer: the sections a version-1 image carries, read into a version-1 root.
#include "convert/bin_import_v1.h"

#include "bin/byte_io.h"
#include "bin/records_v7.h"
#include "convert/bin_import_sections.h"
#include "convert/level_coding.h"
#include "convert/modbus_settings_import.h"
#include "convert/record_codes.h"
#include "convert/threshold_import.h"
#include "schema/attribute_values.h"

namespace vrk {
namespace {

// Parameter numbers of the three measured values in version-1 thresholds (references count from 0).
constexpr uint16_t kParamAverage = 0;
constexpr uint16_t kParamPeakPeak = 1;
constexpr uint16_t kParamOverallRms = 2;

class CBinImporterV1 {
 public:
  CBinImporterV1(CNodeTag_VRK_DeviceV1& root, const bin::CTagBIN_CONFv1& tree)
      : root_(root),
        header_(tree.ConfigHeader()),
        body_(tree.ConfigBody()),
        codes_(CodeTableOf(body_.ctab)),
        thresholds_(RecordsOf(body_.thrs.List()), codes_),
        scale_(TransferScale(root)) {}

  void Run() {
    ReadConfigHeader(root_, header_.Record());
    WriteInteger(root_.Region_settings.base_interval_s, 0, {});
    ReadModbusSettings(root_.Modbus, header_.mbus);
    ReadOutputs();
    thresholds_.ReadMonitoring(root_);
    ReadTachoChannels(root_, body_.disc, thresholds_, scale_);
    ReadVibrationChannels();
  }

 private:
  void ReadOutputs() {
    auto& slave = root_.Modbus.Slave_outputs.Output;
    for (const bin::MODBUSOUTCONFIG& record : RecordsOf(body_.mout.List())) {
      const CIndexList at{{true, record.number + 1u}};
      WriteInteger(slave.Number, record.number + 1u, at);
      WriteInteger(slave.Tag.ChannelNum, ChannelOfCode(record.channelCode), at);
      WriteInteger(slave.Tag.ParamNum, record.paramNum, at);
    }
    auto& current = root_.current_outputs.Output;
    for (const bin::CURRENTOUTCONFIG& record : RecordsOf(body_.cout.List())) {
      const CIndexList at{{true, record.number + 1u}};
      WriteInteger(current.Number, record.number + 1u, at);
      WriteInteger(current.Tag.ChannelNum, ChannelOfCode(record.channelCode), at);
      WriteInteger(current.Tag.ParamNum, record.paramNum, at);
    }
  }

  void ReadVibrationChannels() {
    auto& ch = root_.VibroChannels.VibroChannel;
    for (const bin::ANALOGCONFIGv1& record : RecordsOf(body_.anlg.List())) {
      const AnalogSettingsV1 settings = DecodeAnalogSettingsV1(record);
      const uint32_t n = settings.channel + 1u;
      const CIndexList at{{true, n}};
      WriteInteger(ch.number, n, at);
      WriteInteger(ch.unit, settings.unit, at);
      WriteReal(ch.trn_sens, settings.trn_sens, 3, at);
      WriteReal(ch.trn_offset, settings.trn_offset, 3, at);
      WriteInteger(ch.param.sp_window, settings.sp_window + 1u, at);
      WriteReal(ch.param.minvalue, settings.minvalue, 3, at);
      WriteReal(ch.param.maxvalue, settings.maxvalue, 3, at);
      WriteReal(ch.param.average_time_s, settings.average_time_s, 3, at);
      WriteInteger(ch.Overall_RMS.low_freq, settings.low_freq, at);
      WriteInteger(ch.Overall_RMS.high_freq, settings.high_freq, at);
      ReadLinearisation(settings.channel, at);
      const PhysicalRange range{ReadReal(ch.param.minvalue, at), ReadReal(ch.param.maxvalue, at)};
      const uint16_t code = ChannelCodeOf(n);
      thresholds_.ReadRegion(ch.Average, at, code, kParamAverage, range, scale_);
      thresholds_.ReadRegion(ch.PeakPeak, at, code, kParamPeakPeak, range, scale_);
      thresholds_.ReadRegion(ch.Overall_RMS, at, code, kParamOverallRms, range, scale_);
    }
  }

  void ReadLinearisation(uint16_t channel, const CIndexList& at) {
    auto& linear = root_.VibroChannels.VibroChannel.Linear;
    for (const auto& lnrc : header_.alnr.Children()) {
      if (lnrc->Record().channel != channel) continue;
      WriteInteger(linear.type, lnrc->Record().type, at);
      uint32_t j = 0;
      for (const bin::LINEARPOINT& point : RecordsOf(lnrc->List())) {
        const CIndexList point_at = Append(at, {false, j++});
        WriteReal(linear.Point.volt, point.volt, 3, point_at);
        WriteReal(linear.Point.value, point.value, 3, point_at);
      }
      return;
    }
  }

  CNodeTag_VRK_DeviceV1& root_;
  const bin::CTagBIN_CFGHv1& header_;
  const bin::CTagBIN_CFGBv1& body_;
  const bin::CODETABLE codes_;
  CThresholdReader thresholds_;
  LevelScale scale_;
};

}  // namespace

AnalogSettingsV1 DecodeAnalogSettingsV1(const bin::ANALOGCONFIGv1& record) {
  const bin::ByteReader in(record.settings.data(), record.settings.size());
  AnalogSettingsV1 s;
  s.channel = in.U16(0);
  s.unit = in.U16(2);
  s.trn_sens = in.F32(4);
  s.trn_offset = in.F32(8);
  s.sp_window = in.U16(12);
  s.minvalue = in.F32(14);
  s.maxvalue = in.F32(18);
  s.average_time_s = in.F32(22);
  s.low_freq = in.U16(26);
  s.high_freq = in.U16(28);
  return s;
}

void EncodeAnalogSettingsV1(const AnalogSettingsV1& s, bin::ANALOGCONFIGv1& record) {
  bin::ByteWriter out(record.settings.data(), record.settings.size());
  out.PutU16(0, s.channel);
  out.PutU16(2, s.unit);
  out.PutF32(4, s.trn_sens);
  out.PutF32(8, s.trn_offset);
  out.PutU16(12, s.sp_window);
  out.PutF32(14, s.minvalue);
  out.PutF32(18, s.maxvalue);
  out.PutF32(22, s.average_time_s);
  out.PutU16(26, s.low_freq);
  out.PutU16(28, s.high_freq);
}

void ImportVersion1Image(CNodeTag_VRK_DeviceV1& root, const bin::CTagBIN_CONFv1& tree) {
  CBinImporterV1(root, tree).Run();
}

}  // namespace vrk
