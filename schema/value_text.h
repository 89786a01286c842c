// The text forms of values: how integers, keys and reals are read from text and how numbers are written.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vrk {

// Removes spaces at both ends, then leading zeros, always keeping at least one character.
std::string_view TrimValueText(std::string_view text);

// An integer value text: after trimming at most 10 characters forming a decimal number with an optional sign.
// Null for anything else (empty text, letters, a decimal point, 11 or more characters).
std::optional<int64_t> ParseIntegerText(std::string_view text);

// A key value or virtual-pair text: trimmed as above and read as an unsigned 32-bit decimal number.
std::optional<uint32_t> ParseKeyText(std::string_view text);

// A real value text: the whole text is a C-locale decimal floating-point number (optional sign, digits, "." and an
// optional exponent). Null for an empty text, a comma or anything else; infinities and NaN are refused too.
std::optional<double> ParseRealText(std::string_view text);

// Writes `value` rounded to `decimals` places (halves away from zero; -1: no rounding), then drops trailing zeros
// and a trailing decimal point: 0.1 -> "0.1", 2.0 -> "2", -0.0 -> "0".
std::string FormatRealText(double value, int decimals);

// ASCII case-insensitive equality, the rule for element, attribute and path names.
bool EqualsNoCase(std::string_view a, std::string_view b);

}  // namespace vrk
