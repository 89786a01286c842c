#include "tools/command_args.h"

#include "tools/input_file.h"
#include "tools/tool_text.h"

namespace vrk::tools {

CommandArgs SplitArgs(const std::vector<std::string>& words, bool allow_output,
                      std::initializer_list<const char*> flags) {
  CommandArgs args;
  const std::set<std::string> known(flags.begin(), flags.end());
  bool options_end = false;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (options_end) {
      args.positional.push_back(word);
    } else if (word == "--") {
      options_end = true;
    } else if (allow_output && word == "-o") {
      if (i + 1 == words.size()) throw UsageError(Text(Say::kNeedsValue, "-o"));
      args.output = words[++i];
    } else if (known.count(word)) {
      args.flags.insert(word);
    } else if (word.starts_with("--")) {
      throw UsageError(Text(Say::kUnknownOption, word));
    } else {
      args.positional.push_back(word);  // "-" for standard input, or a value such as -5
    }
  }
  return args;
}

std::vector<IndexArg> IndexArgs(const std::vector<std::string>& words, std::size_t from) {
  std::vector<IndexArg> indexes;
  for (std::size_t i = from; i < words.size(); ++i) {
    try {
      indexes.push_back(ParseIndexArg(words[i]));
    } catch (const std::out_of_range&) {
      throw UsageError(Text(Say::kIndexOutOfRange, words[i]));
    } catch (const std::invalid_argument&) {
      throw UsageError(Text(Say::kBadIndex, words[i]));
    }
  }
  return indexes;
}

ConverterClient LoadedClient(const std::string& file, const Options& options) {
  return LoadedClient(file, ReadInput(file), options);
}

ConverterClient LoadedClient(const std::string& file, const std::string& bytes, const Options& options) {
  try {
    ConverterClient client;
    client.SetImperial(options.imperial);
    client.LoadAny(bytes);
    return client;
  } catch (const CallError& e) {
    throw CallError(e.what(), DisplayName(file));
  }
}

}  // namespace vrk::tools
