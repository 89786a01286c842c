// The table of vrkcfg's commands: name, synopsis, one-line description and handler; the help texts made from it,
// in the thread's language.
#pragma once

#include <string>
#include <vector>

#include "tools/command_args.h"
#include "tools/tool_text.h"

namespace vrk::tools {

using CommandHandler = int (*)(const std::vector<std::string>& words, const Options& options);

struct Command {
  const char* name;
  const char* synopsis;     // the words after the name
  Bilingual description;  // one line
  CommandHandler handler;
  int error_exit = kConfigError;         // the exit code of a failed call or file operation
  const Bilingual* details = nullptr;  // more for the command's own --help; null when there is nothing more
};

const std::vector<Command>& Commands();

// The command named `name`; null when there is none.
const Command* FindCommand(const std::string& name);

// The command whose name is closest to `word` (at most two edits away); empty when none is.
std::string NearestCommand(const std::string& word);

// The whole help: global usage, one entry per command, the conventions.
std::string GeneralHelp();
// The help of one command: its usage line, description and details.
std::string CommandHelp(const Command& command);

}  // namespace vrk::tools
