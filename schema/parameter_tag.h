// CParameterTag: a reference to one measured parameter, (ChannelNum, ParamNum) with the virtual pair
// ChannelNum_ParamNum = ChannelNum x 65536 + ParamNum over them. Current outputs, monitoring elements and Modbus
// slave outputs use it; a deriving tag appends its own attributes after these three.
#pragma once

#include "schema/virt_pair_attr.h"

namespace vrk {

class CParameterTag : public CNodeTagInfoXML {
 public:
  VRK_ATTRIBUTE(CChannelNum, CNodeAttrInfoXML, "ChannelNum", true,
                ValueRange::LowerOnly(kTypeUnsigned32, kMinInclusive, "0"));
  VRK_ATTRIBUTE(CParamNum, CNodeAttrInfoXML, "ParamNum", true,
                ValueRange::LowerOnly(kTypeUnsigned32, kMinInclusive, "0"));
  class CChannelNum_ParamNum : public CVirtPairNodeAttrInfoXML {
   public:
    CChannelNum_ParamNum(CNodeAttrInfoXML* first, CNodeAttrInfoXML* second)
        : CVirtPairNodeAttrInfoXML("ChannelNum_ParamNum", false, ValueRange::Unlimited(kTypeUnsigned32), first,
                                   second) {}
  };

  // `keyed`: occurrences are repeated and selected by ChannelNum_ParamNum.
  explicit CParameterTag(bool keyed, bool mandatory = false) : CNodeTagInfoXML("Tag", mandatory, keyed) {
    AddAttributes({&ChannelNum_ParamNum, &ChannelNum, &ParamNum});
    if (keyed) SetKeyAttribute(&ChannelNum_ParamNum);
  }

  CChannelNum ChannelNum;
  CParamNum ParamNum;
  CChannelNum_ParamNum ChannelNum_ParamNum{&ChannelNum, &ParamNum};
};

}  // namespace vrk
