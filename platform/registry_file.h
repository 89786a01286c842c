// Where the registry lives and how it is read and changed. The file's location is the environment variable
// VRK5420_REGISTRY_FILE when it is set and not empty, else $XDG_CONFIG_HOME/vrk5420/registry, else
// $HOME/.config/vrk5420/registry; it is looked up afresh on every call. A missing file is an empty registry.
#pragma once

#include <functional>
#include <string>

#include "platform/registry.h"
#include "platform/registry_tree.h"

namespace vrk::registry {

inline constexpr char kRegistryFileVariable[] = "VRK5420_REGISTRY_FILE";

// The registry file's path; empty when neither the variable, XDG_CONFIG_HOME nor HOME gives one.
std::string RegistryFilePath();

// The registry's contents. ERROR_SUCCESS, ERROR_CANTREAD (the file exists but cannot be read) or ERROR_BADDB
// (the file is damaged; *problem, when given, says where). *tree is left unchanged on failure.
LONG ReadRegistry(RegistryKey* tree, std::string* problem = nullptr);

// Reads the registry, lets change alter it and, when change returns ERROR_SUCCESS and the tree differs, writes
// it back: to a temporary file beside it, flushed to disk, then renamed over it, so the file is always either
// the old or the new registry. A lock file (the path with ".lock" added) is held exclusively from the read to the
// rename, so concurrent updates run one after the other; temporary files that a writer killed before its rename
// left behind (the path with ".tmp-" and six characters added) are removed then. Missing folders are created
// (mode 0700).
// Returns change's result, or ERROR_CANTWRITE / ERROR_CANTREAD / ERROR_BADDB; a damaged file is never
// overwritten.
LONG UpdateRegistry(const std::function<LONG(RegistryKey&)>& change);

// While a session lives, no other session (in this or another process) begins: a caller that makes several
// changes which belong together, such as a server's registration, runs them in one, so that two such callers do
// not pull keys from under each other. The lock file is the registry's path with ".session" added. A session
// that cannot take its lock (the location is not writable) is still created; ok() says so, and the changes
// themselves then fail as they would without it.
class RegistrySession {
 public:
  RegistrySession();
  RegistrySession(const RegistrySession&) = delete;
  RegistrySession& operator=(const RegistrySession&) = delete;
  ~RegistrySession();
  bool ok() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace vrk::registry
