// Values that the device keeps in whole cycles or spectral lines are stored as the device will use them.
#include "convert/param_dev_cycle_converter.h"
#include "schema/device_v7.h"
#include "schema/value_text.h"

namespace vrk {

std::string CNodeTag_VRK_DeviceV7::SnapWrittenValue(CNodeAttrInfoXML& a, const std::string& stored,
                                                    const CIndexList&) {
  const bool relay_delay = &a == &Relay.WarningDelay.On_ms || &a == &Relay.WarningDelay.Off_ms ||
                           &a == &Relay.AlarmDelay.On_ms || &a == &Relay.AlarmDelay.Off_ms;
  const bool region_delay = &a == &Region_settings.DelayUp_ms || &a == &Region_settings.DelayDn_ms;
  auto& band = VibroChannels.VibroChannel.Absolute_bands.band;
  const bool band_edge = &a == &band.low_freq || &a == &band.high_freq;
  if (!relay_delay && !region_delay && !band_edge) return stored;

  // Without the settings there is no grid to snap to; the value is stored as given.
  if (band_edge) {
    const std::optional<double> hz = ParseRealText(stored);
    if (!hz || *hz < 0 || !CParamDevCycleConverterV7::HasLineSettings(*this)) return stored;
    CParamDevCycleConverterV7 lines;
    lines.InitLines(*this);
    return FormatRealText(lines.SnapFrequency(*hz, &a == &band.high_freq), 3);
  }
  const std::optional<int64_t> ms = ParseIntegerText(stored);
  if (!ms || *ms < 0 || !CParamDevCycleConverterV7::HasCycleSettings(*this)) return stored;
  CParamDevCycleConverterV7 cycles;
  cycles.InitCycle(*this);
  return std::to_string(cycles.SnapTime(static_cast<double>(*ms), relay_delay ? 0 : 1));
}

}  // namespace vrk
