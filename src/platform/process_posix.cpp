#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "platform/process.h"

namespace platform {

long long CurrentProcessId() {
  return ::getpid();
}

bool ProcessRunning(long long pid) {
  return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH);
}

}  // namespace platform
