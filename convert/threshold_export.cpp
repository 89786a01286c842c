#include "convert/threshold_export.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "schema/channel_parameters.h"
#include "convert/level_coding.h"
#include "convert/param_dev_cycle_converter.h"
#include "convert/record_codes.h"
#include "convert/threshold_levels.h"
#include "interface/message_ids.h"
#include "interface/message_table.h"
#include "schema/attribute_values.h"
#include "schema/channel_references.h"
#include "schema/device_v7.h"
#include "schema/value_text.h"

namespace vrk {
namespace {

using bin::TRESHOLDCONFIG;

constexpr uint16_t kMonitoringSlots = TRESHOLDCONFIG::kSlotCount;

uint32_t Reference(uint32_t channel, uint16_t param) { return channel << 16 | param; }

// A readiness record: (ordinal k, parameter p, level v, last-slot action x).
TRESHOLDCONFIG ReadinessRecord(uint16_t k, uint16_t p, uint16_t v, uint8_t x) {
  TRESHOLDCONFIG record;
  record.channelCode = bin::kChannelCodeModbusInputs;
  record.paramNum = p;
  record.levelCode = k;
  record.upperLevel = v;
  record.lowerLevel = v;
  for (auto& slot : record.slots) slot = {bin::kSlotActionUnused, bin::kSlotActionUnused};
  record.slots.back() = {x < bin::kSlotActionMonitored ? bin::kReadinessRelayMark : bin::kSlotActionUnused, x};
  return record;
}

class CThresholdBuilder {
 public:
  CThresholdBuilder(CNodeTag_VRK_DeviceV7& root, const bin::CODETABLE& codes)
      : root_(root), codes_(codes), scale_(TransferScale(root)) {
    ReadMonitoring();
  }

  std::vector<TRESHOLDCONFIG> Build() {
    for (const auto& [n, channel] : OccurrencesByKey(root_.VibroChannels.VibroChannel, {}))
      AddVibrationChannel(n, channel);
    for (const auto& [n, channel] : OccurrencesByKey(root_.TachoChannels.TachoChannel, {})) AddTachoChannel(n, channel);
    root_.SetStoredIndexes({});
    for (const auto& [number, input] : OccurrencesByKey(root_.modbus_inputs.Input, {})) AddModbusInput(number, input);
    AddReadiness();
    return std::move(records_);
  }

 private:
  // The hysteresis and the two delays in cycles, read when the first level needs them.
  struct RegionSettings {
    double hysteresis_percent;
    uint16_t delay_up;
    uint16_t delay_dn;
  };

  // A monitoring element: its slot and the references of its tags.
  struct Monitored {
    uint32_t slot;
    std::vector<uint32_t> references;
  };

  void ReadMonitoring() {
    auto& element = root_.Monitoring.Element;
    std::string text;
    for (const dom::Node& at : Occurrences(element, CIndexList())) {
      const uint16_t number = ReadU16On(element.Number, at);
      if (number < 1 || number > kMonitoringSlots) ThrowMessage(kMsgIncorrectValueType, element.Number.GetFullPath());
      Monitored monitored{number - 1u, {}};
      element.Tag.ForEachIn(at, [&](const dom::Node& tag) {
        if (element.Tag.ChannelNum_ParamNum.ReadValue(tag, &text))
          if (const auto reference = ParseKeyText(text)) monitored.references.push_back(*reference);
      });
      monitored_.push_back(std::move(monitored));
    }
    std::stable_sort(monitored_.begin(), monitored_.end(),
                     [](const Monitored& a, const Monitored& b) { return a.slot < b.slot; });
  }

  const RegionSettings& Settings() {
    if (!settings_) {
      auto& region = root_.Region_settings;
      CParamDevCycleConverterV7 cycles;
      cycles.InitCycle(root_);
      settings_ = RegionSettings{
          static_cast<double>(ReadU16(region.Hysteresis_percent, {})),
          CheckedU16(cycles.CyclesFromTime(ReadU32(region.DelayUp_ms, {}), 1), region.DelayUp_ms),
          CheckedU16(cycles.CyclesFromTime(ReadU32(region.DelayDn_ms, {}), 1), region.DelayDn_ms)};
    }
    return *settings_;
  }

  // One record per present level of the owner's absolute region. Peak-like values have only the low
  // inoperative level among the low ones.
  void AddRegion(CNodeTagBandsContainer& owner, const dom::Node& owner_node, uint16_t channel_code, uint16_t param,
                 uint32_t reference, PhysicalRange own, bool low_inoperative_only) {
    auto& region = owner.abs_level_region;
    const dom::Node at = region.FirstIn(owner_node);
    if (!at) return;
    const PhysicalRange range = LevelRegionRange(region, own);
    const std::optional<uint16_t> relay_value = FindU16On(region.relay, at);
    const uint8_t relay = static_cast<uint8_t>(CheckedU16(relay_value.value_or(0), region.relay) & 0xFF);
    for (const ThresholdLevel& level : ThresholdLevels(region)) {
      if (low_inoperative_only && !level.high && level.attribute != &region.low_inoperative_level) continue;
      const std::optional<double> value = FindRealOn(*level.attribute, at);
      if (!value) continue;
      const RegionSettings& settings = Settings();
      const double h = std::fabs(*value * settings.hysteresis_percent / 100);
      TRESHOLDCONFIG record;
      record.channelCode = channel_code;
      record.paramNum = param;
      record.levelCode = codes_.words[level.code_word];
      record.upperLevel = EncodeLevel(level.high ? *value : *value + h, range, scale_);
      record.lowerLevel = EncodeLevel(level.high ? *value - h : *value, range, scale_);
      record.tripDelay = level.high ? settings.delay_up : settings.delay_dn;
      record.releaseDelay = level.high ? settings.delay_dn : settings.delay_up;
      for (auto& slot : record.slots) slot = {relay, bin::kSlotActionUnused};
      for (const Monitored& monitored : monitored_)
        if (std::find(monitored.references.begin(), monitored.references.end(), reference) !=
            monitored.references.end())
          record.slots[monitored.slot].action = bin::kSlotActionMonitored;
      records_.push_back(record);
    }
  }

  // `at` is the parameter's element; null when the channel has none.
  void AddParameter(CNodeTagBandsContainerV2& parameter, const dom::Node& at, uint32_t channel,
                    bool low_inoperative_only) {
    if (!at || !parameter.abs_level_region.FirstIn(at)) return;
    const uint16_t param = static_cast<uint16_t>(ReadU16On(parameter.number, at) - 1);
    AddRegion(parameter, at, ChannelCodeOf(channel), param, Reference(channel, param),
              {ReadRealOn(parameter.minvalue, at), ReadRealOn(parameter.maxvalue, at)}, low_inoperative_only);
  }

  void AddVibrationChannel(uint32_t n, const dom::Node& at) {
    auto& ch = root_.VibroChannels.VibroChannel;
    root_.SetStoredIndexes({{true, n}});
    const auto containers = root_.VibroParameterContainers();
    for (std::size_t kind = kParamAverage; kind <= kParamCrest; ++kind)
      AddParameter(*containers[kind], containers[kind]->FirstIn(at), n, kind != kParamAverage);
    const struct {
      CNodeTagInfoXML& list;
      CNodeTagBandsContainerV2& band;
    } bands[] = {{ch.Absolute_bands, ch.Absolute_bands.band}, {ch.Relative_bands, ch.Relative_bands.band}};
    for (const auto& [list, band] : bands)
      for (const dom::Node& node : Occurrences(band, list.FirstIn(at))) AddParameter(band, node, n, false);
  }

  void AddTachoChannel(uint32_t n, const dom::Node& at) {
    auto& tacho = root_.TachoChannels.TachoChannel;
    root_.SetStoredIndexes({{true, n}});
    if (!tacho.abs_level_region.FirstIn(at)) return;
    const uint32_t channel = kTachoChannelCodeBase + n;
    AddRegion(tacho, at, ChannelCodeOf(channel), 0, Reference(channel, 0),
              {ReadRealOn(tacho.minvalue, at), ReadRealOn(tacho.maxvalue, at)}, false);
  }

  void AddModbusInput(uint32_t number, const dom::Node& at) {
    auto& input = root_.modbus_inputs.Input;
    if (!input.abs_level_region.FirstIn(at)) return;
    const uint16_t param = CheckedU16(number, input.Number);
    AddRegion(input, at, bin::kChannelCodeModbusInputs, param, Reference(kModbusInputsReference, param),
              {ReadRealOn(input.MinPhisValue, at), ReadRealOn(input.MaxPhisValue, at)}, false);
  }

  // Each diagnosis in document order: its levels, the low one stored one below its value, then a closing record
  // with no level; the diagnosis number rides in the last slot of the first or the closing record.
  void AddReadiness() {
    auto& readiness = root_.Readiness;
    if (FindU16(readiness.used, {}).value_or(0) != 1) return;
    auto& diagnose = readiness.Diagnose;
    for (const dom::Node& at : Occurrences(diagnose, CIndexList())) {
      const uint8_t n = static_cast<uint8_t>(ReadU16On(diagnose.Number, at) - 1);
      const uint16_t p = static_cast<uint16_t>(ReadU16On(diagnose.ParamNumber, at) - 1);
      const std::optional<uint16_t> lo = FindU16On(diagnose.low_inoperative_level, at);
      const std::optional<uint16_t> hi = FindU16On(diagnose.high_inoperative_level, at);
      const uint16_t none = bin::kReadinessNoLevel;
      const uint8_t unused = bin::kSlotActionUnused;
      if (lo && hi) {
        records_.push_back(ReadinessRecord(0, p, static_cast<uint16_t>(*lo - 1), n));
        records_.push_back(ReadinessRecord(1, p, *hi, unused));
        records_.push_back(ReadinessRecord(2, p, none, n));
      } else if (lo) {
        records_.push_back(ReadinessRecord(0, p, static_cast<uint16_t>(*lo - 1), n));
        records_.push_back(ReadinessRecord(1, p, none, unused));
      } else if (hi) {
        records_.push_back(ReadinessRecord(0, p, *hi, unused));
        records_.push_back(ReadinessRecord(1, p, none, n));
      } else {
        records_.push_back(ReadinessRecord(0, p, none, static_cast<uint8_t>(n + bin::kReadinessBareOffset)));
      }
    }
  }

  CNodeTag_VRK_DeviceV7& root_;
  const bin::CODETABLE& codes_;
  const LevelScale scale_;
  std::vector<Monitored> monitored_;
  std::optional<RegionSettings> settings_;
  std::vector<TRESHOLDCONFIG> records_;
};

}  // namespace

std::vector<TRESHOLDCONFIG> ExportThresholds(CNodeTag_VRK_DeviceV7& root, const bin::CODETABLE& codes) {
  return CThresholdBuilder(root, codes).Build();
}

}  // namespace vrk
