// Registration through the library's own entry points, so that the registry names the library's file.
#include "tools/register_command.h"

#include <cstdio>
#include <filesystem>
#include <iostream>

#include "platform/module_loader.h"
#include "platform/module_path.h"
#include "platform/registry_file.h"
#include "platform/registry_script.h"
#include "platform/utf.h"

#ifndef VRK_INSTALL_LIBDIR
#define VRK_INSTALL_LIBDIR "lib"
#endif

namespace vrk::tools {
namespace {

constexpr char kLibraryName[] = "libVRK5420CfgConverter.so.1";  // the SONAME, which outlives minor versions

// The installed library beside the tool, else the one of the build tree.
std::string DefaultLibrary() {
  const std::filesystem::path tool = ModuleFileName(reinterpret_cast<const void*>(&DefaultLibrary));
  const std::filesystem::path folder = tool.parent_path().parent_path();
  for (const std::filesystem::path& candidate : {folder / VRK_INSTALL_LIBDIR / kLibraryName, folder / kLibraryName})
    if (std::filesystem::exists(candidate)) return candidate.string();
  throw CallError("no library given, and none found beside the tool (" + (folder / VRK_INSTALL_LIBDIR).string() +
                  ")");
}

// Why registration failed, in words.
std::string FailureText(HRESULT hr) {
  std::string problem;
  if (hr == HRESULT_FROM_WIN32(ERROR_BADDB)) {
    registry::RegistryKey ignored;
    registry::ReadRegistry(&ignored, &problem);
    // The problem starts with the file's name, which the diagnostic names already.
    const std::string file = registry::RegistryFilePath() + ": ";
    if (problem.starts_with(file)) problem.erase(0, file.size());
    return "the registry file is damaged (" + problem + ")";
  }
  if (hr == HRESULT_FROM_WIN32(ERROR_CANTWRITE)) return "the registry file cannot be written";
  if (hr == HRESULT_FROM_WIN32(ERROR_CANTREAD)) return "the registry file cannot be read";
  if (hr == registry::kScriptSyntaxError) return "a registry script of the library cannot be read";
  char code[16];
  std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(hr));
  return std::string("failed with ") + code;
}

int Run(const std::vector<std::string>& words, const char* command, const char* entry_point, const char* done) {
  const CommandArgs args = SplitArgs(words, false);
  if (args.positional.size() > 1) throw UsageError(std::string(command) + " takes at most one LIBRARY");
  const std::string library = args.positional.empty() ? DefaultLibrary() : args.positional[0];
  const std::u16string path = Utf8ToUtf16(library);
  const HMODULE module = LoadLibraryW(reinterpret_cast<LPCWSTR>(path.c_str()));
  if (module == nullptr) throw CallError("the library cannot be loaded: " + LastLoaderError(), library);
  // Through the generic function pointer type, which converts to any other without a warning.
  const auto entry = reinterpret_cast<HRESULT (*)()>(reinterpret_cast<void (*)()>(GetProcAddress(module, entry_point)));
  const HRESULT hr = entry != nullptr ? entry() : E_FAIL;
  FreeLibrary(module);
  if (entry == nullptr) throw CallError(std::string("the library has no ") + entry_point, library);
  const std::string registry_file = registry::RegistryFilePath();
  if (FAILED(hr)) throw CallError(FailureText(hr), registry_file.empty() ? "vrkcfg" : registry_file);
  std::cout << done << " " << library << " in " << registry_file << "\n";
  return kOk;
}

}  // namespace

int RegisterCommand(const std::vector<std::string>& words, const Options&) {
  return Run(words, "register", "DllRegisterServer", "registered");
}

int UnregisterCommand(const std::vector<std::string>& words, const Options&) {
  return Run(words, "unregister", "DllUnregisterServer", "unregistered");
}

}  // namespace vrk::tools
