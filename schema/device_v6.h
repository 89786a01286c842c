// The roots of versions 6, 3 and 2. Each is the tree of the version after it without what that version added,
// with the limits the older firmware had; the rules, dictionaries and load passes are those of version 7 where
// the sections exist. These roots are only read and upgraded, never edited or written.
#pragma once

#include "schema/device_v7.h"

namespace vrk {

// Version 6: vibration channels have no high-pass filter switch.
class CNodeTag_VRK_DeviceV6 : public CNodeTag_VRK_DeviceV7 {
 public:
  CNodeTag_VRK_DeviceV6();
};

// Version 3: as version 6 without Modbus inputs; relative bands turn with shafts 1 to 3.
class CNodeTag_VRK_DeviceV3 : public CNodeTag_VRK_DeviceV6 {
 public:
  CNodeTag_VRK_DeviceV3();
};

// Version 2: as version 3 without readiness, test and relay sections; Modbus without exchange cycles and
// without value limits of slave outputs, table types from 0 and output numbers from 0.
class CNodeTag_VRK_DeviceV2 : public CNodeTag_VRK_DeviceV3 {
 public:
  CNodeTag_VRK_DeviceV2();
  // The shared sections only: the relay delays that version 7 completes do not exist here.
  void NormalizeLoaded() override;
};

}  // namespace vrk
