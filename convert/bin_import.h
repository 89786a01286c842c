// Loading a configuration from the device's binary image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "schema/device_v7.h"

namespace vrk {

// A version-7 root made from `size` bytes of image: the image is read with the tag tree its version word selects into a
// root of its version on a fresh copy of the default configuration, normalised, completed and checked there (values
// unchecked), upgraded to version 7 when it is older, and normalised, completed and checked again. Throws
// CConvException: kMsgVersionNotSupported for an unknown version word, the tag layer's errors (kMsgCrcError for a CRC
// mismatch, kMsgNoMandatoryTag when the root, "CFGH" or "CFGB" is missing), kMsgTagDataUnreadable for records that no
// document writes, kMsgPhaseWithoutBand for a phase without its relative band, and the schema's errors of the checks.
std::unique_ptr<CNodeTag_VRK_DeviceV7> ImportBinImage(const uint8_t* data, std::size_t size, bool imperial);

// What an image holds in the layout of its own configuration version: the document its version's importer fills
// (on a copy of the default configuration, before any load pass or upgrade), and that version (version words 0
// and 1 are versions 1 and 2; 2, 3 and 6 are kept as they are). Throws as ImportBinImage does while reading.
struct ImageInItsVersion {
  uint16_t version = 0;
  dom::Document document;
  std::vector<std::string> unread;  // what the image holds that the importer does not read (UnreadRecords)
};
ImageInItsVersion ReadImageInItsVersion(const uint8_t* data, std::size_t size);

}  // namespace vrk
