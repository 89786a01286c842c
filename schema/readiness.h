// Readiness diagnosis of the device from monitored parameters.
#pragma once

#include "schema/node_info.h"

namespace vrk {

class CReadiness : public CNodeTagInfoXMLv7 {
 public:
  CReadiness() : CNodeTagInfoXMLv7("Readiness", false, false) {}
};

}  // namespace vrk
