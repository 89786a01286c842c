// Writing a configuration a command made, after the same whole check `vrkcfg check` runs, so that no command
// writes a configuration its own check refuses without saying so.
#pragma once

#include <string>

#include "tools/command_args.h"

namespace vrk::tools {

// The description of why `document` (the bytes of an XML document) does not load, empty when it loads: loading
// runs every value check and every rule of the whole configuration.
std::string CheckFailure(const std::string& document);

// Writes the edited configuration of `client` to `args.output`. When it fails the check nothing is written and a
// CallError says why; with --force in `args` it is written first and the CallError follows.
void WriteEdited(const CommandArgs& args, ConverterClient& client);

// Writes `document`, a configuration a conversion made, to `output`; when it fails the check a CallError follows
// the write.
void WriteConverted(const std::string& output, const std::string& document);

}  // namespace vrk::tools
