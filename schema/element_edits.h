// Structural edits of one element occurrence, each recorded in the undo journal when the root records.
// They keep the document indented: an element moves and goes together with the whitespace before it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/dom/dom.h"
#include "schema/index_list.h"

namespace vrk {

class CNodeTagInfoXML;

// Removes the occurrence `indexes` selects, with the indentation before it; nothing when it does not exist.
// Returns true when something was removed.
bool RemoveElement(CNodeTagInfoXML& element, CIndexList indexes);

// Removes the last occurrence under the parent occurrence that `parent_indexes` selects, found from the end so
// that removing many in a row stays linear. Returns false when there is none.
bool RemoveLastElement(CNodeTagInfoXML& element, CIndexList parent_indexes);

// Moves the occurrence by `offset` places among its same-named siblings, clamped to the ends; returns the
// displacement applied (0 when the occurrence does not exist).
int32_t MoveElement(CNodeTagInfoXML& element, CIndexList indexes, int32_t offset);

// The XML text (UTF-8) of the occurrence; null when it does not exist. Changes nothing.
std::optional<std::string> ElementText(CNodeTagInfoXML& element, CIndexList indexes);

// The one element that `xml` (UTF-8) holds, parsed in the scope of `context` and detached. Throws
// kMsgDocumentLoadingError with the parse position when it does not parse, kMsgDocumentLoadingError with the element's
// path when it is not exactly one element.
dom::Node ParseElement(CNodeTagInfoXML& element, const dom::Node& context, std::string_view xml);

}  // namespace vrk
