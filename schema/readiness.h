// Readiness diagnosis of the device from monitored parameters: each diagnosis watches one parameter for leaving
// its operative range.
#pragma once

#include "schema/node_info.h"

namespace vrk {

class CReadiness : public CNodeTagInfoXMLv7 {
 public:
  class CDiagnose : public CNodeTagInfoXMLv7 {
   public:
    VRK_ATTRIBUTE(CNumber, CNodeAttrInfoXMLv7, "Number", true, ValueRange::Integer(kTypeUnsigned16, 1, 28));
    VRK_ATTRIBUTE(CParamNumber, CNodeAttrInfoXMLv7, "ParamNumber", true, ValueRange::Integer(kTypeUnsigned16, 1, 100));
    // The operative range may shrink to a single value: both bounds are inclusive.
    class Clow_inoperative_level : public CNodeAttrInfoXMLv7 {
     public:
      Clow_inoperative_level()
          : CNodeAttrInfoXMLv7("low_inoperative_level", false, ValueRange::Integer(kTypeUnsigned16, 1, 65535)) {}
      void CheckLinked(const CIndexList& indexes) override;
    };
    class Chigh_inoperative_level : public CNodeAttrInfoXMLv7 {
     public:
      Chigh_inoperative_level()
          : CNodeAttrInfoXMLv7("high_inoperative_level", false, ValueRange::Integer(kTypeUnsigned16, 0, 65535)) {}
      void CheckLinked(const CIndexList& indexes) override;
    };

    CDiagnose() : CNodeTagInfoXMLv7("Diagnose", false, true) {
      AddAttributes({&Number, &ParamNumber, &low_inoperative_level, &high_inoperative_level});
      SetKeyAttribute(&Number);
    }
    CNumber Number;
    CParamNumber ParamNumber;
    Clow_inoperative_level low_inoperative_level;
    Chigh_inoperative_level high_inoperative_level;
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
