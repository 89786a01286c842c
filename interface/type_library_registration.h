// The registry entries of the server's type library and of its two interfaces.
#pragma once

#include <string>

#include "platform/com_types.h"

namespace vrk {

// Writes (add) or removes (!add) TypeLib\{LIBID}\1.0 with the library's file and folder, and
// Interface\{IID} of both interfaces pointing at the type library. S_OK, or the registry's failure.
HRESULT UpdateTypeLibraryRegistration(const std::string& module_path, bool add);

}  // namespace vrk
