// The exporter: fills an empty version-7 tag tree section by section from the document, then writes it. Every
// tag starts absent; a section marks what it fills, so conditions on a section are conditions on its tags.
#include "convert/bin_export.h"

#include <cmath>

#include "bin/bin_image.h"
#include "bin/bin_messages.h"
#include "bin/tag_tree_v7.h"
#include "convert/attribute_values.h"
#include "convert/channel_parameters.h"
#include "convert/level_coding.h"
#include "convert/param_dev_cycle_converter.h"
#include "convert/record_codes.h"
#include "convert/threshold_export.h"
#include "interface/message_table.h"
#include "schema/device_v7.h"

namespace vrk {
namespace {

using CVibroChannel = CVibroChannels::CVibroChannel;

// Spectral lines per hertz of fmax, and the fmax / lines ratio, as the device counts them.
constexpr double kLinesPerHertz = 2.56;

// The root's stored index list is the exporter's while it runs; it is cleared however the export ends.
class StoredIndexReset {
 public:
  explicit StoredIndexReset(CNodeTag_VRK_Device& root) : root_(root) {}
  ~StoredIndexReset() { root_.SetStoredIndexes({}); }
  StoredIndexReset(const StoredIndexReset&) = delete;
  StoredIndexReset& operator=(const StoredIndexReset&) = delete;

 private:
  CNodeTag_VRK_Device& root_;
};

uint16_t MinusOne(uint16_t number) { return static_cast<uint16_t>(number - 1); }

float Single(double value) { return static_cast<float>(value); }

// A header count; 102 on `tag` when the list outgrows its u16 count.
uint16_t CountOf(std::size_t count, const bin::CNodeTagBIN& tag) {
  if (count > 0xFFFF) bin::ThrowTagError(bin::kMsgTagDataUnwritable, tag);
  return static_cast<uint16_t>(count);
}

// The parameter code of a band from its value type: none or 1 the base code, 2 and 3 their own.
uint16_t BandCode(CNodeAttrInfoXML& value_type, const CIndexList& at, uint16_t base, uint16_t type2,
                  uint16_t type3) {
  switch (FindU16(value_type, at).value_or(1)) {
    case 1: return base;
    case 2: return type2;
    case 3: return type3;
    default: ThrowMessage(103, value_type.GetFullPath());
  }
}

// Sets bit `bit` of `mask` for a forced value (1 forced to 0, 2 forced to 1) and its state in `state`.
void SetForced(uint16_t& mask, uint16_t& state, unsigned bit, uint16_t value) {
  if (value == 0) return;
  mask |= static_cast<uint16_t>(1u << bit);
  state |= static_cast<uint16_t>(((value - 1u) & 1u) << bit);
}

class CBinExporter {
 public:
  CBinExporter(CNodeTag_VRK_DeviceV7& root, bin::CTagBIN_CONFv7& tree)
      : root_(root), tree_(tree), header_(tree.ConfigHeader()), body_(tree.ConfigBody()),
        ch_(root.VibroChannels.VibroChannel) {}

  void Run() {
    tree_.SetPresent(true);
    header_.SetPresent(true);
    WriteBody();
    header_.pbus.Record() = bin::ConstantProfibus();
    header_.pbus.SetPresent(true);
    body_.ctab.Record() = bin::ConstantCodeTable();
    body_.ctab.SetPresent(true);
    WriteModbus();
    WriteLinearisation();
    WriteSensors();
    WriteChannels();
    WriteTachoChannels();
    WriteThresholds();
    WriteCurrentOutputs();
    WriteSlaveOutputs();
    WriteExchangeCycles();
    WriteTest();
    WriteRelayDelays();
    WriteModbusInputs();
  }

 private:
  void WriteBody() {
    auto& wave = root_.VibroChannels.wave_settings;
    auto& lines = root_.VibroChannels.spectrum_settings.lines;
    bin::CONFIGBODYv2& body = body_.Record();
    body.cfgId = CfgIdBytes(ValueOrDefault(root_.Cfg.CfgId, {}));
    body.frequency = CheckedU16(std::llround(ReadU16(wave.fmax, {}) * kLinesPerHertz), wave.fmax);
    body.lines = CheckedU16(std::llround(ReadU16(lines, {}) * kLinesPerHertz), lines);
    if (body.frequency == 0) ThrowMessage(103, wave.fmax.GetFullPath());
    if (body.lines == 0) ThrowMessage(103, lines.GetFullPath());
    body.samples = ReadU32(wave.samples, {});
    body.paramMinInt = ReadU16(root_.Data_transfer_settings.param_min_int, {});
    body.paramMaxInt = ReadU16(root_.Data_transfer_settings.param_max_int, {});
    // Without a decimation coefficient the black box keeps every record.
    body.decimationCoeff = FindU16(root_.BlackBox.decimation_coeff, {}).value_or(0);
    line_hz_ = static_cast<double>(body.frequency) / body.lines;
    body_.SetPresent(true);
  }

  void WriteModbus() {
    auto& modbus = root_.Modbus;
    if (FindU16(modbus.used, {}).value_or(0) != 1) return;
    bin::MODBUS& record = header_.mbus.Record();
    record.baudrate = ReadU32(modbus.RS422.baudrate, {});
    record.databits = ReadU16(modbus.RS422.databits, {});
    record.stopbits = ReadU16(modbus.RS422.stopbits, {});
    record.parity = ReadU16(modbus.RS422.parity, {});
    record.type = ReadU16(modbus.type, {});
    record.constantOne = bin::kModbusConstantOne;
    record.paramMinInt = ReadU16(modbus.param_min_int, {});
    record.paramMaxInt = ReadU16(modbus.param_max_int, {});
    record.dataValidityTime_s = ReadU16(modbus.DataValidityTime_s, {});
    auto& table = modbus.Tables.Table;
    for (uint32_t type = 1; type <= record.tables.size(); ++type) {
      const CIndexList at{{true, type}};
      record.tables[type - 1] = {ReadU16(table.address, at), ReadU16(table.count, at)};
    }
    header_.mbus.SetPresent(true);
  }

  // One "LNRC" per channel with linearisation points, in document order.
  void WriteLinearisation() {
    auto& alnr = header_.alnr;
    auto& point = ch_.Linear.Point;
    const uint32_t channels = ch_.CountNodes({});
    for (uint32_t k = 0; k < channels; ++k) {
      const CIndexList at{{false, k}};
      const uint32_t points = point.CountNodes(at);
      if (points == 0) continue;
      bin::CTagBIN_LNRC& lnrc = alnr.AddChild();
      lnrc.Record().channel = MinusOne(ReadU16(ch_.number, at));
      lnrc.Record().type = ReadU16(ch_.Linear.type, at);
      for (uint32_t j = 0; j < points; ++j) {
        const CIndexList point_at = Append(at, {false, j});
        bin::LINEARPOINT record;
        record.volt = Single(ReadReal(point.volt, point_at));
        record.value = Single(ReadReal(point.value, point_at));
        lnrc.List().Records().push_back(record);
      }
      lnrc.Record().pointCount = CountOf(points, lnrc);
      lnrc.SetPresent(true);
      lnrc.List().SetPresent(true);
    }
    alnr.Record().count = CountOf(alnr.Children().size(), alnr);
    alnr.SetPresent(true);
  }

  // Sensors of the channels in ascending channel number, whatever the document order.
  void WriteSensors() {
    if (ch_.CountNodes({}) == 0) return;
    auto& asns = header_.asns;
    for (uint32_t n : AscendingKeys(ch_, {})) {
      const CIndexList at{{true, n}};
      bin::SENSECONFIG record;
      record.channel = MinusOne(CheckedU16(n, ch_.number));
      record.trnSens = Single(ReadReal(ch_.trn_sens, at));
      record.trnOffset = Single(ReadReal(ch_.trn_offset, at));
      asns.List().Records().push_back(record);
    }
    asns.Record().count = CountOf(asns.List().Records().size(), asns);
    asns.SetPresent(true);
    asns.List().SetPresent(true);
  }

  void WriteChannels() {
    if (ch_.CountNodes({}) == 0) return;
    auto& acfg = body_.acfg;
    for (uint32_t n : AscendingKeys(ch_, {})) {
      const CIndexList at{{true, n}};
      root_.SetStoredIndexes(at);
      WriteChannel(acfg.AddChannel(), n, at);
    }
    root_.SetStoredIndexes({});
    acfg.Record().count = CountOf(acfg.Channels().size(), acfg);
    acfg.SetPresent(true);
  }

  void WriteChannel(bin::CTagBIN_ACFG_ACHNv7& achn, uint32_t n, const CIndexList& at) {
    bin::ACHANCONFIGv7& record = achn.Record();
    record.channel = MinusOne(CheckedU16(n, ch_.number));
    record.spWindow = MinusOne(ReadU16(ch_.param.sp_window, at));
    const SensorCoding coding = EncodeUnits(ReadU16(ch_.unit, at), ReadU16(ch_.param.unit, at));
    record.sensorKind = coding.sensor_kind;
    record.integration = coding.integration;
    record.averageTime_s = Single(ReadReal(ch_.param.average_time_s, at));
    record.hpf = ReadU16(ch_.hpf, at) & 1u;
    auto& prms = achn.List();
    for (const ParamEntry& entry : ChannelParameters(root_, at, true))
      prms.Records().push_back(ParameterRecord(entry));
    record.paramCount = CountOf(prms.Records().size(), prms);
    achn.SetPresent(true);
    prms.SetPresent(record.paramCount != 0);
  }

  bin::PARAMSTRUCTv2 ParameterRecord(const ParamEntry& entry) {
    const CIndexList& at = entry.indexes;
    bin::PARAMSTRUCTv2 record;
    record.number = MinusOne(ReadU16(*entry.number_attribute, at));
    auto& relative = ch_.Relative_bands.band;
    if (entry.kind == kParamPhase) {
      record.code = bin::kParamCodePhase;
      record.minValue = Single(kPhaseRange.min);
      record.maxValue = Single(kPhaseRange.max);
      record.extension.resize(bin::ParamExtensionLength(record.code));
      record.SetExtensionU16(bin::kExtRelShaft, MinusOne(ReadU16(relative.shaft, at)));
      record.SetExtensionF32(bin::kExtRelFactor, Single(ReadReal(relative.factor, at)));
      return record;
    }
    CNodeTagBandsContainerV2& parameter = *root_.VibroParameterContainers()[entry.kind];
    record.minValue = Single(ReadReal(parameter.minvalue, at));
    record.maxValue = Single(ReadReal(parameter.maxvalue, at));
    if (entry.kind == kParamAbsoluteBand) {
      auto& band = ch_.Absolute_bands.band;
      record.code = BandCode(band.value_type, at, bin::kParamCodeAbsoluteBand, bin::kParamCodeAbsoluteBandType2,
                             bin::kParamCodeAbsoluteBandType3);
      const int64_t first = std::llround(ReadReal(band.low_freq, at) / line_hz_);
      const int64_t lines = std::llround(ReadReal(band.high_freq, at) / line_hz_ + 1 - static_cast<double>(first));
      record.extension.resize(bin::ParamExtensionLength(record.code));
      record.SetExtensionU16(bin::kExtAbsFirstLine, CheckedU16(first, band.low_freq));
      record.SetExtensionU16(bin::kExtAbsLineCount, CheckedU16(lines, band.high_freq));
      record.SetExtensionU16(bin::kExtAbsNoCutting, Exists(band.cutting_rel_bands, at) ? 0 : 1);
    } else if (entry.kind == kParamRelativeBand) {
      record.code = BandCode(relative.value_type, at, bin::kParamCodeRelativeBand, bin::kParamCodeRelativeBandType2,
                             bin::kParamCodeRelativeBandType3);
      record.extension.resize(bin::ParamExtensionLength(record.code));
      record.SetExtensionU16(bin::kExtRelShaft, MinusOne(ReadU16(relative.shaft, at)));
      record.SetExtensionF32(bin::kExtRelFactor, Single(ReadReal(relative.factor, at)));
      record.SetExtensionU16(bin::kExtRelLine,
                             CheckedU16(std::llround(ReadReal(relative.lower_bound, at) / line_hz_),
                                        relative.lower_bound));
    } else {
      record.code = static_cast<uint16_t>(entry.kind);  // the overall values: codes 0 to 4
    }
    return record;
  }

  void WriteTachoChannels() {
    auto& tacho = root_.TachoChannels.TachoChannel;
    const uint32_t count = tacho.CountNodes({});
    if (count == 0) return;
    auto& disc = body_.disc;
    const LevelScale scale = TransferScale(root_);
    for (uint32_t k = 0; k < count; ++k) {
      const CIndexList at{{false, k}};
      root_.SetStoredIndexes(at);
      const PhysicalRange range{ReadReal(tacho.minvalue, at), ReadReal(tacho.maxvalue, at)};
      bin::DISCRETGONFIG record;
      record.number = MinusOne(ReadU16(tacho.number, at));
      record.trnSens = ReadU16(tacho.trn_sens, at);
      record.minValue = Single(range.min);
      record.maxValue = Single(range.max);
      record.unitCode = TachoUnitCodeOf(ReadU16(tacho.unit, at));
      record.stopLevel = EncodeLevel(ReadReal(tacho.start_stop_region.stop_level, at), range, scale);
      record.startLevel = EncodeLevel(ReadReal(tacho.start_stop_region.start_level, at), range, scale);
      record.reductorCoeff = Single(ReadReal(tacho.reductor_coeff, at));
      disc.List().Records().push_back(record);
    }
    root_.SetStoredIndexes({});
    disc.Record().count = CountOf(count, disc);
    disc.SetPresent(true);
    disc.List().SetPresent(true);
  }

  void WriteThresholds() {
    std::vector<bin::TRESHOLDCONFIG> records = ExportThresholds(root_, body_.ctab.Record());
    if (records.empty()) return;
    auto& thrs = body_.thrs;
    thrs.Record().count = CountOf(records.size(), thrs);
    thrs.List().Records() = std::move(records);
    thrs.SetPresent(true);
    thrs.List().SetPresent(true);
  }

  void WriteCurrentOutputs() {
    auto& output = root_.current_outputs.Output;
    const uint32_t count = output.CountNodes({});
    if (count == 0) return;
    auto& cout = body_.cout;
    for (uint32_t k = 0; k < count; ++k) {
      const CIndexList at{{false, k}};
      bin::CURRENTOUTCONFIG record;
      record.number = MinusOne(ReadU16(output.Number, at));
      record.channelCode = ChannelCodeOf(ReadU16(output.Tag.ChannelNum, at));
      record.paramNum = ReadU16(output.Tag.ParamNum, at);
      cout.List().Records().push_back(record);
    }
    cout.Record().count = CountOf(count, cout);
    cout.SetPresent(true);
    cout.List().SetPresent(true);
  }

  void WriteSlaveOutputs() {
    auto& modbus = root_.Modbus;
    if (FindU16(modbus.used, {}).value_or(0) != 1 || !Exists(modbus.Slave_outputs, {})) return;
    auto& output = modbus.Slave_outputs.Output;
    auto& mout = body_.mout;
    const uint32_t count = output.CountNodes({});
    for (uint32_t k = 0; k < count; ++k) {
      const CIndexList at{{false, k}};
      bin::MODBUSOUTCONFIGv3 record;
      record.number = MinusOne(ReadU16(output.Number, at));
      record.channelCode = ChannelCodeOf(ReadU16(output.Tag.ChannelNum, at));
      record.paramNum = ReadU16(output.Tag.ParamNum, at);
      record.paramMin = ReadU16(output.Tag.ParamMin, at);
      record.paramMax = ReadU16(output.Tag.ParamMax, at);
      record.paramDef = ReadU16(output.Tag.ParamDef, at);
      mout.List().Records().push_back(record);
    }
    mout.Record().count = CountOf(count, mout);
    mout.SetPresent(true);
    mout.List().SetPresent(true);
  }

  // The c-th "MCYC" is the cycle numbered c.
  void WriteExchangeCycles() {
    auto& modbus = root_.Modbus;
    if (FindU16(modbus.type, {}).value_or(0) != 1) return;
    auto& cycle = modbus.ExchangeCycle.Cycle;
    auto& command = cycle.Commands.Command;
    const uint32_t count = cycle.CountNodes({});
    if (count == 0) return;
    auto& mbmc = body_.mbmc;
    for (uint32_t c = 1; c <= count; ++c) {
      const CIndexList at{{true, c}};
      bin::CTagBIN_MCYCv3& mcyc = mbmc.AddChild();
      mcyc.Record().cycleTime = ReadU32(cycle.CycleTime, at);
      mcyc.Record().slaveTimeOut = ReadU32(cycle.SlaveTimeOut, at);
      mcyc.Record().masterMinDelay = ReadU32(cycle.MasterMinDelay, at);
      const uint32_t commands = command.CountNodes(at);
      for (uint32_t j = 0; j < commands; ++j) {
        const CIndexList command_at = Append(at, {false, j});
        bin::MODBUSCOMMANDv3 record;
        record.function = ReadU16(command.Function, command_at);
        record.slaveAddress = ReadU16(command.SlaveAddress, command_at);
        record.accessKind = AccessKindOf(record.function);
        record.addressIn = ReadU16(command.AddressIn, command_at);
        record.addressEx = ReadU16(command.AddressEx, command_at);
        record.count = ReadU16(command.Count, command_at);
        mcyc.List().Records().push_back(record);
      }
      mcyc.Record().commandCount = CountOf(commands, mcyc);
      mcyc.SetPresent(true);
      mcyc.List().SetPresent(commands != 0);
    }
    mbmc.Record().count = CountOf(count, mbmc);
    mbmc.SetPresent(true);
  }

  void WriteTest() {
    auto& test = root_.Test;
    if (FindU16(test.used, {}).value_or(0) != 1) return;
    bin::TESTHEADER& header = body_.test.Record();
    CNodeAttrInfoXML* const outputs[] = {&test.TG0, &test.TG1, &test.TG2, &test.TGE0, &test.TGE1, &test.TGE2};
    CNodeAttrInfoXML* const relays[] = {&test.Relay1, &test.Relay2, &test.Relay3, &test.Relay4};
    for (unsigned bit = 0; bit < std::size(outputs); ++bit)
      SetForced(header.outputMask, header.outputState, bit, ReadU16(*outputs[bit], {}));
    for (unsigned bit = 0; bit < std::size(relays); ++bit)
      SetForced(header.relayMask, header.relayState, bit, ReadU16(*relays[bit], {}));

    auto& parameter = test.Parameters.Parameter;
    const uint32_t count = parameter.CountNodes({});
    if (count != 0) {
      auto& tstm = body_.test.tstm;
      for (uint32_t k = 0; k < count; ++k) {
        const CIndexList at{{false, k}};
        const uint16_t output = ReadU16(parameter.OutputNumber, at);
        const LevelCoding coding = SlaveOutputCoding(root_, output, parameter);
        bin::TSTMOUTCONFIG record;
        record.outputNumber = MinusOne(output);
        record.value = EncodeLevel(ReadReal(parameter.Value, at), coding.range, coding.scale);
        tstm.List().Records().push_back(record);
      }
      tstm.Record().count = CountOf(count, tstm);
      tstm.SetPresent(true);
      tstm.List().SetPresent(true);
    }
    body_.test.SetPresent(true);
  }

  void WriteRelayDelays() {
    CParamDevCycleConverterV7 cycles;
    cycles.InitCycle(root_);
    auto in_cycles = [&](CNodeAttrInfoXML& delay) {
      return CheckedU16(cycles.CyclesFromTime(ReadU32(delay, {}), 0), delay);
    };
    auto& relay = root_.Relay;
    auto& delays = body_.rele.dlwa.Records();
    delays.assign(bin::CTagBIN_DLWA::kDelayCount, {});
    delays[0] = {in_cycles(relay.WarningDelay.On_ms), in_cycles(relay.WarningDelay.Off_ms)};
    delays[1] = {in_cycles(relay.AlarmDelay.On_ms), in_cycles(relay.AlarmDelay.Off_ms)};
    body_.rele.SetPresent(true);
    body_.rele.dlwa.SetPresent(true);
  }

  void WriteModbusInputs() {
    auto& input = root_.modbus_inputs.Input;
    auto& mbin = body_.mbin;
    mbin.SetPresent(true);
    const uint32_t count = input.CountNodes({});
    if (count == 0) return;
    for (uint32_t k = 0; k < count; ++k) {
      const CIndexList at{{false, k}};
      bin::MODBUSINPUTCONFIGv6 record;
      record.number = ReadU16(input.Number, at);
      record.minPhisValue = Single(ReadReal(input.MinPhisValue, at));
      record.maxPhisValue = Single(ReadReal(input.MaxPhisValue, at));
      record.minInputValue = ReadU16(input.MinInputValue, at);
      record.maxInputValue = ReadU16(input.MaxInputValue, at);
      mbin.List().Records().push_back(record);
    }
    mbin.Record().count = CountOf(count, mbin);
    mbin.List().SetPresent(true);
  }

  CNodeTag_VRK_DeviceV7& root_;
  bin::CTagBIN_CONFv7& tree_;
  bin::CTagBIN_CFGHv2& header_;
  bin::CTagBIN_CFGBv7& body_;
  CVibroChannel& ch_;
  double line_hz_ = 0;  // df of the "CFGB" fields, hertz per spectral line
};

}  // namespace

BinImage ExportBinImage(CNodeTag_VRK_DeviceV7& root) {
  const StoredIndexReset reset(root);
  bin::CTagBIN_CONFv7 tree;
  CBinExporter(root, tree).Run();
  BinImage image;
  image.bytes = bin::WriteImage(tree);
  image.crc32 = tree.ConfigCrc();
  return image;
}

}  // namespace vrk
