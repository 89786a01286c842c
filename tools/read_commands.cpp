#include "tools/read_commands.h"

#include <iostream>

#include "platform/json_text.h"
#include "schema/device_v7.h"
#include "tools/document_values.h"
#include "tools/edit_script.h"
#include "tools/tool_text.h"

namespace vrk::tools {
namespace {

std::string IndexesJson(const std::vector<IndexArg>& indexes) {
  std::string text = "[";
  for (std::size_t i = 0; i < indexes.size(); ++i) text += (i ? "," : "") + JsonString(FormatIndex(indexes[i]));
  return text + "]";
}

std::string ValueJson(const std::string& path, const std::vector<IndexArg>& indexes, const std::string& value) {
  return "{\"path\":" + JsonString(path) + ",\"indexes\":" + IndexesJson(indexes) + ",\"value\":" +
         JsonString(value) + "}";
}

// The element path as the listing spells it (schema names) and the number of repeated elements on it.
struct ElementPrefix {
  std::string path;
  std::size_t repeated = 0;
};

ElementPrefix PrefixOf(const CNodeTagInfoXML& schema, const std::string& path) {
  ElementPrefix prefix;
  const CNodeTagInfoXML* element = &schema;
  std::size_t start = 0;
  for (std::size_t end; (end = path.find('\\', start)) != std::string::npos; start = end + 1) {
    const std::string name = path.substr(start, end - start);
    element = element ? element->FindChild(name) : nullptr;
    prefix.path += (element ? element->name() : name) + "\\";
    if (element && element->repeated()) ++prefix.repeated;
  }
  return prefix;
}

// Whether `value` lies under the occurrence that `indexes` select on `prefix`; an index the caller left off
// selects every occurrence.
bool Under(const DocumentValue& value, const ElementPrefix& prefix, const std::vector<IndexArg>& indexes) {
  if (!value.path.starts_with(prefix.path)) return false;
  for (std::size_t i = 0; i < std::min(prefix.repeated, indexes.size()) && i < value.indexes.size(); ++i) {
    const bool same = indexes[i].use_attr
                          ? value.indexes[i].use_attr && value.indexes[i].value == indexes[i].value
                          : value.positions[i] == indexes[i].value;
    if (!same) return false;
  }
  return true;
}

std::string NeedElementPath(const std::string& path) {
  if (!path.ends_with("\\")) throw UsageError(Text(Say::kElementPathNeeded, path));
  return path;
}

}  // namespace

int GetCommand(const std::vector<std::string>& words, const Options& options) {
  const CommandArgs args = SplitArgs(words, false);
  if (args.positional.size() < 2) throw UsageError("");
  ConverterClient client = LoadedClient(args.positional[0], options);
  const std::vector<IndexArg> indexes = IndexArgs(args.positional, 2);
  const std::string value = client.GetValue(args.positional[1], indexes);
  std::cout << (options.json ? ValueJson(args.positional[1], indexes, value) : value) << "\n";
  return kOk;
}

int ListCommand(const std::vector<std::string>& words, const Options& options) {
  const CommandArgs args = SplitArgs(words, false);
  if (args.positional.empty()) throw UsageError("");
  const std::string path = args.positional.size() > 1 ? NeedElementPath(args.positional[1]) : std::string();
  const std::vector<IndexArg> indexes = IndexArgs(args.positional, 2);
  ConverterClient client = LoadedClient(args.positional[0], options);
  if (!path.empty()) client.NodesCount(path, indexes);  // an unknown element path is the component's error

  const auto schema = NewSchemaV7();
  const ElementPrefix prefix = PrefixOf(*schema, path);
  std::vector<DocumentValue> values;
  for (DocumentValue& value : ListDocumentValues(*schema, dom::Document::parseText(client.DocumentText())))
    if (Under(value, prefix, indexes)) values.push_back(std::move(value));
  if (values.empty() && !path.empty() && !client.NodeText(path, indexes)) throw CallError(Text(Say::kNoSuchOccurrence));

  if (options.json) std::cout << "[";
  for (std::size_t i = 0; i < values.size(); ++i) {
    DocumentValue& value = values[i];
    // The document holds metric values; get shows them in the units chosen.
    if (options.imperial && value.attribute != nullptr) value.value = client.GetValue(value.path, value.indexes);
    if (options.json)
      std::cout << (i ? ",\n " : "") << ValueJson(value.path, value.indexes, value.value);
    else if (value.path.ends_with("\\"))
      std::cout << FormatLocation(value.path, value.indexes) << "\n";
    else
      std::cout << FormatLocation(value.path, value.indexes) << " = " << ScriptWord(value.value) << "\n";
  }
  if (options.json) std::cout << "]\n";
  return kOk;
}

int ShowCommand(const std::vector<std::string>& words, const Options& options) {
  const CommandArgs args = SplitArgs(words, false);
  if (args.positional.size() < 2) throw UsageError("");
  const std::string path = NeedElementPath(args.positional[1]);
  const std::vector<IndexArg> indexes = IndexArgs(args.positional, 2);
  ConverterClient client = LoadedClient(args.positional[0], options);
  const std::optional<std::string> text = client.NodeText(path, indexes);
  if (!text) throw CallError(Text(Say::kNoSuchOccurrence));
  std::cout << *text << (text->ends_with("\n") ? "" : "\n");
  return kOk;
}

int CountCommand(const std::vector<std::string>& words, const Options& options) {
  const CommandArgs args = SplitArgs(words, false);
  if (args.positional.size() < 2) throw UsageError("");
  const std::string path = NeedElementPath(args.positional[1]);
  const std::vector<IndexArg> indexes = IndexArgs(args.positional, 2);
  ConverterClient client = LoadedClient(args.positional[0], options);
  std::cout << client.NodesCount(path, indexes) << "\n";
  return kOk;
}

}  // namespace vrk::tools
