// Reading a configuration file or standard input with a bounded cost: whatever the file is (a directory, a
// device, a FIFO, a file that grows), at most the input limit plus one byte is read.
#pragma once

#include <string>

namespace vrk::tools {

// The bytes of `file`, or of standard input for "-". Throws CallError naming the file ("<stdin>" for "-") when it
// cannot be opened or read, is a directory, or holds more than vrk::kMaxInputSize bytes; nothing more than
// kMaxInputSize + 1 bytes is ever read. A FIFO or a terminal blocks until its writer closes it.
std::string ReadInput(const std::string& file);

// A file's name in diagnostics: "<stdin>" for "-".
std::string DisplayName(const std::string& file);

}  // namespace vrk::tools
