// The cut-out lists of absolute bands: derived data, rewritten from the relative bands of their channel
// each time the document is handed out.
#pragma once

namespace vrk {

class CNodeTag_VRK_DeviceV7;

// For every vibration channel numbered 1 to 16 and each of its absolute bands that has `cutting_rel_bands`,
// replaces that element by a fresh one listing the numbers of the channel's relative bands in document order.
// Changes are recorded in the undo journal when the root records.
void RegenerateCuttingBands(CNodeTag_VRK_DeviceV7& root);

}  // namespace vrk
