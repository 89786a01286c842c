// Output: whole documents in their declared encoding, and nodes as UTF-8 XML text.
#include <gtest/gtest.h>

#include "dom/dom_test_util.h"
#include "platform/dom/dom.h"
#include "platform/dom/encoding.h"

namespace vrk::dom {
namespace {

using testing::Cp1251;

const std::u16string kCyrillic =
    u"<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n"
    u"<!-- Конфигурация -->\n"
    u"<VRK_Device version=\"7\">\n"
    u"  <Channel name=\"Канал 1\" unit=\"мм/с\">Ёлка &amp; ёж</Channel>\n"
    u"  <!-- Пусто -->\n"
    u"</VRK_Device>\n";

TEST(DomSerialise, Cp1251DocumentRoundTripsByteForByte) {
  const std::string bytes = Cp1251(kCyrillic);
  EXPECT_EQ(Document::parseBytes(bytes).bytes(), bytes);
  EXPECT_EQ(Document::parseBytes(bytes).text(), kCyrillic);  // the text decodes the declared encoding
}

TEST(DomSerialise, ParsedTextKeepsItsDeclaredEncoding) {
  Document doc = Document::parseText(kCyrillic);
  EXPECT_EQ(doc.bytes(), Cp1251(kCyrillic));
  EXPECT_EQ(doc.text(), kCyrillic);
  EXPECT_EQ(doc.documentElement().firstChild().nextSibling().attribute("unit").value(), "мм/с");
  EXPECT_EQ(Document::parseText(u"\uFEFF" + kCyrillic).bytes(), Cp1251(kCyrillic));  // a byte order mark is no text
}

TEST(DomSerialise, WithoutDeclaredEncodingTheOutputIsUtf8) {
  EXPECT_EQ(Document::parseBytes("<a x=\"Д\">Ж</a>").bytes(), "<a x=\"Д\">Ж</a>\n");
  EXPECT_EQ(Document::parseBytes("<?xml version=\"1.0\" standalone=\"yes\"?><a>Ж</a>").bytes(),
            "<?xml version=\"1.0\" standalone=\"yes\"?>\n<a>Ж</a>\n");
  Document from_text = Document::parseText(u"<?xml version=\"1.0\"?>\n<a x=\"Д\"/>");
  EXPECT_EQ(from_text.bytes(), "<?xml version=\"1.0\"?>\n<a x=\"Д\"/>\n");
  EXPECT_EQ(from_text.text(), u"<?xml version=\"1.0\"?>\n<a x=\"Д\"/>\n");
}

TEST(DomSerialise, UnrepresentableCharactersBecomeReferences) {
  Document doc = Document::parseBytes(Cp1251(kCyrillic));
  doc.documentElement().setAttribute("note", "中 & \"q\"");
  EXPECT_NE(doc.bytes().find("note=\"&#20013; &amp; &quot;q&quot;\""), std::string::npos);
}

// text() takes a shorter way for single-byte encodings whose characters the document all has; it must give what
// decoding bytes() gives, in every place a character can stand, and fall back when a character is missing.
TEST(DomSerialise, TextIsTheDecodedBytesInEverySingleByteEncoding) {
  for (const char* encoding : {"windows-1251", "KOI8-R", "CP866", "ISO-8859-5", "ISO-8859-1", "windows-1252"}) {
    std::string high;
    for (int value = 0x80; value < 0x100; ++value) {
      const std::string byte(1, static_cast<char>(value));
      try {
        DecodeToUtf16(byte, encoding);
        high += byte;
      } catch (const Error&) {  // no character of this encoding
      }
    }
    const std::u16string chars = DecodeToUtf16(high, encoding);
    for (const std::u16string extra : {u"", u"中", u"😀"}) {
      for (const char16_t* standalone : {u"", u" standalone=\"yes\""}) {
        const std::u16string source = u"<?xml version=\"1.0\" encoding=\"" + DecodeToUtf16(encoding, "UTF-8") +
                                      u"\"" + standalone + u"?>\n<!--" + chars + u"-->\n<?pi " + chars +
                                      u"?>\n<r a=\"" + chars + extra + u"&amp;&lt;\">" + chars +
                                      u"<![CDATA[" + chars + u"]]>\r</r>";
        const Document doc = Document::parseText(source);
        SCOPED_TRACE(std::string(encoding) + " extra " + std::to_string(extra.size()));
        EXPECT_EQ(doc.text(), DecodeToUtf16(doc.bytes(), encoding));
      }
    }
  }
}

TEST(DomSerialise, NodeXmlIsUtf8WhateverTheDocumentEncoding) {
  Document doc = Document::parseBytes(Cp1251(kCyrillic));
  Node channel = doc.documentElement().firstChild().nextSibling();
  EXPECT_EQ(channel.xml(), "<Channel name=\"Канал 1\" unit=\"мм/с\">Ёлка &amp; ёж</Channel>");
  EXPECT_EQ(channel.attribute("name").xml(), "name=\"Канал 1\"");
  EXPECT_EQ(channel.firstChild().xml(), "Ёлка &amp; ёж");
  EXPECT_EQ(channel.firstChild().value(), "Ёлка & ёж");

  Document utf8 = Document::parseBytes("<a x=\"Д\">Ж</a>");
  EXPECT_EQ(utf8.documentElement().xml(), "<a x=\"Д\">Ж</a>");
}

TEST(DomSerialise, NodeXmlDeclaresInheritedNamespaces) {
  Document doc = Document::parseBytes("<r xmlns:p=\"urn:p\"><p:a p:x=\"1\"><b/></p:a></r>");
  Node item = doc.documentElement().firstChild();
  EXPECT_EQ(item.name(), "p:a");
  EXPECT_EQ(item.attribute("p:x").value(), "1");
  EXPECT_EQ(item.xml(), "<p:a xmlns:p=\"urn:p\" p:x=\"1\"><b/></p:a>");
}

// Single-byte encodings decode by a table of the converter's results per byte, the others by the converter
// itself; both must give what the converter gives for the whole text, and refuse what it refuses.
TEST(DomEncoding, DecodingAgreesWithTheConverter) {
  std::string every_byte;
  for (int value = 1; value < 256; ++value)
    if (value != 0x98) every_byte += static_cast<char>(value);  // 0x98 is no character of windows-1251
  const std::u16string decoded = DecodeToUtf16(every_byte, "windows-1251");
  ASSERT_EQ(decoded.size(), every_byte.size());
  EXPECT_EQ(decoded.substr(0, 3), u"\u0001\u0002\u0003");
  EXPECT_EQ(decoded[0xC0 - 2], u'\u0410');  // А: bytes start at 1 and skip 0x98
  EXPECT_EQ(decoded.back(), u'\u044F');          // я
  EXPECT_EQ(DecodeToUtf16("\xE6\xE5\xEB", "windows-1251"), u"жел");
  EXPECT_THROW(DecodeToUtf16("a\x98", "windows-1251"), Error);

  EXPECT_EQ(DecodeToUtf16("\xD0\x96z\xE4\xB8\xAD", "UTF-8"), u"\u0416z\u4E2D");
  EXPECT_THROW(DecodeToUtf16("\xD0", "UTF-8"), Error);
  EXPECT_EQ(DecodeToUtf16("\x82\xA0", "SHIFT_JIS"), u"\u3042");
}

}  // namespace
}  // namespace vrk::dom
