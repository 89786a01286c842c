// Edits of a vibration channel's parameter numbering: closing the gaps after a parameter went, and moving a
// parameter to another place in the numbering. Both rewrite `number` values, never move nodes, and are recorded
// like any other write when the root records.
#pragma once

#include <cstdint>
#include <map>

#include "schema/index_list.h"

namespace vrk {

class CCommonXMLv7;
class CNodeTag_VRK_DeviceV7;
class CNodeTagInfoXML;

// Old -> new `number` of the parameters of one channel whose number changed.
using ParamRenumbering = std::map<uint32_t, uint32_t>;

// True when `element` is one of the seven parameter containers of a vibration channel (Average, Peak,
// PeakPeak, WaveRMS, Crest, absolute band, relative band).
bool IsParameterContainer(CNodeTag_VRK_DeviceV7& root, const CNodeTagInfoXML& element);

// Numbers the parameters of the channel `channel` selects 1, 2, 3 ... in the order of their numbers (equal
// numbers keep their visiting order; a phase comes right after its band), writing only numbers that change. The first parameter carrying an old
// number decides where references to that number go. References are not touched.
ParamRenumbering RenumberChannelParameters(CNodeTag_VRK_DeviceV7& root, const CIndexList& channel);

// Rewrites the references to the parameters of vibration channel `channel_number` after `renumbering`.
void FollowRenumbering(CCommonXMLv7& converter, uint32_t channel_number, const ParamRenumbering& renumbering);

// Moves the parameter container `element` at `indexes` by `offset` places in its channel's numbering: the
// parameter and those it passes exchange their numbers by rotation, so that it takes the asked place within
// the ends of the list; a relative band followed by its phase moves with it as one unit. References follow;
// with `identical` the same move is made in every other vibration channel. Returns the displacement applied
// (0 when the occurrence does not exist).
int32_t MoveParameter(CNodeTag_VRK_DeviceV7& root, bool identical, CNodeTagInfoXML& element, const CIndexList& indexes,
                      int32_t offset);

}  // namespace vrk
