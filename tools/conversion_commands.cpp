#include "tools/conversion_commands.h"

#include <cstdio>
#include <iostream>

#include "platform/json_text.h"
#include "tools/checked_write.h"
#include "tools/conversion_report.h"
#include "tools/input_file.h"
#include "tools/output_file.h"
#include "tools/tool_text.h"
#include "tools/upgrade_command.h"

namespace vrk::tools {

int NewCommand(const std::vector<std::string>& words, const Options& options) {
  const CommandArgs args = SplitArgs(words, true);
  if (!args.positional.empty()) throw UsageError("");
  ConverterClient client;
  client.SetImperial(options.imperial);
  client.CreateNew();
  WriteOutput(args.output, client.DocumentBytes());
  return kOk;
}

int CheckCommand(const std::vector<std::string>& words, const Options& options) {
  const CommandArgs args = SplitArgs(words, false);
  if (args.positional.size() != 1) throw UsageError("");
  LoadedClient(args.positional[0], options);
  if (options.json)
    std::cout << "{\"file\":" << JsonString(DisplayName(args.positional[0])) << ",\"ok\":true}\n";
  else
    std::cout << Text(Say::kCheckOk) << "\n";
  return kOk;
}

int BinCommand(const std::vector<std::string>& words, const Options& options) {
  const CommandArgs args = SplitArgs(words, true, {"--report"});
  if (args.positional.size() != 1) throw UsageError("");
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
    if (!options.json) side << "CRC-32 " << crc_text << "\n";
    throw CallError(Text(Say::kImageDoesNotLoad) + ": " + e.what());
  }
  const ConversionReport report = CompareWithImage(client.DocumentText(), read_back.DocumentText());
  if (options.json) {
    side << "{\"crc32\":" << JsonString(crc_text) << ",\"summary\":" << JsonString(report.Summary())
         << ",\"values\":";
    PrintDifferencesJson(args.has("--report") ? report.values : std::vector<ReportedDifference>(), side);
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
  if (args.positional.size() != 1) throw UsageError("");
  const std::string& file = args.positional[0];
  const std::string bytes = ReadInput(file);
  ConverterClient client = LoadedClient(file, bytes, options);
  if (const std::string notice = ImageUpgradeNotice(bytes); !notice.empty() && !options.json)
    std::cerr << DisplayName(file) << ": " << notice << "\n";
  WriteConverted(args.output, client.DocumentBytes());
  return kOk;
}

}  // namespace vrk::tools
