#include "editing/change_hook.h"

#include <initializer_list>

#include "convert/common_xml.h"
#include "convert/param_dev_cycle_converter.h"
#include "editing/band_set_modes.h"
#include "editing/parameter_move.h"
#include "schema/attribute_values.h"
#include "schema/channel_references.h"
#include "schema/device_constants.h"
#include "schema/device_v7.h"
#include "schema/element_edits.h"
#include "schema/value_text.h"

namespace vrk {
namespace {

using CVibroChannel = CVibroChannels::CVibroChannel;

// The position of the occurrence `indexes` selects among its same-named siblings; null when it does not exist.
std::optional<uint32_t> PositionOf(CNodeTagInfoXML& element, CIndexList indexes) {
  const dom::Node node = element.GetNode(indexes, false);
  if (!node) return std::nullopt;
  uint32_t position = 0;
  for (dom::Node sibling = node.previousSibling(); sibling; sibling = sibling.previousSibling())
    if (element.Matches(sibling)) ++position;
  return position;
}

// The writes of one hook run, which may call the hook again for the values they write.
class CChangeHook {
 public:
  CChangeHook(CNodeTag_VRK_DeviceV7& root, bool identical) : root_(root), converter_(root), identical_(identical) {}

  // Writes `text` unchecked and reacts to it.
  void Write(CNodeAttrInfoXML& attribute, const std::string& text, const CIndexList& indexes) {
    const std::optional<std::string> old = attribute.FindValue(indexes);
    attribute.SetValue(text, indexes, false);
    AfterWrite(attribute, FollowKey(attribute, indexes, old, text), old);
  }

  // Reacts to `attribute` having been written at `indexes` (which select its element as it is now).
  void AfterWrite(CNodeAttrInfoXML& attribute, const CIndexList& indexes, const std::optional<std::string>& old);

  // Four relative bands of tachometer channel `tacho` in the channel `channel` selects, numbered 4t + 4 to
  // 4t + 7; nothing when the channel or the tachometer channel does not exist.
  void CreateRelativeBands(const CIndexList& channel, uint32_t tacho);

  // The fixed layout of the compatibility mode in the channel `channel` selects: Average 1, PeakPeak 2, absolute
  // band 3 and four relative bands per tachometer channel.
  void WriteCompatibilityLayout(const CIndexList& channel);

  std::vector<PendingCheck> TakeChecks() { return std::move(checks_); }

 private:
  void ChannelNumberWritten(const CIndexList& indexes, uint32_t old);
  void PointWritten(const CIndexList& indexes);
  void UnitWritten(const CIndexList& indexes, const std::optional<std::string>& old);
  void ParameterWritten(CNodeTagInfoXML& element, CNodeAttrInfoXML& attribute, const CIndexList& indexes,
                        const std::optional<std::string>& old);
  void CarryOver(CNodeTagInfoXML& element, const std::vector<CNodeAttrInfoXML*>& attributes,
                 const CIndexList& indexes, uint32_t source);
  void TachoNumberWritten(const CIndexList& indexes, uint32_t old);
  void DelaysFollowCycle();
  void BandsFollowLines();

  // Writes the attribute's default where the attribute is missing.
  void DefaultWhereMissing(CNodeAttrInfoXML& attribute, const CIndexList& indexes) {
    if (!attribute.FindValue(indexes)) attribute.SetValue(attribute.range().default_value, indexes, false);
  }
  void DefaultsWhereMissing(std::initializer_list<CNodeAttrInfoXML*> attributes, const CIndexList& indexes) {
    for (CNodeAttrInfoXML* attribute : attributes) DefaultWhereMissing(*attribute, indexes);
  }
  // The references to parameter `from` of vibration channel `channel` now name parameter `to` (numbers as
  // `number` values; nothing when any of them is missing).
  void FollowParameter(std::optional<uint32_t> channel, std::optional<uint32_t> from, std::optional<uint32_t> to) {
    const uint32_t c = channel.value_or(0), f = from.value_or(0), t = to.value_or(0);
    if (c != 0 && f != 0 && t != 0 && f != t) converter_.RenumberReferences(c, {{f - 1, t - 1}});
  }
  void Check(CNodeAttrInfoXML& attribute, const CIndexList& indexes) {
    checks_.push_back({PendingCheck::kAttribute, &attribute, indexes});
  }

  CNodeTag_VRK_DeviceV7& root_;
  CCommonXMLv7 converter_;
  bool identical_;
  std::vector<PendingCheck> checks_;
};


void CChangeHook::AfterWrite(CNodeAttrInfoXML& a, const CIndexList& indexes, const std::optional<std::string>& old) {
  CVibroChannel& ch = root_.VibroChannels.VibroChannel;
  auto& tacho = root_.TachoChannels.TachoChannel;
  // Channel numbers start at 1: 0 stands for none.
  const uint32_t old_number = KeyOfText(old).value_or(0);
  if (&a == &ch.number) return ChannelNumberWritten(indexes, old_number);
  if (&a == &ch.Linear.Point.volt || &a == &ch.Linear.Point.value) return PointWritten(indexes);
  if (&a == &ch.unit) return UnitWritten(indexes, old);
  for (CNodeTagBandsContainerV2* container : root_.VibroParameterContainers())
    if (&a == &container->number) return ParameterWritten(*container, a, indexes, old);
  if (&a == &ch.Absolute_bands.band.value_type) return ParameterWritten(ch.Absolute_bands.band, a, indexes, old);
  if (&a == &ch.Relative_bands.band.value_type) return ParameterWritten(ch.Relative_bands.band, a, indexes, old);
  if (&a == &ch.Relative_bands.band.phase.number)
    return ParameterWritten(ch.Relative_bands.band.phase, a, indexes, old);
  if (&a == &tacho.number) return TachoNumberWritten(indexes, old_number);
  if (&a == &root_.VibroChannels.wave_settings.fmax) {
    if (old == a.FindValue({})) return;
    DelaysFollowCycle();
    return BandsFollowLines();
  }
  if (&a == &root_.VibroChannels.spectrum_settings.lines && old != a.FindValue({})) return BandsFollowLines();
}

void CChangeHook::ChannelNumberWritten(const CIndexList& indexes, uint32_t old) {
  CVibroChannel& ch = root_.VibroChannels.VibroChannel;
  const CIndexList channel = indexes.Truncated(1);
  const std::optional<uint32_t> now = NumberAt(ch.number, channel);
  if (!now) return;
  // A new channel gets its sensor and processing settings; a renumbered one keeps its own.
  DefaultsWhereMissing({&ch.unit, &ch.trn_sens, &ch.trn_offset, &ch.hpf, &ch.param.unit, &ch.param.average_time_s,
                        &ch.param.sp_window},
                       channel);
  if (old == *now) return;
  if (old != 0) converter_.RenumberReferenceChannel(old, *now);

  if (root_.compatibility_scada21()) WriteCompatibilityLayout(channel);
  if (identical_) {
    std::optional<uint32_t> reference;
    for (uint32_t other : converter_.VibroChannelNumbers())
      if (other != *now && (!reference || other < *reference)) reference = other;
    if (reference) CopyChannelBands(root_, *reference, *now, true);
  }
}

void CChangeHook::PointWritten(const CIndexList& indexes) {
  auto& linear = root_.VibroChannels.VibroChannel.Linear;
  if (!Exists(linear.Point, indexes)) return;
  DefaultWhereMissing(linear.Point.volt, indexes);
  DefaultWhereMissing(linear.Point.value, indexes);
  DefaultWhereMissing(linear.type, indexes.Truncated(1));
}

void CChangeHook::UnitWritten(const CIndexList& indexes, const std::optional<std::string>& old) {
  CVibroChannel& ch = root_.VibroChannels.VibroChannel;
  const std::optional<std::string> unit = ch.unit.FindValue(indexes);
  if (!unit || unit == old) return;
  const CIndexList channel = indexes.Truncated(1);
  // A table made for the old sensor means nothing for the new one.
  RemoveElement(ch.Linear, channel);
  ch.param.unit.SetValue(*unit, channel, false);
  const std::optional<int64_t> code = ParseIntegerText(*unit);
  if (code == kUnitVelocity) ch.trn_sens.SetValue(ch.trn_sens.range().default_value, channel, false);
  if (code == kUnitDisplacement) ch.trn_sens.SetValue(FormatRealText(1.5, 3), channel, false);
  if (code == kUnitDisplacementMm) ch.trn_sens.SetValue("1500", channel, false);
  ch.hpf.SetValue(code == kUnitDisplacement ? "1" : "0", channel, false);
}

void CChangeHook::ParameterWritten(CNodeTagInfoXML& element, CNodeAttrInfoXML& attribute, const CIndexList& indexes,
                                   const std::optional<std::string>& old) {
  const bool is_number = attribute.name() == "number";
  const std::optional<uint32_t> old_number = KeyOfText(old);
  const CIndexList& at = indexes;
  if (!Exists(element, at)) return;
  const std::optional<uint32_t> number = is_number ? NumberAt(attribute, at) : std::nullopt;
  if (is_number && !number) return;
  const CIndexList channel = at.Truncated(1);
  const std::optional<uint32_t> channel_number = converter_.VibroChannelNumber(channel);

  auto* container = dynamic_cast<CNodeTagBandsContainerV2*>(&element);
  if (is_number) {
    // References follow the parameter to its new number; a new parameter gets its measuring range.
    FollowParameter(channel_number, old_number, number);
    if (!old && container) {
      DefaultWhereMissing(container->minvalue, at);
      DefaultWhereMissing(container->maxvalue, at);
      auto& absolute = root_.VibroChannels.VibroChannel.Absolute_bands.band;
      if (&element == &absolute) {
        DefaultWhereMissing(absolute.low_freq, at);
        DefaultWhereMissing(absolute.high_freq, at);
      }
    }
  }
  if (!identical_ || !channel_number) return;
  if (container)
    CarryOver(element, {&container->number, &container->minvalue, &container->maxvalue}, at, *channel_number);
  else
    CarryOver(element, {&attribute}, at, *channel_number);
}

void CChangeHook::CarryOver(CNodeTagInfoXML& element, const std::vector<CNodeAttrInfoXML*>& attributes,
                            const CIndexList& indexes, uint32_t source) {
  // The same occurrence elsewhere: the same container, or the band at the same position (for a phase, the
  // phase of that band).
  CNodeTagInfoXML* positioned = element.repeated()             ? &element
                                : element.parent()->repeated() ? element.parent()
                                                               : nullptr;
  std::optional<uint32_t> position;
  if (positioned) {
    position = PositionOf(*positioned, indexes.Truncated(2));
    if (!position) return;
  }
  for (uint32_t number : converter_.VibroChannelNumbers()) {
    if (number == source || number < 1 || number > kVibrationChannelCount) continue;
    CIndexList target{{true, number}};
    if (position) target.PushBack({false, *position});
    if (!Exists(element, target)) continue;
    for (CNodeAttrInfoXML* attribute : attributes) {
      const std::optional<std::string> value = attribute->FindValue(indexes);
      if (!value) {
        attribute->RemoveValue(target);
        continue;
      }
      const std::optional<uint32_t> before = NumberAt(*attribute, target);
      attribute->SetValue(*value, target, false);
      Check(*attribute, target);
      if (attribute->name() == "number") FollowParameter(number, before, ParseKeyText(*value));
    }
  }
}

void CChangeHook::TachoNumberWritten(const CIndexList& indexes, uint32_t old) {
  auto& tacho = root_.TachoChannels.TachoChannel;
  const CIndexList channel = indexes.Truncated(1);
  const std::optional<uint32_t> now = NumberAt(tacho.number, channel);
  if (!now) return;
  DefaultsWhereMissing({&tacho.unit, &tacho.minvalue, &tacho.maxvalue, &tacho.trn_sens, &tacho.reductor_coeff,
                        &tacho.start_stop_region.start_level, &tacho.start_stop_region.stop_level},
                       channel);
  if (old == *now) return;
  if (old != 0) converter_.RenumberReferenceChannel(old + kTachoChannelCodeBase, *now + kTachoChannelCodeBase);
  if (!root_.compatibility_scada21()) return;
  for (uint32_t i = 0, n = root_.VibroChannels.VibroChannel.CountNodes({}); i < n; ++i)
    CreateRelativeBands(CIndexList{{false, i}}, *now);
}

void CChangeHook::DelaysFollowCycle() {
  const std::optional<double> hz = RealAt(root_.VibroChannels.wave_settings.fmax, {});
  if (!hz || *hz <= 0) return;  // the value check reports it
  CParamDevCycleConverterV7 cycles;
  cycles.InitCycle(root_);
  const struct {
    CNodeAttrInfoXML* attribute;
    int64_t minimum;
  } delays[] = {{&root_.Region_settings.DelayUp_ms, 1},
                {&root_.Region_settings.DelayDn_ms, 1},
                {&root_.Relay.WarningDelay.On_ms, 0},
                {&root_.Relay.WarningDelay.Off_ms, 0},
                {&root_.Relay.AlarmDelay.On_ms, 0},
                {&root_.Relay.AlarmDelay.Off_ms, 0}};
  for (const auto& delay : delays) {
    const std::optional<int64_t> ms = IntegerAt(*delay.attribute, {});
    if (!ms || *ms < 0) continue;
    const int64_t snapped = cycles.SnapTime(static_cast<double>(*ms), delay.minimum);
    if (snapped == *ms) continue;
    delay.attribute->SetValue(std::to_string(snapped), {}, false);
    Check(*delay.attribute, {});
  }
}

void CChangeHook::BandsFollowLines() {
  for (auto* setting : {static_cast<CNodeAttrInfoXML*>(&root_.VibroChannels.wave_settings.fmax),
                        static_cast<CNodeAttrInfoXML*>(&root_.VibroChannels.spectrum_settings.lines)}) {
    const std::optional<std::string> text = setting->FindValue({});
    const std::optional<double> value = RealOfText(text);
    if (text && (!value || *value <= 0)) return;  // the value check reports it
  }
  for (WrittenValue& written : converter_.SnapBandFrequencies()) Check(*written.attribute, written.indexes);
}

void CChangeHook::WriteCompatibilityLayout(const CIndexList& channel) {
  CVibroChannel& ch = root_.VibroChannels.VibroChannel;
  Write(ch.Average.number, "1", channel);
  Write(ch.PeakPeak.number, "2", channel);
  Write(ch.Absolute_bands.band.number, "3", Append(channel, {true, 3}));
  for (uint32_t t = 1; t <= kTachoChannelCount; ++t) CreateRelativeBands(channel, t);
}

void CChangeHook::CreateRelativeBands(const CIndexList& channel, uint32_t tacho) {
  CVibroChannel& ch = root_.VibroChannels.VibroChannel;
  if (!Exists(ch, channel) || !Exists(root_.TachoChannels.TachoChannel, CIndexList{{true, tacho}})) return;
  auto& band = ch.Relative_bands.band;
  // Two spectral lines wide on each side.
  std::string bound = band.lower_bound.range().default_value;
  const std::optional<double> hz = RealAt(root_.VibroChannels.wave_settings.fmax, {});
  const std::optional<double> count = RealAt(root_.VibroChannels.spectrum_settings.lines, {});
  if (hz && count && *count > 0) bound = FormatRealText(2 * *hz / *count, 3);

  const double factors[] = {0.5, 1, 2, 3};
  for (uint32_t k = 0; k < 4; ++k) {
    const uint32_t number = 4 * tacho + 4 + k;
    const bool on_shaft = number >= 8 && number <= 19;
    const CIndexList at = Append(channel, {true, number});
    Write(band.number, std::to_string(number), at);
    Write(band.shaft, on_shaft ? std::to_string(tacho) : "0", at);
    Write(band.factor, on_shaft ? FormatRealText(factors[k], 3) : "0", at);
    Write(band.ranges_type, "2", at);
    Write(band.lower_bound, bound, at);
    Write(band.upper_bound, bound, at);
  }
}

}  // namespace

CIndexList FollowKey(CNodeAttrInfoXML& attribute, const CIndexList& indexes, const std::optional<std::string>& old,
                     const std::optional<std::string>& written) {
  CNodeTagInfoXML& element = *attribute.element();
  if (element.key_attribute() != &attribute || !element.repeated() || !old || !written) return indexes;
  const std::optional<uint32_t> from = ParseKeyText(*old), to = ParseKeyText(*written);
  if (!from || !to) return indexes;
  std::size_t position = 0;  // the entry of `element`: one per repeated element above it
  for (CNodeTagInfoXML* e = element.parent(); e; e = e->parent())
    if (e->repeated()) ++position;
  if (position >= indexes.size() || !indexes[position].use_attr || indexes[position].value != *from) return indexes;
  std::vector<IndexEntry> entries;
  for (std::size_t i = 0; i < indexes.size(); ++i) entries.push_back(indexes[i]);
  entries[position].value = *to;
  return CIndexList(std::move(entries));
}

std::vector<PendingCheck> RunChangeHook(CNodeTag_VRK_DeviceV7& root, bool identical, CNodeAttrInfoXML& attribute,
                                        const CIndexList& indexes, const std::optional<std::string>& old_value) {
  CChangeHook hook(root, identical);
  hook.AfterWrite(attribute, indexes, old_value);
  return hook.TakeChecks();
}

void WriteCompatibilityLayout(CNodeTag_VRK_DeviceV7& root, bool identical, const CIndexList& channel) {
  CChangeHook(root, identical).WriteCompatibilityLayout(channel);
}

}  // namespace vrk
