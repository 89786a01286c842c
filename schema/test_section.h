// The test mode: forced tachometer generator inputs (TG), their error inputs (TGE), relays and parameter values.
#pragma once

#include "schema/node_info.h"

namespace vrk {

class CTest : public CNodeTagInfoXMLv7 {
 public:
  // Parameter values forced while the test mode is on, each onto the Modbus slave output `OutputNumber`.
  class CParameters : public CNodeTagInfoXMLv7 {
   public:
    class CParameter : public CNodeTagInfoXMLv7 {
     public:
      VRK_ATTRIBUTE(CNumber, CNodeAttrInfoXMLv7, "Number", true, ValueRange::Integer(kTypeUnsigned16, 1, 100));
      VRK_ATTRIBUTE(COutputNumber, CNodeAttrInfoXMLv7, "OutputNumber", true,
                    ValueRange::Integer(kTypeUnsigned16, 1, 100));
      VRK_ATTRIBUTE(CValue, CNodeAttrInfoXMLv7, "Value", true, ValueRange::Unlimited(kTypeReal));

      CParameter() : CNodeTagInfoXMLv7("Parameter", false, true) {
        AddAttributes({&Number, &OutputNumber, &Value});
        SetKeyAttribute(&Number);
      }
      CNumber Number;
      COutputNumber OutputNumber;
      CValue Value;
    };

    CParameters() : CNodeTagInfoXMLv7("Parameters", false, false) { AddChildren({&Parameter}); }
    CParameter Parameter;
  };

  VRK_ATTRIBUTE(Cused, CNodeAttrInfoXMLv7, "used", true, ValueRange::Integer(kTypeFlag, 0, 1));
  // Generator inputs: 0 leaves the input as measured, 1 and 2 force it to 0 or 1.
  VRK_ATTRIBUTE(CTG0, CNodeAttrInfoXMLv7, "TG0", true, ValueRange::Integer(kTypeUnsigned16, 0, 2));
  VRK_ATTRIBUTE(CTG1, CNodeAttrInfoXMLv7, "TG1", true, ValueRange::Integer(kTypeUnsigned16, 0, 2));
  VRK_ATTRIBUTE(CTG2, CNodeAttrInfoXMLv7, "TG2", true, ValueRange::Integer(kTypeUnsigned16, 0, 2));
  VRK_ATTRIBUTE(CTGE0, CNodeAttrInfoXMLv7, "TGE0", true, ValueRange::Integer(kTypeUnsigned16, 0, 2));
  VRK_ATTRIBUTE(CTGE1, CNodeAttrInfoXMLv7, "TGE1", true, ValueRange::Integer(kTypeUnsigned16, 0, 2));
  VRK_ATTRIBUTE(CTGE2, CNodeAttrInfoXMLv7, "TGE2", true, ValueRange::Integer(kTypeUnsigned16, 0, 2));
  // Relays: 0 leaves the relay to the monitoring, 1 and 2 force it off or on.
  VRK_ATTRIBUTE(CRelay1, CNodeAttrInfoXMLv7, "Relay1", true, ValueRange::Integer(kTypeUnsigned16, 0, 2));
  VRK_ATTRIBUTE(CRelay2, CNodeAttrInfoXMLv7, "Relay2", true, ValueRange::Integer(kTypeUnsigned16, 0, 2));
  VRK_ATTRIBUTE(CRelay3, CNodeAttrInfoXMLv7, "Relay3", true, ValueRange::Integer(kTypeUnsigned16, 0, 2));
  VRK_ATTRIBUTE(CRelay4, CNodeAttrInfoXMLv7, "Relay4", true, ValueRange::Integer(kTypeUnsigned16, 0, 2));

  CTest();

  Cused used;
  CTG0 TG0;
  CTG1 TG1;
  CTG2 TG2;
  CTGE0 TGE0;
  CTGE1 TGE1;
  CTGE2 TGE2;
  CRelay1 Relay1;
  CRelay2 Relay2;
  CRelay3 Relay3;
  CRelay4 Relay4;
  CParameters Parameters;
};

}  // namespace vrk
