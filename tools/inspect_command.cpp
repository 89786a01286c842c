// Argument handling and file reading of `vrkcfg inspect`; the inspection itself is bin/image_dump.
#include "tools/inspect_command.h"

#include <iostream>
#include <sstream>

#include "bin/image_dump.h"
#include "platform/json_text.h"
#include "tools/input_file.h"

namespace vrk::tools {

int InspectCommand(const std::vector<std::string>& words, const Options& options) {
  const CommandArgs args = SplitArgs(words, false);
  if (args.positional.size() != 1) throw UsageError("");
  const std::string& file = args.positional[0];
  const std::string image = ReadInput(file);
  const bin::ImageReport report = bin::InspectImage(reinterpret_cast<const uint8_t*>(image.data()), image.size());
  if (!options.json) {
    bin::PrintReportText(report, std::cout);
    if (report.error) throw CallError(report.error->message() + "\n" + report.error->detail());
    return kOk;
  }
  std::ostringstream json;
  bin::PrintReportJson(report, json);
  std::string text = json.str();
  while (text.ends_with("\n")) text.pop_back();
  if (!report.error) {
    std::cout << text << "\n";
    return kOk;
  }
  std::cout << "{\"file\":" << JsonString(DisplayName(file)) << ",\"error\":{\"message\":"
            << JsonString(report.error->message()) << ",\"detail\":" << JsonString(report.error->detail())
            << "},\"report\":" << text << "}\n";
  return kConfigError;
}

}  // namespace vrk::tools
