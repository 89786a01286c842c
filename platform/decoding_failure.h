// Where a document's bytes stop being decodable, reported as a parser reports a syntax error: a reason, a line
// and a column. Clients that decode a file before handing its text over report bad bytes with it, and text is
// checked before it is encoded for the XML engine.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vrk {

struct DecodingFailure {
  std::string reason;  // ends with a line feed, as the engine's reasons do
  int line = 1;        // 1-based
  int column = 1;      // 1-based, in characters
};

// The first place where `bytes` are not valid in `encoding` (a name iconv knows): a byte sequence that is no
// character, or one cut short by the end of the input. None when every byte decodes, or when the encoding is
// unknown (the caller reports that on its own). A leading byte order mark is not counted as a character.
std::optional<DecodingFailure> FindDecodingFailure(std::string_view bytes, const std::string& encoding);

// The first unpaired surrogate of UTF-16 `text`, which no encoding can take; none when the text is well-formed.
std::optional<DecodingFailure> FindUnpairedSurrogate(std::u16string_view text);

}  // namespace vrk
