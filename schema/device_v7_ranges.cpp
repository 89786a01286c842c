// Ranges of the version-7 root that depend on other values of the document: unit dictionaries, decimals that
// depend on the sensor, measuring-range limits, limits that follow the spectrum settings, editor increments.
#include <cmath>
#include <cstring>
#include <optional>

#include "convert/param_dev_cycle_converter.h"
#include "interface/message_ids.h"
#include "schema/attribute_values.h"
#include "schema/device_constants.h"
#include "schema/device_v7.h"
#include "schema/param_range.h"
#include "schema/value_text.h"

namespace vrk {
namespace {

using CVibroChannel = CVibroChannels::CVibroChannel;

constexpr int32_t kNoRounding = -1;

// minvalue and maxvalue of every parameter but Average are bounded by the measuring range.
bool IsMeasuringRangeLimit(CNodeTag_VRK_DeviceV7& root, const CNodeAttrInfoXML& a) {
  for (CNodeTagBandsContainerV2* container : root.VibroParameterContainers())
    if (container != &root.VibroChannels.VibroChannel.Average &&
        (&a == &container->minvalue || &a == &container->maxvalue))
      return true;
  return false;
}

}  // namespace

std::vector<DictionaryEntry> VibrationUnitDictionary(bool imperial) {
  return {{"101", imperial ? kMsgUnitInchPerSecond2 : kMsgUnitMetrePerSecond2},
          {"102", imperial ? kMsgUnitInchPerSecond : kMsgUnitMmPerSecond},
          {"103", imperial ? kMsgUnitMils : kMsgUnitMicrometre},
          {"334", imperial ? kMsgUnitInch : kMsgUnitMillimetre}};
}

const std::string& CNodeTag_VRK_DeviceV7::LimitText(double value) {
  for (const auto& entry : limit_texts_)
    if (entry && std::memcmp(&entry->value, &value, sizeof value) == 0) return entry->text;  // -0 is not 0
  auto& entry = limit_texts_[next_limit_text_];
  next_limit_text_ = (next_limit_text_ + 1) % limit_texts_.size();
  entry = LimitTextEntry{value, FormatRealText(value, 3)};
  return entry->text;
}

void CNodeTag_VRK_DeviceV7::PrepareRanges(CNodeAttrInfoXML& a, int reporting, const CIndexList& indexes) {
  // Each branch below is chosen by the attribute alone, so an attribute that none of them takes never has a
  // range to prepare; it is marked and skipped from then on, which spares most values of a check the chain.
  if (a.range_fixed()) return;
  CVibroChannel& ch = VibroChannels.VibroChannel;
  const CIndexList channel = indexes.Truncated(1);

  if (&a == &ch.unit) {
    a.range().dictionary = VibrationUnitDictionary(imperial());
  } else if (&a == &ch.param.unit) {
    if (IntegerAt(ch.unit, channel) == kUnitDisplacementMm)
      a.range().dictionary = {{"334", imperial() ? kMsgUnitInch : kMsgUnitMillimetre}};
    else
      a.range().dictionary = VibrationUnitDictionary(imperial());
  } else if (&a == &ch.trn_sens) {
    const int32_t decimals = ch.Linear.Point.CountNodes(channel) > 0 ? kNoRounding : 3;
    ch.trn_sens.range().add_constraint = decimals;
    ch.trn_offset.range().add_constraint = decimals;
  } else if (&a == &ch.hpf) {
    a.range().add_constraint = IntegerAt(ch.unit, channel) == kUnitDisplacement ? 0 : kNoRounding;
  } else if (&a == &ch.Linear.type) {
    if (const std::optional<int64_t> unit = IntegerAt(ch.unit, channel)) {
      const bool linear_unit =
          (*unit == kUnitDisplacement || *unit == kUnitDisplacementMm) && IntegerAt(ch.param.unit, channel) == unit;
      a.range().add_constraint = linear_unit ? 3 : kNoRounding;
    }
  } else if (IsMeasuringRangeLimit(*this, a)) {
    const auto [minimum, maximum] = GetParamRange(*this, *a.element(), indexes);
    a.range().min = LimitText(minimum);
    a.range().max = LimitText(maximum);
  } else if (&a == &ch.Relative_bands.band.factor) {
    const std::optional<int64_t> shaft = IntegerAt(ch.Relative_bands.band.shaft, indexes);
    if (VibroChannels.wave_settings.fmax.FindValue({}) && shaft && *shaft >= 0 &&
        TachoChannels.TachoChannel.maxvalue.FindValue(CIndexList{{true, static_cast<uint32_t>(*shaft)}}))
      a.range().default_value = FormatRealText(1, 3);
  } else if (&a == &ch.Relative_bands.band.lower_bound || &a == &ch.Relative_bands.band.upper_bound) {
    if (const std::optional<double> value = RealAt(VibroChannels.wave_settings.fmax, {})) {
      a.range().max = FormatRealText(*value / 100 * 25, 3);
      a.range().max_constraint = kMaxInclusive;
    }
  } else if (&a == &Modbus.ExchangeCycle.CycleCount) {
    const bool slave = IntegerAt(Modbus.type, {}) == 0;
    a.range().min = slave ? "0" : "1";
    a.range().max = slave ? "0" : "4";
  } else if (&a == &Region_settings.DelayUp_ms || &a == &Region_settings.DelayDn_ms ||
             &a == &Relay.WarningDelay.On_ms || &a == &Relay.WarningDelay.Off_ms || &a == &Relay.AlarmDelay.On_ms ||
             &a == &Relay.AlarmDelay.Off_ms) {
    if (reporting && CParamDevCycleConverterV7::HasCycleSettings(*this)) {
      CParamDevCycleConverterV7 cycles;
      cycles.InitCycle(*this);
      a.range().increment = FormatRealText(cycles.cycle_ms(), 0);
    }
  } else if (&a == &ch.Absolute_bands.band.low_freq || &a == &ch.Absolute_bands.band.high_freq) {
    if (reporting && CParamDevCycleConverterV7::HasLineSettings(*this)) {
      CParamDevCycleConverterV7 lines;
      lines.InitLines(*this);
      const std::string increment = FormatRealText(lines.line_hz(), kNoRounding);
      ch.Absolute_bands.band.low_freq.range().increment = increment;
      ch.Absolute_bands.band.high_freq.range().increment = increment;
    }
  } else {
    a.MarkRangeFixed();
  }
}

}  // namespace vrk
