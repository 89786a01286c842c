// The Node handle: counting, reading, navigation and attribute values. Structure edits live in tree_edit.cpp.
#include <libxml/parser.h>

#include <cstring>
#include <utility>

#include "platform/dom/dom.h"
#include "platform/dom/error_scope.h"
#include "platform/dom/node_ref.h"
#include "platform/dom/serialiser.h"
#include "platform/dom/xml_text.h"

namespace vrk::dom {
namespace {

const char* Chars(const xmlChar* text) { return reinterpret_cast<const char*>(text); }

xmlAttrPtr AsAttr(xmlNodePtr node) { return reinterpret_cast<xmlAttrPtr>(node); }
xmlNodePtr AsNode(xmlAttrPtr attr) { return reinterpret_cast<xmlNodePtr>(attr); }

// True when the engine's string `text` equals `name`, without measuring `text` first. Most names that differ
// differ in their first letter, so that is looked at before the library comparison, which stops at `text`'s end.
bool EqualsEngineText(const xmlChar* text, std::string_view name) {
  if (name.empty()) return *text == 0;
  if (static_cast<char>(*text) != name.front()) return false;
  return std::strncmp(Chars(text), name.data(), name.size()) == 0 && text[name.size()] == 0;
}

bool HasQualifiedName(xmlAttrPtr attr, std::string_view name) {
  if (attr->ns == nullptr || attr->ns->prefix == nullptr) return EqualsEngineText(attr->name, name);
  const std::string_view local = Chars(attr->name);
  const std::string_view prefix = Chars(attr->ns->prefix);
  return name.size() == prefix.size() + 1 + local.size() && name.starts_with(prefix) && name[prefix.size()] == ':' &&
         name.ends_with(local);
}

xmlNodePtr ElementOf(const Node& node) {
  xmlNodePtr element = NodeAccess::Get(node);
  if (element->type != XML_ELEMENT_NODE) throw Error("the node is not an element");
  return element;
}

// Gives an attribute the literal value `text`; keeps the attribute itself, so handles to it stay valid.
void SetAttributeValue(xmlAttrPtr attr, const std::string& text, const ErrorScope& scope) {
  xmlNodePtr fresh = xmlNewDocTextLen(attr->doc, reinterpret_cast<const xmlChar*>(text.c_str()),
                                      static_cast<int>(text.size()));
  if (fresh == nullptr || fresh->content == nullptr) {
    xmlFreeNode(fresh);
    scope.Fail("cannot set the attribute value");
  }
  const bool is_id = attr->atype == XML_ATTRIBUTE_ID;  // xml:id values are indexed by the document
  if (is_id) xmlRemoveID(attr->doc, attr);
  xmlFreeNodeList(attr->children);
  attr->children = attr->last = fresh;
  fresh->parent = AsNode(attr);
  if (is_id) xmlAddID(nullptr, attr->doc, fresh->content, attr);
}

// Texts that would end the comment, instruction or section they are written into.
void CheckContentFor(xmlNodePtr node, std::string_view text) {
  const bool bad = (node->type == XML_COMMENT_NODE && (text.find("--") != text.npos || text.ends_with('-'))) ||
                   (node->type == XML_PI_NODE && text.find("?>") != text.npos) ||
                   (node->type == XML_CDATA_SECTION_NODE && text.find("]]>") != text.npos);
  if (bad) throw Error("the text cannot be written into this kind of node");
}

}  // namespace

Node::Node(const Node& other) noexcept : node_(other.node_) {
  if (node_ != nullptr) NodeRef::Acquire(static_cast<xmlNodePtr>(node_));
}

Node::Node(Node&& other) noexcept : node_(std::exchange(other.node_, nullptr)) {}

Node& Node::operator=(const Node& other) noexcept {
  Node copy(other);
  std::swap(node_, copy.node_);
  return *this;
}

Node& Node::operator=(Node&& other) noexcept {
  Node taken(std::move(other));
  std::swap(node_, taken.node_);
  return *this;
}

Node::~Node() {
  if (node_ != nullptr) NodeRef::Release(static_cast<xmlNodePtr>(node_));
}

bool Node::operator==(const Node& other) const noexcept { return node_ == other.node_; }

NodeKind Node::kind() const {
  switch (NodeAccess::Get(*this)->type) {
    case XML_ELEMENT_NODE: return NodeKind::kElement;
    case XML_ATTRIBUTE_NODE: return NodeKind::kAttribute;
    case XML_TEXT_NODE: return NodeKind::kText;
    case XML_COMMENT_NODE: return NodeKind::kComment;
    default: return NodeKind::kOther;
  }
}

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Compares `part` with the start of `name` and drops it from `name` when they agree.
bool ConsumeNoCase(std::string_view& name, const xmlChar* part) {
  for (const xmlChar* p = part; *p != 0; ++p) {
    if (name.empty() || LowerAscii(name.front()) != LowerAscii(static_cast<char>(*p))) return false;
    name.remove_prefix(1);
  }
  return true;
}

bool IsElementNamedNoCase(xmlNodePtr node, std::string_view name) {
  if (node->type != XML_ELEMENT_NODE) return false;
  if (node->ns != nullptr && node->ns->prefix != nullptr) {
    if (!ConsumeNoCase(name, node->ns->prefix) || name.empty() || name.front() != ':') return false;
    name.remove_prefix(1);
  } else if (EqualsEngineText(node->name, name)) {
    return true;  // documents nearly always spell names as the schema does: one library comparison settles it
  }
  return ConsumeNoCase(name, node->name) && name.empty();
}

// `node` or the first of its following siblings that is an element named `name`; null when there is none.
xmlNodePtr FirstNamedNoCase(xmlNodePtr node, std::string_view name) {
  while (node != nullptr && !IsElementNamedNoCase(node, name)) node = node->next;
  return node;
}

}  // namespace

bool Node::isElementNamedNoCase(std::string_view name) const {
  return IsElementNamedNoCase(NodeAccess::Get(*this), name);
}

Node Node::firstChildNamedNoCase(std::string_view name) const {
  xmlNodePtr node = NodeAccess::Get(*this);
  return node->type == XML_ELEMENT_NODE ? NodeAccess::Wrap(FirstNamedNoCase(node->children, name)) : Node();
}

Node Node::nextSiblingNamedNoCase(std::string_view name) const {
  xmlNodePtr node = NodeAccess::Get(*this);
  return node->type == XML_ATTRIBUTE_NODE ? Node() : NodeAccess::Wrap(FirstNamedNoCase(node->next, name));
}

std::string Node::name() const {
  xmlNodePtr node = NodeAccess::Get(*this);
  switch (node->type) {
    case XML_ELEMENT_NODE: return QualifiedName(node->ns, node->name);
    case XML_ATTRIBUTE_NODE: return QualifiedName(AsAttr(node)->ns, node->name);
    case XML_PI_NODE: return Chars(node->name);
    default: return std::string();
  }
}

std::string Node::value() const {
  xmlNodePtr node = NodeAccess::Get(*this);
  if (node->type == XML_ELEMENT_NODE) return std::string();
  if (node->type != XML_ATTRIBUTE_NODE) return node->content ? Chars(node->content) : std::string();
  std::string out;
  for (xmlNodePtr part = node->children; part != nullptr; part = part->next)
    if (part->content != nullptr) out += Chars(part->content);
  return out;
}

void Node::setValue(std::string_view text) {
  xmlNodePtr node = NodeAccess::Get(*this);
  if (node->type == XML_ELEMENT_NODE) throw Error("an element has no value of its own");
  CheckText(text);
  CheckContentFor(node, text);
  ErrorScope scope;
  const std::string copy(text);
  if (node->type == XML_ATTRIBUTE_NODE) {
    SetAttributeValue(AsAttr(node), copy, scope);
    return;
  }
  xmlNodeSetContentLen(node, reinterpret_cast<const xmlChar*>(copy.c_str()), static_cast<int>(copy.size()));
  if (!copy.empty() && node->content == nullptr) scope.Fail("cannot set the node value");
}

Node Node::parent() const {
  xmlNodePtr parent = NodeAccess::Get(*this)->parent;
  return parent != nullptr && parent->type == XML_DOCUMENT_NODE ? Node() : NodeAccess::Wrap(parent);
}

// Attributes are leaves here: their text is reached through value(), never as nodes of its own.
Node Node::firstChild() const {
  xmlNodePtr node = NodeAccess::Get(*this);
  return node->type == XML_ELEMENT_NODE ? NodeAccess::Wrap(node->children) : Node();
}

Node Node::lastChild() const {
  xmlNodePtr node = NodeAccess::Get(*this);
  return node->type == XML_ELEMENT_NODE ? NodeAccess::Wrap(node->last) : Node();
}

Node Node::nextSibling() const {
  xmlNodePtr node = NodeAccess::Get(*this);
  return NodeAccess::Wrap(node->type == XML_ATTRIBUTE_NODE ? AsNode(AsAttr(node)->next) : node->next);
}

Node Node::previousSibling() const {
  xmlNodePtr node = NodeAccess::Get(*this);
  return NodeAccess::Wrap(node->type == XML_ATTRIBUTE_NODE ? AsNode(AsAttr(node)->prev) : node->prev);
}

std::size_t Node::childCount() const {
  xmlNodePtr node = NodeAccess::Get(*this);
  if (node->type != XML_ELEMENT_NODE) return 0;
  std::size_t count = 0;
  for (xmlNodePtr child = node->children; child != nullptr; child = child->next) ++count;
  return count;
}

Node Node::attribute(std::string_view name) const {
  xmlNodePtr node = NodeAccess::Get(*this);
  if (node->type != XML_ELEMENT_NODE) return Node();
  for (xmlAttrPtr attr = node->properties; attr != nullptr; attr = attr->next)
    if (HasQualifiedName(attr, name)) return NodeAccess::Wrap(AsNode(attr));
  return Node();
}

namespace {

void AttributeText(xmlAttrPtr attr, std::string& value) {
  value.clear();
  for (xmlNodePtr part = attr->children; part != nullptr; part = part->next)
    if (part->content != nullptr) value += Chars(part->content);
}

}  // namespace

bool Node::attributeValue(std::string_view name, std::string& value) const {
  std::size_t position = 0;
  return attributeValue(name, value, position);
}

bool Node::attributeValue(std::string_view name, std::string& value, std::size_t& position) const {
  xmlNodePtr node = NodeAccess::Get(*this);
  if (node->type != XML_ELEMENT_NODE) return false;
  xmlAttrPtr hinted = node->properties;
  for (std::size_t k = 0; k < position && hinted != nullptr; ++k) hinted = hinted->next;
  if (hinted != nullptr && HasQualifiedName(hinted, name)) {
    AttributeText(hinted, value);
    return true;
  }
  std::size_t k = 0;
  for (xmlAttrPtr attr = node->properties; attr != nullptr; attr = attr->next, ++k) {
    if (attr == hinted || !HasQualifiedName(attr, name)) continue;
    AttributeText(attr, value);
    position = k;
    return true;
  }
  return false;
}

Node Node::firstAttribute() const {
  xmlNodePtr node = NodeAccess::Get(*this);
  return node->type == XML_ELEMENT_NODE ? NodeAccess::Wrap(AsNode(node->properties)) : Node();
}

Node Node::setAttribute(std::string_view name, std::string_view value) {
  if (Node existing = attribute(name)) {
    existing.setValue(value);
    return existing;
  }
  return appendAttribute(name, value);
}

Node Node::appendAttribute(std::string_view name, std::string_view value) {
  xmlNodePtr element = ElementOf(*this);
  CheckName(name);
  CheckText(value);
  ErrorScope scope;
  // A prefix declared in scope makes a namespaced attribute; an undeclared one stays part of the name.
  std::string local(name);
  xmlNsPtr ns = nullptr;
  if (const std::size_t colon = name.find(':'); colon != name.npos) {
    const std::string prefix(name.substr(0, colon));
    ns = xmlSearchNs(element->doc, element, reinterpret_cast<const xmlChar*>(prefix.c_str()));
    if (ns != nullptr) local = name.substr(colon + 1);
  }
  for (xmlAttrPtr attr = element->properties; attr != nullptr; attr = attr->next)
    if (ns != nullptr && attr->ns != nullptr && local == Chars(attr->name) && xmlStrEqual(attr->ns->href, ns->href))
      throw Error("attribute '" + std::string(name) + "' is already present under another prefix");
  const std::string text(value);
  xmlAttrPtr attr = xmlNewNsProp(element, ns, reinterpret_cast<const xmlChar*>(local.c_str()),
                                 reinterpret_cast<const xmlChar*>(text.c_str()));
  if (attr == nullptr) scope.Fail("cannot create the attribute");
  return NodeAccess::Wrap(AsNode(attr));
}

std::string Node::xml() const { return SerialiseNode(NodeAccess::Get(*this)); }

}  // namespace vrk::dom
