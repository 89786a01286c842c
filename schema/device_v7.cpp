#include "schema/device_v7.h"

#include "schema/cutting_bands.h"

namespace vrk {

CNodeTag_VRK_DeviceV7::CNodeTag_VRK_DeviceV7() {
  AddChildren({&VibroChannels, &Modbus, &Readiness, &Test, &Relay, &modbus_inputs});
  FinishTree();
}

void CNodeTag_VRK_DeviceV7::RefreshDerivedValues() { RegenerateCuttingBands(*this); }

void CNodeTag_VRK_DeviceV7::NormalizeLoaded() {}

void CNodeTag_VRK_DeviceV7::CompleteLoaded() {}

void CNodeTag_VRK_DeviceV7::CheckLevelLimits(CNodeAttrInfoXML&, const CIndexList&) {}

void CNodeTag_VRK_DeviceV7::PrepareRanges(CNodeAttrInfoXML&, int, const CIndexList&) {}

}  // namespace vrk
