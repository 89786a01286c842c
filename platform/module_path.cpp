// The module's own file, from the dynamic loader.
#include "platform/module_path.h"

#include <dlfcn.h>
#include <link.h>
#include <limits.h>
#include <stdlib.h>

#include <memory>
#include <string>

namespace vrk {

namespace {

// `name` made absolute with its folder's links resolved, but under the file name the loader used. A library
// loaded by its SONAME keeps that name, a link that a package upgrade moves to the new version, instead of the
// versioned file it points at today, which the upgrade deletes.
std::string AbsoluteKeepingFileName(const std::string& name) {
  const std::size_t slash = name.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : name.substr(0, slash);
  const std::unique_ptr<char, decltype(&free)> resolved(realpath(folder.c_str(), nullptr), &free);
  if (!resolved) return "";
  const std::string base(resolved.get());
  return (base == "/" ? "" : base) + "/" + name.substr(slash == std::string::npos ? 0 : slash + 1);
}

}  // namespace

std::string ModuleFileName(const void* address) {
  Dl_info info{};
  link_map* module = nullptr;
  if (dladdr1(address, &info, reinterpret_cast<void**>(&module), RTLD_DL_LINKMAP) == 0 || module == nullptr)
    return "";
  // The main program's entry has no name of its own; the kernel knows its file.
  if (module->l_name == nullptr || module->l_name[0] == '\0') {
    const std::unique_ptr<char, decltype(&free)> resolved(realpath("/proc/self/exe", nullptr), &free);
    return resolved ? std::string(resolved.get()) : "";
  }
  return AbsoluteKeepingFileName(module->l_name);
}

}  // namespace vrk
