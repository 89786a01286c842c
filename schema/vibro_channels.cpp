// Construction of the vibration channel descriptor and the cross-attribute rules of the section.
#include "schema/vibro_channels.h"

#include <optional>
#include <string>

#include "interface/message_table.h"
#include "schema/device_v7.h"
#include "schema/linked_rules.h"

namespace vrk {
namespace {

using CVibroChannel = CVibroChannels::CVibroChannel;
using CAbsoluteBand = CVibroChannel::CAbsolute_bands::Cband;
using CRelativeBand = CVibroChannel::CRelative_bands::Cband;

CVibroChannels::Cwave_settings& WaveSettingsOf(const CNodeAttrInfoXML& attribute) {
  return static_cast<CNodeTag_VRK_DeviceV7&>(*attribute.owner()).VibroChannels.wave_settings;
}

std::optional<std::string> ReadAt(CNodeAttrInfoXML& attribute, CIndexList indexes) {
  const dom::Node element = attribute.element()->GetNode(indexes, false);
  std::string text;
  if (!element || !attribute.ReadValue(element, &text)) return std::nullopt;
  return text;
}

// fmax >= high_freq of the band `band_indexes` selects. fmax is an integer and high_freq a real, so both are
// read as reals: a fractional high_freq just above fmax must not escape an integer reading. Skipped when either
// is absent or does not parse (its own check reports that).
void CheckFmaxCoversBand(CNodeAttrInfoXML& fmax, const std::string& fmax_text, CNodeAttrInfoXML& high_freq,
                         const CIndexList& band_indexes) {
  const std::optional<std::string> high_text = ReadAt(high_freq, band_indexes);
  if (!high_text) return;
  const std::optional<double> limit = ParseRealText(fmax_text), high = ParseRealText(*high_text);
  if (!limit || !high || *limit >= *high) return;
  const CNodeTag_VRK_Device& root = *fmax.owner();
  throw CConvException(LoadMessage(124) + " (" + root.ToDisplay(fmax, fmax_text) + ") \n" + LoadMessage(125) + " " +
                           LoadMessage(static_cast<uint32_t>(LinkedRule::kGreaterOrEqual)) + " " + high_freq.name() +
                           " (" + root.ToDisplay(high_freq, *high_text) + ")",
                       fmax.GetFullPath());
}

}  // namespace

CVibroChannel::CVibroChannel() : CNodeTagInfoXMLv7("VibroChannel", false, true) {
  AddAttributes({&number, &unit, &trn_sens, &trn_offset, &hpf});
  AddChildren({&Linear, &param, &Average, &Peak, &PeakPeak, &WaveRMS, &Crest, &Absolute_bands, &Relative_bands});
  SetKeyAttribute(&number);
  // Sensitivity, measuring ranges and absolute and relative levels are lengths (or their derivatives) shown in
  // inches in imperial mode, whatever unit the channel measures in.
  trn_sens.range().unit_factor = kInchesPerMillimetre;
  for (CNodeTagBandsContainerV2* container : std::initializer_list<CNodeTagBandsContainerV2*>{
           &Average, &Peak, &PeakPeak, &WaveRMS, &Crest, &Absolute_bands.band, &Relative_bands.band})
    container->SetUnitFactor(kInchesPerMillimetre);
}

void CVibroChannels::Cwave_settings::Cfmin::CheckLinked(const CIndexList& indexes) {
  CheckLinkedRule(*this, LinkedRule::kLess, static_cast<Cwave_settings&>(*element()).fmax, indexes);
}

void CVibroChannels::Cwave_settings::Cfmax::CheckLinked(const CIndexList& indexes) {
  CheckLinkedRule(*this, LinkedRule::kGreater, static_cast<Cwave_settings&>(*element()).fmin, indexes);
  const std::optional<std::string> fmax_text = ReadAt(*this, indexes);
  if (!fmax_text) return;
  CVibroChannel& channel = static_cast<CVibroChannels&>(*element()->parent()).VibroChannel;
  CAbsoluteBand& band = channel.Absolute_bands.band;
  const uint32_t channels = channel.CountNodes(CIndexList());
  for (uint32_t k = 0; k < channels; ++k) {
    const uint32_t bands = band.CountNodes(CIndexList{{false, k}});
    for (uint32_t j = 0; j < bands; ++j)
      CheckFmaxCoversBand(*this, *fmax_text, band.high_freq, CIndexList{{false, k}, {false, j}});
  }
}

void CAbsoluteBand::Clow_freq::CheckLinked(const CIndexList& indexes) {
  CheckLinkedRule(*this, LinkedRule::kLess, static_cast<CAbsoluteBand&>(*element()).high_freq, indexes);
}

void CAbsoluteBand::Chigh_freq::CheckLinked(const CIndexList& indexes) {
  CheckLinkedRule(*this, LinkedRule::kGreater, static_cast<CAbsoluteBand&>(*element()).low_freq, indexes);
  CheckLinkedRule(*this, LinkedRule::kLessOrEqual, WaveSettingsOf(*this).fmax, indexes);
}

void CRelativeBand::Clower_bound::CheckLinked(const CIndexList& indexes) {
  CheckLinkedRule(*this, LinkedRule::kLessOrEqual, static_cast<CRelativeBand&>(*element()).upper_bound, indexes);
}

void CRelativeBand::Cupper_bound::CheckLinked(const CIndexList& indexes) {
  CheckLinkedRule(*this, LinkedRule::kGreaterOrEqual, static_cast<CRelativeBand&>(*element()).lower_bound,
                  indexes);
}

}  // namespace vrk
