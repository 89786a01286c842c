#include "schema/path_lookup.h"

#include "schema/node_info.h"

namespace vrk {

CNodeTagInfoXML* FindNodeInfo(CNodeTagInfoXML& start, std::string_view path) {
  CNodeTagInfoXML* element = &start;
  while (!path.empty()) {
    const std::size_t slash = path.find('\\');
    if (slash == std::string_view::npos) return nullptr;
    element = element->FindChild(path.substr(0, slash));
    if (!element) return nullptr;
    path.remove_prefix(slash + 1);
  }
  return element;
}

CNodeAttrInfoXML* FindAttrInfo(CNodeTagInfoXML& start, std::string_view path) {
  if (path.empty()) return nullptr;
  const std::size_t last_slash = path.rfind('\\');
  if (last_slash == std::string_view::npos) return start.FindAttribute(path);
  CNodeTagInfoXML* element = FindNodeInfo(start, path.substr(0, last_slash + 1));
  return element ? element->FindAttribute(path.substr(last_slash + 1)) : nullptr;
}

}  // namespace vrk
