// Matching element names in place: the letter case of ASCII letters does not matter, a prefix is part of the
// name, and only elements match. Reading and appending attributes by name.
#include <gtest/gtest.h>

#include "platform/dom/dom.h"

namespace vrk::dom {
namespace {

TEST(DomNameMatch, ElementsMatchTheirQualifiedNameInAnyLetterCaseAlsoInScans) {
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
  // Scans for named children pass over other nodes and match the same way.
  const Document scanned = Document::parseText(u"<Root>\n<band n=\"1\"/><!--c--><Other/>\n<BAND n=\"2\"/></Root>");
  const Node root = scanned.documentElement();
  const Node first = root.firstChildNamedNoCase("Band");
  ASSERT_TRUE(first);
  EXPECT_EQ(first.attribute("n").value(), "1");
  const Node second = first.nextSiblingNamedNoCase("Band");
  ASSERT_TRUE(second);
  EXPECT_EQ(second.attribute("n").value(), "2");
  EXPECT_FALSE(second.nextSiblingNamedNoCase("Band"));
  EXPECT_FALSE(root.firstChildNamedNoCase("Missing"));
  EXPECT_FALSE(first.firstChildNamedNoCase("Band"));  // no children
}

TEST(DomAttributeValue, APositionIsTriedFirstAndAppendedAttributesFollowTheOthers) {
  const Document doc = Document::parseText(u"<Root a=\"1\" b=\"&amp;2\" c=\"3\"/>");
  const Node root = doc.documentElement();
  std::string value = "kept";
  std::size_t position = 1;
  EXPECT_TRUE(root.attributeValue("b", value, position));
  EXPECT_EQ(value, "&2");
  EXPECT_EQ(position, 1u);
  EXPECT_TRUE(root.attributeValue("c", value, position));  // elsewhere: found, and its place remembered
  EXPECT_EQ(value, "3");
  EXPECT_EQ(position, 2u);
  position = 7;  // beyond the last attribute: a plain search
  EXPECT_TRUE(root.attributeValue("a", value, position));
  EXPECT_EQ(position, 0u);
  value = "kept";
  EXPECT_FALSE(root.attributeValue("d", value, position));
  EXPECT_EQ(value, "kept");
  EXPECT_EQ(position, 0u);
  EXPECT_FALSE(root.attributeValue("B", value));  // names match exactly
  // Appended attributes follow the others, their names checked.
  Document appended = Document::parseText(u"<Root a=\"1\"/>");
  Node element = appended.documentElement();
  element.appendAttribute("low_level", "5");
  element.appendAttribute("p-q.r", "6");
  EXPECT_EQ(element.xml(), "<Root a=\"1\" low_level=\"5\" p-q.r=\"6\"/>");
  EXPECT_THROW(element.appendAttribute("1st", "x"), Error);
  EXPECT_THROW(element.appendAttribute("xmlns", "x"), Error);
  EXPECT_THROW(element.appendAttribute("", "x"), Error);
}

}  // namespace
}  // namespace vrk::dom
