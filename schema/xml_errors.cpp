#include "schema/xml_errors.h"

#include <string>

#include "interface/message_table.h"

namespace vrk {

void ThrowParseError(uint32_t message, const dom::ParseError& error) {
  ThrowMessage(message, error.reason() + LoadMessage(134) + " " + std::to_string(error.line()) + ", " +
                            LoadMessage(135) + " " + std::to_string(error.column()));
}

}  // namespace vrk
