// Small owners of XML engine resources, so that every exit path releases them.
#pragma once

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <memory>

namespace vrk::dom {

// Initialises the engine once per process, before its first use.
inline void InitEngine() {
  static const bool initialised = (xmlInitParser(), true);
  (void)initialised;
}

struct DocDeleter {
  void operator()(xmlDocPtr doc) const { xmlFreeDoc(doc); }
};
using DocOwner = std::unique_ptr<xmlDoc, DocDeleter>;

// Owns a node that is in no tree (no parent, no siblings), with its subtree.
struct NodeDeleter {
  void operator()(xmlNodePtr node) const { xmlFreeNode(node); }
};
using NodeOwner = std::unique_ptr<xmlNode, NodeDeleter>;

struct BufferDeleter {
  void operator()(xmlBufferPtr buffer) const { xmlBufferFree(buffer); }
};
using BufferOwner = std::unique_ptr<xmlBuffer, BufferDeleter>;

// Replaces the document's encoding name for the lifetime of the object. The engine takes decisions on that name
// (how fragments are decoded, whether non-ASCII output is escaped); the owned string stays untouched.
class EncodingOverride {
 public:
  EncodingOverride(xmlDocPtr doc, const char* encoding) : doc_(doc), saved_(doc->encoding) {
    doc_->encoding = reinterpret_cast<const xmlChar*>(encoding);
  }
  ~EncodingOverride() { doc_->encoding = saved_; }
  EncodingOverride(const EncodingOverride&) = delete;
  EncodingOverride& operator=(const EncodingOverride&) = delete;

 private:
  xmlDocPtr doc_;
  const xmlChar* saved_;
};

}  // namespace vrk::dom
