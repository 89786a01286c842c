// Values read over Modbus, scaled to physical values and monitored with level regions.
#pragma once

#include "schema/bands_container.h"

namespace vrk {

class Cmodbus_inputs : public CNodeTagInfoXMLv7 {
 public:
  // One input: the register range MinInputValue..MaxInputValue maps linearly onto MinPhisValue..MaxPhisValue.
  // Its Number is stored in the device unchanged and has no limits of its own.
  class CInput : public CNodeTagBandsContainer {
   public:
    VRK_ATTRIBUTE(CNumber, CNodeAttrInfoXMLv7, "Number", true, ValueRange::Unlimited(kTypeUnsigned16));
    VRK_ATTRIBUTE(CMinPhisValue, CNodeAttrInfoXMLv7, "MinPhisValue", true, ValueRange::Unlimited(kTypeReal));
    VRK_ATTRIBUTE(CMaxPhisValue, CNodeAttrInfoXMLv7, "MaxPhisValue", true, ValueRange::Unlimited(kTypeReal));
    VRK_ATTRIBUTE(CMinInputValue, CNodeAttrInfoXMLv7, "MinInputValue", true, ValueRange::Unlimited(kTypeUnsigned16));
    VRK_ATTRIBUTE(CMaxInputValue, CNodeAttrInfoXMLv7, "MaxInputValue", true, ValueRange::Unlimited(kTypeUnsigned16));

    CInput() : CNodeTagBandsContainer("Input", false, true) {
      AddAttributes({&Number, &MinPhisValue, &MaxPhisValue, &MinInputValue, &MaxInputValue});
      SetKeyAttribute(&Number);
    }
    CNumber Number;
    CMinPhisValue MinPhisValue;
    CMaxPhisValue MaxPhisValue;
    CMinInputValue MinInputValue;
    CMaxInputValue MaxInputValue;
  };

  Cmodbus_inputs() : CNodeTagInfoXMLv7("modbus-inputs", false, false) { AddChildren({&Input}); }
  CInput Input;
};

}  // namespace vrk
