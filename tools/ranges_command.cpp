#include "tools/ranges_command.h"

#include <iostream>
#include <utility>

#include "platform/json_text.h"

namespace vrk::tools {
namespace {

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

// The type's name, and "from a dictionary" where the value is one of a list.
std::string TypeDescription(const RangeInfo& range) {
  return ValueTypeName(range.type) + (range.dictionary.empty() ? "" : ", dictionary");
}

void PrintRangesText(const RangeInfo& range) {
  std::cout << "type: " << range.type << " (" << TypeDescription(range) << ")\n";
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

void PrintRangesJson(const RangeInfo& range) {
  std::cout << "{\"type\":" << range.type << ",\"type_name\":" << JsonString(TypeDescription(range))
            << ",\"default\":" << JsonString(range.default_value)
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

}  // namespace

std::string ValueTypeName(ULONG type) {
  switch (type) {
    case 1: return "flag";
    case 2: case 4: return "integer";
    case 3: case 5: return "unsigned integer";
    case 6: return "real";
    case 7: return "text";
    default: return "unknown";
  }
}

int RangesCommand(const std::vector<std::string>& words, const Options& options) {
  const CommandArgs args = SplitArgs(words, false);
  if (args.positional.size() < 2) throw UsageError("");
  ConverterClient client = LoadedClient(args.positional[0], options);
  const RangeInfo range = client.GetRanges(args.positional[1], IndexArgs(args.positional, 2));
  if (options.json)
    PrintRangesJson(range);
  else
    PrintRangesText(range);
  return kOk;
}

}  // namespace vrk::tools
