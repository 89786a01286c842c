#include "convert/upgrade_failure.h"

#include <optional>
#include <string_view>

#include "interface/message_ids.h"
#include "interface/message_table.h"
#include "schema/path_lookup.h"
#include "schema/value_text.h"

namespace vrk {
namespace {

// Values that the step from version 1 to version 2 moves to another path (lookup paths, version 2 first).
struct MovedValue {
  std::string_view upgraded;
  std::string_view older;
};
constexpr MovedValue kMovedByVersion2[] = {
    {"VibroChannels\\VibroChannel\\param\\unit", "VibroChannels\\VibroChannel\\unit"},
    {"VibroChannels\\VibroChannel\\Average\\minvalue", "VibroChannels\\VibroChannel\\param\\minvalue"},
    {"VibroChannels\\VibroChannel\\Average\\maxvalue", "VibroChannels\\VibroChannel\\param\\maxvalue"},
    {"VibroChannels\\VibroChannel\\PeakPeak\\minvalue", "VibroChannels\\VibroChannel\\param\\minvalue"},
    {"VibroChannels\\VibroChannel\\PeakPeak\\maxvalue", "VibroChannels\\VibroChannel\\param\\maxvalue"},
    {"VibroChannels\\VibroChannel\\Absolute_bands\\band\\minvalue", "VibroChannels\\VibroChannel\\param\\minvalue"},
    {"VibroChannels\\VibroChannel\\Absolute_bands\\band\\maxvalue", "VibroChannels\\VibroChannel\\param\\maxvalue"},
    {"VibroChannels\\VibroChannel\\Relative_bands\\band\\minvalue", "VibroChannels\\VibroChannel\\param\\minvalue"},
    {"VibroChannels\\VibroChannel\\Relative_bands\\band\\maxvalue", "VibroChannels\\VibroChannel\\param\\maxvalue"},
};

// The descriptor of `older` that `path` (a lookup path) names, attribute or element; null when there is none.
CNodeInfoXML* DescriptorAt(CNodeTag_VRK_Device& older, std::string_view path) {
  if (CNodeAttrInfoXML* attribute = FindAttrInfo(older, path)) return attribute;
  return FindNodeInfo(older, std::string(path) + "\\");
}

// The line that explains `full_path` (a version-7 descriptor's full path) in the terms of `older`; none when the
// older document has the value at the same path.
std::optional<std::string> OlderTerms(CNodeTag_VRK_Device& older, uint16_t version, std::string_view full_path) {
  // A full path starts with the root element's name, which a lookup path leaves out.
  const std::size_t root_end = full_path.find('\\', 1);
  if (root_end == std::string_view::npos) return std::nullopt;
  const std::string_view path = full_path.substr(root_end + 1);
  const std::string version_text = std::to_string(version);
  if (version == 1)
    for (const MovedValue& moved : kMovedByVersion2)
      if (EqualsNoCase(path, moved.upgraded))
        if (CNodeInfoXML* descriptor = DescriptorAt(older, moved.older))
          return FormatMessageArgs(kMsgOlderPath, {version_text, descriptor->GetFullPath()});
  if (DescriptorAt(older, path) != nullptr) return std::nullopt;
  return FormatMessageArgs(kMsgNoOlderValue, {version_text});
}

}  // namespace

void ExplainUpgradeFailure(CNodeTag_VRK_Device& older, uint16_t version, const std::function<void()>& upgrade) {
  try {
    upgrade();
  } catch (const CConvException& e) {
    const std::string& detail = e.detail();
    const std::size_t last_line = detail.rfind('\n');
    const std::string_view path =
        std::string_view(detail).substr(last_line == std::string::npos ? 0 : last_line + 1);
    if (!path.starts_with('\\')) throw;
    const std::optional<std::string> explained = OlderTerms(older, version, path);
    if (!explained) throw;
    throw CConvException(e.message(), detail + "\n" + *explained);
  }
}

}  // namespace vrk
