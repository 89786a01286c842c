#include "platform/dom/engine_allocation.h"

#include <libxml/xmlmemory.h>

#include <cstdlib>
#include <cstring>

namespace vrk::dom {
namespace {

thread_local long allocations_to_failure = -1;
thread_local bool failed = false;

bool ThisOneFails() {
  if (allocations_to_failure < 0) return false;
  if (allocations_to_failure-- != 0) return false;
  failed = true;
  return true;
}

void* Malloc(std::size_t size) { return ThisOneFails() ? nullptr : std::malloc(size); }
void* Realloc(void* p, std::size_t size) { return ThisOneFails() ? nullptr : std::realloc(p, size); }
char* Strdup(const char* text) { return ThisOneFails() ? nullptr : strdup(text); }

}  // namespace

void FailEngineAllocation(long n) {
  // Blocks from the usual allocator and from these are interchangeable: both are malloc's.
  static const bool installed = xmlMemSetup(std::free, Malloc, Realloc, Strdup) == 0;
  (void)installed;
  failed = false;
  allocations_to_failure = n;
}

bool EngineAllocationFailed() { return failed; }

}  // namespace vrk::dom
