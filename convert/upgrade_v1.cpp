// The step from version 1 to version 2. Version 1 keeps one measuring range per channel (param minvalue and
// maxvalue), measures Average, PeakPeak and an Overall_RMS over its own frequency range, and numbers each band
// kind 1 to 16; version 2 numbers every measurement of a channel 1 to 31 and gives each its own range. The step
// works on a copy of the version-1 document and turns each channel into the version-2 layout in place:
// - param loses minvalue and maxvalue and gets the channel's unit;
// - Average and PeakPeak get the next numbers and the channel's range;
// - Overall_RMS becomes an absolute band (value type 1) with its frequencies, range and level regions;
// - absolute bands, then relative bands, keep their place and get the next numbers, value type 1 and the range;
//   a relative band's phase gets the number after its band and loses its level regions, which version 2 has not;
// - cut-out bands follow the new numbers of the relative bands they name;
// - references (Monitoring, current outputs, Modbus slave outputs) to a parameter of a vibration channel follow
//   its new number. Version-1 references count parameters from 0 as Average, PeakPeak, Overall_RMS, absolute
//   bands 1..16 (3..18), relative bands 1..16 (19..34) and their phases (35..50); references to anything else
//   are left as they are.
#include <map>
#include <optional>

#include "convert/upgrade_chain.h"
#include "schema/attribute_values.h"
#include "schema/value_text.h"

namespace vrk {
namespace {

constexpr uint32_t kCodeAverage = 0;
constexpr uint32_t kCodePeakPeak = 1;
constexpr uint32_t kCodeOverallRms = 2;
constexpr uint32_t kCodeFirstAbsoluteBand = 3;
constexpr uint32_t kCodeFirstRelativeBand = 19;
constexpr uint32_t kCodeFirstPhase = 35;

using COldChannel = CVibroChannelsV1::CVibroChannel;
using CNewChannel = CVibroChannels::CVibroChannel;

dom::Node NodeAt(CNodeTagInfoXML& element, CIndexList indexes) { return element.GetNode(indexes, false); }

// Detaches every attribute of `element` named `name` (ASCII letter case ignored).
void RemoveAttribute(dom::Node element, std::string_view name) {
  for (dom::Node attr = element.firstAttribute(); attr;) {
    const dom::Node next = attr.nextSibling();
    if (EqualsNoCase(attr.name(), name)) element.removeAttributeNode(attr);
    attr = next;
  }
}

bool IsLevelRegion(const dom::Node& node) {
  return node.kind() == dom::NodeKind::kElement &&
         (EqualsNoCase(node.name(), "abs_level_region") || EqualsNoCase(node.name(), "rel_level_region") ||
          EqualsNoCase(node.name(), "rel_percent_region"));
}

// Moves the level regions of `from` to the end of `to` (both elements of one document); with a null `to` they
// are dropped.
void MoveLevelRegions(dom::Node from, dom::Node to) {
  for (dom::Node child = from.firstChild(); child;) {
    const dom::Node next = child.nextSibling();
    if (IsLevelRegion(child)) {
      from.removeChild(child);
      if (to) to.appendChild(child);
    }
    child = next;
  }
}

class CChannelUpgrade {
 public:
  CChannelUpgrade(CNodeTag_VRK_DeviceV1& from, CNodeTag_VRK_DeviceV2& to, const CIndexList& channel)
      : old_(from.VibroChannels.VibroChannel), new_(to.VibroChannels.VibroChannel), at_(channel) {}

  // Converts the channel; returns the new numbers by version-1 parameter code.
  std::map<uint32_t, uint32_t> Run() {
    minimum_ = old_.param.minvalue.FindValue(at_);
    maximum_ = old_.param.maxvalue.FindValue(at_);
    if (const dom::Node param = NodeAt(new_.param, at_)) {
      RemoveAttribute(param, "minvalue");
      RemoveAttribute(param, "maxvalue");
      if (const std::optional<std::string> unit = old_.unit.FindValue(at_)) new_.param.unit.SetValue(*unit, at_, false);
    }
    if (NodeAt(old_.Average, at_)) Number(new_.Average, at_, kCodeAverage);
    if (NodeAt(old_.PeakPeak, at_)) Number(new_.PeakPeak, at_, kCodePeakPeak);
    const uint32_t absolute_count = old_.Absolute_bands.band.CountNodes(at_);
    const uint32_t relative_count = old_.Relative_bands.band.CountNodes(at_);
    ConvertOverallRms(absolute_count);
    for (uint32_t j = 0; j < absolute_count; ++j) ConvertAbsoluteBand(Append(at_, {false, j}));
    for (uint32_t j = 0; j < relative_count; ++j) ConvertRelativeBand(Append(at_, {false, j}));
    for (uint32_t j = 0; j < absolute_count; ++j) RenumberCuttingBands(Append(at_, {false, j}));
    return numbers_;
  }

 private:
  // Gives `container` at `indexes` the next number and the channel's range, and remembers it under `code`.
  void Number(CNodeTagBandsContainerV2& container, const CIndexList& indexes, uint32_t code) {
    container.number.SetValue(std::to_string(next_), indexes, false);
    if (minimum_) container.minvalue.SetValue(*minimum_, indexes, false);
    if (maximum_) container.maxvalue.SetValue(*maximum_, indexes, false);
    numbers_[code] = next_++;
  }

  void ConvertOverallRms(uint32_t band_position) {
    const dom::Node rms = NodeAt(old_.Overall_RMS, at_);
    if (!rms) return;
    auto& band = new_.Absolute_bands.band;
    const CIndexList at = Append(at_, {false, band_position});
    Number(band, at, kCodeOverallRms);
    band.value_type.SetValue("1", at, false);
    for (auto [from, to] : {std::pair<CNodeAttrInfoXML*, CNodeAttrInfoXML*>{&old_.Overall_RMS.low_freq, &band.low_freq},
                            {&old_.Overall_RMS.high_freq, &band.high_freq}})
      if (const std::optional<std::string> value = from->FindValue(at_)) to->SetValue(*value, at, false);
    // The copy of Overall_RMS in the new document gives its regions to the band and goes.
    const dom::Node copy = FindChildNamed(NodeAt(new_, at_), "Overall_RMS");
    if (!copy) return;
    MoveLevelRegions(copy, NodeAt(band, at));
    dom::Node parent = copy.parent();
    parent.removeChild(copy);
  }

  void ConvertAbsoluteBand(const CIndexList& at) {
    const std::optional<uint32_t> number = NumberAt(old_.Absolute_bands.band.number, at);
    auto& band = new_.Absolute_bands.band;
    Number(band, at, number ? kCodeFirstAbsoluteBand + *number - 1 : kNoCode);
    band.value_type.SetValue("1", at, false);
  }

  void ConvertRelativeBand(const CIndexList& at) {
    const std::optional<uint32_t> number = NumberAt(old_.Relative_bands.band.number, at);
    auto& band = new_.Relative_bands.band;
    const uint32_t new_number = next_;
    Number(band, at, number ? kCodeFirstRelativeBand + *number - 1 : kNoCode);
    if (number) relative_numbers_[*number] = new_number;
    band.value_type.SetValue("1", at, false);
    if (!NodeAt(old_.Relative_bands.band.phase, at)) return;
    if (const dom::Node phase = NodeAt(band.phase, at)) MoveLevelRegions(phase, dom::Node());
    band.phase.number.SetValue(std::to_string(next_), at, false);
    if (number) numbers_[kCodeFirstPhase + *number - 1] = next_;
    ++next_;
  }

  void RenumberCuttingBands(const CIndexList& band) {
    auto& cutting = new_.Absolute_bands.band.cutting_rel_bands.cutting_band;
    const uint32_t count = old_.Absolute_bands.band.cutting_rel_bands.cutting_band.CountNodes(band);
    for (uint32_t c = 0; c < count; ++c) {
      const CIndexList at = Append(band, {false, c});
      const std::optional<uint32_t> number =
          NumberAt(old_.Absolute_bands.band.cutting_rel_bands.cutting_band.number, at);
      if (!number) continue;
      const auto found = relative_numbers_.find(*number);
      if (found != relative_numbers_.end()) cutting.number.SetValue(std::to_string(found->second), at, false);
    }
  }

  static dom::Node FindChildNamed(const dom::Node& parent, std::string_view name) {
    if (!parent) return dom::Node();
    for (dom::Node child = parent.firstChild(); child; child = child.nextSibling())
      if (child.kind() == dom::NodeKind::kElement && EqualsNoCase(child.name(), name)) return child;
    return dom::Node();
  }

  static constexpr uint32_t kNoCode = 0xFFFFFFFF;

  COldChannel& old_;
  CNewChannel& new_;
  const CIndexList at_;
  std::optional<std::string> minimum_, maximum_;
  uint32_t next_ = 1;
  std::map<uint32_t, uint32_t> numbers_;           // version-1 code -> new number
  std::map<uint32_t, uint32_t> relative_numbers_;  // old relative band number -> new number
};

using Renumbering = std::map<uint32_t, std::map<uint32_t, uint32_t>>;  // channel number -> code -> number

// Every occurrence of `tag` under `list`'s repeated element (one tag per occurrence, or several when `tag` is
// repeated itself) that names a converted channel's parameter gets its new parameter number.
void RenumberReferences(CParameterTag& tag, CNodeTagInfoXML& element, const Renumbering& renumbering) {
  const uint32_t elements = element.CountNodes({});
  for (uint32_t e = 0; e < elements; ++e) {
    const CIndexList at{{false, e}};
    const uint32_t tags = tag.repeated() ? tag.CountNodes(at) : 1;
    for (uint32_t t = 0; t < tags; ++t) {
      const CIndexList tag_at = tag.repeated() ? Append(at, {false, t}) : at;
      const std::optional<uint32_t> channel = NumberAt(tag.ChannelNum, tag_at);
      const std::optional<uint32_t> param = NumberAt(tag.ParamNum, tag_at);
      if (!channel || !param) continue;
      const auto numbers = renumbering.find(*channel);
      if (numbers == renumbering.end()) continue;
      const auto number = numbers->second.find(*param);
      if (number != numbers->second.end()) tag.ParamNum.SetValue(std::to_string(number->second - 1), tag_at, false);
    }
  }
}

}  // namespace

void UpgradeVersion1To2(CNodeTag_VRK_DeviceV1& from, CNodeTag_VRK_DeviceV2& to) {
  to.AttachDocument(CopyDocument(from.document()));
  to.VersionInfo.version.SetValue("2", {}, false);
  Renumbering renumbering;
  const uint32_t channels = from.VibroChannels.VibroChannel.CountNodes({});
  for (uint32_t k = 0; k < channels; ++k) {
    const CIndexList at{{false, k}};
    std::map<uint32_t, uint32_t> numbers = CChannelUpgrade(from, to, at).Run();
    if (const std::optional<uint32_t> number = NumberAt(from.VibroChannels.VibroChannel.number, at))
      renumbering[*number] = std::move(numbers);
  }
  RenumberReferences(to.Monitoring.Element.Tag, to.Monitoring.Element, renumbering);
  RenumberReferences(to.current_outputs.Output.Tag, to.current_outputs.Output, renumbering);
  RenumberReferences(to.Modbus.Slave_outputs.Output.Tag, to.Modbus.Slave_outputs.Output, renumbering);
}

}  // namespace vrk
