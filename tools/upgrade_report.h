// What the upgrade of an older configuration changes: the configuration as read in its own version, compared
// value by value with the version-7 configuration the converter made of it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/dom/dom.h"
#include "tools/difference_report.h"

namespace vrk::tools {

// Reasons of the report.
inline constexpr char kDroppedByUpgrade[] = "dropped by the upgrade";
inline constexpr char kAddedWithDefault[] = "added with its default";
inline constexpr char kAddedByUpgrade[] = "added by the upgrade";
inline constexpr char kChangedByUpgrade[] = "changed by the upgrade";
// Given to both sides of a value that keeps its path and text but not its location (its element was renumbered).
inline constexpr char kMovedByUpgrade[] = "moved by the upgrade";

// A configuration as read, in the layout of its own version.
struct UpgradeInput {
  uint16_t version = 0;  // 1, 2, 3, 6 or 7
  dom::Document document;
  std::vector<std::string> unread;  // records of an image that its importer did not read
};

// The configuration that a file's bytes hold as read: a document as it stands (its version from VersionInfo),
// an image as its version's importer fills it. Throws CConvException (the converter's messages) or
// dom::ParseError when the bytes hold no configuration; load them through the converter first to report that.
UpgradeInput ReadUpgradeInput(const std::string& bytes);

// The configuration version of an image: version words 0 and 1 are versions 1 and 2, others are the version.
uint16_t ImageConfigurationVersion(const std::string& image);

struct UpgradeReport {
  uint16_t from = 0;
  // Every value that the upgrade dropped, added or changed: first those of the input in its order, then those
  // only the result has.
  std::vector<ReportedDifference> values;
  // What the image held that its importer did not read, so that no value reports it (UnreadRecords).
  std::vector<std::string> unread;

  // "upgraded from version 1: 5 values dropped, 2 added with their default, 9 added, 3 changed, 4 moved";
  // "version 7: nothing to upgrade"; then, for an image, "; not read: " and the unread records, "; " between them.
  std::string Summary() const;

 private:
  std::string ValuesSummary() const;
};

// Compares `input` with `upgraded` (XML get of the version-7 configuration the converter made of it). Each
// side is read with the schema of its version. A value only the result has was added with its default when it
// holds the schema's default. An element listed only by its path (it had no attributes) that the result still
// has, now with attributes, is not a difference.
UpgradeReport CompareWithUpgrade(const UpgradeInput& input, const std::u16string& upgraded);

}  // namespace vrk::tools
