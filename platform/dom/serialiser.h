// Serialisation of documents and nodes through the XML engine.
#pragma once

#include <libxml/tree.h>

#include <string>

namespace vrk::dom {

// The document in the encoding that doc->encoding names, with its declaration; UTF-8 when it names none, and
// then the declaration (if the document has one) names no encoding either. Throws Error.
std::string SerialiseDocument(xmlDocPtr doc);

// The document as SerialiseDocument writes it, but with the characters left in UTF-8: the declaration still names
// doc->encoding. Where every character exists in that encoding, this is SerialiseDocument's text before the engine
// converts it, and converting it to UTF-16 directly gives what decoding SerialiseDocument's bytes gives.
std::string SerialiseDocumentUtf8Body(xmlDocPtr doc);

// The node as UTF-8 XML text without declaration; an attribute as name="value". Namespaces that the node uses
// but an ancestor declares are declared on it, so the text stands on its own. Throws Error.
std::string SerialiseNode(xmlNodePtr node);

}  // namespace vrk::dom
