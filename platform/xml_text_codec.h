// Conversion between an XML document's bytes and its text, using the encoding its own declaration names
// (UTF-8 when it names none). Callers that read and write configuration files use it; the converter itself
// takes and gives text.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace vrk {

class TextCodecError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The encoding the XML declaration at the start of `bytes` names; "UTF-16LE"/"UTF-16BE" after a byte order mark;
// "UTF-8" when there is no declaration or it names none.
std::string DeclaredEncodingOf(std::string_view bytes);

// The document's bytes decoded into UTF-16. Throws TextCodecError for an unknown encoding or undecodable bytes.
std::u16string XmlBytesToText(std::string_view bytes);

// The document's text encoded in the encoding its declaration names. Throws TextCodecError when a character
// cannot be represented there.
std::string XmlTextToBytes(std::u16string_view text);

}  // namespace vrk
