#include "tools/diff_command.h"

#include <iostream>

#include "schema/device_v7.h"
#include "tools/difference_report.h"

namespace vrk::tools {
namespace {

// XML get of `file` once loaded, whatever it holds.
std::u16string LoadedText(const std::string& file, const Options& options) {
  try {
    ConverterClient client;
    client.SetImperial(options.imperial);
    client.LoadAnyFile(file, std::cin);
    return client.DocumentText();
  } catch (const CallError& e) {
    throw CallError(e.what(), DisplayName(file));
  }
}

}  // namespace

int DiffCommand(const std::vector<std::string>& words, const Options& options) {
  const CommandArgs args = SplitArgs(words, false, {"--json"});
  if (args.positional.size() != 2) throw UsageError("diff needs two files");
  if (args.positional[0] == "-" && args.positional[1] == "-") throw UsageError("only one file can be -");
  const std::u16string a = LoadedText(args.positional[0], options);
  const std::u16string b = LoadedText(args.positional[1], options);

  CNodeTag_VRK_DeviceV7 schema;
  std::vector<ReportedDifference> differences;
  for (ValueDifference& d : DiffDocumentValues(ListDocumentValues(schema, dom::Document::parseText(a)),
                                               ListDocumentValues(schema, dom::Document::parseText(b))))
    differences.push_back({std::move(d), std::string()});

  if (args.has("--json")) {
    std::cout << "{\"equal\":" << (differences.empty() ? "true" : "false") << ",\"differences\":";
    PrintDifferencesJson(differences, std::cout);
    std::cout << "}\n";
  } else {
    PrintDifferencesText(differences, std::cout);
  }
  return differences.empty() ? kOk : kConfigError;
}

}  // namespace vrk::tools
