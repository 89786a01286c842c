// The load pass that every version's root runs on the sections all versions share.
#pragma once

namespace vrk {

class CNodeTag_VRK_Device;

// Brings the shared sections of a freshly loaded document to the current conventions: the header loses its
// Profibus settings, and tachometer channels measured in revolutions per second are converted, with their
// levels, to revolutions per minute. Running it again changes nothing.
void NormalizeCommonSections(CNodeTag_VRK_Device& root);

}  // namespace vrk
