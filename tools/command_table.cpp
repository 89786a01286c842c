#include "tools/command_table.h"

#include <algorithm>

#include "interface/input_limits.h"
#include "tools/conversion_commands.h"
#include "tools/diff_command.h"
#include "tools/edit_commands.h"
#include "tools/edit_script.h"
#include "tools/inspect_command.h"
#include "tools/ranges_command.h"
#include "tools/read_commands.h"
#include "tools/register_command.h"
#include "tools/upgrade_command.h"

namespace vrk::tools {
namespace {

constexpr char kGlobalUsage[] =
    "usage: vrkcfg [--lang en|ru] [--imperial] [--json] COMMAND [ARGS]\n"
    "       vrkcfg COMMAND --help | --help | --version\n";

constexpr char kConventions[] =
    "FILE may be - for standard input, and is a document or a binary image, told by its content; a file over\n"
    "%LIMIT% bytes is refused unread. OUT defaults to standard output; a file is replaced whole or not at all.\n"
    "PATH names an attribute from the root, for example Region_settings\\Hysteresis_percent; PATH\\ names an\n"
    "element and ends in a backslash. An INDEX selects an occurrence of each repeated element on the path:\n"
    "2 is the third occurrence, #3 the occurrence whose key value is 3.\n"
    "A command that writes a configuration checks it first: set, arrange and edit write nothing that fails\n"
    "the check (--force writes it); xml and upgrade write it and report the failure.\n"
    "Global options go anywhere before --. --json: the payload and any error as JSON on standard output,\n"
    "an error as {\"file\":..,\"error\":{\"message\":..,\"detail\":..}}.\n"
    "Exit codes: 0 success, 1 configuration or file error, 2 usage error (diff: 1 different, 2 any error).\n"
    "--lang en|ru chooses the language of messages; by default LC_ALL, LC_MESSAGES or LANG.\n";

constexpr char kEditDetails[] =
    "Commands, one per -e or per script line, run in the order given:\n"
    "%COMMANDS%"
    "Words are separated by blanks; \"...\" keeps blanks and backslashes, \"\" inside it is one double quote,\n"
    "and \"\" alone is an empty value. The backslash is an ordinary character. Lines starting with # are\n"
    "comments. All commands take effect or none: a failure names the command and writes nothing.\n"
    "--dry-run prints the values that would change, as diff does, and writes nothing.\n";

constexpr char kListDetails[] =
    "Lines read PATH INDEX... = VALUE, in the form get and edit take; an element without attributes is\n"
    "listed by its path alone. Indexes left off select every occurrence.\n";

constexpr char kRegistryDetails[] =
    "The registry file is $VRK5420_REGISTRY_FILE, else $XDG_CONFIG_HOME/vrk5420/registry,\n"
    "else ~/.config/vrk5420/registry.\n";

std::size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t up = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = up;
    }
  }
  return row[b.size()];
}

std::string Details(const Command& command) {
  if (command.details == nullptr) return std::string();
  std::string text = command.details;
  if (const std::size_t at = text.find("%COMMANDS%"); at != std::string::npos)
    text.replace(at, 10, kEditCommandsHelp);
  return text;
}

}  // namespace

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"new", "[-o OUT]", "write the default configuration", NewCommand},
      {"get", "FILE PATH [INDEX...]", "print one value", GetCommand},
      {"set", "FILE PATH VALUE [INDEX...] [-o OUT] [--force]", "change one value and write the configuration",
       SetCommand},
      {"edit", "FILE [-e COMMAND]... [-f SCRIPT|-]... [-o OUT] [--dry-run] [--force]",
       "run edit commands as one change and write the configuration", EditCommand, kConfigError, kEditDetails},
      {"list", "FILE [PATH\\] [INDEX...]", "print every value under an element, as get and edit take it",
       ListCommand, kConfigError, kListDetails},
      {"show", "FILE PATH\\ [INDEX...]", "print the XML of an element", ShowCommand},
      {"count", "FILE PATH\\ [INDEX...]", "print the number of occurrences of an element", CountCommand},
      {"ranges", "FILE PATH [INDEX...]", "print the type, limits and dictionary of a value", RangesCommand},
      {"check", "FILE", "check the whole configuration; prints OK", CheckCommand},
      {"arrange", "FILE PATH\\ [INDEX...] [-o OUT] [--force]", "sort the data of an element (linearisation points)",
       ArrangeCommand},
      {"bin", "FILE [-o OUT.bin] [--report]",
       "write the binary image; prints its CRC-32 and what the image does not carry (--report: each value)",
       BinCommand},
      {"xml", "FILE [-o OUT]", "write the version-7 document a binary image (or document) holds", XmlCommand},
      {"upgrade", "FILE [-o OUT] [--report]",
       "write the version-7 document of a file of any version (--report: each value the upgrade changed)",
       UpgradeCommand},
      {"inspect", "FILE.bin", "print the tag tree of a binary image and check its CRC", InspectCommand},
      {"diff", "A B", "print the values two configurations hold differently; exit 0 equal, 1 different",
       DiffCommand, kDiffError},
      {"register", "[LIBRARY]", "register the converter library (default: the one beside vrkcfg)",
       RegisterCommand, kConfigError, kRegistryDetails},
      {"unregister", "[LIBRARY]", "remove the converter library's registration", UnregisterCommand, kConfigError,
       kRegistryDetails},
  };
  return commands;
}

const Command* FindCommand(const std::string& name) {
  const auto found = std::find_if(Commands().begin(), Commands().end(),
                                  [&](const Command& c) { return name == c.name; });
  return found == Commands().end() ? nullptr : &*found;
}

std::string NearestCommand(const std::string& word) {
  const Command* best = nullptr;
  std::size_t best_distance = 3;  // suggest only close misspellings
  for (const Command& command : Commands()) {
    const std::size_t distance = EditDistance(word, command.name);
    if (distance < best_distance) best = &command, best_distance = distance;
  }
  return best ? best->name : "";
}

std::string GeneralHelp() {
  std::string text = std::string(kGlobalUsage) + "\nCommands:\n";
  for (const Command& command : Commands())
    text += std::string("  ") + command.name + " " + command.synopsis + "\n      " + command.description + "\n";
  std::string conventions = kConventions;
  conventions.replace(conventions.find("%LIMIT%"), 7, std::to_string(kMaxInputSize));
  return text + "\n" + conventions;
}

std::string CommandHelp(const Command& command) {
  return std::string("usage: vrkcfg ") + command.name + " " + command.synopsis + "\n" + command.description +
         "\n" + Details(command);
}

}  // namespace vrk::tools
