// The importers of images of versions 2, 6 and 7, and the driver of every image: the version word selects the
// tag tree, the tree is read into a root of its version on a fresh copy of the default configuration, section by
// section, creating through the schema whatever the records need, and an older root is then upgraded. Values the
// image does not carry keep the default configuration's.
#include "convert/bin_import.h"

#include <type_traits>
#include <utility>

#include "bin/bin_image.h"
#include "bin/tag_tree_v1.h"
#include "bin/tag_tree_v2.h"
#include "bin/tag_tree_v6.h"
#include "bin/tag_tree_v7.h"
#include "bin/version_probe.h"
#include "convert/bin_import_sections.h"
#include "convert/bin_import_v1.h"
#include "convert/level_coding.h"
#include "convert/modbus_settings_import.h"
#include "convert/param_dev_cycle_converter.h"
#include "convert/record_codes.h"
#include "convert/threshold_import.h"
#include "convert/unread_records.h"
#include "convert/upgrade_chain.h"
#include "convert/upgrade_failure.h"
#include "convert/xml_import.h"
#include "interface/message_ids.h"
#include "interface/message_table.h"
#include "schema/attribute_values.h"
#include "schema/cutting_bands.h"
#include "schema/node_check.h"

namespace vrk {
namespace {

using CVibroChannel = CVibroChannels::CVibroChannel;

constexpr uint16_t kReadRangesType = 2;  // a relative band comes back as a band around its lower bound

// Value type 1, 2 or 3 of a band code; 0 for a code of another kind.
uint16_t BandValueType(uint16_t code, uint16_t base, uint16_t type2, uint16_t type3) {
  return code == base ? 1 : code == type2 ? 2 : code == type3 ? 3 : 0;
}

// The importer of images of versions 2, 6 and 7 into a root of the same version (the roots of versions 2 and 6
// are the version-7 tree without what those versions lack). The sections that version 2 does not have (exchange
// cycles, readiness, test, relay delays, Modbus inputs) and the fields its records lack are skipped.
template <class TREE>
class CBinImporter {
  using Body = std::remove_cvref_t<decltype(std::declval<const TREE&>().ConfigBody())>;
  static constexpr bool kVersion6Sections = requires(const Body& body) { body.mbin; };

 public:
  CBinImporter(CNodeTag_VRK_DeviceV7& root, const TREE& tree)
      : root_(root),
        header_(tree.ConfigHeader()),
        body_(tree.ConfigBody()),
        ch_(root.VibroChannels.VibroChannel),
        codes_(CodeTableOf(body_.ctab)),
        thresholds_(RecordsOf(body_.thrs.List()), codes_) {}

  void Run() {
    ReadSpectrumSettings();
    WriteText(root_.Cfg.CfgId, CfgIdText(body_.Record().cfgId));
    ReadConfigHeader(root_, header_.Record());
    WriteInteger(root_.Data_transfer_settings.param_min_int, body_.Record().paramMinInt, {});
    WriteInteger(root_.Data_transfer_settings.param_max_int, body_.Record().paramMaxInt, {});
    scale_ = TransferScale(root_);
    WriteInteger(root_.Region_settings.base_interval_s, 0, {});
    WriteInteger(root_.BlackBox.decimation_coeff, body_.Record().decimationCoeff, {});
    ReadModbusSettings(root_.Modbus, header_.mbus);
    ReadSlaveOutputs();
    ReadCurrentOutputs();
    if constexpr (kVersion6Sections) ReadExchangeCycles();
    thresholds_.ReadMonitoring(root_);
    ReadTachoChannels(root_, body_.disc, thresholds_, scale_);
    ReadVibrationChannels();
    if constexpr (kVersion6Sections) {
      thresholds_.ReadReadiness(root_);
      // Test values are decoded on the range of the parameter they force, which may be a Modbus input's.
      ReadModbusInputs();
      ReadTest();
      ReadRelayDelays();
    }
    if (thresholds_.HasLevels()) thresholds_.ReadRegionSettings(root_, Cycles());
    RegenerateCuttingBands(root_);
  }

 private:
  static void WriteText(CNodeAttrInfoXML& attribute, const std::string& text) { attribute.SetValue(text, {}, false); }

  void ReadSpectrumSettings() {
    const bin::CONFIGBODYv2& body = body_.Record();
    auto& wave = root_.VibroChannels.wave_settings;
    WriteInteger(wave.samples, body.samples, {});
    WriteReal(wave.fmax, body.frequency / bin::kLinesPerHertz, 3, {});
    WriteInteger(wave.fmin, 0, {});
    WriteReal(root_.VibroChannels.spectrum_settings.lines, body.lines / bin::kLinesPerHertz, 3, {});
  }

  // Hertz per spectral line; kMsgTagDataUnreadable on "CFGB" when the body gives no lines.
  double LineHz() const {
    const bin::CONFIGBODYv2& body = body_.Record();
    if (body.lines == 0) ThrowMessageArgs(kMsgTagDataUnreadable, {"CFGB"});
    return static_cast<double>(body.frequency) / body.lines;
  }

  const CParamDevCycleConverterV7& Cycles() {
    if (!cycles_ready_) {
      cycles_.InitCycle(root_);
      cycles_ready_ = true;
    }
    return cycles_;
  }

  // The outputs found or made by number, one per record, each with its number written. They are all made before
  // any is filled: making one keeps what the search by number knows of its siblings, filling one does not.
  template <class OUTPUT, class RECORD>
  static std::vector<dom::Node> OutputsByNumber(OUTPUT& output, const std::vector<RECORD>& records) {
    std::vector<dom::Node> outputs;
    for (const RECORD& record : records) {
      outputs.push_back(Occurrence(output, {{true, record.number + 1u}}));
      WriteIntegerOn(output.Number, record.number + 1u, outputs.back());
    }
    return outputs;
  }

  void ReadSlaveOutputs() {
    auto& output = root_.Modbus.Slave_outputs.Output;
    const auto& records = RecordsOf(body_.mout.List());
    const std::vector<dom::Node> outputs = OutputsByNumber(output, records);
    for (std::size_t i = 0; i < records.size(); ++i) {
      const auto& record = records[i];
      const dom::Node tag = ChildOccurrence(output.Tag, outputs[i]);
      WriteIntegerOn(output.Tag.ChannelNum, ChannelOfCode(record.channelCode), tag);
      WriteIntegerOn(output.Tag.ParamNum, record.paramNum, tag);
      if constexpr (requires { record.paramDef; }) {
        WriteIntegerOn(output.Tag.ParamMin, record.paramMin, tag);
        WriteIntegerOn(output.Tag.ParamMax, record.paramMax, tag);
        WriteIntegerOn(output.Tag.ParamDef, record.paramDef, tag);
      }
    }
  }

  void ReadCurrentOutputs() {
    auto& output = root_.current_outputs.Output;
    const auto& records = RecordsOf(body_.cout.List());
    const std::vector<dom::Node> outputs = OutputsByNumber(output, records);
    for (std::size_t i = 0; i < records.size(); ++i) {
      const dom::Node tag = ChildOccurrence(output.Tag, outputs[i]);
      WriteIntegerOn(output.Tag.ChannelNum, ChannelOfCode(records[i].channelCode), tag);
      WriteIntegerOn(output.Tag.ParamNum, records[i].paramNum, tag);
    }
  }

  // Cycles and commands are numbered 1, 2, ... in image order, as new ones are.
  void ReadExchangeCycles() {
    if (!body_.mbmc.IsPresent()) return;
    auto& cycle = root_.Modbus.ExchangeCycle.Cycle;
    auto& command = cycle.Commands.Command;
    uint32_t c = 0;
    for (const auto& mcyc : body_.mbmc.Children()) {
      const dom::Node at = Occurrence(cycle, {{true, ++c}});
      WriteIntegerOn(cycle.Number, c, at);
      WriteIntegerOn(cycle.CycleTime, mcyc->Record().cycleTime, at);
      WriteIntegerOn(cycle.SlaveTimeOut, mcyc->Record().slaveTimeOut, at);
      WriteIntegerOn(cycle.MasterMinDelay, mcyc->Record().masterMinDelay, at);
      dom::Node commands;  // made with the first command
      uint32_t j = 0;
      for (const bin::MODBUSCOMMANDv3& record : RecordsOf(mcyc->List())) {
        if (!commands) commands = ChildOccurrence(cycle.Commands, at);
        const dom::Node command_at = command.GetNodeIn(commands, {true, ++j}, true);
        WriteIntegerOn(command.Number, j, command_at);
        WriteIntegerOn(command.Function, record.function, command_at);
        WriteIntegerOn(command.SlaveAddress, record.slaveAddress, command_at);
        WriteIntegerOn(command.AddressIn, record.addressIn, command_at);
        WriteIntegerOn(command.AddressEx, record.addressEx, command_at);
        WriteIntegerOn(command.Count, record.count, command_at);
      }
    }
  }

  // One channel per sensor record, with its linearisation and its "ACHN" found by channel number.
  void ReadVibrationChannels() {
    for (const bin::SENSECONFIG& sensor : RecordsOf(header_.asns.List())) {
      const uint32_t n = sensor.channel + 1u;
      const dom::Node at = Occurrence(ch_, {{true, n}});
      WriteIntegerOn(ch_.number, n, at);
      WriteRealOn(ch_.trn_sens, sensor.trnSens, 3, at);
      WriteRealOn(ch_.trn_offset, sensor.trnOffset, 3, at);
      for (const auto& lnrc : header_.alnr.Children()) {
        if (lnrc->Record().channel != sensor.channel) continue;
        const dom::Node linear = ChildOccurrence(ch_.Linear, at);
        WriteIntegerOn(ch_.Linear.type, lnrc->Record().type, linear);
        uint32_t j = 0;
        for (const bin::LINEARPOINT& point : RecordsOf(lnrc->List())) {
          const dom::Node point_at = ch_.Linear.Point.GetNodeIn(linear, {false, j++}, true);
          WriteRealOn(ch_.Linear.Point.volt, point.volt, 3, point_at);
          WriteRealOn(ch_.Linear.Point.value, point.value, 3, point_at);
        }
        break;
      }
      for (const auto& achn : body_.acfg.Channels())
        if (achn->IsPresent() && achn->Record().channel == sensor.channel) {
          ReadChannel(*achn, n, at);
          break;
        }
    }
  }

  template <class ACHN>
  void ReadChannel(const ACHN& achn, uint32_t n, const dom::Node& at) {
    const auto& record = achn.Record();
    const dom::Node param = ChildOccurrence(ch_.param, at);
    WriteIntegerOn(ch_.param.sp_window, record.spWindow + 1u, param);
    const std::optional<ChannelUnits> units = DecodeUnits(record.sensorKind, record.integration);
    if (!units) ThrowMessageArgs(kMsgTagDataUnreadable, {"ACHN"});
    WriteIntegerOn(ch_.unit, units->channel, at);
    WriteIntegerOn(ch_.param.unit, units->param, param);
    WriteRealOn(ch_.param.average_time_s, record.averageTime_s, 3, param);
    dom::Node relative;  // the relative band read last, which a phase belongs to
    for (const bin::PARAMSTRUCTv2& parameter : RecordsOf(achn.List())) ReadParameter(parameter, n, at, relative);
    if constexpr (requires { record.hpf; }) WriteIntegerOn(ch_.hpf, record.hpf & 1u, at);
  }

  void ReadParameter(const bin::PARAMSTRUCTv2& record, uint32_t n, const dom::Node& channel, dom::Node& relative) {
    const uint32_t number = record.number + 1u;
    auto& absolute_band = ch_.Absolute_bands.band;
    auto& relative_band = ch_.Relative_bands.band;
    if (record.code == bin::kParamCodePhase) {
      if (!relative) ThrowMessage(kMsgPhaseWithoutBand, relative_band.phase.GetFullPath());
      WriteIntegerOn(relative_band.phase.number, number, ChildOccurrence(relative_band.phase, relative));
      return;
    }
    const uint16_t absolute_type = BandValueType(record.code, bin::kParamCodeAbsoluteBand,
                                                 bin::kParamCodeAbsoluteBandType2, bin::kParamCodeAbsoluteBandType3);
    const uint16_t relative_type = BandValueType(record.code, bin::kParamCodeRelativeBand,
                                                 bin::kParamCodeRelativeBandType2, bin::kParamCodeRelativeBandType3);
    CNodeTagBandsContainerV2* parameter = nullptr;
    dom::Node at;
    if (record.code <= bin::kParamCodeCrest) {
      parameter = root_.VibroParameterContainers()[record.code];
      at = ChildOccurrence(*parameter, channel);
    } else if (absolute_type != 0 || relative_type != 0) {
      parameter = absolute_type != 0 ? static_cast<CNodeTagBandsContainerV2*>(&absolute_band) : &relative_band;
      CNodeTagInfoXML& list = *parameter->parent();
      const dom::Node bands = ChildOccurrence(list, channel);
      const auto count = static_cast<uint32_t>(Occurrences(*parameter, bands).size());
      at = parameter->GetNodeIn(bands, {false, count}, true);  // a new band after the others
    } else {
      ThrowMessageArgs(kMsgTagDataUnreadable, {"PRMS"});
    }
    WriteIntegerOn(parameter->number, number, at);
    WriteRealOn(parameter->minvalue, record.minValue, 3, at);
    WriteRealOn(parameter->maxvalue, record.maxValue, 3, at);
    if (absolute_type != 0) {
      const double df = LineHz();
      const uint16_t first = record.ExtensionU16(bin::kExtAbsFirstLine);
      const uint16_t lines = record.ExtensionU16(bin::kExtAbsLineCount);
      WriteIntegerOn(absolute_band.value_type, absolute_type, at);
      WriteRealOn(absolute_band.low_freq, first * df, 3, at);
      WriteRealOn(absolute_band.high_freq, (first + lines - 1.0) * df, 3, at);
      if (record.ExtensionU16(bin::kExtAbsNoCutting) == 0) ChildOccurrence(absolute_band.cutting_rel_bands, at);
    } else if (relative_type != 0) {
      const double bound = record.ExtensionU16(bin::kExtRelLine) * LineHz();
      WriteIntegerOn(relative_band.value_type, relative_type, at);
      WriteIntegerOn(relative_band.shaft, record.ExtensionU16(bin::kExtRelShaft) + 1u, at);
      WriteRealOn(relative_band.factor, record.ExtensionF32(bin::kExtRelFactor), 3, at);
      WriteIntegerOn(relative_band.ranges_type, kReadRangesType, at);
      WriteRealOn(relative_band.lower_bound, bound, 3, at);
      WriteRealOn(relative_band.upper_bound, bound, 3, at);
      relative = at;
    }
    const PhysicalRange range{ReadRealOn(parameter->minvalue, at), ReadRealOn(parameter->maxvalue, at)};
    thresholds_.ReadRegion(*parameter, at, ChannelCodeOf(n), record.number, range, scale_);
  }

  void ReadTest() {
    auto& test = root_.Test;
    const bin::CTagBIN_TEST& tag = body_.test;
    WriteInteger(test.used, tag.IsPresent() ? 1 : 0, {});
    if (!tag.IsPresent()) return;
    const bin::TESTHEADER& header = tag.Record();
    auto forced = [](uint16_t mask, uint16_t state, unsigned bit) {
      return (mask >> bit & 1u) == 0 ? 0 : 1 + (state >> bit & 1u);
    };
    CNodeAttrInfoXML* const outputs[] = {&test.TG0, &test.TG1, &test.TG2, &test.TGE0, &test.TGE1, &test.TGE2};
    CNodeAttrInfoXML* const relays[] = {&test.Relay1, &test.Relay2, &test.Relay3, &test.Relay4};
    for (unsigned bit = 0; bit < std::size(outputs); ++bit)
      WriteInteger(*outputs[bit], forced(header.outputMask, header.outputState, bit), {});
    for (unsigned bit = 0; bit < std::size(relays); ++bit)
      WriteInteger(*relays[bit], forced(header.relayMask, header.relayState, bit), {});

    auto& parameter = test.Parameters.Parameter;
    const auto& records = RecordsOf(tag.tstm.List());
    // The codings read the outputs and the channels only, so they are all found before the parameters are made,
    // while the searches by number still know the document.
    std::vector<LevelCoding> codings;
    for (const bin::TSTMOUTCONFIG& record : records)
      codings.push_back(SlaveOutputCoding(root_, record.outputNumber + 1u, parameter));
    for (uint32_t k = 1; k <= records.size(); ++k) {
      const bin::TSTMOUTCONFIG& record = records[k - 1];
      const LevelCoding& coding = codings[k - 1];
      const dom::Node at = Occurrence(parameter, {{true, k}});
      WriteIntegerOn(parameter.Number, k, at);
      WriteIntegerOn(parameter.OutputNumber, record.outputNumber + 1u, at);
      WriteRealOn(parameter.Value, DecodeLevel(record.value, coding.range, coding.scale), 3, at);
    }
  }

  void ReadRelayDelays() {
    const bin::CTagBIN_RELE& rele = body_.rele;
    if (!rele.IsPresent() || !rele.dlwa.IsPresent() || rele.dlwa.Records().size() < bin::CTagBIN_DLWA::kDelayCount)
      return;
    const auto& delays = rele.dlwa.Records();
    auto& relay = root_.Relay;
    const CParamDevCycleConverterV7& cycles = Cycles();
    WriteInteger(relay.WarningDelay.On_ms, cycles.TimeFromCycles(delays[0].onCycles), {});
    WriteInteger(relay.WarningDelay.Off_ms, cycles.TimeFromCycles(delays[0].offCycles), {});
    WriteInteger(relay.AlarmDelay.On_ms, cycles.TimeFromCycles(delays[1].onCycles), {});
    WriteInteger(relay.AlarmDelay.Off_ms, cycles.TimeFromCycles(delays[1].offCycles), {});
  }

  void ReadModbusInputs() {
    auto& input = root_.modbus_inputs.Input;
    for (const bin::MODBUSINPUTCONFIGv6& record : RecordsOf(body_.mbin.List())) {
      const dom::Node at = Occurrence(input, {{true, record.number}});
      WriteIntegerOn(input.Number, record.number, at);
      WriteRealOn(input.MinPhisValue, record.minPhisValue, 3, at);
      WriteRealOn(input.MaxPhisValue, record.maxPhisValue, 3, at);
      WriteIntegerOn(input.MinInputValue, record.minInputValue, at);
      WriteIntegerOn(input.MaxInputValue, record.maxInputValue, at);
      const PhysicalRange range{ReadRealOn(input.MinPhisValue, at), ReadRealOn(input.MaxPhisValue, at)};
      thresholds_.ReadRegion(input, at, bin::kChannelCodeModbusInputs, record.number, range, scale_);
    }
  }

  CNodeTag_VRK_DeviceV7& root_;
  const bin::CTagBIN_CFGHv2& header_;
  const Body& body_;
  CVibroChannel& ch_;
  const bin::CODETABLE codes_;
  CThresholdReader thresholds_;
  LevelScale scale_;
  CParamDevCycleConverterV7 cycles_;
  bool cycles_ready_ = false;
};

// Reads the image into `tree`. An image that ends where its root, "CFGH" or "CFGB" should start holds no
// configuration: 109 names the first of them that is missing.
template <class TREE>
void ReadTree(TREE& tree, const uint8_t* data, std::size_t size) {
  bin::ReadImage(tree, data, size);
  for (const bin::CNodeTagBIN* tag : {static_cast<const bin::CNodeTagBIN*>(&tree),
                                      static_cast<const bin::CNodeTagBIN*>(&tree.ConfigHeader()),
                                      static_cast<const bin::CNodeTagBIN*>(&tree.ConfigBody())})
    if (!tag->IsPresent()) bin::ThrowTagError(kMsgNoMandatoryTag, *tag);
}

// Marks `root`'s document with `version` and fills it from `tree` with `import`.
template <class TREE, class ROOT, class IMPORT>
void ImportTree(ROOT& root, const TREE& tree, const std::string& version, IMPORT import) {
  root.VersionInfo.version.SetValue(version, {}, false);
  import(root, tree);
}

void ImportVersion7(CNodeTag_VRK_DeviceV7& root, const bin::CTagBIN_CONFv7& tree) {
  CBinImporter<bin::CTagBIN_CONFv7>(root, tree).Run();
}

// Reads the image into the tree `TREE` and fills a root of its version `ROOT`, on a copy of `base`'s document
// marked with `version`, with `import`.
template <class TREE, class ROOT, class IMPORT>
std::unique_ptr<CNodeTag_VRK_Device> ImportImage(const uint8_t* data, std::size_t size,
                                                 const CNodeTag_VRK_DeviceV7& base, const std::string& version,
                                                 IMPORT import, std::vector<std::string>* unread) {
  TREE tree;
  ReadTree(tree, data, size);
  if (unread != nullptr) *unread = UnreadRecords(tree);
  auto root = std::make_unique<ROOT>();
  root->SetImperial(base.imperial());
  root->AttachDocument(CopyDocument(base.document()));
  ImportTree(*root, tree, version, import);
  return root;
}

// The root of the image's own version, filled by that version's importer on a copy of the default
// configuration `base`; `version` gets the configuration version and `unread`, when not null, what the image
// holds that the importer does not read.
std::unique_ptr<CNodeTag_VRK_Device> ImportInItsVersion(const uint8_t* data, std::size_t size,
                                                        const CNodeTag_VRK_DeviceV7& base, uint16_t& version,
                                                        std::vector<std::string>* unread = nullptr) {
  const uint32_t word = bin::ProbeImageVersion(data, size);
  switch (bin::SelectTreeVersion(word)) {
    case bin::BinTreeVersion::kV1:
      version = 1;
      return ImportImage<bin::CTagBIN_CONFv1, CNodeTag_VRK_DeviceV1>(
          data, size, base, "1", [](CNodeTag_VRK_DeviceV1& root, const bin::CTagBIN_CONFv1& tree) {
            ImportVersion1Image(root, tree);
          },
          unread);
    case bin::BinTreeVersion::kV2:
      version = 2;
      return ImportImage<bin::CTagBIN_CONFv2, CNodeTag_VRK_DeviceV2>(
          data, size, base, "2", [](CNodeTag_VRK_DeviceV7& root, const bin::CTagBIN_CONFv2& tree) {
            CBinImporter<bin::CTagBIN_CONFv2>(root, tree).Run();
          },
          unread);
    case bin::BinTreeVersion::kV6:
      version = static_cast<uint16_t>(word);
      return ImportImage<bin::CTagBIN_CONFv6, CNodeTag_VRK_DeviceV6>(
          data, size, base, std::to_string(word), [](CNodeTag_VRK_DeviceV7& root, const bin::CTagBIN_CONFv6& tree) {
            CBinImporter<bin::CTagBIN_CONFv6>(root, tree).Run();
          },
          unread);
    case bin::BinTreeVersion::kV7:
      break;
  }
  version = 7;
  return ImportImage<bin::CTagBIN_CONFv7, CNodeTag_VRK_DeviceV7>(data, size, base, "7", ImportVersion7, unread);
}

}  // namespace

std::unique_ptr<CNodeTag_VRK_DeviceV7> ImportBinImage(const uint8_t* data, std::size_t size, bool imperial) {
  if (bin::SelectTreeVersion(bin::ProbeImageVersion(data, size)) == bin::BinTreeVersion::kV7) {
    // An image of the current version fills the default document in place; the load passes run once, on the
    // result (they would leave the default document as it is).
    std::unique_ptr<CNodeTag_VRK_DeviceV7> root = ParseDefaultConfiguration(imperial);
    bin::CTagBIN_CONFv7 tree;
    ReadTree(tree, data, size);
    ImportTree(*root, tree, "7", ImportVersion7);
    FinishLoad(*root, false);
    return root;
  }
  std::unique_ptr<CNodeTag_VRK_DeviceV7> root = CreateDefaultConfiguration(imperial);
  uint16_t version = 0;
  std::unique_ptr<CNodeTag_VRK_Device> imported = ImportInItsVersion(data, size, *root, version);
  // Images of the version-6 tree are checked with the version-6 schema, whatever their version word.
  FinishLoad(*imported, false);
  ExplainUpgradeFailure(*imported, version, [&] {
    UpgradeAnyToVersion7(*imported, *root);
    FinishLoad(*root, false);
  });
  return root;
}

ImageInItsVersion ReadImageInItsVersion(const uint8_t* data, std::size_t size) {
  std::unique_ptr<CNodeTag_VRK_DeviceV7> base = ParseDefaultConfiguration(false);
  ImageInItsVersion result;
  result.document = ImportInItsVersion(data, size, *base, result.version, &result.unread)->document();
  return result;
}

}  // namespace vrk
