// `vrkcfg inspect FILE.bin [--json]`: prints the tag tree of a binary image and checks its CRC.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vrk::tools {

// `args` are the words after "inspect": FILE ("-" reads `in`) and optionally --json, in any order. Prints the
// tree on `out`. Returns 0 when the image reads and its CRC checks; 1 with "FILE: message" on `err` for an image
// error or an unreadable file; 2 with the usage line on `err` for bad arguments.
int InspectCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace vrk::tools
