// The steps of registration and unregistration, run in a fixed order under the system default locale so that the
// scripts read the same whatever the caller's locale is.
#include "interface/server_registration.h"

#include <vector>

#include "interface/type_library_registration.h"
#include "platform/module_path.h"
#include "platform/oleauto.h"
#include "platform/registry_file.h"
#include "platform/registry_script.h"

namespace vrk {

std::string_view RegistryScript101();
std::string_view RegistryScript103();
std::string_view RegistryScript150();

namespace {

constexpr LCID kLocaleSystemDefault = 0x0800;
constexpr char kAppId[] = "{10C4AD8C-F2DB-4982-8BCF-9F368C1FB19D}";

// Holds the thread's locale at the system default and gives the caller's back when it goes.
class SystemLocaleScope {
 public:
  SystemLocaleScope() : saved_(GetThreadLocale()) { SetThreadLocale(kLocaleSystemDefault); }
  SystemLocaleScope(const SystemLocaleScope&) = delete;
  SystemLocaleScope& operator=(const SystemLocaleScope&) = delete;
  ~SystemLocaleScope() { SetThreadLocale(saved_); }

 private:
  LCID saved_;
};

using Step = std::function<HRESULT()>;

Step Script(const ServerResources& resources, int id, bool add) {
  return [&resources, id, add] {
    registry::Replacements replacements{{"APPID", kAppId}};
    if (id != 101) replacements.emplace("MODULE", resources.module_path);
    return registry::RunRegistryScript(resources.script(id), replacements, add);
  };
}

Step TypeLibrary(const ServerResources& resources, bool add) {
  return [&resources, add] { return UpdateTypeLibraryRegistration(resources.module_path, add); };
}

HRESULT RunSteps(const ServerResources& resources, const std::vector<Step>& steps) {
  const SystemLocaleScope locale;
  if (resources.module_path.empty()) return E_UNEXPECTED;
  const registry::RegistrySession session;
  for (const Step& step : steps)
    if (const HRESULT hr = step(); FAILED(hr)) return hr;
  return S_OK;
}

}  // namespace

ServerResources ModuleServerResources() {
  return {[](int id) {
            switch (id) {
              case 101: return RegistryScript101();
              case 103: return RegistryScript103();
              case 150: return RegistryScript150();
              default: return std::string_view();
            }
          },
          ModuleFileName(reinterpret_cast<const void*>(&ModuleServerResources))};
}

HRESULT RegisterServer(const ServerResources& resources) {
  return RunSteps(resources, {Script(resources, 101, true), Script(resources, 103, true),
                              Script(resources, 150, true), TypeLibrary(resources, true)});
}

HRESULT UnregisterServer(const ServerResources& resources) {
  return RunSteps(resources, {Script(resources, 150, false), Script(resources, 103, false),
                              TypeLibrary(resources, false), Script(resources, 101, false)});
}

}  // namespace vrk
