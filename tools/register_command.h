// `vrkcfg register [LIBRARY]` and `vrkcfg unregister [LIBRARY]`: load the server library and run its
// DllRegisterServer or DllUnregisterServer, as a registration tool does for any in-process server.
#pragma once

#include <string>
#include <vector>

#include "tools/command_args.h"

namespace vrk::tools {

// LIBRARY defaults to the converter library installed beside vrkcfg (../LIBDIR/ from the tool's folder, or ../
// in the build tree). Prints "registered LIBRARY" or "unregistered LIBRARY" and the registry file on standard
// output. A library that does not load or lacks the entry point, and a failed registration, are CallErrors
// naming the library or the registry file and saying why (exit code 1).
int RegisterCommand(const std::vector<std::string>& words, const Options& options);
int UnregisterCommand(const std::vector<std::string>& words, const Options& options);

}  // namespace vrk::tools
