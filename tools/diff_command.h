// `vrkcfg diff A B`: the values two configurations (documents or images, any version) hold differently.
#pragma once

#include <string>
#include <vector>

#include "tools/command_args.h"
#include "tools/difference_report.h"

namespace vrk::tools {

// diff's exit codes: 0 equal, 1 different, and 2 for any error, so that a script tells "differ" from "failed".
inline constexpr int kDiffDifferent = 1;
inline constexpr int kDiffError = 2;

// Prints "LOCATION: A -> B" per difference (--json: {"equal":..,"differences":[..]}). Returns 0 when the two
// hold the same values, kDiffDifferent when not; a file that does not load is a CallError naming it.
int DiffCommand(const std::vector<std::string>& words, const Options& options);

// The values of two XML texts of version 7 that differ, in the form diff prints them.
std::vector<ReportedDifference> DocumentDifferences(const std::u16string& before, const std::u16string& after);

// Prints `differences` as diff does.
void PrintDifferences(const std::vector<ReportedDifference>& differences, const Options& options);

}  // namespace vrk::tools
