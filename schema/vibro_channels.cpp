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
  CVibroChannel& channel = static_cast<CVibroChannels&>(*element()->parent()).VibroChannel;
  CAbsoluteBand& band = channel.Absolute_bands.band;
  const uint32_t channels = channel.CountNodes(CIndexList());
  for (uint32_t k = 0; k < channels; ++k) {
    const uint32_t bands = band.CountNodes(CIndexList{{false, k}});
    for (uint32_t j = 0; j < bands; ++j)
      CheckLinkedRule(*this, indexes, LinkedRule::kGreaterOrEqual, band.high_freq, CIndexList{{false, k}, {false, j}});
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
