// The numbered message table: every text the component hands to its caller. Entries 101 to 172 and 301 to 305
// exist in English (1033) and Russian (1049) and follow the calling thread's UI language; 201 to 217 serve every
// language.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "interface/conv_exception.h"
#include "interface/message_ids.h"

namespace vrk {

// The entry's text (UTF-8) in the calling thread's language; empty for a number without an entry (such as 200).
std::string LoadMessage(uint32_t number);

// LoadMessage(number) with each "%s" replaced, left to right, by the next argument. Placeholders without an
// argument stay as they are; extra arguments are ignored.
std::string FormatMessageArgs(uint32_t number, std::initializer_list<std::string_view> args);

// Throws CConvException with message `number` (arguments filled in) and `detail`.
[[noreturn]] void ThrowMessage(uint32_t number, std::string detail = {});
[[noreturn]] void ThrowMessageArgs(uint32_t number, std::initializer_list<std::string_view> args,
                                   std::string detail = {});

}  // namespace vrk
