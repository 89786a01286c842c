// Conversion between an XML document's bytes and its text, using the encoding its own declaration names
// (UTF-8 when it names none). Callers that read and write configuration files use it; the converter itself
// takes and gives text.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/decoding_failure.h"

namespace vrk {

class TextCodecError : public std::runtime_error {
 public:
  explicit TextCodecError(const std::string& what) : std::runtime_error(what) {}
  // Bytes not valid in the document's encoding; what() is the reason and the place.
  explicit TextCodecError(DecodingFailure failure);

  // Where the bytes stop being decodable; none for other failures (an unknown encoding, an unrepresentable
  // character on the way out).
  const std::optional<DecodingFailure>& decoding_failure() const { return decoding_failure_; }

 private:
  std::optional<DecodingFailure> decoding_failure_;
};

// The encoding the XML declaration at the start of `bytes` names; "UTF-16LE"/"UTF-16BE" after a byte order mark;
// "UTF-8" when there is no declaration or it names none.
std::string DeclaredEncodingOf(std::string_view bytes);

// The document's bytes decoded into UTF-16. Throws TextCodecError for an unknown encoding or undecodable bytes
// (then with the place of the first undecodable byte).
std::u16string XmlBytesToText(std::string_view bytes);

// The document's text encoded in the encoding its declaration names. Throws TextCodecError when a character
// cannot be represented there.
std::string XmlTextToBytes(std::u16string_view text);

}  // namespace vrk
