#include "tools/difference_report.h"

#include "platform/json_text.h"

namespace vrk::tools {
namespace {

std::string SideText(const std::optional<std::string>& value) {
  if (!value) return "(absent)";
  return value->empty() ? "\"\"" : *value;
}

std::string SideJson(const std::optional<std::string>& value) { return value ? JsonString(*value) : "null"; }

}  // namespace

void PrintDifferencesText(const std::vector<ReportedDifference>& differences, std::ostream& out) {
  for (const ReportedDifference& reported : differences) {
    const ValueDifference& d = reported.difference;
    out << FormatLocation(d.path, d.indexes) << ": " << SideText(d.before) << " -> " << SideText(d.after);
    if (!reported.reason.empty()) out << ": " << reported.reason;
    out << "\n";
  }
}

void PrintDifferencesJson(const std::vector<ReportedDifference>& differences, std::ostream& out) {
  out << "[";
  for (std::size_t i = 0; i < differences.size(); ++i) {
    const ValueDifference& d = differences[i].difference;
    out << (i ? ",\n " : "") << "{\"path\":" << JsonString(d.path) << ",\"indexes\":[";
    for (std::size_t k = 0; k < d.indexes.size(); ++k) out << (k ? "," : "") << JsonString(FormatIndex(d.indexes[k]));
    out << "],\"before\":" << SideJson(d.before) << ",\"after\":" << SideJson(d.after);
    if (!differences[i].reason.empty()) out << ",\"reason\":" << JsonString(differences[i].reason);
    out << "}";
  }
  out << "]";
}

}  // namespace vrk::tools
