// Small owners of XML engine resources, so that every exit path releases them.
#pragma once

#include <iconv.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <memory>

namespace vrk::dom {

// Initialises the engine once per process, before its first use. It also keeps a descriptor of UTF-16 and of
// the device's single-byte code page open for the life of the process: the C library unloads a codec module when
// its last descriptor closes, and reloading one for every parse, save and decoding cost more than the parse.
inline void InitEngine() {
  static const bool initialised = (xmlInitParser(), true);
  static const iconv_t kept_codecs[] = {iconv_open("UTF-16LE", "UTF-8"), iconv_open("UTF-8", "WINDOWS-1251")};
  (void)initialised;
  (void)kept_codecs;
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

// Hides the document's name dictionary while it lives. A fragment parsed into a document shares its dictionary,
// and the engine frees that dictionary with the parser when memory runs out halfway (leaving the document with
// a freed one); without it, the fragment's names are the nodes' own strings, which free as usual.
class DictionaryHidden {
 public:
  explicit DictionaryHidden(xmlDocPtr doc) : doc_(doc), saved_(doc->dict) { doc_->dict = nullptr; }
  ~DictionaryHidden() { doc_->dict = saved_; }
  DictionaryHidden(const DictionaryHidden&) = delete;
  DictionaryHidden& operator=(const DictionaryHidden&) = delete;

 private:
  xmlDocPtr doc_;
  xmlDictPtr saved_;
};

}  // namespace vrk::dom
