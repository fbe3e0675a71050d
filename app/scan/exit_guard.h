#pragma once
// Ends the process when its shutdown does not finish.
//
// A SANE backend that stops its reader thread by cancelling it can leave a lock of the C
// library or of the dynamic loader taken for good; the library destructors that run at
// exit then wait on it forever. prepare() starts the guard's thread (at start-up, before
// any scan, so that creating it never meets such a lock); arm() makes it end the process
// with status 0 once `grace` has passed, whatever the rest of the shutdown is doing. The
// guard's thread makes system calls only.
#include <chrono>

namespace folivo {

void PrepareExitGuard();
void ArmExitGuard(std::chrono::milliseconds grace);

} // namespace folivo
