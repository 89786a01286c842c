// CUndoJournal: the converter's record of the edit (or update bracket) in progress. It makes every edit
// all-or-nothing, defers checks inside update brackets, and keeps the identical-band-sets mode.
#pragma once

#include <memory>
#include <vector>

#include "editing/undo_group.h"
#include "schema/index_list.h"

namespace vrk {

class CNodeInfoXML;
class CNodeTag_VRK_Device;

// A check an edit asks for: run at once outside a bracket, queued inside one.
struct PendingCheck {
  enum Kind { kAttribute, kNode, kRemoval };
  Kind kind;
  CNodeInfoXML* descriptor;
  CIndexList indexes;
};

class CUndoJournal {
 public:
  // A current group exists and `root` records into it; the identical-bands flag takes `identical`. Turning the
  // mode on first equalises the band sets while recording, then stops recording and, outside a bracket, commits
  // the group. Throws CConvException when the equalisation fails (the flag is left as it was).
  void Reset(CNodeTag_VRK_Device& root, bool identical);
  // Opens a bracket; the outermost one empties the check lists.
  void Begin();
  // Closes a bracket. Throws kMsgNoBeginUpdate when none is open. Closing the outermost one runs the queued checks
  // (attribute, then node, then removal checks, each in queue order), then commits the group. A failing check stops the
  // run and leaves the lists and the group for the caller's rollback. `root` is null when no configuration is held;
  // then nothing is queued and nothing records.
  void End(CNodeTag_VRK_Device* root);
  // Undoes every change of the current group, last first, and stops recording.
  void Rollback(CNodeTag_VRK_Device& root);
  // Starts an edit: `root` records into the current group (made when there is none).
  void OpenEdit(CNodeTag_VRK_Device& root);
  // Ends an edit: recording stops; outside a bracket `checks` run now and the group is committed, inside one
  // they are queued. Throws the first failing check; the group is then kept for the caller's rollback.
  void CloseEdit(CNodeTag_VRK_Device& root, std::vector<PendingCheck> checks);
  // Forgets the group (without undoing) and the queued checks, which refer to the root that is about to go.
  // The bracket depth stays.
  void Clear();

  uint32_t depth() const { return depth_; }
  bool identical_bands() const { return identical_bands_; }
  void SetIdenticalBands(bool on) { identical_bands_ = on; }
  // The group changes record into, made when there is none.
  CUndoXMLGroup& CurrentGroup();
  // The group of the edit or bracket in progress, null when everything is committed.
  CUndoXMLGroup* OpenGroup() const { return current_group_.get(); }

 private:
  uint32_t depth_ = 0;
  std::unique_ptr<CUndoXMLGroup> current_group_;
  std::vector<PendingCheck> attribute_checks_;
  std::vector<PendingCheck> node_checks_;
  std::vector<PendingCheck> removal_checks_;
  bool identical_bands_ = false;
};

// Runs one check for the descriptor and index list it names (cut to the depth the descriptor needs).
void RunPendingCheck(const PendingCheck& check);

}  // namespace vrk
