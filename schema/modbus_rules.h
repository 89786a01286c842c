// Cross-element rules of the Modbus section, and the section as versions 1 and 2 have it.
#pragma once

#include "schema/modbus.h"

namespace vrk {

// Checks the rules that belong to `element` at `indexes`, when it is part of `modbus`: slave outputs with unique
// numbers without gaps (from 1, or from 0 where the numbers may start there) and one tag each, exactly four tables with
// unique types. Throws CConvException kMsgKeyNotUnique, kMsgKeysNotConsecutive, kMsgSubnodeNotUnique or kMsgNodeCount.
void CheckModbusRules(CNodeTagModbusV7& modbus, CNodeTagInfoXML& element, const CIndexList& indexes);

// Turns a finished version-7 Modbus tree into the one of versions 1 and 2: no exchange cycles, slave-output tags
// without ParamMin, ParamMax and ParamDef, table types 0 to 4 and output numbers 0 to 100.
void RestrictModbusToVersion2(CNodeTagModbusV7& modbus);

}  // namespace vrk
