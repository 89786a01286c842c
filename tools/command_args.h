// What every vrkcfg command shares: the global options, the words of one command, usage errors, exit codes and
// writing the payload.
#pragma once

#include <initializer_list>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/converter_client.h"

namespace vrk::tools {

inline constexpr int kOk = 0;
inline constexpr int kConfigError = 1;
inline constexpr int kUsageError = 2;

// A command line the command cannot take; reported with the usage text, exit code 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Options given before the command.
struct Options {
  bool imperial = false;
};

// The words of one command: positional arguments, an optional "-o OUT" and the flags it takes ("--json").
struct CommandArgs {
  std::vector<std::string> positional;
  std::string output = "-";
  std::set<std::string> flags;

  bool has(const std::string& flag) const { return flags.count(flag) != 0; }
};

// Splits `words`; "-o OUT" only when `allow_output`. A word that starts with "--" and is not in `flags` is a
// UsageError, as is "-o" without a file.
CommandArgs SplitArgs(const std::vector<std::string>& words, bool allow_output,
                      std::initializer_list<const char*> flags = {});

// The index arguments from position `from` on. Throws UsageError for a word that is no index.
std::vector<IndexArg> IndexArgs(const std::vector<std::string>& words, std::size_t from);

// Writes `bytes` to the file `output`, or to standard output for "-". Throws CallError when it cannot.
void WriteOutput(const std::string& output, const std::string& bytes);

// A file's name in diagnostics: "<stdin>" for "-".
std::string DisplayName(const std::string& file);

// A converter with the options applied and the configuration document `file` loaded ("-": standard input).
ConverterClient LoadedClient(const std::string& file, const Options& options);

}  // namespace vrk::tools
