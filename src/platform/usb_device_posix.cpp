#include <cctype>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/usb_device.h"

namespace platform {

#ifdef __linux__
namespace {

namespace fs = std::filesystem;

// Folders above the tty's device folder that may hold the USB device (an ACM tty sits on the
// interface, a USB-serial tty one level below it).
constexpr int kLevelsUp = 3;
constexpr size_t kLongestAttribute = 128;

// The first line of a sysfs attribute, control characters dropped; "" when unreadable.
std::string Attribute(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  if (!in) return line;
  char c = 0;
  while (line.size() < kLongestAttribute && in.get(c) && c != '\n') {
    if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) line.push_back(c);
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

bool IsHexId(const std::string& id) {
  if (id.size() != 4) return false;
  for (char c : id) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

}  // namespace

std::optional<UsbFacts> UsbFactsOf(const std::string& device, const std::string& sysRoot) {
  std::error_code ec;
  fs::path real = fs::canonical(device, ec);
  if (ec) real = device;  // a name the machine does not have: its sysfs entry decides
  const std::string name = real.filename().string();
  if (name.empty() || name == "." || name == "..") return std::nullopt;
  const fs::path root = fs::canonical(sysRoot, ec);
  if (ec) return std::nullopt;
  fs::path dir = fs::canonical(root / "class" / "tty" / name / "device", ec);
  if (ec) return std::nullopt;
  for (int level = 0; level <= kLevelsUp && dir != root && dir.has_relative_path(); ++level) {
    if (fs::exists(dir / "idVendor", ec)) {
      UsbFacts facts{Attribute(dir / "idVendor"), Attribute(dir / "idProduct"),
                     Attribute(dir / "manufacturer"), Attribute(dir / "product")};
      if (!IsHexId(facts.vendorId) || !IsHexId(facts.productId)) return std::nullopt;
      return facts;
    }
    dir = dir.parent_path();
  }
  return std::nullopt;
}

#else

std::optional<UsbFacts> UsbFactsOf(const std::string&, const std::string&) {
  return std::nullopt;
}

#endif

}  // namespace platform
