#include "tools/checked_write.h"

#include "tools/output_file.h"
#include "tools/tool_text.h"

namespace vrk::tools {
namespace {

// `prefix` in front of the failure's message, its detail kept.
std::string Prefixed(Say prefix, const std::string& failure) { return Text(prefix) + ": " + failure; }

}  // namespace

std::string CheckFailure(const std::string& document) {
  try {
    ConverterClient client;
    client.LoadAny(document);
    return std::string();
  } catch (const CallError& e) {
    return e.what();
  }
}

void WriteEdited(const CommandArgs& args, ConverterClient& client) {
  const std::string document = client.DocumentBytes();
  const std::string failure = CheckFailure(document);
  if (failure.empty() || args.has("--force")) WriteOutput(args.output, document);
  if (failure.empty()) return;
  throw CallError(Prefixed(args.has("--force") ? Say::kWrittenButRefused : Say::kResultRefused, failure));
}

void WriteConverted(const std::string& output, const std::string& document) {
  const std::string failure = CheckFailure(document);
  WriteOutput(output, document);
  if (!failure.empty()) throw CallError(Prefixed(Say::kWrittenButRefused, failure));
}

}  // namespace vrk::tools
