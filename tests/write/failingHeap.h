#pragma once
// The test executable's replacement of the global operator new and delete:
// a switch that makes the nth allocation from now throw std::bad_alloc, and a
// count of blocks handed out and not yet given back, to show that a write
// releases what it took on every path.

namespace writeTest_n {

// The nth operator new from now throws (1 = the next one); 0 disables.
void failHeapAllocationAt(long nth);
// Whether the switch is still armed (the failure has not happened yet).
bool heapFailurePending();
// operator new blocks not yet deleted, over the whole process.
long liveHeapBlocks();
// False when a tool (valgrind, a sanitizer) put its own operator new in place
// of this one, so that neither the switch nor the count works.
bool heapReplacementActive();

}  // namespace writeTest_n
