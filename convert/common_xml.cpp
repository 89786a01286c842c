// The version-7 converter: reference removal and renumbering, and the channel operations built on them.
#include "convert/common_xml.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "schema/channel_parameters.h"
#include "convert/param_dev_cycle_converter.h"
#include "schema/attribute_values.h"
#include "schema/channel_references.h"
#include "schema/device_v7.h"
#include "schema/element_edits.h"
#include "schema/value_text.h"

namespace vrk {
namespace {

using CVibroChannel = CVibroChannels::CVibroChannel;

CIndexList At(uint32_t position) { return CIndexList{{false, position}}; }

// The (channel, parameter) a reference tag at `indexes` holds; null when either part is missing or not a number.
std::optional<std::pair<uint32_t, uint32_t>> ReadReference(CParameterTag& tag, const CIndexList& indexes) {
  const std::optional<uint32_t> channel = NumberAt(tag.ChannelNum, indexes);
  const std::optional<uint32_t> parameter = NumberAt(tag.ParamNum, indexes);
  if (!channel || !parameter) return std::nullopt;
  return std::make_pair(*channel, *parameter);
}

bool Matches(const ParamReference& wanted, uint32_t channel, uint32_t parameter) {
  const bool has_channel = wanted.channel != kNoReferencePart;
  const bool has_parameter = wanted.parameter != kNoReferencePart;
  if (has_channel && has_parameter)
    return (channel & 0xFFFFu) == wanted.channel && (parameter & 0xFFFFu) == wanted.parameter;
  if (has_channel) return channel == wanted.channel;
  if (has_parameter)
    return channel >= 1 && channel <= kLastVibrationReference && parameter % 65536 == wanted.parameter % 65536;
  return false;
}

bool MatchesAny(const std::vector<ParamReference>& wanted, const std::optional<std::pair<uint32_t, uint32_t>>& held) {
  if (!held) return false;
  return std::any_of(wanted.begin(), wanted.end(),
                     [&](const ParamReference& r) { return Matches(r, held->first, held->second); });
}

// Every reference tag of the `holders` sections with its index list, in document order.
template <typename Visit>
void ForEachReference(CNodeTag_VRK_DeviceV7& root, uint8_t holders, Visit&& visit) {
  if (holders & kCurrentOutputs) {
    auto& output = root.current_outputs.Output;
    for (uint32_t i = 0, n = output.CountNodes({}); i < n; ++i) visit(output.Tag, At(i));
  }
  if (holders & kMonitoring) {
    auto& element = root.Monitoring.Element;
    for (uint32_t i = 0, n = element.CountNodes({}); i < n; ++i)
      for (uint32_t j = 0, m = element.Tag.CountNodes(At(i)); j < m; ++j)
        visit(element.Tag, CIndexList{{false, i}, {false, j}});
  }
  if (holders & kSlaveOutputs) {
    auto& output = root.Modbus.Slave_outputs.Output;
    for (uint32_t i = 0, n = output.CountNodes({}); i < n; ++i) visit(output.Tag, At(i));
  }
}

}  // namespace

std::map<uint32_t, uint32_t> RenumberKeys(CNodeTagInfoXML& element, const CIndexList& parent) {
  CNodeAttrInfoXML& key = *element.key_attribute();
  std::map<uint32_t, uint32_t> renumbered;
  const uint32_t count = element.CountNodes(parent);
  for (uint32_t i = 0; i < count; ++i) {
    const CIndexList at = Append(parent, {false, i});
    const std::optional<uint32_t> old = NumberAt(key, at);
    if (old) renumbered.emplace(*old, i + 1);
    if (old != i + 1) key.SetValue(std::to_string(i + 1), at, false);
  }
  return renumbered;
}

CCommonXMLv7::CCommonXMLv7(CNodeTag_VRK_DeviceV7& root) : CCommonXML(root), v7_(root) {}

std::optional<uint32_t> CCommonXMLv7::VibroChannelNumber(const CIndexList& channel) {
  return NumberAt(v7_.VibroChannels.VibroChannel.number, channel);
}

std::vector<uint32_t> CCommonXMLv7::VibroChannelNumbers() {
  std::vector<uint32_t> numbers;
  const uint32_t count = v7_.VibroChannels.VibroChannel.CountNodes({});
  for (uint32_t i = 0; i < count; ++i)
    if (const std::optional<uint32_t> number = VibroChannelNumber(At(i))) numbers.push_back(*number);
  return numbers;
}

void CCommonXMLv7::RemoveReferences(const std::vector<ParamReference>& references, uint8_t holders) {
  if (references.empty()) return;
  if (holders & kCurrentOutputs) {
    auto& output = v7_.current_outputs.Output;
    for (uint32_t i = output.CountNodes({}); i-- > 0;)
      if (MatchesAny(references, ReadReference(output.Tag, At(i)))) RemoveElement(output, At(i));
  }
  if (holders & kMonitoring) {
    auto& element = v7_.Monitoring.Element;
    bool element_removed = false;
    for (uint32_t i = element.CountNodes({}); i-- > 0;) {
      bool tag_removed = false;
      for (uint32_t j = element.Tag.CountNodes(At(i)); j-- > 0;) {
        const CIndexList tag{{false, i}, {false, j}};
        if (!MatchesAny(references, ReadReference(element.Tag, tag))) continue;
        RemoveElement(element.Tag, tag);
        tag_removed = true;
      }
      // An element that watches nothing any more goes, and its diagnoses with it.
      if (!tag_removed || element.Tag.CountNodes(At(i)) != 0) continue;
      const std::optional<uint32_t> number = NumberAt(element.Number, At(i));
      RemoveElement(element, At(i));
      if (number) RemoveDiagnosesOf(*number);
      element_removed = true;
    }
    if (element_removed) RenumberMonitoring();
  }
  if (holders & kSlaveOutputs) RemoveSlaveOutputs(references);
}

void CCommonXMLv7::RemoveSlaveOutputs(const std::vector<ParamReference>& references) {
  auto& output = v7_.Modbus.Slave_outputs.Output;
  bool removed = false;
  for (uint32_t i = output.CountNodes({}); i-- > 0;) {
    if (!MatchesAny(references, ReadReference(output.Tag, At(i)))) continue;
    RemoveElement(output, At(i));
    removed = true;
  }
  if (removed) RenumberKeys(output, {});
}

void CCommonXMLv7::RenumberMonitoring() {
  const std::map<uint32_t, uint32_t> renumbered = RenumberKeys(v7_.Monitoring.Element, {});
  auto& diagnoses = v7_.Diagnoses.Element;
  std::vector<std::pair<uint32_t, uint32_t>> writes;  // position, new number: read all before writing any
  for (uint32_t i = 0, n = diagnoses.CountNodes({}); i < n; ++i) {
    const std::optional<uint32_t> old = NumberAt(diagnoses.Number, At(i));
    if (!old) continue;
    const auto found = renumbered.find(*old);
    if (found != renumbered.end() && found->second != *old) writes.emplace_back(i, found->second);
  }
  for (const auto& [position, number] : writes) diagnoses.Number.SetValue(std::to_string(number), At(position), false);
  v7_.ResetNodeCache();
}

void CCommonXMLv7::RemoveDiagnosesOf(uint32_t number) {
  auto& element = v7_.Diagnoses.Element;
  for (uint32_t i = element.CountNodes({}); i-- > 0;)
    if (NumberAt(element.Number, At(i)) == number) RemoveElement(element, At(i));
}

void CCommonXMLv7::RenumberReferences(uint32_t channel, const std::map<uint32_t, uint32_t>& parameters) {
  if (parameters.empty()) return;
  ForEachReference(v7_, kAllReferenceHolders, [&](CParameterTag& tag, const CIndexList& at) {
    const auto held = ReadReference(tag, at);
    if (!held || held->first != channel) return;
    const auto found = parameters.find(held->second);
    if (found != parameters.end() && found->second != held->second)
      tag.ParamNum.SetValue(std::to_string(found->second), at, false);
  });
  // Monitoring tags are keyed by the pair just rewritten.
  v7_.ResetNodeCache();
}

void CCommonXMLv7::RenumberReferenceChannel(uint32_t from, uint32_t to) {
  if (from == to) return;
  ForEachReference(v7_, kAllReferenceHolders, [&](CParameterTag& tag, const CIndexList& at) {
    const auto held = ReadReference(tag, at);
    if (held && held->first == from) tag.ChannelNum.SetValue(std::to_string(to), at, false);
  });
  v7_.ResetNodeCache();
}

std::vector<uint32_t> CCommonXMLv7::RemoveShaftBands(const CIndexList& channel, uint32_t tacho) {
  CVibroChannel& ch = v7_.VibroChannels.VibroChannel;
  auto& band = ch.Relative_bands.band;
  std::vector<uint32_t> removed;
  for (uint32_t k = band.CountNodes(channel); k-- > 0;) {
    const CIndexList at = Append(channel, {false, k});
    if (NumberAt(band.shaft, at) != tacho) continue;
    if (const std::optional<uint32_t> number = NumberAt(band.number, at)) removed.push_back(*number);
    if (const std::optional<uint32_t> phase = NumberAt(band.phase.number, at)) removed.push_back(*phase);
    RemoveElement(band, at);
  }
  if (removed.empty()) return removed;

  auto& cutting = ch.Absolute_bands.band.cutting_rel_bands.cutting_band;
  for (uint32_t j = 0, n = ch.Absolute_bands.band.CountNodes(channel); j < n; ++j) {
    const CIndexList absolute = Append(channel, {false, j});
    for (uint32_t c = cutting.CountNodes(absolute); c-- > 0;) {
      const CIndexList at = Append(absolute, {false, c});
      const std::optional<uint32_t> number = NumberAt(cutting.number, at);
      if (number && std::find(removed.begin(), removed.end(), *number) != removed.end()) RemoveElement(cutting, at);
    }
  }
  return removed;
}

void CCommonXMLv7::OnVibroChannelRemoved(const CIndexList& channel) {
  if (const std::optional<uint32_t> number = VibroChannelNumber(channel))
    RemoveReferences({{*number, kNoReferencePart}});
}

void CCommonXMLv7::OnTachoChannelRemoved(uint32_t tacho) {
  RemoveReferences({{tacho + kTachoChannelCodeBase, kNoReferencePart}});
  if (v7_.compatibility_scada21()) {
    // The fixed layout keeps its bands; the parameters reserved for this shaft lose their references.
    std::vector<ParamReference> reserved;
    for (uint32_t p = 4 * tacho + 3; p <= 4 * tacho + 6; ++p) reserved.push_back({kNoReferencePart, p});
    for (uint32_t p = 4 * tacho + 15; p <= 4 * tacho + 18; ++p) reserved.push_back({kNoReferencePart, p});
    RemoveReferences(reserved);
    return;
  }
  for (uint32_t i = 0, n = v7_.VibroChannels.VibroChannel.CountNodes({}); i < n; ++i) {
    const std::vector<uint32_t> removed = RemoveShaftBands(At(i), tacho);
    const std::optional<uint32_t> channel = VibroChannelNumber(At(i));
    if (!channel) continue;
    std::vector<ParamReference> references;
    for (uint32_t number : removed)
      if (number >= 1) references.push_back({*channel, number - 1});
    RemoveReferences(references);
  }
}

uint32_t CCommonXMLv7::GetFirstVibroChannelNumber() {
  const std::vector<uint32_t> numbers = VibroChannelNumbers();
  return numbers.empty() ? 0 : *std::min_element(numbers.begin(), numbers.end());
}

int CCommonXMLv7::GetLevelRegionKind(const CNodeTagInfoXML& region) {
  if (!dynamic_cast<const CNodeTagBandsContainer*>(region.parent())) return 1;
  if (region.name() == "rel_percent_region") return 3;
  if (region.name() == "abs_level_region") return 2;
  return 1;
}

std::vector<WrittenValue> CCommonXMLv7::SnapBandFrequencies() {
  std::vector<WrittenValue> written;
  if (!CParamDevCycleConverterV7::HasLineSettings(v7_)) return written;
  CParamDevCycleConverterV7 lines;
  lines.InitLines(v7_);
  const double df = lines.line_hz();

  // Rewrites the value when it moves; texts that are not numbers are left to the value checks.
  auto snap = [&](CNodeAttrInfoXML& attribute, const CIndexList& at, auto&& onto_lines) {
    const std::optional<double> hz = RealAt(attribute, at);
    if (!hz || *hz < 0) return;
    const double snapped = onto_lines(*hz);
    if (std::fabs(snapped - *hz) < 1e-9) return;
    attribute.SetValue(FormatRealText(snapped, 3), at, false);
    written.push_back({&attribute, at});
  };
  auto down = [&](double hz) { return lines.SnapFrequency(hz, false); };
  auto up = [&](double hz) { return lines.SnapFrequency(hz, true); };
  auto nearest = [&](double hz) { return std::round(std::round(hz / df) * df * 1000.0) / 1000.0; };

  CVibroChannel& ch = v7_.VibroChannels.VibroChannel;
  for (uint32_t i = 0, n = ch.CountNodes({}); i < n; ++i) {
    for (uint32_t j = 0, m = ch.Absolute_bands.band.CountNodes(At(i)); j < m; ++j) {
      const CIndexList at{{false, i}, {false, j}};
      snap(ch.Absolute_bands.band.low_freq, at, down);
      snap(ch.Absolute_bands.band.high_freq, at, up);
    }
    for (uint32_t k = 0, m = ch.Relative_bands.band.CountNodes(At(i)); k < m; ++k) {
      const CIndexList at{{false, i}, {false, k}};
      snap(ch.Relative_bands.band.lower_bound, at, nearest);
      snap(ch.Relative_bands.band.upper_bound, at, nearest);
    }
  }
  return written;
}

std::vector<uint32_t> CCommonXMLv7::CheckParamNumbers(const CIndexList& channel) {
  bool measured[32] = {};
  for (const ParamEntry& entry : ChannelParameters(v7_, channel, false))
    if (entry.kind != kParamPhase && entry.number >= 1 && entry.number <= 31) measured[entry.number] = true;
  std::vector<uint32_t> unmonitored;
  for (uint32_t n = 1; n <= 31; ++n)
    if (!measured[n]) unmonitored.push_back(n - 1);
  return unmonitored;
}

std::vector<uint32_t> CCommonXMLv7::GetFreeParamNumbers(const CIndexList& channel) {
  return vrk::GetFreeParamNumbers(v7_, channel);
}

}  // namespace vrk
