#include "tools/document_values.h"

#include <map>
#include <set>

#include "schema/device_v7.h"
#include "schema/node_info.h"
#include "schema/value_text.h"

namespace vrk::tools {
namespace {

struct Walker {
  std::vector<DocumentValue>& out;

  struct Location {
    std::string path;
    std::vector<IndexArg> indexes;
    std::vector<uint32_t> positions;
  };

  void Element(const dom::Node& element, const CNodeTagInfoXML* schema, const Location& at) {
    bool has_attributes = false;
    for (dom::Node attr = element.firstAttribute(); attr; attr = attr.nextSibling()) {
      has_attributes = true;
      const std::string name = attr.name();
      const CNodeAttrInfoXML* descriptor = schema ? schema->FindAttribute(name) : nullptr;
      out.push_back({at.path + (descriptor ? descriptor->name() : name), at.indexes, at.positions, attr.value(),
                     descriptor});
    }
    if (!has_attributes && !at.path.empty()) out.push_back({at.path, at.indexes, at.positions, std::string(), nullptr});
    Children(element, schema, at);
  }

  void Children(const dom::Node& element, const CNodeTagInfoXML* schema, const Location& at) {
    // Names the schema does not know count as repeated when they occur more than once.
    std::map<std::string, uint32_t> unknown_counts;
    for (dom::Node child = element.firstChild(); child; child = child.nextSibling())
      if (child.kind() == dom::NodeKind::kElement && !(schema && schema->FindChild(child.name())))
        ++unknown_counts[child.name()];

    std::map<std::string, uint32_t> positions;
    std::map<std::string, std::set<uint32_t>> keys_taken;
    for (dom::Node child = element.firstChild(); child; child = child.nextSibling()) {
      if (child.kind() != dom::NodeKind::kElement) continue;
      const std::string written = child.name();
      const CNodeTagInfoXML* descriptor = schema ? schema->FindChild(written) : nullptr;
      const std::string name = descriptor ? descriptor->name() : written;
      const uint32_t position = positions[name]++;
      Location child_at{at.path + name + "\\", at.indexes, at.positions};
      if (descriptor ? descriptor->repeated() : unknown_counts[written] > 1) {
        child_at.indexes.push_back(IndexOf(child, descriptor, position, keys_taken[name]));
        child_at.positions.push_back(position);
      }
      Element(child, descriptor, child_at);
    }
  }

  static IndexArg IndexOf(const dom::Node& element, const CNodeTagInfoXML* descriptor, uint32_t position,
                          std::set<uint32_t>& keys_taken) {
    std::string key_text;
    const CNodeAttrInfoXML* key_attribute = descriptor ? descriptor->key_attribute() : nullptr;
    if (key_attribute && key_attribute->element() == descriptor && key_attribute->ReadValue(element, &key_text)) {
      const std::optional<uint32_t> key = ParseKeyText(key_text);
      if (key && keys_taken.insert(*key).second) return {true, *key};
    }
    return {false, position};
  }
};

}  // namespace

std::unique_ptr<CNodeTag_VRK_DeviceV7> NewSchemaV7() { return std::make_unique<CNodeTag_VRK_DeviceV7>(); }

std::vector<DocumentValue> ListDocumentValues(const CNodeTagInfoXML& schema, const dom::Document& document) {
  std::vector<DocumentValue> values;
  const dom::Node root = document ? document.documentElement() : dom::Node();
  if (root) Walker{values}.Element(root, &schema, {});
  return values;
}

std::string FormatIndex(const IndexArg& index) {
  return (index.use_attr ? "#" : "") + std::to_string(index.value);
}

std::string FormatLocation(std::string_view path, const std::vector<IndexArg>& indexes) {
  std::string text(path);
  for (const IndexArg& index : indexes) text += " " + FormatIndex(index);
  return text;
}

}  // namespace vrk::tools
