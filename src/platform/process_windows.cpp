#include "platform/process.h"
#include "platform/windows_text.h"

namespace platform {

long long CurrentProcessId() {
  return ::GetCurrentProcessId();
}

bool ProcessRunning(long long pid) {
  if (pid <= 0 || pid > 0xFFFFFFFFll) return false;
  HANDLE h = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
  if (!h) return ::GetLastError() == ERROR_ACCESS_DENIED;  // there, but not ours to ask
  DWORD code = 0;
  const bool running = ::GetExitCodeProcess(h, &code) && code == STILL_ACTIVE;
  ::CloseHandle(h);
  return running;
}

}  // namespace platform
