// Building blocks of the cross-element rules: unique keys, keys numbered without gaps, exact child counts.
// Each throws CConvException with its message when the rule fails.
#pragma once

#include <cstdint>
#include <vector>

#include "schema/index_list.h"

namespace vrk {

class CNodeTagInfoXML;

// The key values of all occurrences of `element` under the parent occurrence `indexes` selects, in document
// order; values that are not unsigned numbers are left out. Throws kMsgNoSearchAttribute when `element` has no
// key attribute.
std::vector<uint32_t> KeyList(CNodeTagInfoXML& element, const CIndexList& indexes);

// kMsgKeyNotUnique when two occurrences of `element` share a key value.
void CheckUniqueKeys(CNodeTagInfoXML& element, const CIndexList& indexes);

// kMsgKeysNotConsecutive when the key values are not exactly start, start + 1, ... in any order.
void CheckKeysWithoutGaps(CNodeTagInfoXML& element, const CIndexList& indexes, uint32_t start = 1);

// kMsgSubnodeNotUnique unless the parent occurrence `indexes` selects has exactly one `child`.
void CheckExactlyOneChild(CNodeTagInfoXML& child, const CIndexList& indexes);

// kMsgNodeCount unless the parent occurrence has exactly `count` occurrences of `child`.
void CheckExactCount(CNodeTagInfoXML& child, const CIndexList& indexes, uint32_t count);

// kMsgReferenceMissing naming `reference` and `target`, with `reference`'s path as the detail, when a value of
// `referring` is not among `existing`.
void CheckReferencesExist(const std::vector<uint32_t>& referring, const std::vector<uint32_t>& existing,
                          const CNodeTagInfoXML& reference, const CNodeTagInfoXML& target);

}  // namespace vrk
