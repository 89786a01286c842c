// CheckNode: the recursive check of one occurrence and everything below it.
#pragma once

#include "schema/index_list.h"

namespace vrk {

class CNodeTagInfoXML;

// Checks the occurrence of `element` that `indexes` selects: a missing mandatory element (132), missing
// mandatory attributes (133), with `check_values` every present value against its range, then every child
// occurrence in schema order, then the root's rules for the element (all of them with `full_rules`).
// Nothing is checked when the parent occurrence does not exist. Throws CConvException with the full path.
void CheckNode(CNodeTagInfoXML& element, const CIndexList& indexes, bool check_values, bool full_rules);

}  // namespace vrk
