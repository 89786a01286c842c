// Internals of the DOM layer: the engine's document with its reference count (DocumentState) and the reference
// counts of nodes (NodeRef). Only platform/dom sees this header and the engine's types.
//
// Ownership: the document is freed when the last Document handle and the last node handle of it are gone. A node
// that is not in the document tree (detached by an edit, or created and never inserted) heads a "detached
// subtree"; it is freed as soon as no handle refers to it or to anything inside it. Nothing else frees nodes.
#pragma once

#include <libxml/tree.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/dom/dom.h"
#include "platform/dom/encoding.h"

namespace vrk::dom {

class DocumentState {
 public:
  // Takes ownership of `doc` (freeing it if this throws); the count starts at one.
  static DocumentState* Adopt(xmlDocPtr doc);
  // The state of the document that `node` belongs to (attached or not). Never null for our documents.
  static DocumentState* Of(const xmlNode* node) { return static_cast<DocumentState*>(node->doc->_private); }

  xmlDocPtr doc() const { return doc_; }
  std::uint64_t structure_version() const { return structure_version_; }
  // Called by every edit of a child list.
  void ChildrenChanged() noexcept { ++structure_version_; }
  void AddRef() noexcept { ++count_; }
  // Frees the document with the last reference.
  void Release() noexcept;

  // A decoder of the document's encoding into UTF-16, made on first use and kept with the document, so that
  // producing the text again and again does not load and unload the system's converter each time.
  Utf16Decoder& DecoderFor(const char* encoding);

  // Frees the detached subtree headed by `top` when no handle refers into it. Does nothing for a node that is
  // in the document tree or has a parent.
  void FreeIfUnreferenced(xmlNodePtr top) noexcept;

 private:
  explicit DocumentState(xmlDocPtr doc) : doc_(doc) {}
  ~DocumentState();
  DocumentState(const DocumentState&) = delete;
  DocumentState& operator=(const DocumentState&) = delete;

  xmlDocPtr doc_;
  std::size_t count_ = 1;
  std::uint64_t structure_version_ = 0;
  std::unique_ptr<Utf16Decoder> decoder_;
  // Namespace declarations of freed detached subtrees. Nodes moved out of such a subtree may still point at
  // them, so they live as long as the document.
  xmlNsPtr retired_ns_ = nullptr;
};

// Reference counts of nodes. A node's count lives in the engine node itself (its private field, unused by the
// engine), so making a handle allocates nothing: scans that wrap every node they pass stay cheap. A node with a
// non-zero count holds one reference to its document.
class NodeRef {
 public:
  // Adds one reference to `node` (not null).
  static void Acquire(xmlNodePtr node) noexcept;
  // Drops one reference. With the last one: frees the node's detached subtree if nothing else refers into it, and
  // releases the document.
  static void Release(xmlNodePtr node) noexcept;
  // True while a handle refers to `node` (or `attr`).
  static bool Referenced(const xmlNode* node) noexcept { return node->_private != nullptr; }
  static bool Referenced(const xmlAttr* attr) noexcept { return attr->_private != nullptr; }
};

// Bridges the public handles and the engine's nodes.
class NodeAccess {
 public:
  // The node of a handle; throws Error for a null handle.
  static xmlNodePtr Get(const Node& node);
  // The node of a handle, or null for a null handle.
  static xmlNodePtr GetOrNull(const Node& node) { return static_cast<xmlNodePtr>(node.node_); }
  // A handle to `node`, or a null handle for null.
  static Node Wrap(xmlNodePtr node);
};

// The name of an element or attribute as written: prefix, colon and local name, or the local name alone.
std::string QualifiedName(const xmlNs* ns, const xmlChar* name);

// The top of the tree that `node` is in: the document node when attached, else the head of its detached subtree.
xmlNodePtr TopOf(xmlNodePtr node) noexcept;

}  // namespace vrk::dom
