// `vrkcfg upgrade FILE [-o OUT] [--report [--json]]`: a document or image of any version written as the
// version-7 document the converter makes of it, with the report of what the upgrade changed.
#pragma once

#include <string>
#include <vector>

#include "tools/command_args.h"

namespace vrk::tools {

// The document goes to OUT or standard output. Standard error gets "FILE: SUMMARY" (see UpgradeReport); with
// --report every dropped, added and changed value follows, one line each, on standard output when the document
// goes to a file, else on standard error; --json prints instead {"from":N,"summary":..,"values":[..]} there.
// Returns 0; a file that does not load is a CallError, as is a result that fails the check (after it is written).
int UpgradeCommand(const std::vector<std::string>& words, const Options& options);

// "upgraded from version N" for an image of an older version, empty for a version-7 image or a document.
std::string ImageUpgradeNotice(const std::string& image);

}  // namespace vrk::tools
