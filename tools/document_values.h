// Every value of a configuration document, addressed the way the converter addresses it: a path of schema names
// from the root and one index per repeated element on the path. The tool's reports compare such listings.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dom/dom.h"
#include "tools/converter_client.h"

namespace vrk {
class CNodeTagInfoXML;
class CNodeAttrInfoXML;
class CNodeTag_VRK_DeviceV7;
}  // namespace vrk

namespace vrk::tools {

// The version-7 descriptor tree, on the heap: at some 160 KB it is too large for a stack that may be unable to
// grow when memory runs short, where the heap reports the shortage.
std::unique_ptr<CNodeTag_VRK_DeviceV7> NewSchemaV7();

struct DocumentValue {
  // "VibroChannels\VibroChannel\number"; an element without attributes is listed once by its element path, which
  // ends in a backslash, with an empty value (its presence is what it carries).
  std::string path;
  // One per repeated element on the path: "#n" (by key) where the element has a key and the occurrence's key is
  // a number not taken by an earlier sibling, else the position among its siblings of that name.
  std::vector<IndexArg> indexes;
  // The position of the occurrence among its siblings of that name, one per entry of `indexes`.
  std::vector<uint32_t> positions;
  std::string value;
  // The attribute's descriptor; null for element entries and for names the schema does not know.
  const CNodeAttrInfoXML* attribute = nullptr;
};

// The values of `document` in document order, named and indexed by the descriptor tree `schema` (the root
// descriptor of a version). Names the schema does not know are listed as written, an element being taken as
// repeated when siblings share its name, so that nothing a document holds is left out. Comments and text are not
// values. An empty document lists nothing.
std::vector<DocumentValue> ListDocumentValues(const CNodeTagInfoXML& schema, const dom::Document& document);

// "PATH" followed by its indexes as the command line takes them: "VibroChannels\VibroChannel\number #1".
std::string FormatLocation(std::string_view path, const std::vector<IndexArg>& indexes);
// An index as the command line takes it: "#3" or "2".
std::string FormatIndex(const IndexArg& index);

}  // namespace vrk::tools
