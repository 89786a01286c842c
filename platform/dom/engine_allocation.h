// Allocation failures of the XML engine on demand, for tests that prove every engine call survives them.
#pragma once

namespace vrk::dom {

// Makes the engine's allocation number `n` on the calling thread (counted from 0 at this call) fail, and only
// that one; a negative `n` stops failing. The first call routes the engine's allocations through a counter,
// which then stays in place and costs a thread-local check per allocation.
void FailEngineAllocation(long n);

// Whether the allocation that FailEngineAllocation armed has failed.
bool EngineAllocationFailed();

}  // namespace vrk::dom
