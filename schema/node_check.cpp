#include "schema/node_check.h"

#include "interface/message_ids.h"
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

// One walk over the occurrences below an element whose node is in hand. A check only reads the document, so the
// child occurrences are the element children met in document order; each is handed to its descriptor as the
// occurrence its index list selects, so that the lookups of ranges and rules find it at once.
class CheckWalk {
 public:
  CheckWalk(bool check_values, bool full_rules) : check_values_(check_values), full_rules_(full_rules) {}

  // `indexes` selects `node`; it is extended for the children and restored before returning.
  void Occurrence(CNodeTagInfoXML& element, const dom::Node& node, CIndexList& indexes) {
    for (CNodeAttrInfoXML* attribute : element.attributes()) {
      if (!attribute->ReadValue(node, &value_)) {
        if (attribute->mandatory()) ThrowMessage(kMsgNoMandatoryAttribute, attribute->GetFullPath());
        continue;
      }
      if (check_values_) CheckValue(*attribute, value_, indexes);
    }
    for (CNodeTagInfoXML* child : element.children()) {
      if (child->repeated())
        Occurrences(*child, node, indexes);
      else
        Single(*child, node, indexes);
    }
    element.owner()->CheckNodeRules(element, indexes, full_rules_);
  }

 private:
  void Single(CNodeTagInfoXML& child, const dom::Node& parent_node, CIndexList& indexes) {
    const dom::Node node = child.FirstIn(parent_node);
    if (!node) {
      if (child.mandatory()) ThrowMessage(kMsgNoMandatoryElement, child.GetFullPath());
      return;
    }
    child.RememberOccurrence(parent_node, node, {false, 0});
    Occurrence(child, node, indexes);
  }

  void Occurrences(CNodeTagInfoXML& child, const dom::Node& parent_node, CIndexList& indexes) {
    uint32_t position = 0;
    indexes.PushBack({});
    child.ForEachIn(parent_node, [&](const dom::Node& node) {
      const IndexEntry entry{false, position++};
      indexes.SetBack(entry);
      child.RememberOccurrence(parent_node, node, entry);
      Occurrence(child, node, indexes);
    });
    indexes.PopBack();
  }

  const bool check_values_;
  const bool full_rules_;
  std::string value_;
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
    if (element.mandatory()) ThrowMessage(kMsgNoMandatoryElement, element.GetFullPath());
    return;
  }
  // Entries beyond those that selected the element select nothing below it: the walk visits every occurrence.
  const std::size_t consumed = indexes.size() > own_indexes.size() ? indexes.size() - own_indexes.size() : 0;
  CIndexList walk_indexes = indexes.Truncated(consumed);
  CheckWalk(check_values, full_rules).Occurrence(element, node, walk_indexes);
}

}  // namespace vrk
