#pragma once
// Included only by the Windows implementation files.
#include <windows.h>

#include <string>

namespace platform::windows {

// UTF-8 to UTF-16 and back; invalid sequences become U+FFFD.
inline std::wstring Wide(const std::string& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), n);
  return wide;
}

inline std::string Narrow(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrow.data(), n, nullptr, nullptr);
  return narrow;
}

// "<call>: error <code>" for the thread's last error.
inline std::string Failed(const char* call) {
  return std::string(call) + ": error " + std::to_string(::GetLastError());
}

inline HANDLE AsHandle(intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

inline intptr_t FromHandle(HANDLE handle) {
  return reinterpret_cast<intptr_t>(handle);
}

}  // namespace platform::windows
