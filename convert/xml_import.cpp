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

// The step from version 6 to 7: the version-6 element tree (a second reading of the same text) becomes the
// document, marked version 7, and every vibration channel's high-pass filter follows its unit (on for
// displacement in micrometres).
void UpgradeVersion6(CNodeTag_VRK_DeviceV7& root, std::u16string_view text) {
  root.AttachDocument(dom::Document::parseText(text));
  root.VersionInfo.version.SetValue("7", CIndexList(), false);
  auto& channel = root.VibroChannels.VibroChannel;
  const uint32_t channels = channel.CountNodes(CIndexList());
  for (uint32_t k = 0; k < channels; ++k) {
    const CIndexList at{{false, k}};
    const std::optional<std::string> unit = channel.unit.FindValue(at);
    const bool micrometres = unit && ParseIntegerText(*unit) == 103;
    channel.hpf.SetValue(micrometres ? "1" : "0", at, false);
  }
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
  switch (DocumentVersion(*root)) {
    case 7:
      FinishLoad(*root, true);
      return root;
    case 3:
    case 6:
      // Versions 3 and 6 differ from 7 only by what 7 added; they are checked as version 7, then upgraded.
      FinishLoad(*root, true);
      UpgradeVersion6(*root, text);
      // The upgrade read the text afresh: what normalisation and completion changed has to be done again.
      root->NormalizeLoaded();
      root->CompleteLoaded();
      return root;
    default:
      // Versions 1 and 2 need their own schemas and conversions, which this component does not carry yet.
      ThrowMessage(159);
  }
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
