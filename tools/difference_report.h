// Printing of value differences, shared by the commands that compare configurations (diff, the conversion and
// upgrade reports): one line per value as text, or one JSON array.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "tools/document_diff.h"

namespace vrk::tools {

struct ReportedDifference {
  ValueDifference difference;
  std::string reason;  // empty where the comparison itself is the whole story
};

// "LOCATION: BEFORE -> AFTER" per difference, with ": REASON" when there is one; an absent side reads
// "(absent)", an empty value "".
void PrintDifferencesText(const std::vector<ReportedDifference>& differences, std::ostream& out);
// [{"path":..,"indexes":[..],"before":..|null,"after":..|null,"reason":..}, ...]; "reason" only where there is one.
void PrintDifferencesJson(const std::vector<ReportedDifference>& differences, std::ostream& out);

}  // namespace vrk::tools
