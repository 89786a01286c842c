#include "schema/node_check.h"

#include "interface/message_table.h"
#include "schema/device_root.h"
#include "schema/value_check.h"

namespace vrk {

namespace {

// The extent of a check pass on the root, however the check ends.
class CheckPass {
 public:
  explicit CheckPass(CNodeTag_VRK_Device& root) : root_(root) { root_.BeginCheckPass(); }
  ~CheckPass() { root_.EndCheckPass(); }
  CheckPass(const CheckPass&) = delete;
  CheckPass& operator=(const CheckPass&) = delete;

 private:
  CNodeTag_VRK_Device& root_;
};

}  // namespace

void CheckNode(CNodeTagInfoXML& element, const CIndexList& indexes, bool check_values, bool full_rules) {
  const CheckPass pass(*element.owner());
  if (element.parent()) {
    CIndexList parent_indexes = indexes;
    if (!element.parent()->GetNode(parent_indexes, false)) return;
  }
  CIndexList own_indexes = indexes;
  const dom::Node node = element.GetNode(own_indexes, false);
  if (!node) {
    if (element.mandatory()) ThrowMessage(132, element.GetFullPath());
    return;
  }

  std::string value;
  for (CNodeAttrInfoXML* attribute : element.attributes()) {
    if (!attribute->ReadValue(node, &value)) {
      if (attribute->mandatory()) ThrowMessage(133, attribute->GetFullPath());
      continue;
    }
    if (check_values) CheckValue(*attribute, value, indexes);
  }

  for (CNodeTagInfoXML* child : element.children()) {
    if (!child->repeated()) {
      CheckNode(*child, indexes, check_values, full_rules);
      continue;
    }
    const uint32_t count = child->CountNodes(indexes);
    for (uint32_t k = 0; k < count; ++k) {
      CIndexList child_indexes = indexes;
      child_indexes.PushBack({false, k});
      CheckNode(*child, child_indexes, check_values, full_rules);
    }
  }

  element.owner()->CheckNodeRules(element, indexes, full_rules);
}

}  // namespace vrk
