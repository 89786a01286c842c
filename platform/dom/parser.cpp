// Parsing of documents and fragments. Nothing is loaded from outside: network access is off and a document type
// declaration stops the parse before its internal subset is read, so entity expansion attacks and external
// entities never get started.
#include <libxml/parser.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>
#include <optional>

#include "platform/decoding_failure.h"
#include "platform/dom/dom.h"
#include "platform/dom/encoding.h"
#include "platform/dom/representable.h"
#include "platform/dom/engine_handles.h"
#include "platform/dom/error_scope.h"
#include "platform/dom/node_ref.h"
#include "platform/utf.h"

namespace vrk::dom {
namespace {

constexpr int kOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
constexpr char kDoctype[] = "<!DOCTYPE";
constexpr std::size_t kDoctypeLength = sizeof kDoctype - 1;

int CountCharacters(const xmlChar* begin, const xmlChar* end) {
  // UTF-8 continuation bytes start no character.
  return static_cast<int>(std::count_if(begin, end, [](xmlChar c) { return (c & 0xC0) != 0x80; }));
}

// Parser context that keeps the first error it reports and refuses document type declarations.
class ParserContext {
 public:
  explicit ParserContext(const ErrorScope& scope) : ctxt_(xmlNewParserCtxt()) {
    if (ctxt_ == nullptr) scope.Fail("cannot create a parser");
    ctxt_->_private = &first_;
    ctxt_->sax->serror = &ParserContext::OnError;
    ctxt_->sax->internalSubset = &ParserContext::OnDoctype;
  }
  ~ParserContext() { xmlFreeParserCtxt(ctxt_); }
  ParserContext(const ParserContext&) = delete;
  ParserContext& operator=(const ParserContext&) = delete;

  xmlParserCtxtPtr get() const { return ctxt_; }
  const EngineError& first() const { return first_; }
  // An undeclared namespace prefix is only an error of level "error", after which the engine keeps the document.
  bool failed() const { return first_.set || !ctxt_->wellFormed || !ctxt_->nsWellFormed; }

 private:
  static EngineError& FirstOf(void* ctxt) {
    return *static_cast<EngineError*>(static_cast<xmlParserCtxtPtr>(ctxt)->_private);
  }

  static void OnError(void* ctxt, xmlErrorPtr report) noexcept {
    if (report != nullptr && report->level >= XML_ERR_ERROR) ErrorScope::Keep(FirstOf(ctxt), *report);
  }

  // Called after "<!DOCTYPE name ExternalID", before any subset is read.
  static void OnDoctype(void* context, const xmlChar*, const xmlChar*, const xmlChar*) noexcept {
    auto* ctxt = static_cast<xmlParserCtxtPtr>(context);
    EngineError& first = FirstOf(context);
    if (!first.set) {
      first.set = true;
      first.domain = XML_FROM_PARSER;
      first.code = XML_ERR_USER_STOP;
      PositionOfDoctype(ctxt->input, first.line, first.column);
      try {
        first.message = "DTD is prohibited\n";
      } catch (...) {
        first.code = XML_ERR_NO_MEMORY;
      }
    }
    xmlStopParser(ctxt);
  }

  // Where the declaration starts, worked back from the parser's current position.
  static void PositionOfDoctype(xmlParserInputPtr input, int& line, int& column) {
    line = input->line;
    column = input->col;
    const xmlChar* start = input->cur;
    while (start - input->base >= static_cast<std::ptrdiff_t>(kDoctypeLength) &&
           std::memcmp(start - kDoctypeLength, kDoctype, kDoctypeLength) != 0)
      --start;
    if (start - input->base < static_cast<std::ptrdiff_t>(kDoctypeLength)) return;
    start -= kDoctypeLength;
    const int newlines = static_cast<int>(std::count(start, input->cur, '\n'));
    if (newlines == 0) {
      column -= CountCharacters(start, input->cur);
      return;
    }
    const xmlChar* line_start = start;
    while (line_start > input->base && line_start[-1] != '\n') --line_start;
    if (line_start == input->base && input->consumed != 0) return;  // the line's start is no longer buffered
    if (line_start == input->base && std::memcmp(line_start, "\xEF\xBB\xBF", 3) == 0) line_start += 3;
    line -= newlines;
    column = CountCharacters(line_start, start) + 1;
  }

  xmlParserCtxtPtr ctxt_;
  EngineError first_;
};

ParseError MakeParseError(const EngineError& parser_first, const ErrorScope& scope) {
  EngineError where = parser_first.set ? parser_first : scope.first();
  if (where.out_of_memory() || scope.first().out_of_memory()) throw std::bad_alloc();
  // Undecodable input shows in the parser only as a premature end of data; the decoder's report says why.
  std::string reason = scope.firstConversion().set ? scope.firstConversion().message : where.message;
  if (reason.empty()) reason = "Document is not well-formed";
  if (reason.back() != '\n') reason += '\n';
  return ParseError(reason, std::max(where.line, 1), std::max(where.column, 1));
}

// The scan of a text (bytes or UTF-16) for its declared encoding; only ASCII-compatible bytes are understood.
DeclaredEncoding ScanBytes(std::string_view bytes) {
  std::u16string head;
  for (std::size_t i = 0; i < bytes.size() && i < 512; ++i) head += static_cast<unsigned char>(bytes[i]);
  return ScanDeclaredEncoding(head);
}

// Refuses an encoding that a document could not be written back in. The engine finds no encoder either when
// memory runs out while it makes one, which is no fault of the document.
void RefuseUnproducible(const std::string& name, int column, const ErrorScope& scope) {
  if (CanProduce(name.c_str())) return;
  if (scope.first().out_of_memory() || SystemKnowsEncoding(name.c_str())) throw std::bad_alloc();
  throw ParseError("Unsupported encoding " + name + "\n", 1, std::max(column, 1));
}

// Takes the parsed document into a state, refusing an encoding that could not be written back.
DocumentState* Adopt(DocOwner doc, int encoding_column, const ErrorScope& scope) {
  if (doc->encoding != nullptr)
    RefuseUnproducible(reinterpret_cast<const char*>(doc->encoding), encoding_column, scope);
  return DocumentState::Adopt(doc.release());
}

}  // namespace

Document Document::parseBytes(std::string_view bytes) {
  InitEngine();
  if (bytes.size() > INT_MAX) throw ParseError("Document is too large\n", 1, 1);
  ErrorScope scope;
  ParserContext parser(scope);
  DocOwner doc(xmlCtxtReadMemory(parser.get(), bytes.empty() ? "" : bytes.data(), static_cast<int>(bytes.size()),
                                 nullptr, nullptr, kOptions));
  if (!doc || parser.failed()) {
    // The engine calls an encoding unsupported also when memory ran out while it made the decoder.
    if (parser.first().code == XML_ERR_UNSUPPORTED_ENCODING && SystemKnowsEncoding(ScanBytes(bytes).name.c_str()))
      throw std::bad_alloc();
    throw MakeParseError(parser.first(), scope);
  }
  if (doc->standalone == -1 && doc->encoding != nullptr) {
    // No declaration: the document names no encoding, whatever the engine detected.
    xmlFree(const_cast<xmlChar*>(doc->encoding));
    doc->encoding = nullptr;
  }
  return Document(Adopt(std::move(doc), ScanBytes(bytes).column, scope));
}

Document Document::parseText(std::u16string_view text) {
  InitEngine();
  if (text.size() > INT_MAX / 2) throw ParseError("Document is too large\n", 1, 1);
  ErrorScope scope;
  const DeclaredEncoding declared = ScanDeclaredEncoding(text);
  if (!declared.name.empty()) RefuseUnproducible(declared.name, declared.column, scope);
  // The text goes to the engine as UTF-8 with no encoding named, which it reads without switching decoders: a
  // switch does not survive an allocation failure (it leaves the input without data and the parser then reads
  // through a null pointer), and UTF-16 would show an unpaired surrogate only as a premature end of data.
  if (const std::optional<DecodingFailure> failure = FindUnpairedSurrogate(text))
    throw ParseError(failure->reason, failure->line, failure->column);
  const std::string utf8 = Utf16ToUtf8(text);
  if (utf8.size() > INT_MAX) throw ParseError("Document is too large\n", 1, 1);
  ParserContext parser(scope);
  // The text is Unicode whatever its declaration says; the declared name is only kept for writing.
  DocOwner doc(xmlCtxtReadMemory(parser.get(), utf8.empty() ? "" : utf8.data(), static_cast<int>(utf8.size()),
                                 nullptr, nullptr, kOptions | XML_PARSE_IGNORE_ENC));
  if (!doc || parser.failed()) throw MakeParseError(parser.first(), scope);
  xmlFree(const_cast<xmlChar*>(doc->encoding));
  doc->encoding = nullptr;
  if (!declared.name.empty()) {
    doc->encoding = xmlStrdup(reinterpret_cast<const xmlChar*>(declared.name.c_str()));
    if (doc->encoding == nullptr) scope.Fail("cannot load the document");
    CheckRepresentable(doc->children, declared.name.c_str(), true);
  }
  return Document(Adopt(std::move(doc), declared.column, scope));
}

std::vector<Node> Document::parseFragment(const Node& context, std::string_view xml) {
  xmlNodePtr parent = NodeAccess::Get(context);
  if (state_ == nullptr || DocumentState::Of(parent) != state_) throw Error("context node of another document");
  if (parent->type != XML_ELEMENT_NODE) throw Error("fragment context is not an element");
  if (xml.empty()) throw ParseError("Document is empty\n", 1, 1);
  if (xml.size() > INT_MAX) throw ParseError("Document is too large\n", 1, 1);

  ErrorScope scope;
  xmlNodePtr list = nullptr;
  int rc;
  {
    // The engine decodes a fragment in the document's encoding; the text is UTF-8.
    EncodingOverride utf8(parent->doc, nullptr);
    DictionaryHidden own_names(parent->doc);
    rc = xmlParseInNodeContext(parent, xml.data(), static_cast<int>(xml.size()), kOptions, &list);
  }
  // Take the nodes apart first, so that each is a detached subtree of its own, owned until it has a handle.
  std::vector<NodeOwner> owners;
  while (list != nullptr) {
    xmlNodePtr node = list;
    list = list->next;
    xmlUnlinkNode(node);
    try {
      owners.emplace_back(node);
    } catch (...) {
      xmlFreeNode(node);
      xmlFreeNodeList(list);
      throw;
    }
  }
  if (rc == XML_ERR_NO_MEMORY) scope.Fail("cannot parse the fragment");
  if (rc != XML_ERR_OK || scope.first().set) throw MakeParseError(EngineError(), scope);

  if (parent->doc->encoding != nullptr)
    for (NodeOwner& owner : owners)
      CheckRepresentable(owner.get(), reinterpret_cast<const char*>(parent->doc->encoding), false);

  std::vector<Node> nodes;
  nodes.reserve(owners.size());
  for (NodeOwner& owner : owners) {
    nodes.push_back(NodeAccess::Wrap(owner.get()));
    owner.release();
  }
  return nodes;
}

}  // namespace vrk::dom
