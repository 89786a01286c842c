#include "tools/diff_command.h"

#include <iostream>

#include "schema/device_v7.h"
#include "tools/difference_report.h"
#include "tools/tool_text.h"

namespace vrk::tools {

std::vector<ReportedDifference> DocumentDifferences(const std::u16string& before, const std::u16string& after) {
  const auto schema = NewSchemaV7();
  std::vector<ReportedDifference> differences;
  for (ValueDifference& d : DiffDocumentValues(ListDocumentValues(*schema, dom::Document::parseText(before)),
                                               ListDocumentValues(*schema, dom::Document::parseText(after))))
    differences.push_back({std::move(d), std::string()});
  return differences;
}

void PrintDifferences(const std::vector<ReportedDifference>& differences, const Options& options) {
  if (options.json) {
    std::cout << "{\"equal\":" << (differences.empty() ? "true" : "false") << ",\"differences\":";
    PrintDifferencesJson(differences, std::cout);
    std::cout << "}\n";
  } else {
    PrintDifferencesText(differences, std::cout);
  }
}

int DiffCommand(const std::vector<std::string>& words, const Options& options) {
  const CommandArgs args = SplitArgs(words, false);
  if (args.positional.size() != 2) throw UsageError("");
  if (args.positional[0] == "-" && args.positional[1] == "-") throw UsageError(Text(Say::kOneStandardInput));
  ConverterClient a = LoadedClient(args.positional[0], options);
  ConverterClient b = LoadedClient(args.positional[1], options);
  const std::vector<ReportedDifference> differences = DocumentDifferences(a.DocumentText(), b.DocumentText());
  PrintDifferences(differences, options);
  return differences.empty() ? kOk : kDiffDifferent;
}

}  // namespace vrk::tools
