// Registration of the server: its registry scripts, the type library, and the order in which they run.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/com_types.h"

namespace vrk {

// What registration takes from the module: the text of a registry script by resource id (101, 103, 150) and the
// full path of the module's file.
struct ServerResources {
  std::function<std::string_view(int id)> script;
  std::string module_path;
};

// The scripts built into this module and the path of the file this code was loaded from.
ServerResources ModuleServerResources();

// Registration: script 101 with APPID, then the scripts of both classes with MODULE and APPID, then the type
// library. Unregistration: the class scripts (150, then 103), the type library, then script 101. The first
// failing step's result is returned and the later steps are not run. The calling thread's locale is the
// system default (0x0800) while the steps run and is restored on every way out.
HRESULT RegisterServer(const ServerResources& resources);
HRESULT UnregisterServer(const ServerResources& resources);

}  // namespace vrk
