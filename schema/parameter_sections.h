// The sections that list numbered elements, each naming measured parameters: the current outputs (up to two,
// each driven by one parameter) and the monitoring elements of the express diagnostics (each watching a set).
#pragma once

#include "schema/parameter_tag.h"

namespace vrk {

class Ccurrent_outputs : public CNodeTagInfoXML {
 public:
  using COutput = CNumberedParameterElement<CParameterTag>;
  Ccurrent_outputs() : CNodeTagInfoXML("current-outputs", false, false) { AddChildren({&Output}); }
  COutput Output{"Output", 2, false};
};

class CMonitoring : public CNodeTagInfoXML {
 public:
  using CElement = CNumberedParameterElement<CParameterTag>;
  CMonitoring() : CNodeTagInfoXML("Monitoring", false, false) { AddChildren({&Element}); }
  CElement Element{"Element", 16, true};
};

}  // namespace vrk
