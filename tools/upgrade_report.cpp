#include "tools/upgrade_report.h"

#include <memory>
#include <optional>

#include "bin/version_probe.h"
#include "convert/bin_import.h"
#include "schema/device_v1.h"
#include "schema/device_v6.h"
#include "schema/value_text.h"

namespace vrk::tools {
namespace {

// The root descriptor of a version's schema; version 7 for any version it does not know.
std::unique_ptr<CNodeTag_VRK_Device> SchemaOf(uint16_t version) {
  switch (version) {
    case 1: return std::make_unique<CNodeTag_VRK_DeviceV1>();
    case 2: return std::make_unique<CNodeTag_VRK_DeviceV2>();
    case 3: return std::make_unique<CNodeTag_VRK_DeviceV3>();
    case 6: return std::make_unique<CNodeTag_VRK_DeviceV6>();
    default: return std::make_unique<CNodeTag_VRK_DeviceV7>();
  }
}

uint16_t DocumentVersion(const dom::Document& document) {
  const auto schema = NewSchemaV7();
  schema->AttachDocument(document);
  const std::optional<std::string> text = schema->VersionInfo.version.FindValue({});
  const std::optional<uint32_t> version = text ? ParseKeyText(*text) : std::nullopt;
  return version && *version <= 0xFFFF ? static_cast<uint16_t>(*version) : 0;
}

bool SameIndexes(const std::vector<IndexArg>& a, const std::vector<IndexArg>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i].use_attr != b[i].use_attr || a[i].value != b[i].value) return false;
  return true;
}

// An element listed by its path alone (it had no attributes) that is still there, now with attributes.
bool ElementStillThere(const ValueDifference& d, const std::vector<DocumentValue>& after) {
  if (!d.dropped() || !d.path.ends_with('\\')) return false;
  for (const DocumentValue& value : after)
    if (value.path.starts_with(d.path) && value.indexes.size() >= d.indexes.size() &&
        SameIndexes(std::vector<IndexArg>(value.indexes.begin(), value.indexes.begin() + std::ptrdiff_t(d.indexes.size())),
                    d.indexes))
      return true;
  return false;
}

// Values that left one location and arrived at another of the same path (an element renumbered, so that its key
// changed): both sides are marked as moved, pairing each dropped value with the first unpaired added one.
void MarkMovedValues(std::vector<ReportedDifference>& values) {
  std::vector<bool> paired(values.size(), false);
  for (std::size_t i = 0; i < values.size(); ++i) {
    const ValueDifference& dropped = values[i].difference;
    if (!dropped.dropped()) continue;
    for (std::size_t j = 0; j < values.size(); ++j) {
      const ValueDifference& added = values[j].difference;
      if (paired[j] || !added.added() || added.path != dropped.path || *added.after != *dropped.before) continue;
      paired[i] = paired[j] = true;
      values[i].reason = values[j].reason = kMovedByUpgrade;
      break;
    }
  }
}

const char* ReasonOf(const ValueDifference& d) {
  if (d.dropped()) return kDroppedByUpgrade;
  if (!d.added()) return kChangedByUpgrade;
  return d.after_attribute && *d.after == d.after_attribute->range().default_value ? kAddedWithDefault
                                                                                   : kAddedByUpgrade;
}

}  // namespace

uint16_t ImageConfigurationVersion(const std::string& image) {
  const uint32_t word = bin::ProbeImageVersion(reinterpret_cast<const uint8_t*>(image.data()), image.size());
  return static_cast<uint16_t>(word == 0 ? 1 : word == 1 ? 2 : word);
}

UpgradeInput ReadUpgradeInput(const std::string& bytes) {
  UpgradeInput input;
  if (bytes.starts_with("CONF")) {
    ImageInItsVersion image = ReadImageInItsVersion(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    input.version = image.version;
    input.document = std::move(image.document);
    input.unread = std::move(image.unread);
  } else {
    input.document = dom::Document::parseBytes(bytes);
    input.version = DocumentVersion(input.document);
  }
  return input;
}

UpgradeReport CompareWithUpgrade(const UpgradeInput& input, const std::u16string& upgraded) {
  const std::unique_ptr<CNodeTag_VRK_Device> before = SchemaOf(input.version);
  const auto after = NewSchemaV7();
  UpgradeReport report;
  report.from = input.version;
  report.unread = input.unread;
  const std::vector<DocumentValue> result = ListDocumentValues(*after, dom::Document::parseText(upgraded));
  for (ValueDifference& d : DiffDocumentValues(ListDocumentValues(*before, input.document), result)) {
    if (ElementStillThere(d, result)) continue;
    const char* reason = ReasonOf(d);
    report.values.push_back({std::move(d), reason});
  }
  MarkMovedValues(report.values);
  return report;
}

std::string UpgradeReport::Summary() const {
  std::string text = ValuesSummary();
  for (std::size_t i = 0; i < unread.size(); ++i) text += (i == 0 ? "; not read: " : "; ") + unread[i];
  return text;
}

std::string UpgradeReport::ValuesSummary() const {
  if (from == 7 && values.empty()) return "version 7: nothing to upgrade";
  int dropped = 0, defaulted = 0, added = 0, changed = 0, moved = 0;
  for (const ReportedDifference& value : values) {
    if (value.reason == kDroppedByUpgrade) ++dropped;
    if (value.reason == kAddedWithDefault) ++defaulted;
    if (value.reason == kAddedByUpgrade) ++added;
    if (value.reason == kChangedByUpgrade) ++changed;
    if (value.reason == kMovedByUpgrade) ++moved;
  }
  std::string text = (from == 7 ? std::string("version 7") : "upgraded from version " + std::to_string(from)) + ": ";
  if (values.empty()) return text + "every value kept";
  std::string counts;
  auto add = [&counts](int count, const char* what) {
    if (count != 0) counts += (counts.empty() ? "" : ", ") + std::to_string(count) + what;
  };
  add(dropped, dropped == 1 ? " value dropped" : " values dropped");
  add(defaulted, defaulted == 1 ? " added with its default" : " added with their default");
  add(added, " added");
  add(changed, " changed");
  add(moved / 2, " moved");
  return text + counts;
}

}  // namespace vrk::tools
