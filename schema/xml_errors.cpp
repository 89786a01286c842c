#include "schema/xml_errors.h"

#include "interface/message_table.h"

namespace vrk {
namespace {

constexpr uint32_t kDocumentLoadingError = 110;

}  // namespace

std::string ParseErrorDetail(const std::string& reason, int line, int column) {
  return reason + LoadMessage(134) + " " + std::to_string(line) + ", " + LoadMessage(135) + " " +
         std::to_string(column);
}

void ThrowParseError(uint32_t message, const dom::ParseError& error) {
  ThrowMessage(message, ParseErrorDetail(error.reason(), error.line(), error.column()));
}

std::string UndecodableDocumentDescription(const DecodingFailure& failure) {
  return LoadMessage(kDocumentLoadingError) + "\n" + ParseErrorDetail(failure.reason, failure.line, failure.column);
}

}  // namespace vrk
