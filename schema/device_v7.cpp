#include "schema/device_v7.h"

#include "schema/cutting_bands.h"

namespace vrk {

CNodeTag_VRK_DeviceV7::CNodeTag_VRK_DeviceV7() {
  AddChildren({&VibroChannels, &Modbus, &Readiness, &Test, &Relay, &modbus_inputs});
  FinishTree();
}

std::array<CNodeTagBandsContainerV2*, 7> CNodeTag_VRK_DeviceV7::VibroParameterContainers() {
  auto& ch = VibroChannels.VibroChannel;
  return {&ch.Average, &ch.Peak, &ch.PeakPeak, &ch.WaveRMS, &ch.Crest, &ch.Absolute_bands.band,
          &ch.Relative_bands.band};
}

void CNodeTag_VRK_DeviceV7::RefreshDerivedValues() { RegenerateCuttingBands(*this); }


}  // namespace vrk
