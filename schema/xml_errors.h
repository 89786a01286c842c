// Turning a parse failure into the component's error: the message, then the parser's reason followed by
// "line: N, character: M" in the caller's language.
#pragma once

#include <cstdint>

#include "platform/dom/dom.h"

namespace vrk {

[[noreturn]] void ThrowParseError(uint32_t message, const dom::ParseError& error);

}  // namespace vrk
