// The version probe and the mapping from version words to trees.
#include "bin/version_probe.h"

#include "bin/tag_tree_v1.h"
#include "bin/tag_tree_v2.h"
#include "bin/tag_tree_v6.h"
#include "bin/tag_tree_v7.h"
#include "interface/message_ids.h"
#include "interface/message_table.h"

namespace vrk::bin {

uint32_t ProbeImageVersion(const uint8_t* data, std::size_t size) {
  CTagBIN_CONFvs probe;
  TagCursor cursor = ImageCursor(data, size);
  ReadTag(probe, cursor);
  return probe.Version();
}

BinTreeVersion SelectTreeVersion(uint32_t version_word) {
  switch (version_word) {
    case kVersionWordV1Tree: return BinTreeVersion::kV1;
    case kVersionWordV2: return BinTreeVersion::kV2;
    case 2: case 3:  // version-3 images share the version-6 tree
    case kVersionWordV6: return BinTreeVersion::kV6;
    case kVersionWordV7: return BinTreeVersion::kV7;
    default: ThrowMessage(kMsgVersionNotSupported);
  }
}

std::unique_ptr<CNodeTagBIN> MakeTree(BinTreeVersion version) {
  switch (version) {
    case BinTreeVersion::kV1: return std::make_unique<CTagBIN_CONFv1>();
    case BinTreeVersion::kV2: return std::make_unique<CTagBIN_CONFv2>();
    case BinTreeVersion::kV6: return std::make_unique<CTagBIN_CONFv6>();
    case BinTreeVersion::kV7: return std::make_unique<CTagBIN_CONFv7>();
  }
  return std::make_unique<CTagBIN_CONFv7>();
}

}  // namespace vrk::bin
