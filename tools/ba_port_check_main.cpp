// ba-port-check: opens a serial port as ba-script --port does and tells, call by call, what
// works: the open (or the call that failed), a write, and the bytes that arrive in a while.
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "platform/serial_line.h"
#include "serial/device_port.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4) {
    std::fprintf(stderr, "usage: ba-port-check PORT|DEVICE [BYTE] [MS]\n");
    return 2;
  }
  const std::string port = argv[1];
  const bool number = port.find_first_not_of("0123456789") == std::string::npos;
  const std::string device = number ? serial::DevicePort(".", {}).deviceFor(std::stoi(port)) : port;
  if (device.empty()) {
    std::printf("port %s names no serial device\n", port.c_str());
    return 1;
  }
  std::string why;
  auto line = platform::SerialLine::Open(device, &why);
  if (!line) {
    std::printf("open %s: %s\n", device.c_str(), why.c_str());
    return 1;
  }
  std::printf("open %s: ok\n", device.c_str());
  if (argc >= 3) {
    const uint8_t byte = static_cast<uint8_t>(std::stoi(argv[2], nullptr, 0));
    std::printf("write: %lld\n", line->write(&byte, 1));
  }
  const int ms = argc >= 4 ? std::stoi(argv[3]) : 2000;
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  long long total = 0;
  while (std::chrono::steady_clock::now() < end) {
    uint8_t buffer[256];
    const long long n = line->read(buffer, sizeof buffer);
    if (n < 0) {
      std::printf("read: the line has gone after %lld bytes\n", total);
      return 1;
    }
    total += n;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  std::printf("read: %lld bytes in %d ms\n", total, ms);
  return 0;
}
