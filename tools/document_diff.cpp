#include "tools/document_diff.h"

#include <functional>
#include <string_view>
#include <unordered_map>

namespace vrk::tools {
namespace {

// A value's location (path and indexes) as a key, without formatting it into a text: the listings hold
// thousands of values and the comparison of two documents looks each of them up once.
struct LocationKey {
  const DocumentValue* value;

  bool operator==(const LocationKey& other) const {
    const std::vector<IndexArg>& a = value->indexes;
    const std::vector<IndexArg>& b = other.value->indexes;
    if (value->path != other.value->path || a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
      if (a[i].use_attr != b[i].use_attr || a[i].value != b[i].value) return false;
    return true;
  }
};

struct LocationHash {
  std::size_t operator()(const LocationKey& key) const {
    std::size_t hash = std::hash<std::string_view>()(key.value->path);
    for (const IndexArg& index : key.value->indexes)
      hash = hash * 1000003u ^ (static_cast<std::size_t>(index.value) << 1 | (index.use_attr ? 1u : 0u));
    return hash;
  }
};

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

}  // namespace

std::vector<ValueDifference> DiffDocumentValues(const std::vector<DocumentValue>& before,
                                                const std::vector<DocumentValue>& after) {
  // The first unmatched value of `after` at each location, and after each value the next one at its location:
  // matched ones are taken off the front of their location's chain.
  std::unordered_map<LocationKey, std::size_t, LocationHash> unmatched;
  unmatched.reserve(after.size());
  std::vector<std::size_t> next_at_location(after.size(), kNone);
  for (std::size_t i = after.size(); i-- > 0;) {
    auto [found, inserted] = unmatched.try_emplace(LocationKey{&after[i]}, i);
    if (!inserted) {
      next_at_location[i] = found->second;
      found->second = i;
    }
  }

  std::vector<ValueDifference> differences;
  std::vector<bool> matched(after.size(), false);
  for (const DocumentValue& old_value : before) {
    auto found = unmatched.find(LocationKey{&old_value});
    if (found == unmatched.end() || found->second == kNone) {
      differences.push_back({old_value.path, old_value.indexes, old_value.value, std::nullopt, old_value.attribute,
                             nullptr});
      continue;
    }
    const std::size_t k = found->second;
    found->second = next_at_location[k];
    matched[k] = true;
    const DocumentValue& new_value = after[k];
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
