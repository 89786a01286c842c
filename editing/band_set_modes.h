// The band-set modes: identical band sets for all vibration channels, and the fixed parameter layout that keeps
// the thresholds compatible with DIDIR 2.1. Every change is made through the descriptors, so it is recorded and
// undone with the edit when the root records.
#pragma once

#include <cstdint>

#include "schema/index_list.h"

namespace vrk {

class CNodeTag_VRK_Device;
class CNodeTag_VRK_DeviceV7;

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

}  // namespace vrk
