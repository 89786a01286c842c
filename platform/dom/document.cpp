// The Document handle: counting, node creation and whole-document output. Parsing lives in parser.cpp.
#include <utility>

#include "platform/dom/dom.h"
#include "platform/dom/encoding.h"
#include "platform/dom/engine_handles.h"
#include "platform/dom/error_scope.h"
#include "platform/dom/node_ref.h"
#include "platform/dom/serialiser.h"
#include "platform/dom/xml_text.h"
#include "platform/utf.h"

namespace vrk::dom {
namespace {

xmlDocPtr DocOf(DocumentState* state) {
  if (state == nullptr) throw Error("null document handle");
  return state->doc();
}

const xmlChar* XmlText(std::string_view text) {
  return reinterpret_cast<const xmlChar*>(text.empty() ? "" : text.data());
}

// A handle to a node that no tree holds yet; the node is freed if the handle cannot be made.
Node WrapNew(xmlNodePtr node) {
  NodeOwner owner(node);
  Node handle = NodeAccess::Wrap(node);
  owner.release();
  return handle;
}

}  // namespace

Document::Document(const Document& other) noexcept : state_(other.state_) {
  if (state_ != nullptr) state_->AddRef();
}

Document::Document(Document&& other) noexcept : state_(std::exchange(other.state_, nullptr)) {}

Document& Document::operator=(const Document& other) noexcept {
  Document copy(other);
  std::swap(state_, copy.state_);
  return *this;
}

Document& Document::operator=(Document&& other) noexcept {
  Document taken(std::move(other));
  std::swap(state_, taken.state_);
  return *this;
}

Document::~Document() {
  if (state_ != nullptr) state_->Release();
}

Node Document::documentElement() const { return NodeAccess::Wrap(xmlDocGetRootElement(DocOf(state_))); }

std::uint64_t Document::structureVersion() const {
  if (state_ == nullptr) throw Error("null document handle");
  return state_->structure_version();
}

Node Document::createElement(std::string_view name) {
  xmlDocPtr doc = DocOf(state_);
  CheckName(name);
  ErrorScope scope;
  const std::string copy(name);
  xmlNodePtr node = xmlNewDocNode(doc, nullptr, reinterpret_cast<const xmlChar*>(copy.c_str()), nullptr);
  if (node == nullptr) scope.Fail("cannot create an element");
  return WrapNew(node);
}

Node Document::createText(std::string_view text) {
  xmlDocPtr doc = DocOf(state_);
  CheckText(text);
  ErrorScope scope;
  xmlNodePtr node = xmlNewDocTextLen(doc, XmlText(text), static_cast<int>(text.size()));
  if (node == nullptr || (!text.empty() && node->content == nullptr)) {
    xmlFreeNode(node);
    scope.Fail("cannot create a text node");
  }
  return WrapNew(node);
}

std::string Document::bytes() const { return SerialiseDocument(DocOf(state_)); }

std::u16string Document::text() const {
  xmlDocPtr doc = DocOf(state_);
  const char* encoding = doc->encoding ? reinterpret_cast<const char*>(doc->encoding) : "UTF-8";
  Utf16Decoder& decoder = state_->DecoderFor(encoding);
  // Writing a single-byte encoding goes through the system's converter character by character. When every
  // character of the document exists in the encoding, the UTF-8 text converted directly is the same text; a
  // character it lacks becomes a character reference only on the way through the encoding.
  if (doc->encoding != nullptr && decoder.AsciiSingleByte()) {
    std::u16string direct = Utf8ToUtf16(SerialiseDocumentUtf8Body(doc));
    if (decoder.Represents(direct)) return direct;
  }
  return decoder.Decode(bytes());
}

}  // namespace vrk::dom
