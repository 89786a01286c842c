#include "schema/indentation.h"

#include <cstddef>

namespace vrk {

bool IsWhitespace(const dom::Node& node) {
  if (!node || node.kind() != dom::NodeKind::kText) return false;
  for (char c : node.value())
    if (c != ' ' && c != '\t' && c != '\n' && c != '\r') return false;
  return true;
}

int NestingLevel(const dom::Node& node) {
  int level = 0;
  for (dom::Node p = node.parent(); p; p = p.parent()) ++level;
  return level;
}

std::string Indentation(int level) { return "\n" + std::string(static_cast<std::size_t>(level), '\t'); }

}  // namespace vrk
