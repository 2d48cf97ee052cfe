#pragma once
#include <optional>
#include <string>

// What the system knows about the USB adapter behind a serial device.
namespace platform {

struct UsbFacts {
  std::string vendorId;      // four hex digits, "0403"
  std::string productId;     // four hex digits, "6001"
  std::string manufacturer;  // may be empty
  std::string product;       // may be empty
};

// The USB device behind the serial device `device` ("/dev/ttyUSB0", or a link to it), as the
// system's device tree under `sysRoot` tells it (Linux: /sys/class/tty/<name>/device and the
// folders above it). Nothing for other devices, and on other systems.
std::optional<UsbFacts> UsbFactsOf(const std::string& device, const std::string& sysRoot = "/sys");

}  // namespace platform
