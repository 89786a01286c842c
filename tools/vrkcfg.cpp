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

#include "platform/json_text.h"
#include "platform/oleauto.h"
#include "tools/command_args.h"
#include "tools/conversion_report.h"
#include "tools/converter_client.h"
#include "tools/diff_command.h"
#include "tools/inspect_command.h"
#include "tools/register_command.h"
#include "tools/upgrade_command.h"

namespace vrk::tools {
namespace {

constexpr char kUsage[] =
    "usage: vrkcfg [--lang en|ru] [--imperial] COMMAND [ARGS]\n"
    "\n"
    "Commands:\n"
    "  new [-o OUT]                           write the default configuration\n"
    "  get FILE PATH [INDEX...] [--json]      print one value\n"
    "  set FILE PATH VALUE [INDEX...] [-o OUT] change one value and write the configuration\n"
    "  ranges FILE PATH [INDEX...] [--json]   print the type, limits and dictionary of a value\n"
    "  check FILE [--json]                    check the whole configuration; prints OK\n"
    "  arrange FILE PATH [INDEX...] [-o OUT]  sort the data of an element (linearisation points)\n"
    "  bin FILE [-o OUT.bin] [--report [--json]]\n"
    "                                         write the binary image of a configuration; prints its CRC-32,\n"
    "                                         a summary of what the image does not carry, and with --report\n"
    "                                         each such value\n"
    "  xml FILE.bin [-o OUT]                  write the configuration a binary image holds; says on\n"
    "                                         standard error which version an older image is upgraded from\n"
    "  upgrade FILE [-o OUT] [--report [--json]]\n"
    "                                         write the version-7 configuration of a document or image of\n"
    "                                         any version; with --report each value the upgrade dropped,\n"
    "                                         added or changed\n"
    "  inspect FILE.bin [--json]              print the tag tree of a binary image and check its CRC\n"
    "  diff A B [--json]                      print the values two configurations (documents or images)\n"
    "                                         hold differently; exit code 0 when none, 1 when some\n"
    "  register [LIBRARY]                     register the converter library (default: the one installed\n"
    "                                         with vrkcfg) in the registry file\n"
    "  unregister [LIBRARY]                   remove its registration\n"
    "\n"
    "FILE may be - for standard input; OUT defaults to standard output.\n"
    "PATH names an attribute from the root, for example Region_settings\\Hysteresis_percent.\n"
    "An INDEX selects an occurrence of each repeated element on the path: 2 is the third occurrence,\n"
    "#3 the occurrence whose key value is 3.\n"
    "Differences print as LOCATION: BEFORE -> AFTER, LOCATION being PATH and its INDEXes.\n"
    "The registry file is $VRK5420_REGISTRY_FILE, else $XDG_CONFIG_HOME/vrk5420/registry,\n"
    "else ~/.config/vrk5420/registry.\n";

int NewCommand(const std::vector<std::string>& words, const Options& options) {
  const CommandArgs args = SplitArgs(words, true);
  if (!args.positional.empty()) throw UsageError("new takes no file");
  ConverterClient client;
  client.SetImperial(options.imperial);
  client.CreateNew();
  WriteOutput(args.output, client.DocumentBytes());
  return kOk;
}

std::string IndexesJson(const std::vector<IndexArg>& indexes) {
  std::string text = "[";
  for (std::size_t i = 0; i < indexes.size(); ++i) text += (i ? "," : "") + JsonString(FormatIndex(indexes[i]));
  return text + "]";
}

int GetCommand(const std::vector<std::string>& words, const Options& options) {
  const CommandArgs args = SplitArgs(words, false, {"--json"});
  if (args.positional.size() < 2) throw UsageError("get needs FILE and PATH");
  ConverterClient client = LoadedClient(args.positional[0], options);
  const std::vector<IndexArg> indexes = IndexArgs(args.positional, 2);
  const std::string value = client.GetValue(args.positional[1], indexes);
  if (args.has("--json"))
    std::cout << "{\"path\":" << JsonString(args.positional[1]) << ",\"indexes\":" << IndexesJson(indexes)
              << ",\"value\":" << JsonString(value) << "}\n";
  else
    std::cout << value << "\n";
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

// The dictionary of a range as (value, display name) pairs; its text is "value|name" lines.
std::vector<std::pair<std::string, std::string>> DictionaryEntries(const std::string& dictionary) {
  std::vector<std::pair<std::string, std::string>> entries;
  std::size_t start = 0;
  while (start < dictionary.size()) {
    const std::size_t end = dictionary.find('\n', start);
    const std::string line = dictionary.substr(start, end - start);
    const std::size_t bar = line.find('|');
    entries.emplace_back(line.substr(0, bar), bar == std::string::npos ? std::string() : line.substr(bar + 1));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return entries;
}

void PrintRangesText(const RangeInfo& range) {
  std::cout << "type: " << range.type << "\n";
  if (!range.default_value.empty()) std::cout << "default: " << range.default_value << "\n";
  if (range.min_constraint != 0) std::cout << "min: " << ConstraintText(range.min_constraint, true) << " " << range.min << "\n";
  if (range.max_constraint != 0) std::cout << "max: " << ConstraintText(range.max_constraint, false) << " " << range.max << "\n";
  if (range.add_constraint != 0) std::cout << "decimals: " << range.add_constraint << "\n";
  if (!range.increment.empty()) std::cout << "increment: " << range.increment << "\n";
  const auto entries = DictionaryEntries(range.dictionary);
  if (entries.empty()) return;
  std::cout << "values:\n";
  for (const auto& [value, name] : entries) std::cout << "  " << value << (name.empty() ? "" : "  " + name) << "\n";
}

// The record's fields as they are, the dictionary as a list.
void PrintRangesJson(const RangeInfo& range) {
  std::cout << "{\"type\":" << range.type << ",\"default\":" << JsonString(range.default_value)
            << ",\"min_constraint\":" << range.min_constraint << ",\"min\":" << JsonString(range.min)
            << ",\"max_constraint\":" << range.max_constraint << ",\"max\":" << JsonString(range.max)
            << ",\"add_constraint\":" << range.add_constraint << ",\"increment\":" << JsonString(range.increment)
            << ",\"dictionary\":[";
  const auto entries = DictionaryEntries(range.dictionary);
  for (std::size_t i = 0; i < entries.size(); ++i)
    std::cout << (i ? "," : "") << "{\"value\":" << JsonString(entries[i].first)
              << ",\"name\":" << JsonString(entries[i].second) << "}";
  std::cout << "]}\n";
}

int RangesCommand(const std::vector<std::string>& words, const Options& options) {
  const CommandArgs args = SplitArgs(words, false, {"--json"});
  if (args.positional.size() < 2) throw UsageError("ranges needs FILE and PATH");
  ConverterClient client = LoadedClient(args.positional[0], options);
  const RangeInfo range = client.GetRanges(args.positional[1], IndexArgs(args.positional, 2));
  if (args.has("--json"))
    PrintRangesJson(range);
  else
    PrintRangesText(range);
  return kOk;
}

// Loading checks the whole configuration: every value, every rule. With --json the verdict is the payload, so
// a failed check is reported on standard output too: {"file":..,"ok":false,"error":..}.
int CheckCommand(const std::vector<std::string>& words, const Options& options) {
  const CommandArgs args = SplitArgs(words, false, {"--json"});
  if (args.positional.size() != 1) throw UsageError("check needs exactly one FILE");
  const std::string& file = args.positional[0];
  if (!args.has("--json")) {
    LoadedClient(file, options);
    std::cout << "OK\n";
    return kOk;
  }
  std::string error;
  try {
    LoadedClient(file, options);
  } catch (const CallError& e) {
    error = e.what();
  }
  std::cout << "{\"file\":" << JsonString(DisplayName(file)) << ",\"ok\":" << (error.empty() ? "true" : "false");
  if (!error.empty()) std::cout << ",\"error\":" << JsonString(error);
  std::cout << "}\n";
  return error.empty() ? kOk : kConfigError;
}

int ArrangeCommand(const std::vector<std::string>& words, const Options& options) {
  const CommandArgs args = SplitArgs(words, true);
  if (args.positional.size() < 2) throw UsageError("arrange needs FILE and PATH");
  ConverterClient client = LoadedClient(args.positional[0], options);
  client.Arrange(args.positional[1], IndexArgs(args.positional, 2));
  WriteOutput(args.output, client.DocumentBytes());
  return kOk;
}

// The image goes to OUT or standard output; the CRC, the summary of what the image does not carry and the
// --report go to standard output when the image goes to a file, else to standard error.
int BinCommand(const std::vector<std::string>& words, const Options& options) {
  const CommandArgs args = SplitArgs(words, true, {"--report", "--json"});
  if (args.positional.size() != 1) throw UsageError("bin needs exactly one FILE");
  if (args.has("--json") && !args.has("--report")) throw UsageError("--json goes with --report");
  ConverterClient client = LoadedClient(args.positional[0], options);
  uint32_t crc = 0;
  const std::string image = client.ImageBytes(&crc);
  WriteOutput(args.output, image);

  std::ostream& side = args.output == "-" ? std::cerr : std::cout;
  char crc_text[16];
  std::snprintf(crc_text, sizeof crc_text, "0x%08X", crc);
  // The image is written as the conversion made it even when it does not load again (test parameters that
  // refer to slave outputs of an unused Modbus, for one): the user gets it and learns why no report follows.
  ConverterClient read_back;
  try {
    read_back.LoadImage(image);
  } catch (const CallError& e) {
    if (!args.has("--json")) side << "CRC-32 " << crc_text << "\n";
    throw CallError(std::string("the image does not load again: ") + e.what());
  }
  const ConversionReport report = CompareWithImage(client.DocumentText(), read_back.DocumentText());
  if (args.has("--json")) {
    side << "{\"crc32\":" << JsonString(crc_text) << ",\"summary\":" << JsonString(report.Summary())
         << ",\"values\":";
    PrintDifferencesJson(report.values, side);
    side << "}\n";
    return kOk;
  }
  side << "CRC-32 " << crc_text << "\n";
  if (!report.values.empty()) std::cerr << DisplayName(args.positional[0]) << ": " << report.Summary() << "\n";
  if (args.has("--report")) PrintDifferencesText(report.values, side);
  return kOk;
}

int XmlCommand(const std::vector<std::string>& words, const Options& options) {
  const CommandArgs args = SplitArgs(words, true);
  if (args.positional.size() != 1) throw UsageError("xml needs exactly one FILE.bin");
  ConverterClient client;
  client.SetImperial(options.imperial);
  const std::string image = ReadFileBytes(args.positional[0], std::cin);
  client.LoadImage(image);
  WriteOutput(args.output, client.DocumentBytes());
  if (const std::string notice = ImageUpgradeNotice(image); !notice.empty())
    std::cerr << DisplayName(args.positional[0]) << ": " << notice << "\n";
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
      {"upgrade", "write the version-7 configuration of a file of any version", UpgradeCommand},
      {"inspect", "print the tag tree of a binary image", InspectCommandAdapter},
      {"diff", "print the values two configurations hold differently", DiffCommand},
      {"register", "register the converter library", RegisterCommand},
      {"unregister", "remove the converter library's registration", UnregisterCommand},
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

// The file a command works on, for diagnostics: its first word that is no option.
std::string SubjectOf(const std::string& command, const std::vector<std::string>& words) {
  if (command != "new")
    for (const std::string& word : words)
      if (word == "-" || !word.starts_with("-")) return DisplayName(word);
  return "vrkcfg";
}

// "FILE: description", or with --json {"file":..,"error":..}.
void PrintDiagnostic(const std::string& subject, const std::string& description, bool json) {
  if (json)
    std::cerr << "{\"file\":" << JsonString(subject) << ",\"error\":" << JsonString(description) << "}\n";
  else
    std::cerr << subject << ": " << description << "\n";
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
    const bool json = std::find(words.begin(), words.end(), "--json") != words.end();
    PrintDiagnostic(e.subject().empty() ? SubjectOf(name, words) : e.subject(), e.what(), json);
    return kConfigError;
  }
}

}  // namespace
}  // namespace vrk::tools

int main(int argc, char** argv) {
  return vrk::tools::Run(std::vector<std::string>(argv + 1, argv + argc));
}
