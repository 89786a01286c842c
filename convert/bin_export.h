// Producing the device's binary image from a version-7 configuration.
#pragma once

#include <cstdint>
#include <vector>

namespace vrk {

class CNodeTag_VRK_DeviceV7;

struct BinImage {
  std::vector<uint8_t> bytes;
  uint32_t crc32 = 0;  // the configuration CRC, as the image's "CFGH" holds it
};

// The version-7 image of the configuration. Reads the document only; the root's stored index list is set while channels
// are built and is empty again afterwards, also after a failure. Throws CConvException: kMsgAttributeNotSpecified for a
// missing value the image needs, kMsgIncorrectValueType for a value that is not a number of its field's type or does
// not fit it, kMsgReferenceMissing for a test parameter whose output or parameter does not exist, and the tag layer's
// errors.
BinImage ExportBinImage(CNodeTag_VRK_DeviceV7& root);

}  // namespace vrk
