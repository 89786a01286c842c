#include "schema/modbus_rules.h"

#include <algorithm>

#include "schema/node_rules.h"

namespace vrk {

void CheckModbusRules(CNodeTagModbusV7& modbus, CNodeTagInfoXML& element, const CIndexList& indexes) {
  auto& output = modbus.Slave_outputs.Output;
  if (&element == &modbus.Slave_outputs) {
    CheckUniqueKeys(output, indexes);
    // Older versions may number their outputs from 0; a list that uses 0 then runs 0, 1, 2, ...
    const std::vector<uint32_t> keys = KeyList(output, indexes);
    const bool from_zero = output.Number.range().min == "0" && std::find(keys.begin(), keys.end(), 0u) != keys.end();
    CheckKeysWithoutGaps(output, indexes, from_zero ? 0 : 1);
  } else if (&element == &output) {
    CheckExactlyOneChild(output.Tag, indexes);
  } else if (&element == &modbus.Tables) {
    CheckUniqueKeys(modbus.Tables.Table, indexes);
    CheckExactCount(modbus.Tables.Table, indexes, 4);
  }
}

void RestrictModbusToVersion2(CNodeTagModbusV7& modbus) {
  modbus.Unlist(&modbus.ExchangeCycle);
  auto& tag = modbus.Slave_outputs.Output.Tag;
  for (CNodeAttrInfoXML* limit : {static_cast<CNodeAttrInfoXML*>(&tag.ParamMin),
                                  static_cast<CNodeAttrInfoXML*>(&tag.ParamMax),
                                  static_cast<CNodeAttrInfoXML*>(&tag.ParamDef)})
    tag.Unlist(limit);
  modbus.Tables.Table.type.range() = ValueRange::Integer(kTypeUnsigned16, 0, 4);
  ValueRange& number = modbus.Slave_outputs.Output.Number.range();
  number = ValueRange::Integer(number.type, 0, 100);
}

}  // namespace vrk
