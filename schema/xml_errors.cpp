#include "schema/xml_errors.h"

#include "interface/message_ids.h"
#include "interface/message_table.h"

namespace vrk {
std::string ParseErrorDetail(const std::string& reason, int line, int column) {
  return reason + LoadMessage(kMsgLine) + " " + std::to_string(line) + ", " + LoadMessage(kMsgCharacter) + " " +
         std::to_string(column);
}

void ThrowParseError(uint32_t message, const dom::ParseError& error) {
  ThrowMessage(message, ParseErrorDetail(error.reason(), error.line(), error.column()));
}

std::string UndecodableDocumentDescription(const DecodingFailure& failure) {
  return LoadMessage(kMsgDocumentLoadingError) + "\n" + ParseErrorDetail(failure.reason, failure.line, failure.column);
}

}  // namespace vrk
