// Matching element names in place: the letter case of ASCII letters does not matter, a prefix is part of the
// name, and only elements match.
#include <gtest/gtest.h>

#include "platform/dom/dom.h"

namespace vrk::dom {
namespace {

TEST(DomNameMatch, ElementsMatchTheirQualifiedNameInAnyLetterCase) {
  const Document doc = Document::parseText(u"<Root xmlns:p=\"urn:x\"><VibroChannel/>text<p:Band/><!--c--></Root>");
  const Node channel = doc.documentElement().firstChild();
  EXPECT_TRUE(channel.isElementNamedNoCase("vibrochannel"));
  EXPECT_TRUE(channel.isElementNamedNoCase("VIBROCHANNEL"));
  EXPECT_FALSE(channel.isElementNamedNoCase("VibroChanne"));
  EXPECT_FALSE(channel.isElementNamedNoCase("VibroChannels"));
  const Node text = channel.nextSibling();
  EXPECT_FALSE(text.isElementNamedNoCase(""));
  const Node band = text.nextSibling();
  EXPECT_TRUE(band.isElementNamedNoCase("P:band"));
  EXPECT_FALSE(band.isElementNamedNoCase("band"));
  EXPECT_FALSE(band.isElementNamedNoCase("p:"));
  EXPECT_FALSE(band.nextSibling().isElementNamedNoCase("c"));
}

}  // namespace
}  // namespace vrk::dom
