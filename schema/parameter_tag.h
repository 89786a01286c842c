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

// A repeated element selected by its Number (1 to `max_number`) that names one measured parameter in its Tag
// child; TAG is CParameterTag or a tag that extends it, built from `tag_args`.
template <class TAG>
class CNumberedParameterElement : public CNodeTagInfoXML {
 public:
  class CNumber : public CNodeAttrInfoXML {
   public:
    explicit CNumber(int64_t max) : CNodeAttrInfoXML("Number", true, ValueRange::Integer(kTypeUnsigned16, 1, max)) {}
  };

  template <class... TAG_ARGS>
  CNumberedParameterElement(std::string name, int64_t max_number, TAG_ARGS... tag_args)
      : CNodeTagInfoXML(std::move(name), false, true), Number(max_number), Tag(tag_args...) {
    AddAttributes({&Number});
    AddChildren({&Tag});
    SetKeyAttribute(&Number);
  }
  CNumber Number;
  TAG Tag;
};

}  // namespace vrk
