// The exporter: fills an empty version-7 tag tree section by section from the document, then writes it. Every
// tag starts absent; a section marks what it fills, so conditions on a section are conditions on its tags.
#include "convert/bin_export.h"

#include <algorithm>
#include <cmath>

#include "bin/bin_image.h"
#include "bin/tag_tree_v7.h"
#include "schema/channel_parameters.h"
#include "convert/level_coding.h"
#include "convert/param_dev_cycle_converter.h"
#include "convert/record_codes.h"
#include "convert/threshold_export.h"
#include "interface/message_ids.h"
#include "interface/message_table.h"
#include "schema/attribute_values.h"
#include "schema/device_v7.h"

namespace vrk {
namespace {

using CVibroChannel = CVibroChannels::CVibroChannel;

// Spectral lines per hertz of fmax, and the fmax / lines ratio, as the device counts them.

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

// The real value of `attribute` on `element` as a 32-bit field.
float ReadSingleOn(CNodeAttrInfoXML& attribute, const dom::Node& element) {
  return CheckedSingle(ReadRealOn(attribute, element), attribute);
}

// A header count; kMsgTagDataUnwritable on `tag` when the list outgrows its u16 count.
uint16_t CountOf(std::size_t count, const bin::CNodeTagBIN& tag) {
  if (count > 0xFFFF) bin::ThrowTagError(kMsgTagDataUnwritable, tag);
  return static_cast<uint16_t>(count);
}

// The parameter code of a band from its value type: none or 1 the base code, 2 and 3 their own.
uint16_t BandCode(CNodeAttrInfoXML& value_type, const dom::Node& band, uint16_t base, uint16_t type2,
                  uint16_t type3) {
  switch (FindU16On(value_type, band).value_or(1)) {
    case 1: return base;
    case 2: return type2;
    case 3: return type3;
    default: ThrowMessage(kMsgIncorrectValueType, value_type.GetFullPath());
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
    body.frequency = CheckedU16(std::llround(ReadU16(wave.fmax, {}) * bin::kLinesPerHertz), wave.fmax);
    body.lines = CheckedU16(std::llround(ReadU16(lines, {}) * bin::kLinesPerHertz), lines);
    if (body.frequency == 0) ThrowMessage(kMsgIncorrectValueType, wave.fmax.GetFullPath());
    if (body.lines == 0) ThrowMessage(kMsgIncorrectValueType, lines.GetFullPath());
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
    for (const dom::Node& channel : Occurrences(ch_, CIndexList())) {
      const dom::Node linear = ch_.Linear.FirstIn(channel);
      const std::vector<dom::Node> points = Occurrences(point, linear);
      if (points.empty()) continue;
      bin::CTagBIN_LNRC& lnrc = alnr.AddChild();
      lnrc.Record().channel = MinusOne(ReadU16On(ch_.number, channel));
      lnrc.Record().type = ReadU16On(ch_.Linear.type, linear);
      for (const dom::Node& at : points) {
        bin::LINEARPOINT record;
        record.volt = ReadSingleOn(point.volt, at);
        record.value = ReadSingleOn(point.value, at);
        lnrc.List().Records().push_back(record);
      }
      lnrc.Seal();
    }
    alnr.Record().count = CountOf(alnr.Children().size(), alnr);
    alnr.SetPresent(true);
  }

  // Sensors of the channels in ascending channel number, whatever the document order.
  void WriteSensors() {
    if (ch_.CountNodes({}) == 0) return;
    auto& asns = header_.asns;
    for (const auto& [n, channel] : OccurrencesByKey(ch_, {})) {
      bin::SENSECONFIG record;
      record.channel = MinusOne(CheckedU16(n, ch_.number));
      record.trnSens = ReadSingleOn(ch_.trn_sens, channel);
      record.trnOffset = ReadSingleOn(ch_.trn_offset, channel);
      asns.List().Records().push_back(record);
    }
    asns.Seal();
  }

  void WriteChannels() {
    if (ch_.CountNodes({}) == 0) return;
    auto& acfg = body_.acfg;
    for (const auto& [n, channel] : OccurrencesByKey(ch_, {})) {
      const CIndexList at{{true, n}};
      root_.SetStoredIndexes(at);
      WriteChannel(acfg.AddChannel(), n, at, channel);
    }
    root_.SetStoredIndexes({});
    acfg.Record().count = CountOf(acfg.Channels().size(), acfg);
    acfg.SetPresent(true);
  }

  void WriteChannel(bin::CTagBIN_ACFG_ACHNv7& achn, uint32_t n, const CIndexList& at, const dom::Node& channel) {
    bin::ACHANCONFIGv7& record = achn.Record();
    const dom::Node param = ch_.param.FirstIn(channel);
    record.channel = MinusOne(CheckedU16(n, ch_.number));
    record.spWindow = MinusOne(ReadU16On(ch_.param.sp_window, param));
    const SensorCoding coding = EncodeUnits(ReadU16On(ch_.unit, channel), ReadU16On(ch_.param.unit, param));
    record.sensorKind = coding.sensor_kind;
    record.integration = coding.integration;
    record.averageTime_s = ReadSingleOn(ch_.param.average_time_s, param);
    record.hpf = ReadU16On(ch_.hpf, channel) & 1u;
    auto& prms = achn.List();
    for (const ParamEntry& entry : ChannelParameters(root_, at, true))
      prms.Records().push_back(ParameterRecord(entry));
    // The count's overflow names "PRMS", the list that outgrew it.
    record.paramCount = CountOf(prms.Records().size(), prms);
    achn.SetPresent(true);
    prms.SetPresent(record.paramCount != 0);
  }

  bin::PARAMSTRUCTv2 ParameterRecord(const ParamEntry& entry) {
    const dom::Node& at = entry.node;
    bin::PARAMSTRUCTv2 record;
    record.number = MinusOne(ReadU16On(*entry.number_attribute, at));
    auto& relative = ch_.Relative_bands.band;
    if (entry.kind == kParamPhase) {
      const dom::Node band = at.parent();  // a phase describes the band it sits in
      record.code = bin::kParamCodePhase;
      record.minValue = static_cast<float>(kPhaseRange.min);
      record.maxValue = static_cast<float>(kPhaseRange.max);
      record.extension.resize(bin::ParamExtensionLength(record.code));
      record.SetExtensionU16(bin::kExtRelShaft, MinusOne(ReadU16On(relative.shaft, band)));
      record.SetExtensionF32(bin::kExtRelFactor, ReadSingleOn(relative.factor, band));
      return record;
    }
    CNodeTagBandsContainerV2& parameter = *root_.VibroParameterContainers()[entry.kind];
    record.minValue = ReadSingleOn(parameter.minvalue, at);
    record.maxValue = ReadSingleOn(parameter.maxvalue, at);
    if (entry.kind == kParamAbsoluteBand) {
      auto& band = ch_.Absolute_bands.band;
      record.code = BandCode(band.value_type, at, bin::kParamCodeAbsoluteBand, bin::kParamCodeAbsoluteBandType2,
                             bin::kParamCodeAbsoluteBandType3);
      const int64_t first = std::llround(ReadRealOn(band.low_freq, at) / line_hz_);
      const int64_t lines = std::llround(ReadRealOn(band.high_freq, at) / line_hz_ + 1 - static_cast<double>(first));
      record.extension.resize(bin::ParamExtensionLength(record.code));
      record.SetExtensionU16(bin::kExtAbsFirstLine, CheckedU16(first, band.low_freq));
      record.SetExtensionU16(bin::kExtAbsLineCount, CheckedU16(lines, band.high_freq));
      record.SetExtensionU16(bin::kExtAbsNoCutting, band.cutting_rel_bands.FirstIn(at) ? 0 : 1);
    } else if (entry.kind == kParamRelativeBand) {
      record.code = BandCode(relative.value_type, at, bin::kParamCodeRelativeBand, bin::kParamCodeRelativeBandType2,
                             bin::kParamCodeRelativeBandType3);
      record.extension.resize(bin::ParamExtensionLength(record.code));
      record.SetExtensionU16(bin::kExtRelShaft, MinusOne(ReadU16On(relative.shaft, at)));
      record.SetExtensionF32(bin::kExtRelFactor, ReadSingleOn(relative.factor, at));
      record.SetExtensionU16(bin::kExtRelLine,
                             CheckedU16(std::llround(ReadRealOn(relative.lower_bound, at) / line_hz_),
                                        relative.lower_bound));
    } else {
      record.code = static_cast<uint16_t>(entry.kind);  // the overall values: codes 0 to 4
    }
    return record;
  }

  void WriteTachoChannels() {
    auto& tacho = root_.TachoChannels.TachoChannel;
    const std::vector<dom::Node> channels = Occurrences(tacho, CIndexList());
    const std::size_t count = channels.size();
    if (count == 0) return;
    auto& disc = body_.disc;
    const LevelScale scale = TransferScale(root_);
    for (uint32_t k = 0; k < count; ++k) {
      const dom::Node& at = channels[k];
      root_.SetStoredIndexes({{false, k}});
      const PhysicalRange range{ReadRealOn(tacho.minvalue, at), ReadRealOn(tacho.maxvalue, at)};
      const dom::Node start_stop = tacho.start_stop_region.FirstIn(at);
      bin::DISCRETGONFIG record;
      record.number = MinusOne(ReadU16On(tacho.number, at));
      record.trnSens = ReadU16On(tacho.trn_sens, at);
      record.minValue = CheckedSingle(range.min, tacho.minvalue);
      record.maxValue = CheckedSingle(range.max, tacho.maxvalue);
      record.unitCode = TachoUnitCodeOf(ReadU16On(tacho.unit, at));
      record.stopLevel = EncodeLevel(ReadRealOn(tacho.start_stop_region.stop_level, start_stop), range, scale);
      record.startLevel = EncodeLevel(ReadRealOn(tacho.start_stop_region.start_level, start_stop), range, scale);
      record.reductorCoeff = ReadSingleOn(tacho.reductor_coeff, at);
      disc.List().Records().push_back(record);
    }
    root_.SetStoredIndexes({});
    disc.Seal();
  }

  void WriteThresholds() {
    std::vector<bin::TRESHOLDCONFIG> records = ExportThresholds(root_, body_.ctab.Record());
    if (records.empty()) return;
    auto& thrs = body_.thrs;
    thrs.List().Records() = std::move(records);
    thrs.Seal();
  }

  void WriteCurrentOutputs() {
    auto& output = root_.current_outputs.Output;
    const std::vector<dom::Node> outputs = Occurrences(output, CIndexList());
    const std::size_t count = outputs.size();
    if (count == 0) return;
    auto& cout = body_.cout;
    for (const dom::Node& at : outputs) {
      const dom::Node tag = output.Tag.FirstIn(at);
      bin::CURRENTOUTCONFIG record;
      record.number = MinusOne(ReadU16On(output.Number, at));
      record.channelCode = ChannelCodeOf(ReadU16On(output.Tag.ChannelNum, tag));
      record.paramNum = ReadU16On(output.Tag.ParamNum, tag);
      cout.List().Records().push_back(record);
    }
    cout.Seal();
  }

  void WriteSlaveOutputs() {
    auto& modbus = root_.Modbus;
    if (FindU16(modbus.used, {}).value_or(0) != 1 || !Exists(modbus.Slave_outputs, {})) return;
    auto& output = modbus.Slave_outputs.Output;
    auto& mout = body_.mout;
    const std::vector<dom::Node> outputs = Occurrences(output, CIndexList());
    for (const dom::Node& at : outputs) {
      const dom::Node tag = output.Tag.FirstIn(at);
      bin::MODBUSOUTCONFIGv3 record;
      record.number = MinusOne(ReadU16On(output.Number, at));
      record.channelCode = ChannelCodeOf(ReadU16On(output.Tag.ChannelNum, tag));
      record.paramNum = ReadU16On(output.Tag.ParamNum, tag);
      record.paramMin = ReadU16On(output.Tag.ParamMin, tag);
      record.paramMax = ReadU16On(output.Tag.ParamMax, tag);
      record.paramDef = ReadU16On(output.Tag.ParamDef, tag);
      mout.List().Records().push_back(record);
    }
    mout.Seal();
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
    const std::vector<KeyedOccurrence> cycles = OccurrencesByKey(cycle, {});
    for (uint32_t c = 1; c <= count; ++c) {
      const auto found = std::lower_bound(cycles.begin(), cycles.end(), c,
                                          [](const KeyedOccurrence& o, uint32_t key) { return o.key < key; });
      const dom::Node at = found != cycles.end() && found->key == c ? found->node : dom::Node();
      bin::CTagBIN_MCYCv3& mcyc = mbmc.AddChild();
      mcyc.Record().cycleTime = ReadU32On(cycle.CycleTime, at);
      mcyc.Record().slaveTimeOut = ReadU32On(cycle.SlaveTimeOut, at);
      mcyc.Record().masterMinDelay = ReadU32On(cycle.MasterMinDelay, at);
      const std::vector<dom::Node> listed = Occurrences(command, at ? cycle.Commands.FirstIn(at) : dom::Node());
      for (const dom::Node& command_at : listed) {
        bin::MODBUSCOMMANDv3 record;
        record.function = ReadU16On(command.Function, command_at);
        record.slaveAddress = ReadU16On(command.SlaveAddress, command_at);
        record.accessKind = AccessKindOf(record.function);
        record.addressIn = ReadU16On(command.AddressIn, command_at);
        record.addressEx = ReadU16On(command.AddressEx, command_at);
        record.count = ReadU16On(command.Count, command_at);
        mcyc.List().Records().push_back(record);
      }
      mcyc.Seal(false);
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
    const std::vector<dom::Node> parameters = Occurrences(parameter, CIndexList());
    const std::size_t count = parameters.size();
    if (count != 0) {
      auto& tstm = body_.test.tstm;
      for (const dom::Node& at : parameters) {
        const uint16_t output = ReadU16On(parameter.OutputNumber, at);
        const LevelCoding coding = SlaveOutputCoding(root_, output, parameter);
        bin::TSTMOUTCONFIG record;
        record.outputNumber = MinusOne(output);
        record.value = EncodeLevel(ReadRealOn(parameter.Value, at), coding.range, coding.scale);
        tstm.List().Records().push_back(record);
      }
      tstm.Seal();
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
    const std::vector<dom::Node> inputs = Occurrences(input, CIndexList());
    const std::size_t count = inputs.size();
    if (count == 0) return;
    for (const dom::Node& at : inputs) {
      bin::MODBUSINPUTCONFIGv6 record;
      record.number = ReadU16On(input.Number, at);
      record.minPhisValue = ReadSingleOn(input.MinPhisValue, at);
      record.maxPhisValue = ReadSingleOn(input.MaxPhisValue, at);
      record.minInputValue = ReadU16On(input.MinInputValue, at);
      record.maxInputValue = ReadU16On(input.MaxInputValue, at);
      mbin.List().Records().push_back(record);
    }
    mbin.Seal();
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
