// Values read over Modbus, scaled to physical values and monitored with level regions.
#pragma once

#include "schema/node_info.h"

namespace vrk {

class Cmodbus_inputs : public CNodeTagInfoXMLv7 {
 public:
  Cmodbus_inputs() : CNodeTagInfoXMLv7("modbus-inputs", false, false) {}
};

}  // namespace vrk
