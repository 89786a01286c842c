// The Modbus section's dictionaries with their display names, and its cross-attribute rules.
#include "schema/modbus.h"

#include <optional>

#include "interface/message_ids.h"
#include "interface/message_table.h"
#include "schema/linked_rules.h"
#include "schema/value_text.h"

namespace vrk {
namespace {

using CTable = CNodeTagModbusV7::CTables::CTable;

// Received parameters and received control bits together may not take more places than this.
constexpr int64_t kReceivedPlaces = 100;

// The integer stored in `attribute` at `indexes`; null when the occurrence or the attribute is missing or the
// text is no integer.
std::optional<int64_t> ReadInteger(CNodeAttrInfoXML& attribute, CIndexList indexes) {
  const dom::Node element = attribute.element()->GetNode(indexes, false);
  std::string text;
  if (!element || !attribute.ReadValue(element, &text)) return std::nullopt;
  return ParseIntegerText(text);
}

}  // namespace

CNodeTagModbusV7::CNodeTagModbusV7() : CNodeTagInfoXMLv7("Modbus", false, false) {
  type.range().dictionary = {{"0", kMsgModbusSlave}, {"1", kMsgModbusMaster}};
  AddAttributes({&used, &type, &param_min_int, &param_max_int, &DataValidityTime_s});
  AddChildren({&RS422, &Tables, &Slave_outputs, &ExchangeCycle});
  CompareAsBounds(param_min_int, param_max_int);
}

CNodeTagModbusV7::CRS422::CRS422() : CNodeTagInfoXMLv7("RS422", false, false) {
  databits.range().dictionary = {{"3", kMsgDataBits7}, {"4", kMsgDataBits8}};
  stopbits.range().dictionary = {{"0", kMsgStopBits1}, {"1", kMsgStopBits1_5}, {"2", kMsgStopBits2}};
  parity.range().dictionary = {{"0", kMsgParityNone}, {"1", kMsgParityOdd}, {"2", kMsgParityEven}};
  AddAttributes({&baudrate, &databits, &stopbits, &parity});
}

CNodeTagModbusV7::CExchangeCycle::CCycle::CCommands::CCommand::CCommand() : CNodeTagInfoXMLv7("Command", false, true) {
  Function.range().dictionary = {{"1", kMsgFunctionReadCoils},      {"2", kMsgFunctionReadInputs},
                                 {"3", kMsgFunctionReadHolding},    {"4", kMsgFunctionReadInputRegs},
                                 {"5", kMsgFunctionWriteCoil},      {"6", kMsgFunctionWriteRegister},
                                 {"15", kMsgFunctionWriteCoils},    {"16", kMsgFunctionWriteRegisters}};
  AddAttributes({&Number, &Function, &SlaveAddress, &AddressIn, &AddressEx, &Count});
  SetKeyAttribute(&Number);
}

void CTable::Ccount::CheckLinked(const CIndexList& indexes) {
  auto& table = static_cast<CTable&>(*element());
  const std::optional<int64_t> own_type = ReadInteger(table.type, indexes);
  if (!own_type || (*own_type != 1 && *own_type != 2)) return;
  const std::optional<int64_t> own_count = ReadInteger(*this, indexes);

  // The partner is selected by its key under the same Tables occurrence as this table.
  CIndexList partner_indexes = indexes.Truncated(table.parent()->GetIndexDepth());
  partner_indexes.PushBack({true, *own_type == 1 ? 2u : 1u});
  const std::optional<int64_t> partner_count = ReadInteger(*this, partner_indexes);
  // A count that is missing or no integer is reported by the attribute's own checks.
  if (!own_count || !partner_count) return;

  const int64_t parameters = *own_type == 1 ? *own_count : *partner_count;
  const int64_t control_bits = *own_type == 1 ? *partner_count : *own_count;
  if (parameters + control_bits <= kReceivedPlaces) return;
  throw CConvException(FormatMessageArgs(kMsgReceivedTableTooLarge, {std::to_string(parameters),
                                                                     std::to_string(control_bits),
                                                                     std::to_string(kReceivedPlaces)}),
                       GetFullPath());
}

}  // namespace vrk
