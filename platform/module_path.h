// The file a loaded module was loaded from, as the platform's GetModuleFileName tells it.
#pragma once

#include <string>

namespace vrk {

// The absolute path of the executable or shared library that contains address, empty when the loader cannot
// tell. The folder's links are resolved; a library keeps the file name it was loaded by (its SONAME link when
// found through it), so that a registration outlives an upgrade of the versioned file behind the link.
std::string ModuleFileName(const void* address);

}  // namespace vrk
