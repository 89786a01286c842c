// The version-1 root: its tree, its load passes and its cross-element rules, which follow those of version 7
// where the elements exist.
#include "schema/device_v1.h"

#include <optional>

#include "schema/attribute_values.h"
#include "schema/common_normalisation.h"
#include "schema/linked_rules.h"
#include "schema/modbus_rules.h"
#include "schema/node_rules.h"
#include "schema/value_text.h"

namespace vrk {
namespace {

using CVibroChannel = CVibroChannelsV1::CVibroChannel;

// Numbers of every occurrence of a repeated element under `parent` (unparsable ones left out).
std::vector<uint32_t> NumbersOf(CNodeAttrInfoXML& number, const CIndexList& parent) {
  std::vector<uint32_t> numbers;
  const uint32_t count = number.element()->CountNodes(parent);
  for (uint32_t k = 0; k < count; ++k) {
    CIndexList at = parent;
    at.PushBack({false, k});
    if (const std::optional<uint32_t> value = NumberAt(number, at)) numbers.push_back(*value);
  }
  return numbers;
}

void CheckCuttingBands(CVibroChannel& ch, const CIndexList& band) {
  auto& cutting = ch.Absolute_bands.band.cutting_rel_bands.cutting_band;
  CheckReferencesExist(NumbersOf(cutting.number, band), NumbersOf(ch.Relative_bands.band.number, band.Truncated(1)),
                       cutting, ch.Relative_bands.band);
}

void CheckShafts(CNodeTag_VRK_DeviceV1& root, const CIndexList& channel) {
  auto& band = root.VibroChannels.VibroChannel.Relative_bands.band;
  auto& tacho = root.TachoChannels.TachoChannel;
  CheckReferencesExist(NumbersOf(band.shaft, channel), NumbersOf(tacho.number, {}), band, tacho);
}

// `level` against the limit read from `limit` at `limit_indexes`.
void CheckLevelAgainst(CNodeAttrInfoXML& level, const std::string& text, double value, CNodeAttrInfoXML& limit,
                       const CIndexList& limit_indexes, LinkedRule rule) {
  const std::optional<std::string> limit_text = limit.FindValue(limit_indexes);
  if (!limit_text) return;
  const std::optional<double> bound = ParseRealText(*limit_text);
  if (!bound) return;
  const bool broken = rule == LinkedRule::kGreaterOrEqual ? value < *bound : value > *bound;
  if (broken) ThrowLimitError(level, text, rule, *limit_text);
}

}  // namespace

CNodeTag_VRK_DeviceV1::CNodeTag_VRK_DeviceV1() {
  AddChildren({&VibroChannels, &Modbus});
  FinishTree();
  RestrictModbusToVersion2(Modbus);
}

void CNodeTag_VRK_DeviceV1::NormalizeLoaded() { NormalizeCommonSections(*this); }

void CNodeTag_VRK_DeviceV1::CompleteLoaded() {}

void CNodeTag_VRK_DeviceV1::CheckNodeRules(CNodeTagInfoXML& element, const CIndexList& indexes, bool full_rules) {
  // A version-1 configuration is only ever loaded, never edited, so the rules between its attributes (ranges,
  // frequencies, levels) are checked here, with the element they belong to.
  if (full_rules)
    for (CNodeAttrInfoXML* attribute : element.attributes()) attribute->CheckLinked(indexes);
  CVibroChannel& ch = VibroChannels.VibroChannel;
  if (&element == &VibroChannels) {
    CheckUniqueKeys(ch, indexes);
  } else if (&element == &ch.Linear) {
    CheckLinearisation(ch.Linear, indexes.Truncated(1));
  } else if (&element == &ch.Absolute_bands) {
    CheckUniqueKeys(ch.Absolute_bands.band, indexes);
  } else if (&element == &ch.Relative_bands) {
    CheckUniqueKeys(ch.Relative_bands.band, indexes);
    CheckShafts(*this, indexes.Truncated(1));
  } else if (&element == &ch.Absolute_bands.band.cutting_rel_bands && full_rules) {
    CheckCuttingBands(ch, indexes.Truncated(2));
  }
  CNodeTag_VRK_Device::CheckNodeRules(element, indexes, full_rules);
  CheckModbusRules(Modbus, element, indexes);
}

void CNodeTag_VRK_DeviceV1::CheckLevelLimits(CNodeAttrInfoXML& level, const CIndexList& indexes) {
  const std::optional<std::string> text = level.FindValue(indexes);
  if (!text) return;
  const std::optional<double> value = ParseRealText(*text);
  if (!value) return;
  CNodeTagInfoXML* owner = level.element()->parent();
  CVibroChannel& ch = VibroChannels.VibroChannel;
  if (owner == &TachoChannels.TachoChannel) {
    CheckLevelAgainst(level, *text, *value, TachoChannels.TachoChannel.minvalue, indexes,
                      LinkedRule::kGreaterOrEqual);
    CheckLevelAgainst(level, *text, *value, TachoChannels.TachoChannel.maxvalue, indexes, LinkedRule::kLessOrEqual);
    return;
  }
  const bool vibration = owner == &ch.Average || owner == &ch.PeakPeak || owner == &ch.Overall_RMS ||
                         owner == &ch.Absolute_bands.band || owner == &ch.Relative_bands.band;
  if (!vibration) return;
  const CIndexList channel = indexes.Truncated(1);
  CheckLevelAgainst(level, *text, *value, ch.param.minvalue, channel, LinkedRule::kGreaterOrEqual);
  CheckLevelAgainst(level, *text, *value, ch.param.maxvalue, channel, LinkedRule::kLessOrEqual);
}

void CNodeTag_VRK_DeviceV1::PrepareRanges(CNodeAttrInfoXML& a, int, const CIndexList&) {
  if (&a == &VibroChannels.VibroChannel.unit) a.range().dictionary = VibrationUnitDictionary(imperial());
}

}  // namespace vrk
