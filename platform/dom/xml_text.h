// Checks of the texts and names that callers hand to the engine, which would otherwise store them unchecked and
// write a document that cannot be read back.
#pragma once

#include <string_view>

namespace vrk::dom {

// Throws Error unless `text` is UTF-8 made only of characters that an XML document may contain.
void CheckText(std::string_view text);
// Throws Error unless `name` is a qualified XML name (at most one prefix) that is not a namespace declaration.
void CheckName(std::string_view name);

}  // namespace vrk::dom
