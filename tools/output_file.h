// Writing a command's payload: to standard output, or to a file that is replaced whole or not at all.
#pragma once

#include <string>

namespace vrk::tools {

// Writes `bytes` to `output`, or to standard output for "-". A regular file (or a name that does not exist yet)
// is written to a temporary file in the same directory and renamed over it, so that a failure leaves the old
// file as it was; an existing file keeps its permissions, a symbolic link stays a link to the replaced file.
// Anything else (a device, a FIFO) is written in place. Throws CallError naming the file when it cannot be
// written. Standard output is flushed, so that a full disk or closed pipe is a CallError here too.
void WriteOutput(const std::string& output, const std::string& bytes);

// Flushes standard output; throws CallError naming it when what was written to it did not get out.
void FlushStandardOutput();

}  // namespace vrk::tools
