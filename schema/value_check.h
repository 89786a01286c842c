// Validation of one value against its attribute's range, with the composed message callers see.
#pragma once

#include <string>

#include "schema/index_list.h"

namespace vrk {

class CNodeAttrInfoXML;

// Checks `text` against the range of `attribute` (after the root has prepared ranges for `indexes`): type, limits,
// dictionary. Throws CConvException named with the attribute's full path; the message is kMsgValueUnparsable or
// kMsgIncorrectRange followed by the value and a description of what is allowed.
void CheckValue(CNodeAttrInfoXML& attribute, const std::string& text, const CIndexList& indexes);

// The text that describes what `attribute` accepts: type word, limits, dictionary values (display form).
std::string DescribeRange(const CNodeAttrInfoXML& attribute);

}  // namespace vrk
