// Express diagnostics: monitoring elements, each watching a set of measured parameters.
#pragma once

#include "schema/parameter_tag.h"

namespace vrk {

class CMonitoring : public CNodeTagInfoXML {
 public:
  class CElement : public CNodeTagInfoXML {
   public:
    VRK_ATTRIBUTE(CNumber, CNodeAttrInfoXML, "Number", true, ValueRange::Integer(kTypeUnsigned16, 1, 16));
    CElement() : CNodeTagInfoXML("Element", false, true) {
      AddAttributes({&Number});
      AddChildren({&Tag});
      SetKeyAttribute(&Number);
    }
    CNumber Number;
    CParameterTag Tag{true};
  };

  CMonitoring() : CNodeTagInfoXML("Monitoring", false, false) { AddChildren({&Element}); }
  CElement Element;
};

}  // namespace vrk
