// What the registry file offers on Linux, answered for the system registry: no session lock is needed (each
// call is atomic, and concurrent registrations of one server write the same keys), its "location" is the hive,
// and it is never a damaged file.
#include "platform/registry_file.h"

namespace vrk::registry {

RegistrySession::RegistrySession() : fd_(0) {}
RegistrySession::~RegistrySession() = default;

std::string RegistryFilePath() { return "HKEY_CLASSES_ROOT"; }

LONG ReadRegistry(RegistryKey*, std::string* problem) {
  if (problem != nullptr) problem->clear();
  return ERROR_SUCCESS;
}

}  // namespace vrk::registry
