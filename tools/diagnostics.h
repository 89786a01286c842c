// How vrkcfg reports a failure: "FILE: PATH: message" on standard error, or with --json one object
// {"file":..,"error":{"message":..,"detail":..}} on standard output, the same for every command.
#pragma once

#include <string>

namespace vrk::tools {

// Reports the failure `description` (message, then after a line feed its detail) concerning `subject`. As text:
// one line; a last detail line that is a descriptor's path (it starts with a backslash) goes before the
// message, the rest of the detail follows it with its line feeds turned into blanks. As JSON: the message's
// line, and the detail as it is.
void PrintFailure(const std::string& subject, const std::string& description, bool json);

}  // namespace vrk::tools
