// Reading the image's Modbus settings record into a configuration's `Modbus` section. Every image version
// stores the same record, so the importers of all versions share this one reading.
#pragma once

#include <cstdint>

#include "schema/attribute_values.h"
#include "schema/index_list.h"

namespace vrk {

// Writes `used` (1 when the image has the record), and when it has one the link type, the transfer scale, the
// data validity time, the RS-422 settings and the address and count of each register table (by type, from 1).
template <class MODBUS_SECTION, class MODBUS_TAG>
void ReadModbusSettings(MODBUS_SECTION& modbus, const MODBUS_TAG& tag) {
  const bool present = tag.IsPresent();
  WriteInteger(modbus.used, present ? 1 : 0, {});
  if (!present) return;
  const auto& record = tag.Record();
  WriteInteger(modbus.type, record.type, {});
  WriteInteger(modbus.param_min_int, record.paramMinInt, {});
  WriteInteger(modbus.param_max_int, record.paramMaxInt, {});
  WriteInteger(modbus.DataValidityTime_s, record.dataValidityTime_s, {});
  WriteInteger(modbus.RS422.baudrate, record.baudrate, {});
  WriteInteger(modbus.RS422.databits, record.databits, {});
  WriteInteger(modbus.RS422.stopbits, record.stopbits, {});
  WriteInteger(modbus.RS422.parity, record.parity, {});
  auto& table = modbus.Tables.Table;
  for (uint32_t type = 1; type <= record.tables.size(); ++type) {
    const CIndexList at{{true, type}};
    WriteInteger(table.address, record.tables[type - 1].address, at);
    WriteInteger(table.count, record.tables[type - 1].count, at);
  }
}

}  // namespace vrk
