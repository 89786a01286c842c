// Serialisation of documents and nodes through the XML engine.
#pragma once

#include <libxml/tree.h>

#include <string>

namespace vrk::dom {

// The document in the encoding that doc->encoding names, with its declaration; UTF-8 when it names none, and
// then the declaration (if the document has one) names no encoding either. Throws Error.
std::string SerialiseDocument(xmlDocPtr doc);

// The node as UTF-8 XML text without declaration; an attribute as name="value". Namespaces that the node uses
// but an ancestor declares are declared on it, so the text stands on its own. Throws Error.
std::string SerialiseNode(xmlNodePtr node);

}  // namespace vrk::dom
