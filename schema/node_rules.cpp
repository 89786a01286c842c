#include "schema/node_rules.h"

#include <string>

#include "interface/message_table.h"
#include "schema/node_info.h"
#include "schema/value_text.h"

namespace vrk {

std::vector<uint32_t> KeyList(CNodeTagInfoXML& element, const CIndexList& indexes) {
  CNodeAttrInfoXML* key = element.key_attribute();
  if (!key) ThrowMessage(113, element.GetFullPath());
  std::vector<uint32_t> keys;
  CIndexList parent_indexes = indexes;
  const dom::Node parent = element.parent()->GetNode(parent_indexes, false);
  if (!parent) return keys;
  std::string text;
  for (dom::Node child = parent.firstChild(); child; child = child.nextSibling()) {
    if (!element.Matches(child) || !key->ReadValue(child, &text)) continue;
    if (const std::optional<uint32_t> value = ParseKeyText(text)) keys.push_back(*value);
  }
  return keys;
}

void CheckUniqueKeys(CNodeTagInfoXML& element, const CIndexList& indexes) {
  const std::vector<uint32_t> keys = KeyList(element, indexes);
  for (std::size_t i = 0; i < keys.size(); ++i)
    for (std::size_t j = i + 1; j < keys.size(); ++j)
      if (keys[i] == keys[j])
        ThrowMessageArgs(137, {element.name(), element.key_attribute()->name()}, element.GetFullPath());
}

void CheckKeysWithoutGaps(CNodeTagInfoXML& element, const CIndexList& indexes, uint32_t start) {
  const std::vector<uint32_t> keys = KeyList(element, indexes);
  // Walking the list once per key and advancing past each value found accepts exactly start .. start + n - 1.
  uint64_t next = start;
  for (std::size_t pass = 0; pass < keys.size(); ++pass)
    for (uint32_t key : keys)
      if (key == next) ++next;
  if (next - start != keys.size())
    ThrowMessageArgs(138, {element.name(), element.key_attribute()->name(), std::to_string(start)},
                     element.GetFullPath());
}

void CheckExactlyOneChild(CNodeTagInfoXML& child, const CIndexList& indexes) {
  if (child.CountNodes(indexes) != 1) ThrowMessageArgs(141, {child.name()}, child.GetFullPath());
}

void CheckExactCount(CNodeTagInfoXML& child, const CIndexList& indexes, uint32_t count) {
  if (child.CountNodes(indexes) != count)
    ThrowMessageArgs(142, {std::to_string(count), child.name()}, child.GetFullPath());
}

}  // namespace vrk
