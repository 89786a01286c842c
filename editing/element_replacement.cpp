#include "editing/element_replacement.h"

#include "editing/element_removal.h"
#include "schema/device_v7.h"
#include "schema/element_edits.h"

namespace vrk {

void ReplaceWithDependents(CNodeTag_VRK_DeviceV7& root, bool identical, CNodeTagInfoXML& element,
                           const CIndexList& indexes, std::string_view xml) {
  CIndexList lookup = indexes;
  const dom::Node old = element.GetNode(lookup, true);
  const dom::Node parent = old.parent();
  // The text is parsed before anything goes, so that a text that is not one element changes nothing first.
  const dom::Node replacement = ParseElement(element, parent, xml);
  dom::Node place = old.nextSibling();
  RemoveWithDependents(root, identical, element, indexes);
  // Dependents may have taken the old neighbour along; then the element goes to the end.
  if (place && !(place.parent() == parent)) place = dom::Node();
  element.InsertIndented(parent, replacement, place);
  root.ResetNodeCache();
  CIndexList ensure = indexes;
  element.GetNode(ensure, true);
}

}  // namespace vrk
