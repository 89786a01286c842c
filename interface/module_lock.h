// The server module's lock count: one lock per living object of either class, plus LockServer locks.
// The server may be unloaded only when it is zero.
#pragma once

#include <cstdint>

namespace vrk {

void ModuleLock();
void ModuleUnlock();
uint32_t ModuleLockCount();

// Holds one module lock for its lifetime; objects embed one.
class ModuleLockHolder {
 public:
  ModuleLockHolder() { ModuleLock(); }
  ModuleLockHolder(const ModuleLockHolder&) = delete;
  ModuleLockHolder& operator=(const ModuleLockHolder&) = delete;
  ~ModuleLockHolder() { ModuleUnlock(); }
};

}  // namespace vrk
