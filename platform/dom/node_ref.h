// Internals of the DOM layer: the engine's document with its reference count (DocumentState) and the control
// block of a referenced node (NodeRef). Only platform/dom sees this header and the engine's types.
//
// Ownership: the document is freed when the last Document handle and the last NodeRef of it are gone. A node
// that is not in the document tree (detached by an edit, or created and never inserted) heads a "detached
// subtree"; it is freed as soon as no NodeRef refers to it or to anything inside it. Nothing else frees nodes.
#pragma once

#include <libxml/tree.h>

#include <cstddef>
#include <string>

#include "platform/dom/dom.h"

namespace vrk::dom {

class DocumentState {
 public:
  // Takes ownership of `doc` (freeing it if this throws); the count starts at one.
  static DocumentState* Adopt(xmlDocPtr doc);
  // The state of the document that `node` belongs to (attached or not). Never null for our documents.
  static DocumentState* Of(const xmlNode* node) { return static_cast<DocumentState*>(node->doc->_private); }

  xmlDocPtr doc() const { return doc_; }
  void AddRef() noexcept { ++count_; }
  // Frees the document with the last reference.
  void Release() noexcept;

  // Frees the detached subtree headed by `top` when no NodeRef refers into it. Does nothing for a node that is
  // in the document tree or has a parent.
  void FreeIfUnreferenced(xmlNodePtr top) noexcept;

 private:
  explicit DocumentState(xmlDocPtr doc) : doc_(doc) {}
  ~DocumentState();
  DocumentState(const DocumentState&) = delete;
  DocumentState& operator=(const DocumentState&) = delete;

  xmlDocPtr doc_;
  std::size_t count_ = 1;
  // Namespace declarations of freed detached subtrees. Nodes moved out of such a subtree may still point at
  // them, so they live as long as the document.
  xmlNsPtr retired_ns_ = nullptr;
};

class NodeRef {
 public:
  // The control block of `node`, made on first use; the caller receives one reference.
  static NodeRef* Acquire(xmlNodePtr node);

  xmlNodePtr node() const { return node_; }
  DocumentState* state() const { return DocumentState::Of(node_); }
  void AddRef() noexcept { ++count_; }
  // With the last reference: forgets the node, frees its detached subtree if nothing else refers into it, and
  // releases the document.
  void Release() noexcept;

 private:
  explicit NodeRef(xmlNodePtr node) : node_(node) {}

  xmlNodePtr node_;
  std::size_t count_ = 1;
};

// Bridges the public handles and the engine's nodes.
class NodeAccess {
 public:
  // The node of a handle; throws Error for a null handle.
  static xmlNodePtr Get(const Node& node);
  // The node of a handle, or null for a null handle.
  static xmlNodePtr GetOrNull(const Node& node) { return node.ref_ ? node.ref_->node() : nullptr; }
  // A handle to `node`, or a null handle for null.
  static Node Wrap(xmlNodePtr node);
};

// The name of an element or attribute as written: prefix, colon and local name, or the local name alone.
std::string QualifiedName(const xmlNs* ns, const xmlChar* name);

// The top of the tree that `node` is in: the document node when attached, else the head of its detached subtree.
xmlNodePtr TopOf(xmlNodePtr node) noexcept;

}  // namespace vrk::dom
