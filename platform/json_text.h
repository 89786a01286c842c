// Quoting of texts for the JSON forms of the tools' output.
#pragma once

#include <string>
#include <string_view>

namespace vrk {

// `text` (UTF-8) as a JSON string literal, quotes included: quote and backslash escaped, control characters as
// \u00XX; everything else passes unchanged.
std::string JsonString(std::string_view text);

}  // namespace vrk
