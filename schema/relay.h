// Switching delays of the warning and alarm relays.
#pragma once

#include "schema/node_info.h"

namespace vrk {

class CRelay : public CNodeTagInfoXMLv7 {
 public:
  CRelay() : CNodeTagInfoXMLv7("Relay", false, false) {}
};

}  // namespace vrk
