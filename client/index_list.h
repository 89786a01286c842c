// Index lists: which occurrence of each repeated element on a path a call means.
#pragma once

#include <cstdint>
#include <vector>

#include "interface/vrk5420_interfaces.h"
#include "platform/com_ptr.h"

namespace vrk::client {

// One entry: the occurrence at position `value`, or (use_attr) the one whose key attribute is `value`.
struct IndexEntry {
  bool use_attr = false;
  uint32_t value = 0;
};
using IndexList = std::vector<IndexEntry>;

// Position entries only: {0, 2} selects occurrence 0, then occurrence 2 below it.
IndexList Positions(std::initializer_list<uint32_t> positions);

// A new index-list object holding `entries` (an empty list for none). Throws CallFailure when it cannot be made
// or filled.
ComPtr<IVRK5420CfgConValueIndexes> MakeIndexList(const IndexList& entries);

}  // namespace vrk::client
