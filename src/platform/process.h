#pragma once

// Process calls that differ by system.
namespace platform {

long long CurrentProcessId();
// Whether a process with that id exists (also one this user may not signal).
bool ProcessRunning(long long pid);

}  // namespace platform
