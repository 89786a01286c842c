// The tool's own texts (diagnostics, usage errors, status lines) in English and Russian. The component's
// messages come translated from the component; these follow the same thread language.
#pragma once

#include <string>
#include <string_view>

namespace vrk::tools {

enum class Say {
  kCannotRead,          // "cannot be read"
  kIsDirectory,         // "is a directory, not a configuration file"
  kTooLarge,            // larger than the input limit; %1 the limit in bytes
  kCannotWrite,         // "cannot be written"
  kStandardOutput,      // the name of standard output in diagnostics
  kImageDoesNotLoad,    // "the image does not load again"
  kResultRefused,       // an edit whose result fails the check; nothing written
  kWrittenButRefused,   // a written configuration that fails the check
  kCheckOk,             // "OK"
  kUnknownCommand,      // %1 the word
  kDidYouMean,          // %1 the nearest command
  kUnknownOption,       // %1 the option
  kSeeHelp,             // %1 the command and a blank, or nothing
  kUsage,               // "usage"
  kBadIndex,            // %1 the word
  kIndexOutOfRange,     // %1 the word
  kOneStandardInput,    // only one input can be standard input
  kJsonNeedsReport,     // "--json goes with --report"
  kNeedsValue,          // %1 the option that needs a value
  kBadLanguage,         // %1 the value given to --lang
  kLine,                // "line %1"
  kUnknownEditCommand,  // %1 the word
  kOnOrOff,             // a mode takes "on" or "off"
  kBadOffset,           // %1 the word
  kUnclosedQuote,       // a script word's double quote is never closed
  kAtEndOfEdit,         // deferred checks failed when the edit closed
  kNoSuchOccurrence,    // the element occurrence does not exist
  kUpgradedFrom,        // %1 the version
  kCannotCreateConverter,
  kOutOfMemory,
  kUnexpected,          // %1 what the exception said
  kVersion,             // %1 the version
  kElementPathNeeded,   // %1 the path given where an element path is needed
};

// A text of the tool in both languages, for the help texts that are too long for the table of Say.
struct Bilingual {
  const char* english;
  const char* russian;

  // The text in the calling thread's language.
  const char* text() const;
};

// The text of `id` in the calling thread's language (Russian when its UI language is 1049, else English), with
// "%1" replaced by `arg`.
std::string Text(Say id, std::string_view arg = {});

}  // namespace vrk::tools
