// The Modbus link over RS-422: serial settings, register tables, slave outputs and exchange cycles.
#pragma once

#include "schema/node_info.h"

namespace vrk {

class CNodeTagModbusV7 : public CNodeTagInfoXMLv7 {
 public:
  CNodeTagModbusV7() : CNodeTagInfoXMLv7("Modbus", false, false) {}
};

}  // namespace vrk
