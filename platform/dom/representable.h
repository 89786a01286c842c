// Whether a tree can be written in its document's encoding without changing its content. Text and attribute
// values can carry any character as a character reference; names, comments, processing instructions and CDATA
// sections cannot, and the writer would change them silently.
#pragma once

#include <libxml/tree.h>

#include "platform/dom/dom.h"

namespace vrk::dom {

// Throws ParseError naming the first node of the subtree `top` (and its following siblings when `siblings`)
// whose name or content the encoding `encoding` cannot hold. UTF encodings hold everything.
void CheckRepresentable(xmlNodePtr top, const char* encoding, bool siblings);

}  // namespace vrk::dom
