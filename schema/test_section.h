// The test mode: forced tachometer generator inputs, relays and parameter values.
#pragma once

#include "schema/node_info.h"

namespace vrk {

class CTest : public CNodeTagInfoXMLv7 {
 public:
  CTest() : CNodeTagInfoXMLv7("Test", false, false) {}
};

}  // namespace vrk
