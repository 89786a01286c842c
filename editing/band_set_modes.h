// The band-set modes: identical band sets for all vibration channels, and the fixed parameter layout that keeps
// the thresholds compatible with DIDIR 2.1; and the change hook that keeps dependent values consistent after a
// value was set through the interface. Every change is made through the descriptors, so it is recorded and
// undone with the edit when the root records.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "editing/undo_journal.h"
#include "schema/index_list.h"

namespace vrk {

class CNodeAttrInfoXML;
class CNodeTag_VRK_Device;
class CNodeTag_VRK_DeviceV7;

// `indexes` as they select the occurrence that holds `attribute` after it was rewritten from `old` to
// `written`: when `attribute` is its element's key and the element's entry selected it by the old key value,
// the entry now selects it by the new one. Otherwise `indexes` unchanged.
CIndexList FollowKey(CNodeAttrInfoXML& attribute, const CIndexList& indexes, const std::optional<std::string>& old,
                     const std::optional<std::string>& written);

// Replaces the parameter containers (Average, Peak, PeakPeak, WaveRMS, Crest, Absolute_bands, Relative_bands)
// of the vibration channel numbered `target` by copies of those of channel `source`; a container the source
// lacks is removed from the target. Nothing when either channel does not exist or they are the same. With
// `check` the copied values are validated at once (throws CConvException).
void CopyChannelBands(CNodeTag_VRK_DeviceV7& root, uint32_t source, uint32_t target, bool check);

// Turning identical band sets on: the channel with the smallest number is copied into every other channel
// (values checked), then the references that no longer name a parameter go: monitoring references to numbers
// without a measured parameter, current-output and slave-output references to free numbers. Nothing for a
// root that is not of version 7 or has no vibration channel.
void EqualiseBandSets(CNodeTag_VRK_Device& root);

// Turns the compatibility mode on or off (nothing when it already is as asked). On: every vibration channel
// gets the fixed layout (Average 1, PeakPeak 2, absolute band 3, four relative bands per tachometer channel)
// and loses its references. Off: phases of bands with fractional factors go and the parameters are numbered
// 1, 2, 3 ... again. The flag change is recorded, so undoing the edit restores it with the document.
void SwitchCompatibilityMode(CNodeTag_VRK_DeviceV7& root, bool identical, bool on);

// Runs after `attribute` was written (or removed) through the interface; `indexes` select its element as it is
// now (see FollowKey) and `old_value` is the stored value before, null when it was absent. Writes the values
// that depend on it (each recorded) and returns the checks of the rewritten values that must pass like the
// written one. Attributes without dependents: nothing. Throws CConvException.
std::vector<PendingCheck> RunChangeHook(CNodeTag_VRK_DeviceV7& root, bool identical, CNodeAttrInfoXML& attribute,
                                        const CIndexList& indexes, const std::optional<std::string>& old_value);

}  // namespace vrk
