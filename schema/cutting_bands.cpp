#include "schema/cutting_bands.h"

#include "schema/device_v7.h"

namespace vrk {

void RegenerateCuttingBands(CNodeTag_VRK_DeviceV7&) {}

}  // namespace vrk
