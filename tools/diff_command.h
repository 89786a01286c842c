// `vrkcfg diff A B [--json]`: the values two configurations (documents or images, any mix) hold differently.
#pragma once

#include <string>
#include <vector>

#include "tools/command_args.h"

namespace vrk::tools {

// Both files are loaded through the converter, so an older or a binary one is compared as the version-7
// configuration it becomes. Prints one line per differing value ("LOCATION: A -> B"), or with --json
// {"equal":..,"differences":[..]}. Returns 0 when the configurations hold the same values, 1 when they differ
// (or one does not load: CallError naming it).
int DiffCommand(const std::vector<std::string>& words, const Options& options);

}  // namespace vrk::tools
