#include <algorithm>
#include <utility>

#include "platform/serial_line.h"
#include "platform/windows_text.h"

namespace platform {
namespace {

using windows::AsHandle;
using windows::Failed;
using windows::Wide;

// A write the device cannot take at once returns after this long with what it took.
constexpr DWORD kWriteTimeoutMs = 50;

// "COM3" and "\\.\COM3" both name the device "\\.\COM3".
std::string DevicePath(const std::string& device) {
  return device.rfind("\\\\", 0) == 0 ? device : "\\\\.\\" + device;
}

}  // namespace

std::optional<SerialLine> SerialLine::Open(const std::string& device, std::string* why) {
  std::string failure;
  std::string& problem = why ? *why : failure;
  HANDLE h = ::CreateFileW(Wide(DevicePath(device)).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                           nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    problem = Failed("CreateFileW");
    return std::nullopt;
  }
  SerialLine line(windows::FromHandle(h));
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (!::GetCommState(h, &dcb)) {
    problem = Failed("GetCommState");
    return std::nullopt;
  }
  dcb.BaudRate = CBR_9600;
  dcb.ByteSize = 8;
  dcb.Parity = EVENPARITY;
  dcb.StopBits = ONESTOPBIT;
  dcb.fBinary = TRUE;
  dcb.fParity = FALSE;  // parity is sent, received bytes are not checked
  dcb.fOutxCtsFlow = FALSE;
  dcb.fOutxDsrFlow = FALSE;
  dcb.fDtrControl = DTR_CONTROL_ENABLE;
  dcb.fRtsControl = RTS_CONTROL_ENABLE;
  dcb.fDsrSensitivity = FALSE;
  dcb.fOutX = FALSE;
  dcb.fInX = FALSE;
  dcb.fErrorChar = FALSE;
  dcb.fNull = FALSE;
  dcb.fAbortOnError = FALSE;
  if (!::SetCommState(h, &dcb)) {
    problem = Failed("SetCommState");
    return std::nullopt;
  }
  // A read returns at once with what has arrived.
  COMMTIMEOUTS timeouts{};
  timeouts.ReadIntervalTimeout = MAXDWORD;
  timeouts.ReadTotalTimeoutMultiplier = 0;
  timeouts.ReadTotalTimeoutConstant = 0;
  timeouts.WriteTotalTimeoutMultiplier = 0;
  timeouts.WriteTotalTimeoutConstant = kWriteTimeoutMs;
  if (!::SetCommTimeouts(h, &timeouts)) {
    problem = Failed("SetCommTimeouts");
    return std::nullopt;
  }
  return line;
}

SerialLine::SerialLine(SerialLine&& other) noexcept : handle_(std::exchange(other.handle_, -1)) {}

SerialLine::~SerialLine() {
  if (handle_ != -1) ::CloseHandle(AsHandle(handle_));
}

long long SerialLine::write(const uint8_t* data, size_t size) {
  DWORD n = 0;
  const DWORD want = static_cast<DWORD>(std::min<size_t>(size, 1u << 16));
  if (!::WriteFile(AsHandle(handle_), data, want, &n, nullptr)) return -1;
  return n;
}

// A removed adapter (or, under Wine, a hung-up pseudo-terminal, whose reads still succeed)
// fails ClearCommError.
long long SerialLine::read(uint8_t* buffer, size_t capacity) {
  DWORD errors = 0;
  COMSTAT status{};
  if (!::ClearCommError(AsHandle(handle_), &errors, &status)) return -1;
  if (status.cbInQue == 0) return 0;
  DWORD n = 0;
  const DWORD want = static_cast<DWORD>(std::min<size_t>(capacity, status.cbInQue));
  if (!::ReadFile(AsHandle(handle_), buffer, want, &n, nullptr)) return -1;
  return n;
}

// The ports the serial drivers announce, each value's data a name such as "COM3".
std::vector<std::string> SerialDevices() {
  std::vector<std::string> devices;
  HKEY key{};
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
      ERROR_SUCCESS) {
    return devices;
  }
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    wchar_t data[256];
    DWORD nameSize = 256, dataSize = sizeof data, type = 0;
    const LONG status = ::RegEnumValueW(key, i, name, &nameSize, nullptr, &type,
                                        reinterpret_cast<BYTE*>(data), &dataSize);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS || type != REG_SZ) continue;
    std::wstring port(data, dataSize / sizeof(wchar_t));
    while (!port.empty() && port.back() == L'\0') port.pop_back();
    if (!port.empty()) devices.push_back(windows::Narrow(port));
  }
  ::RegCloseKey(key);
  return devices;
}

std::string NumberedPortDevice(int port) {
  return port >= 1 ? "COM" + std::to_string(port) : "";
}

// Ports the system knows by name pass without opening; another name (a COM port Wine maps
// through a link made by hand, a file) is opened and asked for its serial settings.
std::string SerialDeviceProblem(const std::string& device) {
  const std::string name = device.rfind("\\\\.\\", 0) == 0 ? device.substr(4) : device;
  wchar_t target[1024];
  if (::QueryDosDeviceW(Wide(name).c_str(), target, 1024) != 0) return "";
  HANDLE h = ::CreateFileW(Wide(DevicePath(device)).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                           nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_ACCESS_DENIED) return device + ": in use by another program";
    return device + ": no such port (" + Failed("CreateFileW") + ")";
  }
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  const bool serial = ::GetCommState(h, &dcb) != 0;
  ::CloseHandle(h);
  return serial ? "" : device + ": not a serial device";
}

}  // namespace platform
