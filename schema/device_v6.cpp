#include "schema/device_v6.h"

#include "schema/common_normalisation.h"
#include "schema/modbus_rules.h"

namespace vrk {

CNodeTag_VRK_DeviceV6::CNodeTag_VRK_DeviceV6() { VibroChannels.VibroChannel.Unlist(&VibroChannels.VibroChannel.hpf); }

CNodeTag_VRK_DeviceV3::CNodeTag_VRK_DeviceV3() {
  Unlist(&modbus_inputs);
  auto& shaft = VibroChannels.VibroChannel.Relative_bands.band.shaft;
  shaft.range() = ValueRange::Integer(shaft.range().type, 1, 3);
}

CNodeTag_VRK_DeviceV2::CNodeTag_VRK_DeviceV2() {
  Unlist(&Readiness);
  Unlist(&Test);
  Unlist(&Relay);
  RestrictModbusToVersion2(Modbus);
}

void CNodeTag_VRK_DeviceV2::NormalizeLoaded() { NormalizeCommonSections(*this); }

}  // namespace vrk
