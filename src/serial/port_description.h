#pragma once
#include <optional>
#include <string>

#include "platform/usb_device.h"

namespace serial {

// What the "Com Port" list's tool tip says about port `port` whose device is `device` ("" when
// the number names none): the path, where its links lead, and the USB adapter's maker, product
// and ids where the system knows them.
std::string DescribePort(int port, const std::string& device);

// The same from what is known: `resolved` is where the path's links lead (empty, or the path
// itself, when nowhere else).
std::string PortDescription(int port, const std::string& device, const std::string& resolved,
                            const std::optional<platform::UsbFacts>& usb);

}  // namespace serial
