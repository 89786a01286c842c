// vrkcfg: the command-line client of the configuration converter. Standard output carries only the payload;
// diagnostics go to standard error as "FILE: description". Exit codes: 0 success, 1 configuration error,
// 2 usage error.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "platform/oleauto.h"
#include "tools/converter_client.h"
#include "tools/inspect_command.h"

namespace vrk::tools {
namespace {

constexpr int kOk = 0;
constexpr int kConfigError = 1;
constexpr int kUsageError = 2;

constexpr char kUsage[] =
    "usage: vrkcfg [--lang en|ru] [--imperial] COMMAND [ARGS]\n"
    "\n"
    "Commands:\n"
    "  new [-o OUT]                           write the default configuration\n"
    "  get FILE PATH [INDEX...]               print one value\n"
    "  set FILE PATH VALUE [INDEX...] [-o OUT] change one value and write the configuration\n"
    "  ranges FILE PATH [INDEX...]            print the type, limits and dictionary of a value\n"
    "  check FILE                             check the whole configuration; prints OK\n"
    "  arrange FILE PATH [INDEX...] [-o OUT]  sort the data of an element (linearisation points)\n"
    "  bin FILE [-o OUT.bin]                  write the binary image of a configuration; prints its CRC-32\n"
    "  xml FILE.bin [-o OUT]                  write the configuration a binary image holds\n"
    "  inspect FILE.bin [--json]              print the tag tree of a binary image and check its CRC\n"
    "\n"
    "FILE may be - for standard input; OUT defaults to standard output.\n"
    "PATH names an attribute from the root, for example Region_settings\\Hysteresis_percent.\n"
    "An INDEX selects an occurrence of each repeated element on the path: 2 is the third occurrence,\n"
    "#3 the occurrence whose key value is 3.\n";

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Options {
  bool imperial = false;
};

// The words of one command: positional arguments and an optional "-o OUT".
struct CommandArgs {
  std::vector<std::string> positional;
  std::string output = "-";
};

CommandArgs SplitArgs(const std::vector<std::string>& words, bool allow_output) {
  CommandArgs args;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (allow_output && words[i] == "-o") {
      if (i + 1 == words.size()) throw UsageError("-o needs a file name");
      args.output = words[++i];
    } else {
      args.positional.push_back(words[i]);
    }
  }
  return args;
}

std::vector<IndexArg> IndexArgs(const std::vector<std::string>& words, std::size_t from) {
  std::vector<IndexArg> indexes;
  for (std::size_t i = from; i < words.size(); ++i) {
    try {
      indexes.push_back(ParseIndexArg(words[i]));
    } catch (const std::invalid_argument& e) {
      throw UsageError(e.what());
    }
  }
  return indexes;
}

void WriteOutput(const std::string& output, const std::string& bytes) {
  if (output == "-") {
    std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return;
  }
  std::ofstream stream(output, std::ios::binary);
  stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!stream) throw CallError(output + ": cannot be written");
}

ConverterClient LoadedClient(const std::string& file, const Options& options) {
  ConverterClient client;
  client.SetImperial(options.imperial);
  client.LoadFile(file, std::cin);
  return client;
}

int NewCommand(const std::vector<std::string>& words, const Options& options) {
  const CommandArgs args = SplitArgs(words, true);
  if (!args.positional.empty()) throw UsageError("new takes no file");
  ConverterClient client;
  client.SetImperial(options.imperial);
  client.CreateNew();
  WriteOutput(args.output, client.DocumentBytes());
  return kOk;
}

int GetCommand(const std::vector<std::string>& words, const Options& options) {
  const CommandArgs args = SplitArgs(words, false);
  if (args.positional.size() < 2) throw UsageError("get needs FILE and PATH");
  ConverterClient client = LoadedClient(args.positional[0], options);
  std::cout << client.GetValue(args.positional[1], IndexArgs(args.positional, 2)) << "\n";
  return kOk;
}

int SetCommand(const std::vector<std::string>& words, const Options& options) {
  const CommandArgs args = SplitArgs(words, true);
  if (args.positional.size() < 3) throw UsageError("set needs FILE, PATH and VALUE");
  ConverterClient client = LoadedClient(args.positional[0], options);
  client.SetValue(args.positional[1], args.positional[2], IndexArgs(args.positional, 3));
  WriteOutput(args.output, client.DocumentBytes());
  return kOk;
}

std::string ConstraintText(ULONG constraint, bool lower) {
  switch (constraint) {
    case 1: return lower ? ">=" : "<=";
    case 2: return lower ? ">" : "<";
    default: return "";
  }
}

int RangesCommand(const std::vector<std::string>& words, const Options& options) {
  const CommandArgs args = SplitArgs(words, false);
  if (args.positional.size() < 2) throw UsageError("ranges needs FILE and PATH");
  ConverterClient client = LoadedClient(args.positional[0], options);
  const RangeInfo range = client.GetRanges(args.positional[1], IndexArgs(args.positional, 2));
  std::cout << "type: " << range.type << "\n";
  if (!range.default_value.empty()) std::cout << "default: " << range.default_value << "\n";
  if (range.min_constraint != 0) std::cout << "min: " << ConstraintText(range.min_constraint, true) << " " << range.min << "\n";
  if (range.max_constraint != 0) std::cout << "max: " << ConstraintText(range.max_constraint, false) << " " << range.max << "\n";
  if (range.add_constraint != 0) std::cout << "decimals: " << range.add_constraint << "\n";
  if (!range.increment.empty()) std::cout << "increment: " << range.increment << "\n";
  if (!range.dictionary.empty()) {
    std::cout << "values:\n";
    std::size_t start = 0;
    while (start < range.dictionary.size()) {
      const std::size_t end = range.dictionary.find('\n', start);
      const std::string line = range.dictionary.substr(start, end - start);
      const std::size_t bar = line.find('|');
      std::cout << "  " << line.substr(0, bar);
      if (bar != std::string::npos && bar + 1 < line.size()) std::cout << "  " << line.substr(bar + 1);
      std::cout << "\n";
      if (end == std::string::npos) break;
      start = end + 1;
    }
  }
  return kOk;
}

// Loading checks the whole configuration: every value, every rule.
int CheckCommand(const std::vector<std::string>& words, const Options& options) {
  const CommandArgs args = SplitArgs(words, false);
  if (args.positional.size() != 1) throw UsageError("check needs exactly one FILE");
  LoadedClient(args.positional[0], options);
  std::cout << "OK\n";
  return kOk;
}

int ArrangeCommand(const std::vector<std::string>& words, const Options& options) {
  const CommandArgs args = SplitArgs(words, true);
  if (args.positional.size() < 2) throw UsageError("arrange needs FILE and PATH");
  ConverterClient client = LoadedClient(args.positional[0], options);
  client.Arrange(args.positional[1], IndexArgs(args.positional, 2));
  WriteOutput(args.output, client.DocumentBytes());
  return kOk;
}

int BinCommand(const std::vector<std::string>& words, const Options& options) {
  const CommandArgs args = SplitArgs(words, true);
  if (args.positional.size() != 1) throw UsageError("bin needs exactly one FILE");
  ConverterClient client = LoadedClient(args.positional[0], options);
  uint32_t crc = 0;
  const std::string image = client.ImageBytes(&crc);
  WriteOutput(args.output, image);
  char text[32];
  std::snprintf(text, sizeof text, "CRC-32 0x%08X\n", crc);
  // The CRC goes to standard error when the image itself goes to standard output.
  (args.output == "-" ? std::cerr : std::cout) << text;
  return kOk;
}

int XmlCommand(const std::vector<std::string>& words, const Options& options) {
  const CommandArgs args = SplitArgs(words, true);
  if (args.positional.size() != 1) throw UsageError("xml needs exactly one FILE.bin");
  ConverterClient client;
  client.SetImperial(options.imperial);
  client.LoadImageFile(args.positional[0], std::cin);
  WriteOutput(args.output, client.DocumentBytes());
  return kOk;
}

int InspectCommandAdapter(const std::vector<std::string>& words, const Options&) {
  return InspectCommand(words, std::cin, std::cout, std::cerr);
}

struct Command {
  const char* name;
  const char* description;
  std::function<int(const std::vector<std::string>&, const Options&)> handler;
};

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"new", "write the default configuration", NewCommand},
      {"get", "print one value", GetCommand},
      {"set", "change one value and write the configuration", SetCommand},
      {"ranges", "print the type, limits and dictionary of a value", RangesCommand},
      {"check", "check the whole configuration", CheckCommand},
      {"arrange", "sort the data of an element", ArrangeCommand},
      {"bin", "write the binary image of a configuration", BinCommand},
      {"xml", "write the configuration a binary image holds", XmlCommand},
      {"inspect", "print the tag tree of a binary image", InspectCommandAdapter},
  };
  return commands;
}

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

std::string NearestCommand(const std::string& word) {
  const Command* best = nullptr;
  std::size_t best_distance = 3;  // suggest only close misspellings
  for (const Command& command : Commands()) {
    const std::size_t distance = EditDistance(word, command.name);
    if (distance < best_distance) best = &command, best_distance = distance;
  }
  return best ? best->name : "";
}

// The file a command works on, for diagnostics.
std::string SubjectOf(const std::string& command, const std::vector<std::string>& words) {
  if (command == "new" || words.empty()) return "vrkcfg";
  return words[0] == "-" ? "<stdin>" : words[0];
}

int Run(std::vector<std::string> args) {
  Options options;
  std::size_t i = 0;
  for (; i < args.size() && args[i].starts_with("-"); ++i) {
    if (args[i] == "--help" || args[i] == "-h") {
      std::cout << kUsage;
      return kOk;
    }
    if (args[i] == "--imperial") {
      options.imperial = true;
    } else if (args[i] == "--lang" && i + 1 < args.size() && (args[i + 1] == "en" || args[i + 1] == "ru")) {
      SetThreadUILanguage(args[++i] == "ru" ? 1049 : 1033);
    } else {
      std::cerr << "vrkcfg: unknown option '" << args[i] << "'\n" << kUsage;
      return kUsageError;
    }
  }
  if (i == args.size()) {
    std::cerr << kUsage;
    return kUsageError;
  }
  const std::string name = args[i];
  const std::vector<std::string> words(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
  const auto command = std::find_if(Commands().begin(), Commands().end(),
                                    [&](const Command& c) { return name == c.name; });
  if (command == Commands().end()) {
    const std::string nearest = NearestCommand(name);
    std::cerr << "vrkcfg: unknown command '" << name << "'";
    if (!nearest.empty()) std::cerr << "; did you mean '" << nearest << "'?";
    std::cerr << "\n";
    return kUsageError;
  }
  try {
    return command->handler(words, options);
  } catch (const UsageError& e) {
    std::cerr << "vrkcfg " << name << ": " << e.what() << "\n" << kUsage;
    return kUsageError;
  } catch (const CallError& e) {
    std::cerr << SubjectOf(name, words) << ": " << e.what() << "\n";
    return kConfigError;
  }
}

}  // namespace
}  // namespace vrk::tools

int main(int argc, char** argv) {
  return vrk::tools::Run(std::vector<std::string>(argv + 1, argv + argc));
}
