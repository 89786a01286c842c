#include "tools/command_args.h"

#include <fstream>
#include <iostream>

namespace vrk::tools {

CommandArgs SplitArgs(const std::vector<std::string>& words, bool allow_output,
                      std::initializer_list<const char*> flags) {
  CommandArgs args;
  const std::set<std::string> known(flags.begin(), flags.end());
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (allow_output && words[i] == "-o") {
      if (i + 1 == words.size()) throw UsageError("-o needs a file name");
      args.output = words[++i];
    } else if (words[i].starts_with("--")) {
      if (!known.count(words[i])) throw UsageError("unknown option '" + words[i] + "'");
      args.flags.insert(words[i]);
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

std::string DisplayName(const std::string& file) { return file == "-" ? "<stdin>" : file; }

ConverterClient LoadedClient(const std::string& file, const Options& options) {
  ConverterClient client;
  client.SetImperial(options.imperial);
  client.LoadFile(file, std::cin);
  return client;
}

}  // namespace vrk::tools
