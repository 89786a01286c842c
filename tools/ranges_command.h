// `vrkcfg ranges FILE PATH [INDEX...]`: the type, default, limits and dictionary of a value.
#pragma once

#include <string>
#include <vector>

#include "tools/command_args.h"

namespace vrk::tools {

// Prints "type: CODE (NAME)" and the other fields of the range record that are set, one per line; --json prints
// the record's fields as they are with the type's name beside its code and the dictionary as a list.
int RangesCommand(const std::vector<std::string>& words, const Options& options);

// The name of a value type code: "flag", "integer", "unsigned integer", "real", "text"; "unknown" otherwise.
std::string ValueTypeName(ULONG type);

}  // namespace vrk::tools
