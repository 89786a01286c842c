// Lifetime of documents and referenced nodes.
#include "platform/dom/node_ref.h"

#include <memory>

namespace vrk::dom {
namespace {

// Next node of a depth-first walk of the subtree headed by `top` (attributes are visited separately).
xmlNodePtr NextInSubtree(xmlNodePtr node, xmlNodePtr top) {
  if (node->type == XML_ELEMENT_NODE && node->children != nullptr) return node->children;
  while (node != top) {
    if (node->next != nullptr) return node->next;
    node = node->parent;
  }
  return nullptr;
}

bool Referenced(xmlNodePtr top) {
  for (xmlNodePtr node = top; node != nullptr; node = NextInSubtree(node, top)) {
    if (node->_private != nullptr) return true;
    if (node->type != XML_ELEMENT_NODE) continue;
    for (xmlAttrPtr attr = node->properties; attr != nullptr; attr = attr->next)
      if (attr->_private != nullptr) return true;
  }
  return false;
}

}  // namespace

std::string QualifiedName(const xmlNs* ns, const xmlChar* name) {
  std::string out;
  if (ns != nullptr && ns->prefix != nullptr) {
    out = reinterpret_cast<const char*>(ns->prefix);
    out += ':';
  }
  out += reinterpret_cast<const char*>(name);
  return out;
}

xmlNodePtr TopOf(xmlNodePtr node) noexcept {
  while (node->parent != nullptr) node = node->parent;
  return node;
}

DocumentState* DocumentState::Adopt(xmlDocPtr doc) {
  DocumentState* state = nullptr;
  try {
    state = new DocumentState(doc);
  } catch (...) {
    xmlFreeDoc(doc);
    throw;
  }
  doc->_private = state;
  return state;
}

DocumentState::~DocumentState() {
  xmlFreeDoc(doc_);
  if (retired_ns_ != nullptr) xmlFreeNsList(retired_ns_);
}

void DocumentState::Release() noexcept {
  if (--count_ == 0) delete this;
}

void DocumentState::FreeIfUnreferenced(xmlNodePtr top) noexcept {
  if (top->parent != nullptr || top->type == XML_DOCUMENT_NODE || Referenced(top)) return;
  // Keep the subtree's namespace declarations: elements moved out of it may still use them.
  if (top->type == XML_ELEMENT_NODE) {
    for (xmlNodePtr node = top; node != nullptr; node = NextInSubtree(node, top)) {
      if (node->type != XML_ELEMENT_NODE || node->nsDef == nullptr) continue;
      xmlNsPtr last = node->nsDef;
      while (last->next != nullptr) last = last->next;
      last->next = retired_ns_;
      retired_ns_ = node->nsDef;
      node->nsDef = nullptr;
    }
  }
  xmlFreeNode(top);
}

NodeRef* NodeRef::Acquire(xmlNodePtr node) {
  if (auto* ref = static_cast<NodeRef*>(node->_private)) {
    ref->AddRef();
    return ref;
  }
  auto ref = std::unique_ptr<NodeRef>(new NodeRef(node));
  node->_private = ref.get();
  ref->state()->AddRef();
  return ref.release();
}

void NodeRef::Release() noexcept {
  if (--count_ > 0) return;
  xmlNodePtr node = node_;
  DocumentState* state = DocumentState::Of(node);
  node->_private = nullptr;
  delete this;
  state->FreeIfUnreferenced(TopOf(node));
  state->Release();
}

xmlNodePtr NodeAccess::Get(const Node& node) {
  if (node.ref_ == nullptr) throw Error("null node handle");
  return node.ref_->node();
}

Node NodeAccess::Wrap(xmlNodePtr node) { return node ? Node(NodeRef::Acquire(node)) : Node(); }

}  // namespace vrk::dom
