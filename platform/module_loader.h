// Loading a library at run time, under the platform's names.
#pragma once

#include <string>

#include "platform/com_types.h"
#include "platform/registry.h"

#if !defined(_WIN32)  // on Windows these are the system's own

struct HINSTANCE__;
using HMODULE = HINSTANCE__*;
using FARPROC = void (*)();

// Loads the library at path (UTF-16), resolving all its symbols now; null when it cannot be loaded, and
// vrk::LastLoaderError() then says why. Each successful load is undone by one FreeLibrary.
HMODULE LoadLibraryW(LPCWSTR path);
// The exported function name of module; null when there is none.
FARPROC GetProcAddress(HMODULE module, const char* name);
BOOL FreeLibrary(HMODULE module);

#endif  // !_WIN32

namespace vrk {

// The loader's description of this thread's last failed LoadLibraryW; empty when there is none.
std::string LastLoaderError();

}  // namespace vrk
