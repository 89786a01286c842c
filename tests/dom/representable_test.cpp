// A document must be writable in the encoding it declares without changing its content.
#include <gtest/gtest.h>

#include "platform/dom/dom.h"

namespace vrk::dom {
namespace {

constexpr char16_t kHead[] = u"<?xml version=\"1.0\" encoding=\"windows-1251\"?>";

TEST(Representable, TextAndAttributesMayHoldAnyCharacter) {
  const Document doc = Document::parseText(std::u16string(kHead) + u"<a b=\"\u4E2D\">\u4E2D \u0416</a>");
  EXPECT_EQ(doc.documentElement().attribute("b").value(), "\u4E2D");
  EXPECT_EQ(Document::parseBytes(doc.bytes()).text(), doc.text());
}

TEST(Representable, CommentsAndNamesMustFitTheEncodingAlsoInFragments) {
  try {
    Document::parseText(std::u16string(kHead) + u"<a>\n<!-- \u4E2D --></a>");
    FAIL() << "no error";
  } catch (const ParseError& e) {
    EXPECT_EQ(e.reason(), "A comment cannot be written in windows-1251\n");
    EXPECT_EQ(e.line(), 2);
  }
  EXPECT_THROW(Document::parseText(std::u16string(kHead) + u"<\u4E2D/>"), ParseError);
  EXPECT_NO_THROW(Document::parseText(u"<?xml version=\"1.0\" encoding=\"UTF-8\"?><a><!-- \u4E2D --></a>"));
  EXPECT_NO_THROW(Document::parseText(std::u16string(kHead) + u"<a><!-- \u0416 --></a>"));
  Document doc = Document::parseText(std::u16string(kHead) + u"<a/>");
  EXPECT_THROW(doc.parseFragment(doc.documentElement(), "<b><!-- \xE4\xB8\xAD --></b>"), ParseError);
  EXPECT_EQ(doc.parseFragment(doc.documentElement(), "<b>\xE4\xB8\xAD</b>").size(), 1u);
}

}  // namespace
}  // namespace vrk::dom
