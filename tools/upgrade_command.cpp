#include "tools/upgrade_command.h"

#include <iostream>

#include "platform/json_text.h"
#include "tools/checked_write.h"
#include "tools/input_file.h"
#include "tools/tool_text.h"
#include "tools/upgrade_report.h"

namespace vrk::tools {

std::string ImageUpgradeNotice(const std::string& bytes) {
  if (!bytes.starts_with("CONF")) return std::string();
  const uint16_t version = ImageConfigurationVersion(bytes);
  return version < 7 ? Text(Say::kUpgradedFrom, std::to_string(version)) : std::string();
}

int UpgradeCommand(const std::vector<std::string>& words, const Options& options) {
  const CommandArgs args = SplitArgs(words, true, {"--report"});
  if (args.positional.size() != 1) throw UsageError("");
  const std::string& file = args.positional[0];
  const std::string bytes = ReadInput(file);
  ConverterClient client = LoadedClient(file, bytes, options);
  // The converter accepted the bytes, so they read again as the configuration they hold.
  const UpgradeReport report = CompareWithUpgrade(ReadUpgradeInput(bytes), client.DocumentText());
  const std::string document = client.DocumentBytes();

  std::ostream& side = args.output == "-" ? std::cerr : std::cout;
  if (options.json) {
    side << "{\"from\":" << report.from << ",\"summary\":" << JsonString(report.Summary()) << ",\"values\":";
    PrintDifferencesJson(args.has("--report") ? report.values : std::vector<ReportedDifference>(), side);
    side << "}\n";
  } else {
    std::cerr << DisplayName(file) << ": " << report.Summary() << "\n";
    if (args.has("--report")) PrintDifferencesText(report.values, side);
  }
  WriteConverted(args.output, document);
  return kOk;
}

}  // namespace vrk::tools
