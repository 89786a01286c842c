// The commands that change a configuration and write it: set, arrange and edit. Each refuses to write a
// result that fails the whole check, unless --force.
#pragma once

#include <string>
#include <vector>

#include "tools/command_args.h"

namespace vrk::tools {

// `set FILE PATH VALUE [INDEX...] [-o OUT] [--force]`.
int SetCommand(const std::vector<std::string>& words, const Options& options);

// `arrange FILE PATH\ [INDEX...] [-o OUT] [--force]`.
int ArrangeCommand(const std::vector<std::string>& words, const Options& options);

// `edit FILE [-e COMMAND]... [-f SCRIPT|-]... [-o OUT] [--dry-run] [--force]`: the commands (edit_script.h) in
// the order given, in one update bracket, so that all take effect or none. A failing command is a CallError
// naming it, and nothing is written. --dry-run prints the values that would change, as diff does, and writes
// nothing.
int EditCommand(const std::vector<std::string>& words, const Options& options);

}  // namespace vrk::tools
