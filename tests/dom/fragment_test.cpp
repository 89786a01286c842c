// Parsing XML text in the scope of an element.
#include <gtest/gtest.h>

#include "dom/dom_test_util.h"
#include "platform/dom/dom.h"

namespace vrk::dom {
namespace {

using testing::Cp1251;
using testing::ParseFailure;

TEST(DomFragment, Cp1251DocumentTakesUtf8FragmentsWithPrefixesOfTheContext) {
  Document doc = Document::parseBytes(Cp1251(u"<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<r>Да</r>"));
  Node root = doc.documentElement();
  std::vector<Node> nodes = doc.parseFragment(root, "<b x=\"Ж\">Текст</b>\n<c/>");
  ASSERT_EQ(nodes.size(), 3u);
  EXPECT_EQ(nodes[0].firstChild().value(), "Текст");
  EXPECT_EQ(nodes[1].value(), "\n");
  for (const Node& node : nodes) {
    EXPECT_FALSE(node.parent());
    EXPECT_FALSE(node.nextSibling());
    root.appendChild(node);
  }
  EXPECT_EQ(root.childCount(), 4u);  // no text merged into "Да"
  EXPECT_EQ(doc.bytes(),
            Cp1251(u"<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<r>Да<b x=\"Ж\">Текст</b>\n<c/></r>\n"));
  // Prefixes resolve in the context of the fragment.
  Document prefixed = Document::parseBytes("<r xmlns:p=\"urn:p\"><s/></r>");
  Node s = prefixed.documentElement().firstChild();
  s.appendChild(prefixed.parseFragment(s, "<p:x p:a=\"1\"/>").at(0));
  EXPECT_EQ(prefixed.bytes(), "<r xmlns:p=\"urn:p\"><s><p:x p:a=\"1\"/></s></r>\n");
}

TEST(DomFragment, FailuresReportPositionsInTheFragment) {
  Document doc = Document::parseBytes("<r/>");
  Node root = doc.documentElement();
  const ParseError mismatch = ParseFailure([&] { doc.parseFragment(root, "<a>\n  <b></a>"); });
  EXPECT_EQ(mismatch.reason(), "Opening and ending tag mismatch: b line 2 and a\n");
  EXPECT_EQ(mismatch.line(), 2);
  EXPECT_EQ(mismatch.column(), 10);

  const ParseError empty = ParseFailure([&] { doc.parseFragment(root, ""); });
  EXPECT_EQ(empty.reason(), "Document is empty\n");

  const ParseError prefix = ParseFailure([&] { doc.parseFragment(root, "<q:x/>"); });
  EXPECT_EQ(prefix.reason(), "Namespace prefix q on x is not defined\n");
  EXPECT_EQ(doc.bytes(), "<r/>\n");
}

}  // namespace
}  // namespace vrk::dom
