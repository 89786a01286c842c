// The checks an edit leaves behind: of a written attribute, of a created element, of the parent of a removed one.
#include "editing/undo_journal.h"
#include "interface/message_ids.h"
#include "interface/message_table.h"
#include "schema/device_root.h"
#include "schema/node_check.h"
#include "schema/value_check.h"

namespace vrk {
namespace {

void CheckWrittenAttribute(CNodeAttrInfoXML& attribute, const CIndexList& indexes) {
  CIndexList element_indexes = indexes;
  const dom::Node element = attribute.element()->GetNode(element_indexes, false);
  if (!element) return;
  std::string value;
  if (!attribute.ReadValue(element, &value)) {
    if (attribute.mandatory()) ThrowMessage(kMsgNoMandatoryAttribute, attribute.GetFullPath());
  } else {
    CheckValue(attribute, value, indexes);
    attribute.CheckLinked(indexes);
  }
  attribute.owner()->AfterAttributeCheck(attribute, indexes);
}

void CheckRemovedElement(CNodeTagInfoXML& element, const CIndexList& indexes) {
  CNodeTag_VRK_Device& root = *element.owner();
  if (root.HandleRemovalCheck(element, indexes)) return;
  CNodeTagInfoXML* parent = element.parent();
  if (!parent) return;
  CheckNode(*parent, indexes.Truncated(parent->GetIndexDepth()), false, false);
}

}  // namespace

void RunPendingCheck(const PendingCheck& check) {
  const CIndexList indexes = check.indexes.Truncated(check.descriptor->GetIndexDepth());
  switch (check.kind) {
    case PendingCheck::kAttribute:
      CheckWrittenAttribute(static_cast<CNodeAttrInfoXML&>(*check.descriptor), indexes);
      break;
    case PendingCheck::kNode:
      CheckNode(static_cast<CNodeTagInfoXML&>(*check.descriptor), indexes, false, false);
      break;
    case PendingCheck::kRemoval:
      CheckRemovedElement(static_cast<CNodeTagInfoXML&>(*check.descriptor), indexes);
      break;
  }
}

}  // namespace vrk
