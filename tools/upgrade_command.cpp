#include "tools/upgrade_command.h"

#include <iostream>

#include "platform/json_text.h"
#include "tools/upgrade_report.h"

namespace vrk::tools {

std::string ImageUpgradeNotice(const std::string& image) {
  const uint16_t version = ImageConfigurationVersion(image);
  return version < 7 ? "upgraded from version " + std::to_string(version) : std::string();
}

int UpgradeCommand(const std::vector<std::string>& words, const Options& options) {
  const CommandArgs args = SplitArgs(words, true, {"--report", "--json"});
  if (args.positional.size() != 1) throw UsageError("upgrade needs exactly one FILE");
  if (args.has("--json") && !args.has("--report")) throw UsageError("--json goes with --report");
  const std::string& file = args.positional[0];
  const std::string bytes = ReadFileBytes(file, std::cin);
  ConverterClient client;
  client.SetImperial(options.imperial);
  if (bytes.starts_with("CONF"))
    client.LoadImage(bytes);
  else
    client.LoadDocumentBytes(bytes);
  // The converter accepted the bytes, so they read again as the configuration they hold.
  const UpgradeReport report = CompareWithUpgrade(ReadUpgradeInput(bytes), client.DocumentText());
  WriteOutput(args.output, client.DocumentBytes());

  std::ostream& side = args.output == "-" ? std::cerr : std::cout;
  if (args.has("--json")) {
    side << "{\"from\":" << report.from << ",\"summary\":" << JsonString(report.Summary()) << ",\"values\":";
    PrintDifferencesJson(report.values, side);
    side << "}\n";
    return kOk;
  }
  std::cerr << DisplayName(file) << ": " << report.Summary() << "\n";
  if (args.has("--report")) PrintDifferencesText(report.values, side);
  return kOk;
}

}  // namespace vrk::tools
