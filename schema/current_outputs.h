// The current outputs: up to two outputs, each driven by one measured parameter.
#pragma once

#include "schema/parameter_tag.h"

namespace vrk {

class Ccurrent_outputs : public CNodeTagInfoXML {
 public:
  class COutput : public CNodeTagInfoXML {
   public:
    VRK_ATTRIBUTE(CNumber, CNodeAttrInfoXML, "Number", true, ValueRange::Integer(kTypeUnsigned16, 1, 2));
    COutput() : CNodeTagInfoXML("Output", false, true) {
      AddAttributes({&Number});
      AddChildren({&Tag});
      SetKeyAttribute(&Number);
    }
    CNumber Number;
    CParameterTag Tag{false};
  };

  Ccurrent_outputs() : CNodeTagInfoXML("current-outputs", false, false) { AddChildren({&Output}); }
  COutput Output;
};

}  // namespace vrk
