#include "platform/user_folder.h"
#include "platform/windows_text.h"

namespace platform {

std::optional<std::string> UserConfigHome() {
  const DWORD size = ::GetEnvironmentVariableW(L"APPDATA", nullptr, 0);
  if (size <= 1) return std::nullopt;
  std::wstring path(size, L'\0');
  const DWORD length = ::GetEnvironmentVariableW(L"APPDATA", path.data(), size);
  if (length == 0 || length >= size) return std::nullopt;
  path.resize(length);
  return windows::Narrow(path);
}

}  // namespace platform
