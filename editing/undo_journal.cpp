#include "editing/undo_journal.h"

#include "editing/band_set_modes.h"
#include "interface/message_ids.h"
#include "interface/message_table.h"
#include "schema/device_root.h"

namespace vrk {

CUndoXMLGroup& CUndoJournal::CurrentGroup() {
  if (!current_group_) current_group_ = std::make_unique<CUndoXMLGroup>();
  return *current_group_;
}

void CUndoJournal::Reset(CNodeTag_VRK_Device& root, bool identical) {
  root.SetRecording(&CurrentGroup());
  if (identical) {
    // The flag is set only once the equalisation has succeeded; a failure leaves the group to the caller's
    // rollback.
    EqualiseBandSets(root);
    root.SetRecording(nullptr);
    if (depth_ == 0) current_group_.reset();
  }
  identical_bands_ = identical;
}

void CUndoJournal::Begin() {
  if (depth_ == 0) {
    attribute_checks_.clear();
    node_checks_.clear();
    removal_checks_.clear();
  }
  ++depth_;
}

void CUndoJournal::End(CNodeTag_VRK_Device* root) {
  if (depth_ == 0) ThrowMessage(kMsgNoBeginUpdate);
  if (--depth_ > 0) return;
  if (!root) return;
  for (const auto* list : {&attribute_checks_, &node_checks_, &removal_checks_})
    for (const PendingCheck& check : *list) RunPendingCheck(check);
  attribute_checks_.clear();
  node_checks_.clear();
  removal_checks_.clear();
  root->SetRecording(nullptr);
  current_group_.reset();
}

void CUndoJournal::Rollback(CNodeTag_VRK_Device& root) {
  root.SetRecording(nullptr);
  if (current_group_) current_group_->UndoAll();
  // Undo re-inserts and removes nodes: no cached position can be trusted afterwards.
  root.ResetNodeCache();
}

void CUndoJournal::OpenEdit(CNodeTag_VRK_Device& root) { root.SetRecording(&CurrentGroup()); }

void CUndoJournal::CloseEdit(CNodeTag_VRK_Device& root, std::vector<PendingCheck> checks) {
  root.SetRecording(nullptr);
  if (depth_ > 0) {
    for (PendingCheck& check : checks) {
      auto& list = check.kind == PendingCheck::kAttribute ? attribute_checks_
                   : check.kind == PendingCheck::kNode    ? node_checks_
                                                          : removal_checks_;
      list.push_back(std::move(check));
    }
    return;
  }
  for (const PendingCheck& check : checks) RunPendingCheck(check);
  current_group_.reset();
}

void CUndoJournal::Clear() {
  current_group_.reset();
  attribute_checks_.clear();
  node_checks_.clear();
  removal_checks_.clear();
}

}  // namespace vrk
