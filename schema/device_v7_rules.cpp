// Cross-element rules of the version-7 root: checked at the end of every element check, each for the element it
// belongs to; and the limits that threshold levels must keep within their band.
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "schema/channel_parameters.h"
#include "interface/message_ids.h"
#include "interface/message_table.h"
#include "schema/device_v7.h"
#include "schema/linked_rules.h"
#include "schema/modbus_rules.h"
#include "schema/node_check.h"
#include "schema/node_rules.h"
#include "schema/param_range.h"
#include "schema/value_text.h"

namespace vrk {
namespace {

using CVibroChannel = CVibroChannels::CVibroChannel;

// Values of `attribute` on every occurrence of its repeated element under `parent`, as reals (absent or
// unparsable values are left out: the value checks report those).
std::vector<double> RealsOfOccurrences(CNodeAttrInfoXML& attribute, const CIndexList& parent) {
  std::vector<double> values;
  CNodeTagInfoXML& element = *attribute.element();
  const dom::Node parent_node = element.ParentNode(parent);
  if (!parent_node) return values;
  std::string text;
  element.ForEachIn(parent_node, [&](const dom::Node& node) {
    if (!attribute.ReadValue(node, &text)) return;
    if (const std::optional<double> value = ParseRealText(text)) values.push_back(*value);
  });
  return values;
}

// Linearisation points in the "Signal" or "Value" column closer than a millionth, compared in single precision.
bool HasRepeatedPoint(const std::vector<double>& values) {
  for (std::size_t i = 0; i < values.size(); ++i)
    for (std::size_t j = i + 1; j < values.size(); ++j)
      if (std::fabs(static_cast<float>(values[i]) - static_cast<float>(values[j])) <= 0.000001f) return true;
  return false;
}

// A phase must follow its relative band directly and carry the band's number plus one.
void CheckPhasesFollowTheirBands(CNodeTag_VRK_DeviceV7& root, const CIndexList& channel) {
  const std::vector<ParamEntry> parameters = ChannelParameters(root, channel, false);
  for (std::size_t i = 0; i < parameters.size(); ++i) {
    if (parameters[i].kind != kParamPhase) continue;
    const bool linked = i > 0 && parameters[i - 1].kind == kParamRelativeBand &&
                        parameters[i - 1].number + 1 == parameters[i].number;
    if (!linked) ThrowMessage(kMsgPhaseWithoutBand, parameters[i].element->GetFullPath());
  }
}

// Key numbers of every occurrence of a repeated element under `parent`. A number outside the unsigned 32-bit
// range is left out: it names nothing, and its own range check refuses it.
std::vector<uint32_t> NumbersOf(CNodeAttrInfoXML& number, const CIndexList& parent) {
  std::vector<uint32_t> numbers;
  for (double value : RealsOfOccurrences(number, parent))
    if (value >= 0 && value <= std::numeric_limits<uint32_t>::max()) numbers.push_back(static_cast<uint32_t>(value));
  return numbers;
}

void CheckChannelParameters(CNodeTag_VRK_DeviceV7& root, const CIndexList& channel) {
  for (CNodeTagBandsContainerV2* parameter : root.VibroParameterContainers()) CheckUniqueKeys(*parameter, channel);
  if (!root.compatibility_scada21()) CheckPhasesFollowTheirBands(root, channel);
}

// Every cut-out band names one of the channel's relative bands.
void CheckCuttingBands(CVibroChannel& ch, const CIndexList& band) {
  auto& cutting = ch.Absolute_bands.band.cutting_rel_bands.cutting_band;
  CheckReferencesExist(NumbersOf(cutting.number, band), NumbersOf(ch.Relative_bands.band.number, band.Truncated(1)),
                       cutting, ch.Relative_bands.band);
}

// Every relative band turns with an existing tachometer channel.
void CheckShafts(CNodeTag_VRK_DeviceV7& root, const CIndexList& channel) {
  auto& band = root.VibroChannels.VibroChannel.Relative_bands.band;
  auto& tacho = root.TachoChannels.TachoChannel;
  CheckReferencesExist(NumbersOf(band.shaft, channel), NumbersOf(tacho.number, {}), band, tacho);
}

// The parameter of vibration channel `channel` (by number) that a reference's ParamNum names: references count
// parameters from 0, so it is the one whose number is `param` + 1.
std::optional<ParamEntry> FindParameter(CNodeTag_VRK_DeviceV7& root, uint32_t channel, uint32_t param) {
  const CIndexList channel_indexes{{true, channel}};
  CIndexList lookup = channel_indexes;
  if (!root.VibroChannels.VibroChannel.GetNode(lookup, false)) return std::nullopt;
  for (const ParamEntry& entry : ChannelParameters(root, channel_indexes, false))
    if (entry.number == param + 1 && entry.kind != kParamPhase) return entry;
  return std::nullopt;
}

// A test value stays within the measuring range of the parameter its output publishes.
void CheckTestParameter(CNodeTag_VRK_DeviceV7& root, const CIndexList& parameter) {
  auto& test = root.Test.Parameters.Parameter;
  const std::optional<std::string> output = test.OutputNumber.FindValue(parameter);
  const std::optional<std::string> value_text = test.Value.FindValue(parameter);
  if (!output || !value_text) return;
  const std::optional<uint32_t> output_number = ParseKeyText(*output);
  const std::optional<double> value = ParseRealText(*value_text);
  if (!output_number || !value) return;
  auto& tag = root.Modbus.Slave_outputs.Output.Tag;
  const CIndexList output_indexes{{true, *output_number}};
  const std::optional<std::string> channel = tag.ChannelNum.FindValue(output_indexes);
  const std::optional<std::string> param = tag.ParamNum.FindValue(output_indexes);
  if (!channel || !param) return;
  const std::optional<uint32_t> channel_number = ParseKeyText(*channel), param_number = ParseKeyText(*param);
  if (!channel_number || !param_number) return;
  const std::optional<ParamEntry> entry = FindParameter(root, *channel_number, *param_number);
  if (!entry) return;
  const auto [minimum, maximum] = GetParamRange(root, *entry->element, entry->indexes);
  if (*value > maximum) ThrowLimitError(test.Value, *value_text, LinkedRule::kLessOrEqual, FormatRealText(maximum, 3));
  if (*value < minimum)
    ThrowLimitError(test.Value, *value_text, LinkedRule::kGreaterOrEqual, FormatRealText(minimum, 3));
}

}  // namespace

void CheckLinearisation(CVibroChannels::CVibroChannel::CLinear& linear, const CIndexList& channel) {
  if (linear.Point.CountNodes(channel) < 3) ThrowMessage(kMsgTooFewLinearPoints, linear.GetFullPath());
  if (HasRepeatedPoint(RealsOfOccurrences(linear.Point.volt, channel)))
    ThrowMessage(kMsgRepeatedSignalPoint, linear.GetFullPath());
  if (HasRepeatedPoint(RealsOfOccurrences(linear.Point.value, channel)))
    ThrowMessage(kMsgRepeatedValuePoint, linear.GetFullPath());
}

void CNodeTag_VRK_DeviceV7::CheckNodeRules(CNodeTagInfoXML& element, const CIndexList& indexes, bool full_rules) {
  CVibroChannel& ch = VibroChannels.VibroChannel;
  if (&element == &VibroChannels) {
    CheckUniqueKeys(ch, indexes);
  } else if (&element == &ch.Linear) {
    CheckLinearisation(ch.Linear, indexes.Truncated(1));
  } else if (&element == &ch && full_rules) {
    CheckChannelParameters(*this, indexes.Truncated(1));
  } else if (&element == &ch.Absolute_bands.band.cutting_rel_bands && full_rules) {
    CheckCuttingBands(ch, indexes.Truncated(2));
  } else if (&element == &ch.Relative_bands) {
    CheckShafts(*this, indexes.Truncated(1));
  } else if (&element == &Test.Parameters.Parameter) {
    CheckTestParameter(*this, indexes.Truncated(1));
  }
  CNodeTag_VRK_Device::CheckNodeRules(element, indexes, full_rules);
  CheckModbusRules(Modbus, element, indexes);
}

void CNodeTag_VRK_DeviceV7::AfterAttributeCheck(CNodeAttrInfoXML& attribute, const CIndexList& indexes) {
  // The sensor settings and the linearisation values decide the ranges of the whole channel.
  CVibroChannel& ch = VibroChannels.VibroChannel;
  if (&attribute == &ch.unit || &attribute == &ch.trn_sens || &attribute == &ch.trn_offset ||
      &attribute == &ch.Linear.Point.value)
    CheckNode(ch, indexes.Truncated(1), true, false);
}

bool CNodeTag_VRK_DeviceV7::HandleRemovalCheck(CNodeTagInfoXML& element, const CIndexList& indexes) {
  CVibroChannel& ch = VibroChannels.VibroChannel;
  if (&element == &ch) return true;
  if (&element == &ch.Linear.Point) {
    CheckNode(ch, indexes.Truncated(1), true, false);
    return true;
  }
  return CNodeTag_VRK_Device::HandleRemovalCheck(element, indexes);
}

void CNodeTag_VRK_DeviceV7::CheckLevelLimits(CNodeAttrInfoXML& level, const CIndexList& indexes) {
  // The band owning the level: the parent of its level region.
  CNodeTagInfoXML* band = level.element()->parent();
  CNodeAttrInfoXML* minimum = nullptr;
  CNodeAttrInfoXML* maximum = nullptr;
  if (band == &TachoChannels.TachoChannel) {
    minimum = &TachoChannels.TachoChannel.minvalue;
    maximum = &TachoChannels.TachoChannel.maxvalue;
  } else {
    for (CNodeTagBandsContainerV2* container : VibroParameterContainers())
      if (band == container) minimum = &container->minvalue, maximum = &container->maxvalue;
  }
  if (!minimum) return;
  const std::optional<std::string> text = level.FindValue(indexes);
  if (!text) return;
  const std::optional<double> value = ParseRealText(*text);
  if (!value) return;
  if (const std::optional<std::string> low = minimum->FindValue(indexes)) {
    const std::optional<double> limit = ParseRealText(*low);
    if (limit && *value < *limit) ThrowLimitError(level, *text, LinkedRule::kGreaterOrEqual, *low);
  }
  if (const std::optional<std::string> high = maximum->FindValue(indexes)) {
    const std::optional<double> limit = ParseRealText(*high);
    if (limit && *value > *limit) ThrowLimitError(level, *text, LinkedRule::kLessOrEqual, *high);
  }
}

}  // namespace vrk
