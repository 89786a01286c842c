// Construction of the version-1 vibration channel and the cross-attribute rules of its section.
#include "schema/vibro_channels_v1.h"


namespace vrk {
namespace {

using CVibroChannel = CVibroChannelsV1::CVibroChannel;
using CAbsoluteBand = CVibroChannel::CAbsolute_bands::Cband;

}  // namespace

CVibroChannelsV1::CVibroChannelsV1() : CNodeTagInfoXMLv1("VibroChannels", true, false) {
  AddChildren({&wave_settings, &spectrum_settings, &VibroChannel});
  CAbsoluteBand& band = VibroChannel.Absolute_bands.band;
  CompareBandFrequencies(band.low_freq, band.high_freq, wave_settings.fmax);
}

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

}  // namespace vrk
