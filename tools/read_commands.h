// The commands that read a configuration and print part of it: get, list, show, count.
#pragma once

#include <string>
#include <vector>

#include "tools/command_args.h"

namespace vrk::tools {

// `get FILE PATH [INDEX...]`: the value as display text; --json {"path":..,"indexes":[..],"value":..}.
int GetCommand(const std::vector<std::string>& words, const Options& options);

// `list FILE [PATH\] [INDEX...]`: every value under the element (the whole configuration without PATH), one
// "PATH INDEX... = VALUE" line each, in the form get and edit take; an element without attributes is listed as
// its path alone. Indexes left off select every occurrence. --json: [{"path":..,"indexes":[..],"value":..}].
int ListCommand(const std::vector<std::string>& words, const Options& options);

// `show FILE PATH\ [INDEX...]`: the XML text of an element occurrence; a CallError when it does not exist.
int ShowCommand(const std::vector<std::string>& words, const Options& options);

// `count FILE PATH\ [INDEX...]`: the number of occurrences of an element.
int CountCommand(const std::vector<std::string>& words, const Options& options);

}  // namespace vrk::tools
