// Reading and writing a whole image through its root tag.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "bin/node_tag_bin.h"

namespace vrk::bin {

// Reads the tree of `root` from an image; bytes after the root tag are ignored. An empty image leaves the root
// absent. Throws CConvException with the tag layer's messages, the root's CRC check included; the tree then
// keeps what was read before the error.
void ReadImage(CNodeTagBIN& root, const uint8_t* data, std::size_t size);

// Writes a filled tree into one buffer of exactly root.GetSize() bytes, in one pass. Throws CConvException
// kMsgMandatoryTagNotSpecified when the root or another mandatory tag is not present, kMsgHeaderUnwritable when the
// image would pass 4 GiB.
std::vector<uint8_t> WriteImage(CNodeTagBIN& root);

}  // namespace vrk::bin
