// The commands of `vrkcfg edit`: how a script line splits into words, what each command takes, and running one
// command on a converter.
//
// A line holds words separated by blanks. A double quote starts a quoted part that runs to the next double
// quote; inside it blanks are kept and "" stands for one double quote; quoted and plain parts next to each other
// make one word ("" alone is an empty word). The backslash is an ordinary character everywhere, so paths are
// written as they are. A line whose first non-blank character is # is a comment; blank lines are skipped.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/converter_client.h"
#include "tools/tool_text.h"

namespace vrk::tools {

// The words of one line. Throws UsageError for a double quote that is not closed.
std::vector<std::string> SplitScriptWords(std::string_view line);

// `text` as one script word: as it is when it is not empty and holds no blank or double quote, else quoted.
std::string ScriptWord(const std::string& text);

enum class EditVerb { kSet, kUnset, kCreate, kDelete, kMove, kReplace, kArrange, kImperial, kIdenticalBands, kDidir };

// One command, checked: its verb and arguments.
struct EditAction {
  std::string where;  // "SCRIPT:LINE" or "-e N", for diagnostics
  std::string text;   // the command as written
  EditVerb verb = EditVerb::kSet;
  std::string path;
  std::string value;  // set: the value
  std::string source;  // replace: the file the element's text comes from
  std::u16string xml;  // replace: the element's text
  std::vector<IndexArg> indexes;
  LONG offset = 0;    // move
  bool on = false;    // the modes
};

// The command in `text` (one line), labelled `where`, or nullopt for a comment or blank line. Throws UsageError
// (naming `where`) for an unknown command, a wrong number of arguments, a bad index, offset or mode, and a path
// that does not end in a backslash where an element is meant; CallError when replace's file cannot be read.
// replace reads its file ("-": standard input) here, so that every input is read before anything runs.
std::optional<EditAction> ParseEditCommand(const std::string& text, const std::string& where);

// Runs `action` on `client`. Throws CallError with the component's description.
void RunEditAction(ConverterClient& client, const EditAction& action);

// The commands edit takes, for its usage text.
extern const Bilingual kEditCommandsHelp;

}  // namespace vrk::tools
