// Path names: backslash-separated element names from the configuration root, ending in an attribute name or,
// for an element, in a backslash. Names match without regard to ASCII letter case.
#pragma once

#include <string_view>

namespace vrk {

class CNodeTagInfoXML;
class CNodeAttrInfoXML;

// The element descriptor `path` names below `start` ("" names `start`); null when there is none, including a
// path that does not end in a backslash.
CNodeTagInfoXML* FindNodeInfo(CNodeTagInfoXML& start, std::string_view path);

// The attribute descriptor `path` names below `start`; null when there is none.
CNodeAttrInfoXML* FindAttrInfo(CNodeTagInfoXML& start, std::string_view path);

}  // namespace vrk
