#include "platform/dom/representable.h"

#include <string>
#include <string_view>
#include <unordered_set>

#include "platform/dom/encoding.h"

namespace vrk::dom {
namespace {

bool IsUnicode(const char* encoding) {
  const std::string_view name(encoding);
  return name.size() >= 3 && (name.substr(0, 3) == "UTF" || name.substr(0, 3) == "utf");
}

std::string_view View(const xmlChar* text) {
  return text ? std::string_view(reinterpret_cast<const char*>(text)) : std::string_view();
}

void Refuse(const char* what, xmlNodePtr node, const char* encoding) {
  throw ParseError(std::string(what) + " cannot be written in " + encoding + "\n", static_cast<int>(node->line), 1);
}

// The engine keeps one copy of each element and attribute name in its dictionary, so a document repeats few
// distinct name pointers; each is probed once.
class NameProbe {
 public:
  explicit NameProbe(EncodingProbe& probe) : probe_(probe) {}
  bool CanEncode(const xmlChar* name) {
    if (checked_.contains(name)) return true;
    if (!probe_.CanEncode(View(name))) return false;
    checked_.insert(name);
    return true;
  }

 private:
  EncodingProbe& probe_;
  std::unordered_set<const xmlChar*> checked_;
};

void CheckNode(xmlNodePtr node, const char* encoding, EncodingProbe& probe, NameProbe& names) {
  switch (node->type) {
    case XML_ELEMENT_NODE:
      if (!names.CanEncode(node->name)) Refuse("An element name", node, encoding);
      for (xmlAttrPtr attr = node->properties; attr != nullptr; attr = attr->next)
        if (!names.CanEncode(attr->name)) Refuse("An attribute name", node, encoding);
      break;
    case XML_COMMENT_NODE:
      if (!probe.CanEncode(View(node->content))) Refuse("A comment", node, encoding);
      break;
    case XML_PI_NODE:
    case XML_CDATA_SECTION_NODE:
      if (!probe.CanEncode(View(node->content))) Refuse("A processing instruction or CDATA section", node, encoding);
      break;
    default:
      break;
  }
}

}  // namespace

void CheckRepresentable(xmlNodePtr top, const char* encoding, bool siblings) {
  if (encoding == nullptr || IsUnicode(encoding)) return;
  EncodingProbe probe(encoding);
  NameProbe names(probe);
  for (xmlNodePtr start = top; start != nullptr; start = siblings ? start->next : nullptr) {
    // Depth-first walk of the subtree under `start`.
    for (xmlNodePtr node = start; node != nullptr;) {
      CheckNode(node, encoding, probe, names);
      if (node->type == XML_ELEMENT_NODE && node->children != nullptr) {
        node = node->children;
        continue;
      }
      while (node != start && node->next == nullptr) node = node->parent;
      node = node == start ? nullptr : node->next;
    }
  }
}

}  // namespace vrk::dom
