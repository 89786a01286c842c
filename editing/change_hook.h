// The change hook: after a value was set through the interface, it writes the values that depend on it (a new
// channel's settings, references that follow a renumbered parameter or channel, band frequencies that follow
// the spectrum settings, the other channels in the identical-band-sets mode) and names the checks those writes
// need. Every change is made through the descriptors, so it is recorded and undone with the edit.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "editing/undo_journal.h"
#include "schema/index_list.h"

namespace vrk {

class CNodeAttrInfoXML;
class CNodeTag_VRK_DeviceV7;

// `indexes` as they select the occurrence that holds `attribute` after it was rewritten from `old` to
// `written`: when `attribute` is its element's key and the element's entry selected it by the old key value,
// the entry now selects it by the new one. Otherwise `indexes` unchanged.
CIndexList FollowKey(CNodeAttrInfoXML& attribute, const CIndexList& indexes, const std::optional<std::string>& old,
                     const std::optional<std::string>& written);

// Runs after `attribute` was written (or removed) through the interface; `indexes` select its element as it is
// now (see FollowKey) and `old_value` is the stored value before, null when it was absent. Writes the values
// that depend on it (each recorded) and returns the checks of the rewritten values that must pass like the
// written one. Attributes without dependents: nothing. Throws CConvException.
std::vector<PendingCheck> RunChangeHook(CNodeTag_VRK_DeviceV7& root, bool identical, CNodeAttrInfoXML& attribute,
                                        const CIndexList& indexes, const std::optional<std::string>& old_value);

// Writes the fixed layout of the compatibility mode into the vibration channel `channel` selects (Average 1,
// PeakPeak 2, absolute band 3, four relative bands per tachometer channel), each write followed by the hook.
void WriteCompatibilityLayout(CNodeTag_VRK_DeviceV7& root, bool identical, const CIndexList& channel);

}  // namespace vrk
