// Loading a configuration from the device's binary image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "schema/device_v7.h"

namespace vrk {

// A version-7 root made from `size` bytes of image: a fresh copy of the default configuration filled from the
// image, then normalised, completed and checked with the whole-configuration rules (values unchecked). Only
// version-7 images are read. Throws CConvException: 159 for any other version, the tag layer's errors (118 for
// a CRC mismatch), 101 for records that no document writes, 161 for a phase without its relative band, and the
// schema's errors of the check.
std::unique_ptr<CNodeTag_VRK_DeviceV7> ImportBinImage(const uint8_t* data, std::size_t size, bool imperial);

}  // namespace vrk
