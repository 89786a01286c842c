// Lifetime of handles, documents and detached subtrees. The memory checks are valgrind's (this executable also
// runs under it): every scenario must end with nothing lost and no invalid read.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>

#include "platform/dom/dom.h"

namespace vrk::dom {
namespace {

const std::string kDocument =
    "<r xmlns:p=\"urn:p\">\n  <g n=\"1\">\n    <p:i v=\"Ж\">text</p:i>\n  </g>\n  <h/>\n</r>\n";

TEST(DomLifetime, DetachedSubtreeOutlivesTheDocumentInAnyOrder) {
  std::array<int, 4> order = {0, 1, 2, 3};
  do {
    std::array<std::optional<Node>, 4> handles;
    {
      Document doc = Document::parseBytes(kDocument);
      Node group = doc.documentElement().firstChild().nextSibling();
      Node item = group.firstChild().nextSibling();
      handles = {group, item, item.attribute("v"), item.firstChild()};
      doc.documentElement().removeChild(group);
    }
    EXPECT_EQ(handles[1]->xml(), "<p:i xmlns:p=\"urn:p\" v=\"Ж\">text</p:i>");
    EXPECT_EQ(handles[2]->value(), "Ж");
    EXPECT_EQ(handles[3]->parent(), *handles[1]);
    for (int i : order) handles[i].reset();
  } while (std::next_permutation(order.begin(), order.end()));
}

TEST(DomLifetime, DocumentHandleCopiesShareTheDocumentAndReattachedNodesLiveWithIt) {
  Document copy;
  Node root;
  {
    Document doc = Document::parseBytes(kDocument);
    copy = doc;
    root = doc.documentElement();
  }
  EXPECT_EQ(copy.documentElement(), root);
  copy = Document();
  EXPECT_EQ(root.name(), "r");  // the node alone keeps the document
  Document doc = Document::parseBytes(kDocument);
  {
    Node top = doc.documentElement();
    Node h = top.lastChild().previousSibling();
    top.removeChild(h);
    top.insertBefore(h, top.firstChild());
  }
  EXPECT_EQ(doc.bytes(), "<r xmlns:p=\"urn:p\"><h/>\n  <g n=\"1\">\n    <p:i v=\"Ж\">text</p:i>\n  </g>\n  \n</r>\n");
}

TEST(DomLifetime, NodeMovedOutOfADetachedSubtreeSurvivesIt) {
  Document doc = Document::parseBytes(kDocument);
  Node root = doc.documentElement();
  Node item;
  {
    Node group = root.firstChild().nextSibling();
    item = group.firstChild().nextSibling();
    root.removeChild(group);
    root.removeChild(root.firstChild());  // whitespace, dropped at once
    root.appendChild(item);               // the group has no handle left and goes here
  }
  EXPECT_EQ(item.parent(), root);
  EXPECT_EQ(doc.bytes(), "<r xmlns:p=\"urn:p\">\n  <h/>\n<p:i v=\"Ж\">text</p:i></r>\n");
}

TEST(DomLifetime, NamespacedNodeOutlivesTheSubtreeThatDeclaredItsPrefix) {
  Document doc = Document::parseBytes("<r><g xmlns:p=\"urn:p\"><p:i p:a=\"1\"/></g></r>");
  Node root = doc.documentElement();
  Node item = root.firstChild().firstChild();
  root.removeChild(root.firstChild());  // <g> is freed with its declaration in it
  root.appendChild(item);
  EXPECT_EQ(item.xml(), "<p:i xmlns:p=\"urn:p\" p:a=\"1\"/>");
  EXPECT_EQ(item.attribute("p:a").value(), "1");
}

TEST(DomLifetime, UnusedNewNodesAndFragmentsAreFreed) {
  Document doc = Document::parseBytes(kDocument);
  doc.createElement("e").setAttribute("a", "1");
  doc.createText("t");
  std::vector<Node> nodes = doc.parseFragment(doc.documentElement(), "<x><y/></x>text<!--c-->");
  nodes.front().firstChild().setAttribute("b", "2");
  EXPECT_EQ(nodes.size(), 3u);
}

}  // namespace
}  // namespace vrk::dom
