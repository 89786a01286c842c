// Turning a parse failure into the component's error: the message, then the parser's reason followed by
// "line: N, character: M" in the caller's language.
#pragma once

#include <cstdint>
#include <string>

#include "platform/decoding_failure.h"
#include "platform/dom/dom.h"

namespace vrk {

// The detail of a failure at a place of a text: `reason` (ending with a line feed), then the line and column.
std::string ParseErrorDetail(const std::string& reason, int line, int column);

[[noreturn]] void ThrowParseError(uint32_t message, const dom::ParseError& error);

// The description the converter gives for a document that does not parse, for bytes a client could not decode
// before handing the text over: the same message, reason and place as a parse error.
std::string UndecodableDocumentDescription(const DecodingFailure& failure);

}  // namespace vrk
