// Decoding a document's bytes: undecodable bytes are reported with their place, as a parse error is.
#include <gtest/gtest.h>

#include "platform/xml_text_codec.h"

namespace vrk {
namespace {

DecodingFailure FailureOf(const std::string& bytes) {
  try {
    XmlBytesToText(bytes);
  } catch (const TextCodecError& e) {
    if (e.decoding_failure()) return *e.decoding_failure();
    ADD_FAILURE() << "no place: " << e.what();
    return {};
  }
  ADD_FAILURE() << "decoded";
  return {};
}

TEST(XmlTextCodec, UndecodableBytesAreReportedWithLineAndColumn) {
  struct Case {
    std::string bytes;
    std::string reason;
    int line, column;
  } cases[] = {
      // 0x98 has no character in windows-1251; the Cyrillic before it counts one character per byte.
      {"<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<a>\xC4\xE0 x\x98 y</a>",
       "Bytes not valid in the encoding windows-1251: 0x98 0x20 0x79 0x3C\n", 2, 8},
      // No declaration: UTF-8, where a two-byte character counts once and a CR LF ends one line.
      {"<a>\r\n\xD0\x94\xFF</a>", "Bytes not valid in the encoding UTF-8: 0xFF 0x3C 0x2F 0x61\n", 2, 2},
      // A byte order mark is no character; a lone CR ends a line.
      {"\xEF\xBB\xBF<a>\r<b>\xC3", "Input ends inside a character of the encoding UTF-8: 0xC3\n", 2, 4},
  };
  for (const Case& c : cases) {
    const DecodingFailure failure = FailureOf(c.bytes);
    EXPECT_EQ(failure.reason, c.reason) << c.bytes;
    EXPECT_EQ(failure.line, c.line) << c.bytes;
    EXPECT_EQ(failure.column, c.column) << c.bytes;
  }
}

TEST(XmlTextCodec, DecodableBytesAndOtherFailuresCarryNoPlace) {
  EXPECT_EQ(XmlBytesToText("<?xml version=\"1.0\" encoding=\"windows-1251\"?><a>\xC4\xE0</a>"),
            u"<?xml version=\"1.0\" encoding=\"windows-1251\"?><a>Да</a>");
  // ASCII bytes are not always ASCII text: in UTF-7 "+BBQ-" is one Cyrillic letter.
  EXPECT_EQ(XmlBytesToText("<?xml version=\"1.0\" encoding=\"UTF-7\"?><a>+BBQ-</a>"),
            u"<?xml version=\"1.0\" encoding=\"UTF-7\"?><a>Д</a>");
  try {
    XmlBytesToText("<?xml version=\"1.0\" encoding=\"x-unknown\"?><a/>");
    ADD_FAILURE() << "decoded";
  } catch (const TextCodecError& e) {
    EXPECT_FALSE(e.decoding_failure());
  }
}

}  // namespace
}  // namespace vrk
