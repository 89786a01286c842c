// The text listing of reported differences, as the command-line tool prints it.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "tools/difference_report.h"

namespace vrk::tools {

inline std::string DifferencesText(const std::vector<ReportedDifference>& differences) {
  std::ostringstream text;
  PrintDifferencesText(differences, text);
  return text.str();
}

}  // namespace vrk::tools
