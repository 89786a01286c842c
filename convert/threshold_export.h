// The threshold records of a version-7 image ("THRS"): one TRESHOLDCONFIG per absolute threshold level of every
// vibration parameter, tacho channel and Modbus input, then the readiness records.
#pragma once

#include <vector>

#include "bin/records_v7.h"

namespace vrk {

class CNodeTag_VRK_DeviceV7;

// The records in image order. `codes` is the code table the image carries. Sets the root's stored index list to each
// channel while its records are built and leaves it empty. Throws CConvException for a missing or unreadable value
// (kMsgAttributeNotSpecified, kMsgIncorrectValueType) and kMsgIncorrectValueType for a monitoring element numbered
// outside 1..16.
std::vector<bin::TRESHOLDCONFIG> ExportThresholds(CNodeTag_VRK_DeviceV7& root, const bin::CODETABLE& codes);

}  // namespace vrk
