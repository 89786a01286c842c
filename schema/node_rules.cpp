#include "schema/node_rules.h"

#include <algorithm>
#include <string>

#include "interface/message_ids.h"
#include "interface/message_table.h"
#include "schema/node_info.h"
#include "schema/value_text.h"

namespace vrk {

std::vector<uint32_t> KeyList(CNodeTagInfoXML& element, const CIndexList& indexes) {
  CNodeAttrInfoXML* key = element.key_attribute();
  if (!key) ThrowMessage(kMsgNoSearchAttribute, element.GetFullPath());
  std::vector<uint32_t> keys;
  const dom::Node parent = element.ParentNode(indexes);
  if (!parent) return keys;
  std::string text;
  element.ForEachIn(parent, [&](const dom::Node& child) {
    if (!key->ReadValue(child, &text)) return;
    if (const std::optional<uint32_t> value = ParseKeyText(text)) keys.push_back(*value);
  });
  return keys;
}

void CheckUniqueKeys(CNodeTagInfoXML& element, const CIndexList& indexes) {
  std::vector<uint32_t> keys = KeyList(element, indexes);
  std::sort(keys.begin(), keys.end());
  if (std::adjacent_find(keys.begin(), keys.end()) != keys.end())
    ThrowMessageArgs(kMsgKeyNotUnique, {element.name(), element.key_attribute()->name()}, element.GetFullPath());
}

void CheckKeysWithoutGaps(CNodeTagInfoXML& element, const CIndexList& indexes, uint32_t start) {
  std::vector<uint32_t> keys = KeyList(element, indexes);
  // Exactly start .. start + n - 1 in any order: sorted, the i-th key is start + i (a repeated key never is).
  std::sort(keys.begin(), keys.end());
  for (std::size_t i = 0; i < keys.size(); ++i)
    if (keys[i] != start + static_cast<uint64_t>(i))
      ThrowMessageArgs(kMsgKeysNotConsecutive, {element.name(), element.key_attribute()->name(), std::to_string(start)},
                       element.GetFullPath());
}

void CheckExactlyOneChild(CNodeTagInfoXML& child, const CIndexList& indexes) {
  if (child.CountNodes(indexes) != 1) ThrowMessageArgs(kMsgSubnodeNotUnique, {child.name()}, child.GetFullPath());
}

void CheckExactCount(CNodeTagInfoXML& child, const CIndexList& indexes, uint32_t count) {
  if (child.CountNodes(indexes) != count)
    ThrowMessageArgs(kMsgNodeCount, {std::to_string(count), child.name()}, child.GetFullPath());
}

void CheckReferencesExist(const std::vector<uint32_t>& referring, const std::vector<uint32_t>& existing,
                          const CNodeTagInfoXML& reference, const CNodeTagInfoXML& target) {
  for (uint32_t value : referring)
    if (std::find(existing.begin(), existing.end(), value) == existing.end())
      ThrowMessageArgs(kMsgReferenceMissing, {reference.GetFullPath(), target.GetFullPath()}, reference.GetFullPath());
}

}  // namespace vrk
