// CNodeTag_VRK_DeviceV1: the root of a version-1 configuration, read only to be upgraded. After the shared
// sections it has the version-1 vibration channels and the Modbus section of versions 1 and 2.
#pragma once

#include "schema/device_root.h"
#include "schema/modbus.h"
#include "schema/vibro_channels_v1.h"

namespace vrk {

class CNodeTag_VRK_DeviceV1 : public CNodeTag_VRK_Device {
 public:
  using CVibroChannels = CVibroChannelsV1;
  using CModbus = CNodeTagModbusV7;

  CNodeTag_VRK_DeviceV1();

  void NormalizeLoaded() override;
  void CompleteLoaded() override;
  void CheckNodeRules(CNodeTagInfoXML& element, const CIndexList& indexes, bool full_rules) override;
  // Levels of a vibration measurement or band stay within the channel's measuring range (param minvalue and
  // maxvalue); tachometer levels within the channel's speed range.
  void CheckLevelLimits(CNodeAttrInfoXML& attribute, const CIndexList& indexes) override;
  void PrepareRanges(CNodeAttrInfoXML& attribute, int reserved, const CIndexList& indexes) override;

  CVibroChannels VibroChannels;
  CModbus Modbus;
};

}  // namespace vrk
