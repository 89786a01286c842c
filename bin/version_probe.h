// Choosing the tag tree of an image: the version probe reads only the root header and its version word, which
// selects one of the four trees.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "bin/data_tag_bin.h"
#include "bin/records_v2.h"
#include "bin/tag_format.h"

namespace vrk::bin {

struct ROOTHEADERvs : RootHeaderRecord<kVersionWordV1Tree> {};

// The probe root: a mandatory "CONF" whose record accepts any size (a shorter one fills only the low bytes of the
// version word, an empty one leaves it 0) and whose children are skipped.
class CTagBIN_CONFvs : public CDataTagBIN<ROOTHEADERvs> {
 public:
  CTagBIN_CONFvs() : CDataTagBIN(kTagCONF) { SetMandatory(true); }
  bool CheckRecordSize(std::size_t, uint32_t) const override { return true; }
  uint32_t Version() const { return Record().version; }
};

enum class BinTreeVersion { kV1, kV2, kV6, kV7 };

// The version word of an image; 0 for an empty image or an empty root record. Throws CConvException
// kMsgHeaderUnreadable, kMsgNoMandatoryTag, kMsgTagSizeIncorrect or kMsgTagTooLarge for a broken root header.
uint32_t ProbeImageVersion(const uint8_t* data, std::size_t size);

// The tree that reads images of a version word: 0 -> version 1, 1 -> version 2, 2, 3 and 6 -> version 6,
// 7 -> version 7. Throws CConvException kMsgVersionNotSupported for any other word.
BinTreeVersion SelectTreeVersion(uint32_t version_word);

// A new, empty root of that tree (CTagBIN_CONFv1, v2, v6 or v7); never null.
std::unique_ptr<CNodeTagBIN> MakeTree(BinTreeVersion version);

}  // namespace vrk::bin
