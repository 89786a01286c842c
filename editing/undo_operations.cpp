#include "editing/undo_operations.h"

#include "schema/node_info.h"

namespace vrk {

void CUndoXMLOperation::Undo() {
  UndoChange();
  descriptor_->ResetAfterChange();
}

void CUndoXMLTagAppend::UndoChange() {
  dom::Node parent = node_.parent();
  if (parent) parent.removeChild(node_);
}

// Inserting takes a node from wherever it is, detached or among its siblings.
void CUndoXMLNodePlace::UndoChange() {
  if (node_.kind() == dom::NodeKind::kAttribute)
    parent_.insertAttributeBefore(node_, next_);
  else
    parent_.insertBefore(node_, next_);
}

void CUndoXMLNodeReplace::UndoChange() {
  dom::Node parent = new_node_.parent();
  parent.replaceChild(old_node_, new_node_);
}

CUndoXMLAttrChange::CUndoXMLAttrChange(CNodeAttrInfoXML* descriptor, dom::Node element,
                                       std::optional<std::string> old_value)
    : CUndoXMLOperation(descriptor), attribute_(descriptor), element_(std::move(element)),
      old_value_(std::move(old_value)) {}

void CUndoXMLAttrChange::UndoChange() {
  if (old_value_) {
    attribute_->WriteValue(element_, *old_value_);
    return;
  }
  if (const dom::Node attribute = element_.attribute(attribute_->name())) element_.removeAttributeNode(attribute);
}

}  // namespace vrk
