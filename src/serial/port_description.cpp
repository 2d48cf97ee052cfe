#include "serial/port_description.h"

#include "platform/files.h"

namespace serial {

std::string PortDescription(int port, const std::string& device, const std::string& resolved,
                            const std::optional<platform::UsbFacts>& usb) {
  if (device.empty()) return "No device at port " + std::to_string(port);
  std::string text = "Port " + std::to_string(port) + ": " + device;
  if (!resolved.empty() && resolved != device) text += ", which is " + resolved;
  if (usb) {
    std::string maker = usb->manufacturer;
    if (!maker.empty() && !usb->product.empty()) maker += ' ';
    maker += usb->product;
    if (!maker.empty()) text += ", " + maker;
    text += " (USB " + usb->vendorId + ":" + usb->productId + ")";
  }
  return text;
}

std::string DescribePort(int port, const std::string& device) {
  if (device.empty()) return PortDescription(port, device, "", std::nullopt);
  // A name without a folder (COM3, a loopback) is shown as it is.
  const bool path = device.find_first_of(platform::PathSeparators()) != std::string::npos;
  const std::string resolved = path ? platform::ResolvedPath(device).value_or("") : "";
  return PortDescription(port, device, resolved,
                         path ? platform::UsbFactsOf(device) : std::nullopt);
}

}  // namespace serial
