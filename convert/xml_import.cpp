#include "convert/xml_import.h"

#include "interface/message_table.h"
#include "resources/default_config.h"
#include "schema/node_check.h"
#include "schema/value_text.h"
#include "schema/xml_errors.h"

namespace vrk {
namespace {

// Messages of a load: the caller's document, or the embedded default one.
struct LoadMessages {
  uint32_t parse_error;
  uint32_t no_root;
};
constexpr LoadMessages kCallerDocument{110, 114};
constexpr LoadMessages kDefaultDocument{106, 107};

std::unique_ptr<CNodeTag_VRK_DeviceV7> MakeRoot(dom::Document document, bool imperial, LoadMessages messages) {
  if (!document.documentElement()) ThrowMessage(messages.no_root);
  auto root = std::make_unique<CNodeTag_VRK_DeviceV7>();
  root->SetImperial(imperial);
  root->AttachDocument(std::move(document));
  return root;
}

uint16_t DocumentVersion(CNodeTag_VRK_DeviceV7& root) {
  const std::string text = root.VersionInfo.version.GetValue(CIndexList());
  const std::optional<uint32_t> version = ParseKeyText(text);
  if (!version) ThrowMessage(159);
  return static_cast<uint16_t>(*version);
}

// The passes every held configuration has been through: normalisation, completion, the full check.
void FinishLoad(CNodeTag_VRK_DeviceV7& root, bool check_values) {
  root.NormalizeLoaded();
  root.CompleteLoaded();
  CheckNode(root, CIndexList(), check_values, true);
}

}  // namespace

std::unique_ptr<CNodeTag_VRK_DeviceV7> ImportXmlText(std::u16string_view text, bool imperial) {
  dom::Document document;
  try {
    document = dom::Document::parseText(text);
  } catch (const dom::ParseError& e) {
    ThrowParseError(kCallerDocument.parse_error, e);
  }
  auto root = MakeRoot(std::move(document), imperial, kCallerDocument);
  // Earlier versions are read through their own schemas and upgraded; this build reads version 7 only.
  if (DocumentVersion(*root) != 7) ThrowMessage(159);
  FinishLoad(*root, true);
  return root;
}

std::unique_ptr<CNodeTag_VRK_DeviceV7> CreateDefaultConfiguration(bool imperial) {
  const std::string_view bytes = DefaultConfigBytes();
  if (bytes.empty()) ThrowMessage(105);
  dom::Document document;
  try {
    document = dom::Document::parseBytes(bytes);
  } catch (const dom::ParseError& e) {
    ThrowParseError(kDefaultDocument.parse_error, e);
  }
  auto root = MakeRoot(std::move(document), imperial, kDefaultDocument);
  FinishLoad(*root, true);
  return root;
}

}  // namespace vrk
