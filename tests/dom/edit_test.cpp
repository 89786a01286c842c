// Structure edits and their exact reversal, as the undo journal performs it.
#include <gtest/gtest.h>

#include "platform/dom/dom.h"

namespace vrk::dom {
namespace {

const std::string kDocument =
    "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n"
    "<r>\n  <a x=\"1\" y=\"2\" z=\"3\"/>\n  <b/>\n  <c>text</c>\n</r>\n";

// The n-th child element of the document element.
Node Child(const Document& doc, int n) {
  Node node = doc.documentElement().firstChild();
  for (;; node = node.nextSibling())
    if (node.kind() == NodeKind::kElement && n-- == 0) return node;
}

TEST(DomEdit, RemovedChildReinsertedBeforeItsOldNextSiblingOrAppended) {
  for (int n : {0, 1, 2}) {
    Document doc = Document::parseBytes(kDocument);
    Node root = doc.documentElement();
    Node child = Child(doc, n);
    Node next = child.nextSibling();
    root.removeChild(child);
    EXPECT_EQ(doc.bytes().find(child.xml()), std::string::npos);
    root.insertBefore(child, next);
    EXPECT_EQ(doc.bytes(), kDocument) << n;
  }
  // The last child is appended back.
  Document doc = Document::parseBytes(kDocument);
  Node root = doc.documentElement();
  Node last = root.lastChild();  // the whitespace before </r>
  root.removeChild(last);
  EXPECT_EQ(doc.bytes(), "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n"
                         "<r>\n  <a x=\"1\" y=\"2\" z=\"3\"/>\n  <b/>\n  <c>text</c></r>\n");
  root.appendChild(last);
  EXPECT_EQ(doc.bytes(), kDocument);
}

TEST(DomEdit, RemovedAttributeReinsertedBeforeItsOldNextAttribute) {
  for (const char* name : {"x", "y", "z"}) {
    Document doc = Document::parseBytes(kDocument);
    Node element = Child(doc, 0);
    Node attr = element.attribute(name);
    Node next = attr.nextSibling();
    element.removeAttributeNode(attr);
    EXPECT_FALSE(element.attribute(name));
    EXPECT_EQ(attr.value(), std::string(1, "123"[name[0] - 'x']));
    element.insertAttributeBefore(attr, next);
    EXPECT_EQ(doc.bytes(), kDocument) << name;
  }
}

TEST(DomEdit, ReplaceAndReplaceBack) {
  Document doc = Document::parseBytes(kDocument);
  Node root = doc.documentElement();
  Node old_child = Child(doc, 1);
  Node fresh = doc.createElement("new");
  root.replaceChild(fresh, old_child);
  EXPECT_NE(doc.bytes().find("  <new/>\n  <c>"), std::string::npos);
  EXPECT_FALSE(old_child.parent());
  root.replaceChild(old_child, fresh);
  EXPECT_EQ(doc.bytes(), kDocument);
}

TEST(DomEdit, InsertedWhitespaceNeverMergesWithExistingText) {
  Document doc = Document::parseBytes(kDocument);
  Node root = doc.documentElement();
  const std::size_t children = root.childCount();
  // Append an indented element before the closing whitespace, as element creation does.
  Node closing = root.lastChild();
  Node indent = doc.createText("\n  ");
  Node element = doc.createElement("d");
  root.insertBefore(indent, closing);
  root.insertBefore(element, closing);
  EXPECT_EQ(root.childCount(), children + 2);
  EXPECT_NE(doc.bytes().find("<c>text</c>\n  <d/>\n</r>"), std::string::npos);
  root.removeChild(element);
  root.removeChild(indent);
  EXPECT_EQ(doc.bytes(), kDocument);

  // Appending text after text, or text into text-only content, keeps separate nodes as well.
  Node tail = doc.createText("tail");
  root.appendChild(tail);
  Node c = Child(doc, 2);
  Node more = doc.createText(" more");
  c.insertBefore(more, c.firstChild());
  EXPECT_EQ(c.childCount(), 2u);
  root.removeChild(tail);
  c.removeChild(more);
  EXPECT_EQ(doc.bytes(), kDocument);
}

TEST(DomEdit, SetAttributeKeepsPositionOrAppendsAndSetValueEscapes) {
  Document doc = Document::parseBytes(kDocument);
  Node element = Child(doc, 0);
  Node y = element.attribute("y");
  EXPECT_EQ(element.setAttribute("y", "a&amp;<b>"), y);
  Node w = element.setAttribute("w", "Ж");
  EXPECT_EQ(w.previousSibling(), element.attribute("z"));
  EXPECT_EQ(element.xml(), "<a x=\"1\" y=\"a&amp;amp;&lt;b&gt;\" z=\"3\" w=\"Ж\"/>");
  EXPECT_EQ(y.value(), "a&amp;<b>");
  EXPECT_FALSE(element.attribute("Y"));  // names match exactly
  // Texts and comments take values too.
  Document small = Document::parseBytes("<r><!--c-->t</r>");
  Node comment = small.documentElement().firstChild();
  comment.setValue("новый");
  comment.nextSibling().setValue("<&>");
  EXPECT_EQ(small.documentElement().xml(), "<r><!--новый-->&lt;&amp;&gt;</r>");
  EXPECT_THROW(comment.setValue("a--b"), Error);
}

TEST(DomEdit, EditsThatWouldBreakTheDocumentThrow) {
  Document doc = Document::parseBytes(kDocument);
  Node root = doc.documentElement();
  Node a = Child(doc, 0);
  Node b = Child(doc, 1);
  EXPECT_THROW(a.insertBefore(root, Node()), Error);           // into its own subtree
  EXPECT_THROW(a.insertBefore(b, root.firstChild()), Error);   // reference of another parent
  EXPECT_THROW(a.removeChild(b), Error);
  EXPECT_THROW(root.appendChild(a.attribute("x")), Error);
  EXPECT_THROW(doc.createElement("1bad"), Error);
  EXPECT_THROW(doc.createText(std::string("a\0b", 3)), Error);
  EXPECT_THROW(doc.createText("\xC3\x28"), Error);
  EXPECT_THROW(a.setAttribute("xmlns:p", "urn:p"), Error);
  Document other = Document::parseBytes("<o/>");
  EXPECT_THROW(root.appendChild(other.documentElement()), Error);

  // An attribute whose name is taken is refused, and the one present is left alone.
  Node x = a.attribute("x");
  a.removeAttributeNode(x);
  Node second_x = a.setAttribute("x", "9");
  EXPECT_THROW(a.insertAttributeBefore(x, Node()), Error);
  EXPECT_EQ(a.attribute("x"), second_x);
  EXPECT_EQ(doc.bytes().find("x=\"1\""), std::string::npos);
}

// Facts about child lists may be kept while the version stands: every change of a child list moves it, and
// nothing else does.
TEST(DomEdit, StructureVersionMovesWithChildListEditsOnly) {
  Document doc = Document::parseBytes(kDocument);
  Node root = doc.documentElement();
  std::uint64_t version = doc.structureVersion();
  auto moved = [&] {
    const std::uint64_t now = doc.structureVersion();
    const bool changed = now != version;
    version = now;
    return changed;
  };
  Node a = Child(doc, 0);
  a.setAttribute("x", "9");
  a.setAttribute("w", "new");
  a.attribute("y").setValue("8");
  Node fresh = doc.createElement("d");
  Node text = doc.createText("\n");
  EXPECT_FALSE(moved());
  root.appendChild(fresh);
  EXPECT_TRUE(moved());
  root.insertBefore(text, fresh);
  EXPECT_TRUE(moved());
  root.replaceChild(doc.createElement("e"), fresh);
  EXPECT_TRUE(moved());
  root.removeChild(text);
  EXPECT_TRUE(moved());
  fresh.appendChild(doc.createElement("f"));  // a detached subtree counts as well
  EXPECT_TRUE(moved());
}

}  // namespace
}  // namespace vrk::dom
