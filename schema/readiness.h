// Readiness diagnosis of the device from monitored parameters: each diagnosis watches one parameter for leaving
// its operative range.
#pragma once

#include "schema/compared_attribute.h"

namespace vrk {

class CReadiness : public CNodeTagInfoXMLv7 {
 public:
  class CDiagnose : public CNodeTagInfoXMLv7 {
   public:
    VRK_ATTRIBUTE(CNumber, CNodeAttrInfoXMLv7, "Number", true, ValueRange::Integer(kTypeUnsigned16, 1, 28));
    VRK_ATTRIBUTE(CParamNumber, CNodeAttrInfoXMLv7, "ParamNumber", true, ValueRange::Integer(kTypeUnsigned16, 1, 100));
    CDiagnose() : CNodeTagInfoXMLv7("Diagnose", false, true) {
      AddAttributes({&Number, &ParamNumber, &low_inoperative_level, &high_inoperative_level});
      SetKeyAttribute(&Number);
      // The operative range may shrink to a single value: both bounds are inclusive.
      CompareAsBounds(low_inoperative_level, high_inoperative_level, LinkedRule::kLessOrEqual);
    }
    CNumber Number;
    CParamNumber ParamNumber;
    CComparedAttrInfoXML low_inoperative_level{"low_inoperative_level", false,
                                               ValueRange::Integer(kTypeUnsigned16, 1, 65535)};
    CComparedAttrInfoXML high_inoperative_level{"high_inoperative_level", false,
                                                ValueRange::Integer(kTypeUnsigned16, 0, 65535)};
  };

  VRK_ATTRIBUTE(Cused, CNodeAttrInfoXMLv7, "used", true, ValueRange::Integer(kTypeFlag, 0, 1));

  CReadiness() : CNodeTagInfoXMLv7("Readiness", false, false) {
    AddAttributes({&used});
    AddChildren({&Diagnose});
  }
  Cused used;
  CDiagnose Diagnose;
};

}  // namespace vrk
