// The layout kept in documents the component edits: every element on a line of its own, indented by one tab per
// nesting level. Inserted elements get the indentation of their place; removed and moved ones take the
// whitespace before them along.
#pragma once

#include <string>

#include "platform/dom/dom.h"

namespace vrk {

// Whether `node` is a text node of blanks, tabs and line ends only (indentation); false for a null node.
bool IsWhitespace(const dom::Node& node);

// Nesting level of `node`: 0 for the document element.
int NestingLevel(const dom::Node& node);

// The text before an element at nesting level `level`: a line end and `level` tabs.
std::string Indentation(int level);

}  // namespace vrk
