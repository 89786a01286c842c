// Serialisation. The engine decides on doc->encoding whether to write non-ASCII characters raw or as character
// references; the UTF-8 paths name UTF-8 there for the duration of the call so that the text stays readable.
#include "platform/dom/serialiser.h"

#include <libxml/xmlsave.h>

#include <memory>
#include <new>

#include "platform/dom/engine_handles.h"
#include "platform/dom/encoding.h"
#include "platform/dom/error_scope.h"

namespace vrk::dom {
namespace {

constexpr const char* kUtf8 = "UTF-8";

struct XmlFreeDeleter {
  void operator()(xmlChar* text) const { xmlFree(text); }
};

std::string BufferText(xmlBufferPtr buffer) {
  return std::string(reinterpret_cast<const char*>(xmlBufferContent(buffer)),
                     static_cast<std::size_t>(xmlBufferLength(buffer)));
}

// The declaration as the engine writes it, naming `encoding` when it is not null.
std::string Declaration(xmlDocPtr doc, const xmlChar* encoding) {
  std::string out = "<?xml version=\"";
  out += doc->version ? reinterpret_cast<const char*>(doc->version) : "1.0";
  out += '"';
  if (encoding != nullptr) {
    out += " encoding=\"";
    out += reinterpret_cast<const char*>(encoding);
    out += '"';
  }
  if (doc->standalone == 1) out += " standalone=\"yes\"";
  if (doc->standalone == 0) out += " standalone=\"no\"";
  out += "?>\n";
  return out;
}

bool UsesNamespaces(xmlNodePtr top) {
  for (xmlNodePtr node = top; node != nullptr;) {
    if (node->type == XML_ELEMENT_NODE) {
      if (node->ns != nullptr) return true;
      for (xmlAttrPtr attr = node->properties; attr != nullptr; attr = attr->next)
        if (attr->ns != nullptr) return true;
      if (node->children != nullptr) {
        node = node->children;
        continue;
      }
    }
    while (node != top && node->next == nullptr) node = node->parent;
    node = node == top ? nullptr : node->next;
  }
  return false;
}

// The document's body in UTF-8 after `declaration`.
std::string SerialiseDocumentAsUtf8(xmlDocPtr doc, std::string declaration) {
  ErrorScope scope;
  EncodingOverride utf8(doc, kUtf8);
  BufferOwner buffer(xmlBufferCreate());
  if (!buffer) scope.Fail("cannot write the document");
  xmlSaveCtxtPtr save = xmlSaveToBuffer(buffer.get(), kUtf8, XML_SAVE_NO_DECL);
  if (save == nullptr) scope.Fail("cannot write the document");
  xmlSaveDoc(save, doc);
  if (xmlSaveClose(save) < 0 || scope.first().set) scope.Fail("cannot write the document");
  declaration += BufferText(buffer.get());
  return declaration;
}

}  // namespace

std::string SerialiseDocument(xmlDocPtr doc) {
  if (doc->encoding != nullptr) {
    ErrorScope scope;
    xmlChar* text = nullptr;
    int length = 0;
    xmlDocDumpMemory(doc, &text, &length);
    std::unique_ptr<xmlChar, XmlFreeDeleter> owner(text);
    if (text == nullptr || scope.first().set) {
      const char* encoding = reinterpret_cast<const char*>(doc->encoding);
      // The engine calls an encoding unknown also when memory ran out while it made the encoder.
      if (text == nullptr && SystemKnowsEncoding(encoding))
        throw std::bad_alloc();
      scope.Fail(std::string("cannot write the document in encoding ") + encoding);
    }
    return std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length));
  }

  // doc->standalone is -1 only when the text had no declaration at all.
  return SerialiseDocumentAsUtf8(doc, doc->standalone == -1 ? std::string() : Declaration(doc, nullptr));
}

std::string SerialiseDocumentUtf8Body(xmlDocPtr doc) {
  return SerialiseDocumentAsUtf8(doc, Declaration(doc, doc->encoding));
}

std::string SerialiseNode(xmlNodePtr node) {
  ErrorScope scope;
  // Dumping a node writes only the namespace declarations inside it; a copy into a document of its own declares
  // on the copy what the node inherits.
  DocOwner copy_doc;
  xmlNodePtr target = node;
  if (node->type == XML_ELEMENT_NODE && UsesNamespaces(node)) {
    copy_doc.reset(xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0")));
    if (!copy_doc) scope.Fail("cannot write the node");
    target = xmlDocCopyNode(node, copy_doc.get(), 1);
    if (target == nullptr) scope.Fail("cannot write the node");
    xmlDocSetRootElement(copy_doc.get(), target);
  }
  EncodingOverride utf8(target->doc, kUtf8);
  BufferOwner buffer(xmlBufferCreate());
  if (!buffer) scope.Fail("cannot write the node");
  if (xmlNodeDump(buffer.get(), target->doc, target, 0, 0) < 0 || scope.first().set)
    scope.Fail("cannot write the node");
  std::string out = BufferText(buffer.get());
  if (node->type == XML_ATTRIBUTE_NODE && !out.empty() && out.front() == ' ') out.erase(0, 1);
  return out;
}

}  // namespace vrk::dom
