// The differences between two listings of document values, matched by location (path and indexes).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tools/document_values.h"

namespace vrk::tools {

struct ValueDifference {
  std::string path;
  std::vector<IndexArg> indexes;
  // Null where the location is absent on that side.
  std::optional<std::string> before;
  std::optional<std::string> after;
  // The descriptors of the two sides, where the schema knows them.
  const CNodeAttrInfoXML* before_attribute = nullptr;
  const CNodeAttrInfoXML* after_attribute = nullptr;

  bool dropped() const { return before && !after; }
  bool added() const { return !before && after; }
};

// The locations whose values differ, or that only one side has: first those of `before` in its order (changed
// or dropped), then those only `after` has, in its order. Values compare as texts. A location listed twice on one
// side (names the schema does not know, repeated without a key) is matched occurrence by occurrence.
std::vector<ValueDifference> DiffDocumentValues(const std::vector<DocumentValue>& before,
                                                const std::vector<DocumentValue>& after);

}  // namespace vrk::tools
