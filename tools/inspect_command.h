// `vrkcfg inspect FILE.bin`: prints the tag tree of a binary image and checks its CRC.
#pragma once

#include <string>
#include <vector>

#include "tools/command_args.h"

namespace vrk::tools {

// Prints the tree as far as it reads. An image error is a CallError after the tree is printed; with --json the
// command prints instead one object, {"file":..,"error":{"message":..,"detail":..},"report":{..}} for a broken
// image (the report being the tree read so far) or the report alone, and returns 1 for a broken image.
int InspectCommand(const std::vector<std::string>& words, const Options& options);

}  // namespace vrk::tools
