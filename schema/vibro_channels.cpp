// Construction of the vibration channel descriptor and the cross-attribute rules of the section.
#include "schema/vibro_channels.h"

#include "schema/linked_rules.h"

namespace vrk {
namespace {

using CVibroChannel = CVibroChannels::CVibroChannel;
using CAbsoluteBand = CVibroChannel::CAbsolute_bands::Cband;

}  // namespace

CVibroChannels::CVibroChannels() : CNodeTagInfoXMLv7("VibroChannels", true, false) {
  AddChildren({&wave_settings, &spectrum_settings, &VibroChannel});
  CAbsoluteBand& band = VibroChannel.Absolute_bands.band;
  CompareBandFrequencies(band.low_freq, band.high_freq, wave_settings.fmax);
}

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

void CompareBandFrequencies(CComparedAttrInfoXML& low_freq, CComparedAttrInfoXML& high_freq, CNodeAttrInfoXML& fmax) {
  low_freq.CompareWith({{LinkedRule::kLess, &high_freq}});
  high_freq.CompareWith({{LinkedRule::kGreater, &low_freq}, {LinkedRule::kLessOrEqual, &fmax}});
}

void CVibroChannels::Cwave_settings::Cfmax::CheckLinked(const CIndexList& indexes) {
  CComparedAttrInfoXML::CheckLinked(indexes);
  CVibroChannel& channel = static_cast<CVibroChannels&>(*element()->parent()).VibroChannel;
  CAbsoluteBand& band = channel.Absolute_bands.band;
  const uint32_t channels = channel.CountNodes(CIndexList());
  for (uint32_t k = 0; k < channels; ++k) {
    const uint32_t bands = band.CountNodes(CIndexList{{false, k}});
    for (uint32_t j = 0; j < bands; ++j)
      CheckLinkedRule(*this, indexes, LinkedRule::kGreaterOrEqual, band.high_freq, CIndexList{{false, k}, {false, j}});
  }
}

}  // namespace vrk
