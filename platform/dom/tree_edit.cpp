// Structure edits. Nodes are linked by hand rather than through the engine's insertion calls, which merge a
// text node into an adjacent one (freeing it) and may free an attribute of the same name: here no edit ever
// frees or merges a node, so every edit can be reversed exactly by the opposite edit.
#include <string>

#include "platform/dom/dom.h"
#include "platform/dom/node_ref.h"

namespace vrk::dom {
namespace {

xmlAttrPtr AsAttr(xmlNodePtr node) { return reinterpret_cast<xmlAttrPtr>(node); }

xmlNodePtr ElementOf(const Node& node) {
  xmlNodePtr element = NodeAccess::Get(node);
  if (element->type != XML_ELEMENT_NODE) throw Error("the node is not an element");
  return element;
}

// True for a child (not an attribute) of `parent`.
bool IsChildOf(xmlNodePtr node, xmlNodePtr parent) {
  return node != nullptr && node->type != XML_ATTRIBUTE_NODE && node->parent == parent;
}

bool IsAttributeOf(xmlNodePtr node, xmlNodePtr element) {
  return node != nullptr && node->type == XML_ATTRIBUTE_NODE && node->parent == element;
}

void CheckSameDocument(xmlNodePtr a, xmlNodePtr b) {
  if (a->doc != b->doc) throw Error("the node belongs to another document");
}

void CheckInsertable(xmlNodePtr parent, xmlNodePtr child) {
  CheckSameDocument(parent, child);
  switch (child->type) {
    case XML_ELEMENT_NODE:
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
    case XML_COMMENT_NODE:
    case XML_PI_NODE: break;
    default: throw Error("the node cannot be a child of an element");
  }
  if (child->parent != nullptr && child->parent->type == XML_DOCUMENT_NODE)
    throw Error("the document element cannot be moved");
  for (xmlNodePtr up = parent; up != nullptr; up = up->parent)
    if (up == child) throw Error("a node cannot be inserted into itself or its own subtree");
}

// Links the unlinked `child` into `parent` before `ref` (a child of `parent`), or last when `ref` is null.
void LinkChild(xmlNodePtr parent, xmlNodePtr child, xmlNodePtr ref) {
  child->parent = parent;
  child->next = ref;
  child->prev = ref != nullptr ? ref->prev : parent->last;
  if (child->prev != nullptr)
    child->prev->next = child;
  else
    parent->children = child;
  if (ref != nullptr)
    ref->prev = child;
  else
    parent->last = child;
}

// Links the unlinked attribute `attr` into `element` before attribute `ref`, or last when `ref` is null.
void LinkAttribute(xmlNodePtr element, xmlAttrPtr attr, xmlAttrPtr ref) {
  attr->parent = element;
  attr->next = ref;
  if (ref != nullptr) {
    attr->prev = ref->prev;
    ref->prev = attr;
  } else {
    xmlAttrPtr last = element->properties;
    while (last != nullptr && last->next != nullptr) last = last->next;
    attr->prev = last;
  }
  if (attr->prev != nullptr)
    attr->prev->next = attr;
  else
    element->properties = attr;
}

// Two attributes that the document cannot hold side by side: the same name as written, or the same local name
// in the same namespace.
bool Clash(xmlAttrPtr a, xmlAttrPtr b) {
  if (QualifiedName(a->ns, a->name) == QualifiedName(b->ns, b->name)) return true;
  return a->ns != nullptr && b->ns != nullptr && xmlStrEqual(a->name, b->name) &&
         xmlStrEqual(a->ns->href, b->ns->href);
}

// Moves `node` out of wherever it is; its former detached subtree, if any, goes when nothing refers into it.
class Move {
 public:
  explicit Move(xmlNodePtr node) : old_top_(TopOf(node)) { xmlUnlinkNode(node); }
  ~Move() { DocumentState::Of(old_top_)->FreeIfUnreferenced(old_top_); }
  Move(const Move&) = delete;
  Move& operator=(const Move&) = delete;

 private:
  xmlNodePtr old_top_;
};

}  // namespace

void Node::insertBefore(const Node& child_handle, const Node& ref_handle) {
  xmlNodePtr parent = ElementOf(*this);
  xmlNodePtr child = NodeAccess::Get(child_handle);
  xmlNodePtr ref = NodeAccess::GetOrNull(ref_handle);
  CheckInsertable(parent, child);
  if (ref != nullptr && !IsChildOf(ref, parent)) throw Error("the reference node is not a child of this element");
  if (ref == child) return;
  DocumentState::Of(parent)->ChildrenChanged();
  Move move(child);
  LinkChild(parent, child, ref);
}

void Node::removeChild(const Node& child_handle) {
  xmlNodePtr parent = ElementOf(*this);
  xmlNodePtr child = NodeAccess::Get(child_handle);
  if (!IsChildOf(child, parent)) throw Error("the node is not a child of this element");
  DocumentState::Of(parent)->ChildrenChanged();
  xmlUnlinkNode(child);
}

void Node::replaceChild(const Node& new_handle, const Node& old_handle) {
  xmlNodePtr parent = ElementOf(*this);
  xmlNodePtr fresh = NodeAccess::Get(new_handle);
  xmlNodePtr old = NodeAccess::Get(old_handle);
  if (!IsChildOf(old, parent)) throw Error("the node to replace is not a child of this element");
  CheckInsertable(parent, fresh);
  if (fresh == old) return;
  DocumentState::Of(parent)->ChildrenChanged();
  Move move(fresh);
  LinkChild(parent, fresh, old);
  xmlUnlinkNode(old);
}

void Node::removeAttributeNode(const Node& attr_handle) {
  xmlNodePtr element = ElementOf(*this);
  xmlNodePtr attr = NodeAccess::Get(attr_handle);
  if (!IsAttributeOf(attr, element)) throw Error("the node is not an attribute of this element");
  xmlUnlinkNode(attr);
}

void Node::insertAttributeBefore(const Node& attr_handle, const Node& ref_handle) {
  xmlNodePtr element = ElementOf(*this);
  xmlNodePtr attr = NodeAccess::Get(attr_handle);
  xmlNodePtr ref = NodeAccess::GetOrNull(ref_handle);
  if (attr->type != XML_ATTRIBUTE_NODE) throw Error("the node is not an attribute");
  CheckSameDocument(element, attr);
  if (ref != nullptr && !IsAttributeOf(ref, element))
    throw Error("the reference node is not an attribute of this element");
  if (ref == attr) return;
  for (xmlAttrPtr other = element->properties; other != nullptr; other = other->next)
    if (other != AsAttr(attr) && Clash(other, AsAttr(attr)))
      throw Error("attribute '" + attr_handle.name() + "' is already present");
  Move move(attr);
  LinkAttribute(element, AsAttr(attr), AsAttr(ref));
}

}  // namespace vrk::dom
