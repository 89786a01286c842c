#include "interface/module_lock.h"

#include <atomic>

namespace vrk {
namespace {

// Objects may live on different threads (the index list is free-threaded), so the count is atomic.
std::atomic<uint32_t> g_lock_count{0};

}  // namespace

void ModuleLock() { g_lock_count.fetch_add(1, std::memory_order_relaxed); }
void ModuleUnlock() { g_lock_count.fetch_sub(1, std::memory_order_relaxed); }
uint32_t ModuleLockCount() { return g_lock_count.load(std::memory_order_relaxed); }

}  // namespace vrk
