// Lifetime of documents and referenced nodes.
#include "platform/dom/node_ref.h"

#include <cstdint>
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
    if (NodeRef::Referenced(node)) return true;
    if (node->type != XML_ELEMENT_NODE) continue;
    for (xmlAttrPtr attr = node->properties; attr != nullptr; attr = attr->next)
      if (NodeRef::Referenced(attr)) return true;
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

Utf16Decoder& DocumentState::DecoderFor(const char* encoding) {
  if (!decoder_ || decoder_->name() != encoding) decoder_ = std::make_unique<Utf16Decoder>(encoding);
  return *decoder_;
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

// The count is kept as an integer in the node's private pointer; null means unreferenced.
namespace {

std::uintptr_t CountOf(const xmlNode* node) { return reinterpret_cast<std::uintptr_t>(node->_private); }
void SetCount(xmlNodePtr node, std::uintptr_t count) { node->_private = reinterpret_cast<void*>(count); }

}  // namespace

void NodeRef::Acquire(xmlNodePtr node) noexcept {
  const std::uintptr_t count = CountOf(node);
  if (count == 0) DocumentState::Of(node)->AddRef();
  SetCount(node, count + 1);
}

void NodeRef::Release(xmlNodePtr node) noexcept {
  const std::uintptr_t count = CountOf(node) - 1;
  SetCount(node, count);
  if (count > 0) return;
  DocumentState* state = DocumentState::Of(node);
  state->FreeIfUnreferenced(TopOf(node));
  state->Release();
}

xmlNodePtr NodeAccess::Get(const Node& node) {
  if (node.node_ == nullptr) throw Error("null node handle");
  return static_cast<xmlNodePtr>(node.node_);
}

Node NodeAccess::Wrap(xmlNodePtr node) {
  if (node == nullptr) return Node();
  NodeRef::Acquire(node);
  return Node(node);
}

}  // namespace vrk::dom
