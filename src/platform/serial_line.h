#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Serial devices, which differ by system.
namespace platform {

// A serial device open at 9600 baud, 8 data bits, even parity, 1 stop bit, raw bytes, no flow
// control. Reads and writes never wait.
class SerialLine {
 public:
  // Nothing when `device` cannot be opened or set up; `why` then names the call that failed.
  static std::optional<SerialLine> Open(const std::string& device, std::string* why = nullptr);
  SerialLine(SerialLine&& other) noexcept;
  // The line this held is closed when `other` goes.
  SerialLine& operator=(SerialLine&& other) noexcept {
    std::swap(handle_, other.handle_);
    return *this;
  }
  SerialLine(const SerialLine&) = delete;
  ~SerialLine();

  // How many bytes the device took (0 while its buffer is full), or -1 when the line has gone.
  long long write(const uint8_t* data, size_t size);
  // How many bytes were waiting (0 when none), or -1 when the line has gone (hung up, the
  // device removed).
  long long read(uint8_t* buffer, size_t capacity);

 private:
  explicit SerialLine(intptr_t handle) : handle_(handle) {}
  intptr_t handle_;  // closed when -1
};

// The machine's serial devices (adapters and ports with hardware behind them), unordered.
std::vector<std::string> SerialDevices();

// The device a port number names by itself ("COM3" on Windows); "" where numbers take the
// machine's devices in order.
std::string NumberedPortDevice(int port);

// Why `device` cannot be a serial line; "" when it may be one. POSIX tells without opening
// it; Windows opens it for a moment when the system does not list the name.
std::string SerialDeviceProblem(const std::string& device);

}  // namespace platform
