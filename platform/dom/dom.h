// The DOM layer: the document operations the configuration model needs, behind a small API of counted handles.
// No type of the XML engine appears here. All texts are UTF-8.
//
// Lifetime: a Node keeps its document alive. A node detached from the tree (removeChild, removeAttributeNode)
// stays valid, with its whole subtree, as long as a handle refers to it or to anything inside it, and is freed
// exactly once when the last such handle goes. Nodes of one document must not be used from two threads at once.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vrk::dom {

class DocumentState; // the engine's document and its bookkeeping (dom internals)

// A failure of the XML engine other than a parse error (allocation failure, unsupported output encoding).
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A text that does not parse. `reason` is the engine's text for the first error, ending with a line feed;
// line and column are 1-based, the column counted in characters.
class ParseError : public std::runtime_error {
 public:
  ParseError(std::string reason, int line, int column)
      : std::runtime_error(reason), reason_(std::move(reason)), line_(line), column_(column) {}
  const std::string& reason() const { return reason_; }
  int line() const { return line_; }
  int column() const { return column_; }

 private:
  std::string reason_;
  int line_;
  int column_;
};

enum class NodeKind { kElement, kAttribute, kText, kComment, kOther };

// Counted handle to one node, or null. Copying a handle copies the reference, not the node.
class Node {
 public:
  Node() noexcept = default;
  Node(const Node& other) noexcept;
  Node(Node&& other) noexcept;
  Node& operator=(const Node& other) noexcept;
  Node& operator=(Node&& other) noexcept;
  ~Node();

  explicit operator bool() const noexcept { return node_ != nullptr; }
  // True when both handles designate the same node (or both are null).
  bool operator==(const Node& other) const noexcept;

  // All accessors below require a non-null handle.
  NodeKind kind() const;
  // Qualified name as written (prefix included); empty for text and comments.
  std::string name() const;
  // True for an element whose qualified name equals `name` without regard to ASCII letter case; compares in
  // place, for the sibling scans that test every node.
  bool isElementNamedNoCase(std::string_view name) const;
  // The first child element, and the next sibling element, for which isElementNamedNoCase(`name`) holds; null
  // when there is none. The nodes passed over get no handle.
  Node firstChildNamedNoCase(std::string_view name) const;
  Node nextSiblingNamedNoCase(std::string_view name) const;
  // Attribute value, text or comment content, unescaped; empty for an element.
  std::string value() const;
  // Replaces the content of an attribute, text or comment node, literally (no entity parsing).
  void setValue(std::string_view text);

  // Navigation; each returns null where there is no such node. The parent of the document element is null.
  Node parent() const;
  Node firstChild() const;
  Node lastChild() const;
  Node nextSibling() const;      // for an attribute: the next attribute of its element
  Node previousSibling() const;  // for an attribute: the previous attribute
  std::size_t childCount() const;

  // Attributes of an element. `attribute` matches the qualified name exactly (letter case included).
  Node attribute(std::string_view name) const;
  // The value of attribute `name` (matched as attribute() does) into `value`, reusing its storage; false, with
  // `value` untouched, when the element has no such attribute. For reads that need no handle on the attribute.
  bool attributeValue(std::string_view name, std::string& value) const;
  // The same, looking first at the attribute at `position` (0 for the first) and then at the others; `position`
  // becomes where it was found. Callers that read the same attributes of many like elements keep one position
  // per name, so that each read usually compares one name.
  bool attributeValue(std::string_view name, std::string& value, std::size_t& position) const;
  Node firstAttribute() const;
  // Sets the value of attribute `name`, keeping its position when it exists, else appending a new one.
  // Returns the attribute node.
  Node setAttribute(std::string_view name, std::string_view value);
  // Appends attribute `name` with `value`; the element must not have it yet. Returns the attribute node.
  Node appendAttribute(std::string_view name, std::string_view value);

  // Structure. `child` must belong to the same document; it is first detached from wherever it is. `ref` must be
  // a child of this element, or null to append. Adjacent text nodes are never merged, so every change can be
  // reversed exactly.
  void insertBefore(const Node& child, const Node& ref);
  void appendChild(const Node& child) { insertBefore(child, Node()); }
  // Detaches `child` (a child of this element); it stays valid while referenced.
  void removeChild(const Node& child);
  // Puts `new_child` where `old_child` (a child of this element) stands; `old_child` is detached.
  void replaceChild(const Node& new_child, const Node& old_child);
  // Detaches attribute `attr` of this element; it stays valid while referenced.
  void removeAttributeNode(const Node& attr);
  // Attaches the detached attribute `attr` before attribute `ref` of this element (null: at the end).
  // An attribute of the same name already on the element is an Error.
  void insertAttributeBefore(const Node& attr, const Node& ref);

  // The node serialised as XML text (UTF-8, no declaration). For a detached node as well.
  std::string xml() const;

 private:
  friend class Document;
  friend class NodeAccess;
  // Takes over one reference already counted on `node` (an engine node, opaque here).
  explicit Node(void* node) noexcept : node_(node) {}
  void* node_ = nullptr;
};

// Counted handle to one document, or null.
class Document {
 public:
  Document() noexcept = default;
  Document(const Document& other) noexcept;
  Document(Document&& other) noexcept;
  Document& operator=(const Document& other) noexcept;
  Document& operator=(Document&& other) noexcept;
  ~Document();

  // Parses a document given as bytes in the encoding its XML declaration names (UTF-8 when it names none).
  // Throws ParseError. Nothing is loaded from outside: no DTD, no external entity, no network access;
  // a document with a document type declaration is refused.
  static Document parseBytes(std::string_view bytes);
  // Parses a document given as UTF-16 text. The encoding the declaration names is kept: bytes() produces it.
  // Throws ParseError.
  static Document parseText(std::u16string_view text);

  explicit operator bool() const noexcept { return state_ != nullptr; }

  // The document element, or null when the document has none.
  Node documentElement() const;
  // A number that changes whenever a child is inserted, removed or replaced anywhere in this document (detached
  // subtrees included). While it stays the same, every element has the same children in the same order; values
  // and attributes may have changed. Lets callers keep facts about child lists between calls.
  std::uint64_t structureVersion() const;
  // New detached nodes of this document.
  Node createElement(std::string_view name);
  Node createText(std::string_view text);

  // Parses `xml` (UTF-8) as content in the scope of element `context` and returns the resulting top-level nodes,
  // detached, in order. Throws ParseError (line and column relative to `xml`); an empty text is a ParseError.
  std::vector<Node> parseFragment(const Node& context, std::string_view xml);

  // The whole document serialised in the encoding its declaration names, declaration and comments included.
  // Throws Error when that encoding cannot be produced.
  std::string bytes() const;
  // bytes() decoded from that encoding into UTF-16.
  std::u16string text() const;

 private:
  explicit Document(DocumentState* state) noexcept : state_(state) {}
  DocumentState* state_ = nullptr;
};

}  // namespace vrk::dom
