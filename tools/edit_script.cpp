#include "tools/edit_script.h"

#include <charconv>

#include "platform/xml_text_codec.h"
#include "tools/command_args.h"
#include "tools/input_file.h"
#include "tools/tool_text.h"

namespace vrk::tools {
namespace {

// What each command takes: the words after the verb up to the indexes, whether its path names an element, and
// whether indexes may follow.
struct VerbInfo {
  const char* name;
  EditVerb verb;
  const char* arguments;  // for messages and help
  std::size_t fixed;      // words after the verb before the indexes
  bool element;           // the path names an element
  bool indexed;           // indexes may follow
};

constexpr VerbInfo kVerbs[] = {
    {"set", EditVerb::kSet, "PATH VALUE [INDEX...]", 2, false, true},
    {"unset", EditVerb::kUnset, "PATH [INDEX...]", 1, false, true},
    {"create", EditVerb::kCreate, "PATH\\ [INDEX...]", 1, true, true},
    {"delete", EditVerb::kDelete, "PATH\\ [INDEX...]", 1, true, true},
    {"move", EditVerb::kMove, "PATH\\ OFFSET [INDEX...]", 2, true, true},
    {"replace", EditVerb::kReplace, "PATH\\ FILE|- [INDEX...]", 2, true, true},
    {"arrange", EditVerb::kArrange, "PATH\\ [INDEX...]", 1, true, true},
    {"imperial", EditVerb::kImperial, "on|off", 1, false, false},
    {"identical-bands", EditVerb::kIdenticalBands, "on|off", 1, false, false},
    {"didir", EditVerb::kDidir, "on|off", 1, false, false},
};

[[noreturn]] void Refuse(const std::string& where, const std::string& why) { throw UsageError(where + ": " + why); }

bool OnOff(const std::string& word, const std::string& where, const std::string& verb) {
  if (word == "on") return true;
  if (word == "off") return false;
  Refuse(where, verb + " " + Text(Say::kOnOrOff));
}

LONG Offset(const std::string& word, const std::string& where) {
  LONG offset = 0;
  const char* end = word.data() + word.size();
  const char* begin = word.starts_with("+") ? word.data() + 1 : word.data();
  const auto [stop, error] = std::from_chars(begin, end, offset);
  if (word.empty() || error != std::errc() || stop != end) Refuse(where, Text(Say::kBadOffset, word));
  return offset;
}

}  // namespace

const Bilingual kEditCommandsHelp = {
    "  set PATH VALUE [INDEX...]       write a value\n"
    "  unset PATH [INDEX...]           remove an attribute\n"
    "  create PATH\\ [INDEX...]         create an element occurrence (and any missing ancestors)\n"
    "  delete PATH\\ [INDEX...]         delete an element occurrence with what depends on it\n"
    "  move PATH\\ OFFSET [INDEX...]    move an occurrence OFFSET places (negative: towards the first)\n"
    "  replace PATH\\ FILE|- [INDEX...] replace an occurrence by the element in FILE\n"
    "  arrange PATH\\ [INDEX...]        sort the data of an element\n"
    "  imperial on|off                 values after it in imperial units\n"
    "  identical-bands on|off          the same band set on every vibration channel\n"
    "  didir on|off                    bands and thresholds compatible with DIDIR 2.1\n",
    "  set PATH VALUE [INDEX...]       записать значение\n"
    "  unset PATH [INDEX...]           удалить атрибут\n"
    "  create PATH\\ [INDEX...]         создать экземпляр элемента (и недостающих предков)\n"
    "  delete PATH\\ [INDEX...]         удалить экземпляр элемента вместе с зависящим от него\n"
    "  move PATH\\ OFFSET [INDEX...]    сдвинуть экземпляр на OFFSET мест (отрицательное: к первому)\n"
    "  replace PATH\\ FILE|- [INDEX...] заменить экземпляр элементом из FILE\n"
    "  arrange PATH\\ [INDEX...]        упорядочить данные элемента\n"
    "  imperial on|off                 следующие значения в британских единицах\n"
    "  identical-bands on|off          один набор полос на всех вибрационных каналах\n"
    "  didir on|off                    полосы и пороги, совместимые с DIDIR 2.1\n"};

std::vector<std::string> SplitScriptWords(std::string_view line) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      if (in_word) words.push_back(std::move(word));
      word.clear();
      in_word = false;
    } else if (c == '"') {
      in_word = true;
      for (++i;; ++i) {
        if (i == line.size()) throw UsageError(Text(Say::kUnclosedQuote));
        if (line[i] != '"') {
          word += line[i];
        } else if (i + 1 < line.size() && line[i + 1] == '"') {
          word += '"';
          ++i;
        } else {
          break;
        }
      }
    } else {
      word += c;
      in_word = true;
    }
  }
  if (in_word) words.push_back(std::move(word));
  return words;
}

std::string ScriptWord(const std::string& text) {
  if (!text.empty() && text.find_first_of(" \t\r\n\"") == std::string::npos) return text;
  std::string word = "\"";
  for (const char c : text) word += c == '"' ? std::string("\"\"") : std::string(1, c);
  return word + "\"";
}

std::optional<EditAction> ParseEditCommand(const std::string& text, const std::string& where) {
  const std::size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos || text[first] == '#') return std::nullopt;
  std::vector<std::string> words;
  try {
    words = SplitScriptWords(text);
  } catch (const UsageError& e) {
    Refuse(where, e.what());
  }
  const VerbInfo* info = nullptr;
  for (const VerbInfo& candidate : kVerbs)
    if (words[0] == candidate.name) info = &candidate;
  if (info == nullptr) Refuse(where, Text(Say::kUnknownEditCommand, words[0]));
  const std::size_t given = words.size() - 1;
  if (given < info->fixed || (!info->indexed && given > info->fixed))
    Refuse(where, Text(Say::kUsage) + ": " + info->name + " " + info->arguments);

  EditAction action;
  action.where = where;
  action.text = text.substr(first);
  action.verb = info->verb;
  if (info->verb == EditVerb::kImperial || info->verb == EditVerb::kIdenticalBands || info->verb == EditVerb::kDidir) {
    action.on = OnOff(words[1], where, info->name);
    return action;
  }
  action.path = words[1];
  if (info->element && !action.path.ends_with("\\"))
    Refuse(where, Text(Say::kUsage) + ": " + info->name + " " + info->arguments);
  try {
    action.indexes = IndexArgs(words, 1 + info->fixed);
  } catch (const UsageError& e) {
    Refuse(where, e.what());
  }
  if (info->verb == EditVerb::kSet) action.value = words[2];
  if (info->verb == EditVerb::kMove) action.offset = Offset(words[2], where);
  if (info->verb == EditVerb::kReplace) {
    action.source = words[2];
    try {
      action.xml = XmlBytesToText(ReadInput(words[2]));
    } catch (const TextCodecError& e) {
      throw CallError(e.what(), DisplayName(words[2]));
    }
  }
  return action;
}

void RunEditAction(ConverterClient& client, const EditAction& action) {
  switch (action.verb) {
    case EditVerb::kSet:
      // Inside the bracket a value's check waits for its end; checking it first names the line that failed.
      client.CheckValue(action.path, action.value, action.indexes);
      client.SetValue(action.path, action.value, action.indexes);
      break;
    case EditVerb::kUnset: client.UnsetValue(action.path, action.indexes); break;
    case EditVerb::kCreate: client.CreateNode(action.path, action.indexes); break;
    case EditVerb::kDelete: client.DeleteNode(action.path, action.indexes); break;
    case EditVerb::kMove: client.MoveNode(action.path, action.indexes, action.offset); break;
    case EditVerb::kReplace: client.SetNodeText(action.path, action.indexes, action.xml); break;
    case EditVerb::kArrange: client.Arrange(action.path, action.indexes); break;
    case EditVerb::kImperial: client.SetImperial(action.on); break;
    case EditVerb::kIdenticalBands: client.SetIdenticalBands(action.on); break;
    case EditVerb::kDidir: client.SetCompatibilityDidir(action.on); break;
  }
}

}  // namespace vrk::tools
