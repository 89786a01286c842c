// Replacement of an element occurrence by an element given as XML text.
#pragma once

#include <string_view>

#include "schema/index_list.h"

namespace vrk {

class CNodeTag_VRK_DeviceV7;
class CNodeTagInfoXML;

// Removes the occurrence of `element` that `indexes` selects with its dependents (the occurrence is created first when
// missing), puts the element that `xml` holds in its place, and makes sure the occurrence `indexes` selects exists.
// `identical`: the identical-band-sets mode. Throws CConvException (kMsgDocumentLoadingError for text that is not one
// element).
void ReplaceWithDependents(CNodeTag_VRK_DeviceV7& root, bool identical, CNodeTagInfoXML& element,
                           const CIndexList& indexes, std::string_view xml);

}  // namespace vrk
