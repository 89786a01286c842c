#include "tools/document_diff.h"

#include <deque>
#include <unordered_map>

namespace vrk::tools {

std::vector<ValueDifference> DiffDocumentValues(const std::vector<DocumentValue>& before,
                                                const std::vector<DocumentValue>& after) {
  // Each location of `after`, with its occurrences in order; matched ones are taken off the front.
  std::unordered_map<std::string, std::deque<const DocumentValue*>> unmatched;
  for (const DocumentValue& value : after) unmatched[FormatLocation(value.path, value.indexes)].push_back(&value);

  std::vector<ValueDifference> differences;
  std::vector<bool> matched(after.size(), false);
  for (const DocumentValue& old_value : before) {
    auto found = unmatched.find(FormatLocation(old_value.path, old_value.indexes));
    if (found == unmatched.end() || found->second.empty()) {
      differences.push_back({old_value.path, old_value.indexes, old_value.value, std::nullopt, old_value.attribute,
                             nullptr});
      continue;
    }
    const DocumentValue& new_value = *found->second.front();
    found->second.pop_front();
    matched[static_cast<std::size_t>(&new_value - after.data())] = true;
    if (old_value.value != new_value.value)
      differences.push_back({old_value.path, old_value.indexes, old_value.value, new_value.value,
                             old_value.attribute, new_value.attribute});
  }
  for (std::size_t i = 0; i < after.size(); ++i)
    if (!matched[i])
      differences.push_back({after[i].path, after[i].indexes, std::nullopt, after[i].value, nullptr,
                             after[i].attribute});
  return differences;
}

}  // namespace vrk::tools
