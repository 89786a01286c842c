// The file a loaded module was loaded from, as the platform's GetModuleFileName tells it.
#pragma once

#include <string>

namespace vrk {

// The absolute path (symbolic links resolved) of the executable or shared library that contains address;
// empty when the loader cannot tell.
std::string ModuleFileName(const void* address);

}  // namespace vrk
