// CNodeTag_VRK_DeviceV7: the root of a version-7 configuration, the only version that is held and edited.
#pragma once

#include "schema/device_root.h"

namespace vrk {

class CNodeTag_VRK_DeviceV7 : public CNodeTag_VRK_Device {
 public:
  CNodeTag_VRK_DeviceV7();

  void NormalizeLoaded() override;
  void CompleteLoaded() override;
  void CheckLevelLimits(CNodeAttrInfoXML& attribute, const CIndexList& indexes) override;
  void PrepareRanges(CNodeAttrInfoXML& attribute, int reserved, const CIndexList& indexes) override;
};

}  // namespace vrk
