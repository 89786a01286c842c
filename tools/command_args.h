// What every vrkcfg command shares: the global options, the words of one command, usage errors, exit codes and
// loading the configuration a command reads.
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

// A command line the command cannot take: one line, a pointer to the command's --help, exit code 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Options that every command takes, anywhere before "--".
struct Options {
  bool imperial = false;
  bool json = false;  // the payload, and any error, as JSON on standard output
};

// The words of one command: positional arguments, an optional "-o OUT" and the flags it takes ("--report").
struct CommandArgs {
  std::vector<std::string> positional;
  std::string output = "-";
  std::set<std::string> flags;

  bool has(const std::string& flag) const { return flags.count(flag) != 0; }
};

// Splits `words`; "-o OUT" only when `allow_output`. A word that starts with "--" and is not in `flags` is a
// UsageError, as is "-o" without a file; other words (a value such as -5 among them) and every word after "--"
// are positional.
CommandArgs SplitArgs(const std::vector<std::string>& words, bool allow_output,
                      std::initializer_list<const char*> flags = {});

// The index arguments from position `from` on. Throws UsageError for a word that is no index.
std::vector<IndexArg> IndexArgs(const std::vector<std::string>& words, std::size_t from);

// A converter with the options applied and the configuration in `file` loaded ("-": standard input), a
// document or an image, whichever its bytes hold. Throws CallError naming the file when it does not load.
ConverterClient LoadedClient(const std::string& file, const Options& options);
// The same with `file`'s bytes already read, for commands that look at the bytes themselves too.
ConverterClient LoadedClient(const std::string& file, const std::string& bytes, const Options& options);

}  // namespace vrk::tools
