// vrkcfg: the command-line client of the configuration converter. Standard output carries only the payload;
// diagnostics go to standard error as "FILE: PATH: message" (with --json, as one object on standard output).
// Exit codes: 0 success, 1 configuration or file error, 2 usage error; diff: 0 equal, 1 different, 2 error.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "platform/oleauto.h"
#include "platform/utf.h"
#include "tools/command_table.h"
#include "tools/diagnostics.h"
#include "tools/input_file.h"
#include "tools/output_file.h"
#include "tools/tool_text.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#ifndef VRK_VERSION
#error "VRK_VERSION comes from the build"
#endif

namespace vrk::tools {
namespace {

constexpr LANGID kEnglish = 1033;
constexpr LANGID kRussian = 1049;

// The command line once the global options are taken out: they may stand anywhere before "--".
struct CommandLine {
  Options options;
  bool help = false;
  bool version = false;
  std::string command;
  std::vector<std::string> words;  // the command's own words
};

// Options of commands that take the next word as their value, so that it is never read as a global option.
bool TakesValue(const std::string& word) { return word == "-o" || word == "-e" || word == "-f"; }

void SetLanguage(const std::string& value) {
  if (value != "en" && value != "ru") throw UsageError(Text(Say::kBadLanguage, value));
  SetThreadUILanguage(value == "ru" ? kRussian : kEnglish);
}

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (word == "--") {
      if (line.command.empty() && i + 1 < args.size()) line.command = args[++i];
      // The command still needs the marker, so that it takes the words after it as they are.
      line.words.push_back("--");
      line.words.insert(line.words.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
      break;
    }
    if (word == "--help" || word == "-h") {
      line.help = true;
    } else if (word == "--version") {
      line.version = true;
    } else if (word == "--imperial") {
      line.options.imperial = true;
    } else if (word == "--json") {
      line.options.json = true;
    } else if (word == "--lang") {
      if (i + 1 == args.size()) throw UsageError(Text(Say::kNeedsValue, "--lang"));
      SetLanguage(args[++i]);
    } else if (word.starts_with("--lang=")) {
      SetLanguage(word.substr(7));
    } else if (line.command.empty()) {
      if (word.starts_with("-") && word != "-") throw UsageError(Text(Say::kUnknownOption, word));
      line.command = word;
    } else {
      line.words.push_back(word);
      if (TakesValue(word) && i + 1 < args.size()) line.words.push_back(args[++i]);
    }
  }
  return line;
}

// The file a command works on, for diagnostics: its first word that is no option or option value.
std::string SubjectOf(const CommandLine& line) {
  if (line.command != "new")
    for (std::size_t i = 0; i < line.words.size(); ++i) {
      const std::string& word = line.words[i];
      if (TakesValue(word)) ++i;
      else if (word == "-" || !word.starts_with("-")) return DisplayName(word);
    }
  return "vrkcfg";
}

// A usage error: one line that points to the help; with --json the error object.
int ReportUsage(const std::string& command, const std::string& why, bool json) {
  const std::string name = command.empty() ? "vrkcfg" : "vrkcfg " + command;
  const std::string hint = Text(Say::kSeeHelp, command.empty() ? command : command + " ");
  if (json)
    PrintFailure(name, why + " (" + hint + ")", true);
  else
    std::cerr << name << ": " << why << " (" << hint << ")\n";
  return kUsageError;
}

int RunCommand(const Command& command, const CommandLine& line) {
  try {
    const int code = command.handler(line.words, line.options);
    FlushStandardOutput();
    return code;
  } catch (const UsageError& e) {
    const std::string why = *e.what() ? e.what() : Text(Say::kUsage) + ": vrkcfg " + command.name + " " +
                                                        command.synopsis;
    return ReportUsage(command.name, why, line.options.json);
  } catch (const CallError& e) {
    PrintFailure(e.subject().empty() ? SubjectOf(line) : e.subject(), e.what(), line.options.json);
  } catch (const std::bad_alloc&) {
    PrintFailure(SubjectOf(line), Text(Say::kOutOfMemory), line.options.json);
  } catch (const std::exception& e) {
    PrintFailure(SubjectOf(line), Text(Say::kUnexpected, e.what()), line.options.json);
  }
  try {
    FlushStandardOutput();
  } catch (const CallError&) {
    // The failure is reported already; standard output is what failed besides.
  }
  return command.error_exit;
}

int Run(const std::vector<std::string>& args) {
  CommandLine line;
  try {
    line = ParseCommandLine(args);
  } catch (const UsageError& e) {
    const bool json = std::find(args.begin(), args.end(), "--json") != args.end();
    return ReportUsage("", e.what(), json);
  }
  if (line.version) {
    std::cout << Text(Say::kVersion, VRK_VERSION) << "\n";
    return kOk;
  }
  const Command* command = line.command.empty() ? nullptr : FindCommand(line.command);
  if (line.help) {
    std::cout << (command ? CommandHelp(*command) : GeneralHelp());
    return kOk;
  }
  if (line.command.empty())
    return ReportUsage("", Text(Say::kUsage) + ": vrkcfg [--lang en|ru] [--imperial] [--json] COMMAND [ARGS]",
                       line.options.json);
  if (command == nullptr) {
    std::string why = Text(Say::kUnknownCommand, line.command);
    if (const std::string nearest = NearestCommand(line.command); !nearest.empty())
      why += "; " + Text(Say::kDidYouMean, nearest);
    return ReportUsage("", why, line.options.json);
  }
  return RunCommand(*command, line);
}

}  // namespace
}  // namespace vrk::tools

namespace {

// Whether there is memory to run at all. With almost none, the runtime cannot set aside its reserve for
// exceptions when the program loads, and the first failed allocation would abort instead of being reported; an
// allocation larger than that reserve, made first, tells that state apart.
bool HasMemoryToStart() {
  void* volatile probe = std::malloc(256 * 1024);
  std::free(probe);
  if (probe != nullptr) return true;
  std::fputs("vrkcfg: out of memory\n", stderr);
  return false;
}

int Main(const std::vector<std::string>& args) {
  try {
    return vrk::tools::Run(args);
  } catch (const std::exception& e) {
    std::cerr << "vrkcfg: " << e.what() << "\n";
    return 1;
  }
}

}  // namespace

#ifdef _WIN32
// The arguments come as UTF-16 and are taken as UTF-8, the form every name has inside the tool, so that a file
// name outside the ANSI code page survives. Standard output and error carry bytes as they are: an image written
// to "-" and the texts are the same as on other systems, with no line ends added.
int wmain(int argc, wchar_t** argv) {
  if (!HasMemoryToStart()) return 1;
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i)
    args.push_back(vrk::Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(argv[i]))));
  return Main(args);
}
#else
int main(int argc, char** argv) {
  if (!HasMemoryToStart()) return 1;
  return Main(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
