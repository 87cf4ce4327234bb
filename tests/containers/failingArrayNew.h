#pragma once
// The test executable replaces operator new[] so that a chosen array
// allocation fails with std::bad_alloc; string_c's storage comes from it.
// Sanitizer runtimes bring their own operator new[]; there the replacement is
// left out and the tests that need it are skipped.

namespace containersTest {

// The nth array allocation from now throws (1 = the next one); 0 disables.
void failArrayNewAt(long nth);
bool arrayNewReplaced();

}  // namespace containersTest
