// Removal of an element occurrence together with what depends on it: references to a removed parameter or
// channel, relative bands on a removed shaft, diagnoses of a removed monitoring element, and the numbering that
// must stay without gaps afterwards. Every change is recorded when the root records.
#pragma once

#include "schema/index_list.h"

namespace vrk {

class CNodeTag_VRK_DeviceV7;
class CNodeTagInfoXML;

// Removes the occurrence of `element` that `indexes` selects, with its dependents; nothing when it does not
// exist. `identical`: the identical-band-sets mode, under which a parameter removed from one channel goes from
// every channel. Throws CConvException.
void RemoveWithDependents(CNodeTag_VRK_DeviceV7& root, bool identical, CNodeTagInfoXML& element,
                          const CIndexList& indexes);

}  // namespace vrk
