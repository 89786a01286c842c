// The module's own file, from the dynamic loader.
#include "platform/module_path.h"

#include <dlfcn.h>
#include <link.h>
#include <limits.h>
#include <stdlib.h>

#include <memory>

namespace vrk {

std::string ModuleFileName(const void* address) {
  Dl_info info{};
  link_map* module = nullptr;
  if (dladdr1(address, &info, reinterpret_cast<void**>(&module), RTLD_DL_LINKMAP) == 0 || module == nullptr)
    return "";
  // The main program's entry has no name of its own; the kernel knows its file.
  const char* name = module->l_name != nullptr && module->l_name[0] != '\0' ? module->l_name : "/proc/self/exe";
  const std::unique_ptr<char, decltype(&free)> resolved(realpath(name, nullptr), &free);
  return resolved ? std::string(resolved.get()) : "";
}

}  // namespace vrk
