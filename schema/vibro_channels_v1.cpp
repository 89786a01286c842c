// Construction of the version-1 vibration channel and the cross-attribute rules of its section.
#include "schema/vibro_channels_v1.h"

#include "schema/device_v1.h"
#include "schema/linked_rules.h"

namespace vrk {
namespace {

using CVibroChannel = CVibroChannelsV1::CVibroChannel;
using CAbsoluteBand = CVibroChannel::CAbsolute_bands::Cband;
using CRelativeBand = CVibroChannel::CRelative_bands::Cband;

CVibroChannelsV1::Cwave_settings& WaveSettingsOf(const CNodeAttrInfoXML& attribute) {
  return static_cast<CNodeTag_VRK_DeviceV1&>(*attribute.owner()).VibroChannels.wave_settings;
}

}  // namespace

CVibroChannel::CVibroChannel() : CNodeTagInfoXMLv1("VibroChannel", false, true) {
  AddAttributes({&number, &unit, &trn_sens, &trn_offset});
  AddChildren({&Linear, &param, &Average, &PeakPeak, &Overall_RMS, &Absolute_bands, &Relative_bands});
  SetKeyAttribute(&number);
  trn_sens.range().unit_factor = kInchesPerMillimetre;
  param.minvalue.range().unit_factor = kInchesPerMillimetre;
  param.maxvalue.range().unit_factor = kInchesPerMillimetre;
  for (CNodeTagBandsContainer* container : std::initializer_list<CNodeTagBandsContainer*>{
           &Average, &PeakPeak, &Overall_RMS, &Absolute_bands.band, &Relative_bands.band})
    container->SetLevelUnitFactor(kInchesPerMillimetre);
}

void CVibroChannelsV1::Cwave_settings::Cfmin::CheckLinked(const CIndexList& indexes) {
  CheckLinkedRule(*this, LinkedRule::kLess, static_cast<Cwave_settings&>(*element()).fmax, indexes);
}

void CVibroChannelsV1::Cwave_settings::Cfmax::CheckLinked(const CIndexList& indexes) {
  CheckLinkedRule(*this, LinkedRule::kGreater, static_cast<Cwave_settings&>(*element()).fmin, indexes);
}

void CVibroChannel::Cparam::Cminvalue::CheckLinked(const CIndexList& indexes) {
  CheckLinkedRule(*this, LinkedRule::kLess, static_cast<Cparam&>(*element()).maxvalue, indexes);
}

void CVibroChannel::Cparam::Cmaxvalue::CheckLinked(const CIndexList& indexes) {
  CheckLinkedRule(*this, LinkedRule::kGreater, static_cast<Cparam&>(*element()).minvalue, indexes);
}

// Both are integers, so the comparison is an integer one.
void CVibroChannel::COverall_RMS::Clow_freq::CheckLinked(const CIndexList& indexes) {
  CheckLinkedRule(*this, LinkedRule::kLess, static_cast<COverall_RMS&>(*element()).high_freq, indexes);
}

void CVibroChannel::COverall_RMS::Chigh_freq::CheckLinked(const CIndexList& indexes) {
  CheckLinkedRule(*this, LinkedRule::kGreater, static_cast<COverall_RMS&>(*element()).low_freq, indexes);
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
  CheckLinkedRule(*this, LinkedRule::kGreaterOrEqual, static_cast<CRelativeBand&>(*element()).lower_bound, indexes);
}

}  // namespace vrk
