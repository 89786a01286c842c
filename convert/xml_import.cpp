#include "convert/xml_import.h"

#include "convert/upgrade_chain.h"
#include "convert/upgrade_failure.h"
#include "interface/message_ids.h"
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
constexpr LoadMessages kCallerDocument{kMsgDocumentLoadingError, kMsgNoRootTag};
constexpr LoadMessages kDefaultDocument{kMsgDefaultLoadingError, kMsgDefaultNoRoot};

// A version-7 root on the document `parse` returns; a parse error and a document without a root element throw
// the load's messages.
template <class Parse>
std::unique_ptr<CNodeTag_VRK_DeviceV7> MakeRoot(Parse&& parse, bool imperial, LoadMessages messages) {
  dom::Document document;
  try {
    document = parse();
  } catch (const dom::ParseError& e) {
    ThrowParseError(messages.parse_error, e);
  }
  if (!document.documentElement()) ThrowMessage(messages.no_root);
  auto root = std::make_unique<CNodeTag_VRK_DeviceV7>();
  root->SetImperial(imperial);
  root->AttachDocument(std::move(document));
  return root;
}

}  // namespace

// The passes every held configuration has been through: normalisation, completion, the full check.
void FinishLoad(CNodeTag_VRK_Device& root, bool check_values) {
  root.NormalizeLoaded();
  root.CompleteLoaded();
  CheckNode(root, CIndexList(), check_values, true);
}

namespace {

uint16_t DocumentVersion(CNodeTag_VRK_DeviceV7& root) {
  const std::string text = root.VersionInfo.version.GetValue(CIndexList());
  const std::optional<uint32_t> version = ParseKeyText(text);
  if (!version) ThrowMessage(kMsgVersionNotSupported);
  return static_cast<uint16_t>(*version);
}

// Reads the document of `text` a second time into a root of the older version `ROOT`, runs that version's load
// passes and checks on it, and carries it up into `target`, which then goes through the passes of version 7. The
// older version's normalisation is part of the document that the upgrade copies, so it survives.
template <class ROOT>
void LoadOlderVersion(CNodeTag_VRK_DeviceV7& target, std::u16string_view text, uint16_t version) {
  ROOT older;
  older.SetImperial(target.imperial());
  older.AttachDocument(dom::Document::parseText(text));
  FinishLoad(older, true);
  ExplainUpgradeFailure(older, version, [&] {
    UpgradeToVersion7(older, target);
    FinishLoad(target, true);
  });
}

}  // namespace

std::unique_ptr<CNodeTag_VRK_DeviceV7> ImportXmlText(std::u16string_view text, bool imperial) {
  auto root = MakeRoot([&] { return dom::Document::parseText(text); }, imperial, kCallerDocument);
  const uint16_t version = DocumentVersion(*root);
  switch (version) {
    case 7:
      FinishLoad(*root, true);
      return root;
    case 3:  // version-3 documents are read with the version-6 schema
    case 6:
      LoadOlderVersion<CNodeTag_VRK_DeviceV6>(*root, text, version);
      return root;
    case 2:
      LoadOlderVersion<CNodeTag_VRK_DeviceV2>(*root, text, version);
      return root;
    case 1:
      LoadOlderVersion<CNodeTag_VRK_DeviceV1>(*root, text, version);
      return root;
    default:
      ThrowMessage(kMsgVersionNotSupported);
  }
}

std::unique_ptr<CNodeTag_VRK_DeviceV7> ParseDefaultConfiguration(bool imperial) {
  const std::string_view bytes = DefaultConfigBytes();
  if (bytes.empty()) ThrowMessage(kMsgDefaultNotFound);
  return MakeRoot([&] { return dom::Document::parseBytes(bytes); }, imperial, kDefaultDocument);
}

std::unique_ptr<CNodeTag_VRK_DeviceV7> CreateDefaultConfiguration(bool imperial) {
  auto root = ParseDefaultConfiguration(imperial);
  FinishLoad(*root, true);
  return root;
}

}  // namespace vrk
