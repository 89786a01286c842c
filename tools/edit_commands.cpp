#include "tools/edit_commands.h"

#include <iostream>

#include "tools/checked_write.h"
#include "tools/diff_command.h"
#include "tools/edit_script.h"
#include "tools/input_file.h"
#include "tools/tool_text.h"

namespace vrk::tools {
namespace {

// The words of edit: its commands in order, the rest split as every command's.
struct EditArgs {
  CommandArgs common;
  std::vector<EditAction> actions;
};

// The commands of a script file, one per line.
void AddScript(const std::string& script, std::vector<EditAction>& actions) {
  const std::string text = ReadInput(script);
  std::size_t line = 0;
  for (std::size_t start = 0; start < text.size(); ++line) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string where = DisplayName(script) + ":" + std::to_string(line + 1);
    if (auto action = ParseEditCommand(text.substr(start, end - start), where)) actions.push_back(std::move(*action));
    start = end + 1;
  }
}

EditArgs SplitEditArgs(const std::vector<std::string>& words) {
  EditArgs args;
  std::vector<std::string> rest;
  std::size_t expressions = 0;
  std::size_t standard_inputs = 0;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (words[i] == "--") {
      rest.insert(rest.end(), words.begin() + static_cast<std::ptrdiff_t>(i), words.end());
      break;
    }
    if (words[i] != "-e" && words[i] != "-f") {
      rest.push_back(words[i]);
      continue;
    }
    if (i + 1 == words.size()) throw UsageError(Text(Say::kNeedsValue, words[i]));
    const std::string& value = words[++i];
    if (words[i - 1] == "-e") {
      if (auto action = ParseEditCommand(value, "-e " + std::to_string(++expressions)))
        args.actions.push_back(std::move(*action));
      continue;
    }
    if (value == "-") ++standard_inputs;
    AddScript(value, args.actions);
  }
  args.common = SplitArgs(rest, true, {"--dry-run", "--force"});
  // Standard input can be read once: as the configuration, a script or one replace's element.
  for (const EditAction& action : args.actions) standard_inputs += action.source == "-";
  for (const std::string& word : args.common.positional) standard_inputs += word == "-";
  if (standard_inputs > 1) throw UsageError(Text(Say::kOneStandardInput));
  return args;
}

// The action's failure, naming it.
CallError Failed(const EditAction& action, const CallError& e) {
  return CallError(action.where + ": " + action.text + ": " + e.what());
}

}  // namespace

int SetCommand(const std::vector<std::string>& words, const Options& options) {
  const CommandArgs args = SplitArgs(words, true, {"--force"});
  if (args.positional.size() < 3) throw UsageError("");
  ConverterClient client = LoadedClient(args.positional[0], options);
  client.SetValue(args.positional[1], args.positional[2], IndexArgs(args.positional, 3));
  WriteEdited(args, client);
  return kOk;
}

int ArrangeCommand(const std::vector<std::string>& words, const Options& options) {
  const CommandArgs args = SplitArgs(words, true, {"--force"});
  if (args.positional.size() < 2) throw UsageError("");
  ConverterClient client = LoadedClient(args.positional[0], options);
  client.Arrange(args.positional[1], IndexArgs(args.positional, 2));
  WriteEdited(args, client);
  return kOk;
}

int EditCommand(const std::vector<std::string>& words, const Options& options) {
  const EditArgs args = SplitEditArgs(words);
  if (args.common.positional.size() != 1) throw UsageError("");
  const std::string& file = args.common.positional[0];
  ConverterClient client = LoadedClient(file, options);
  const std::u16string before = client.DocumentText();

  client.BeginUpdate();
  for (const EditAction& action : args.actions) {
    try {
      RunEditAction(client, action);
    } catch (const CallError& e) {
      throw Failed(action, e);
    }
  }
  try {
    client.EndUpdate();
  } catch (const CallError& e) {
    throw CallError(Text(Say::kAtEndOfEdit) + ": " + e.what());
  }

  if (!args.common.has("--dry-run")) {
    WriteEdited(args.common, client);
    return kOk;
  }
  PrintDifferences(DocumentDifferences(before, client.DocumentText()), options);
  if (const std::string failure = CheckFailure(client.DocumentBytes()); !failure.empty())
    throw CallError(Text(Say::kResultRefused) + ": " + failure);
  return kOk;
}

}  // namespace vrk::tools
