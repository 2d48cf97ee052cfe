#pragma once
#include <string>
#include <string_view>

namespace config {

// InterfaceVersion.txt: interface code, interface version text.
enum InterfaceField : int {
  kInterfaceCode = 0,
  kInterfaceText = 1,
  kInterfaceFieldCount = 2,
};

std::string BuildInterfaceLine(std::string_view code, std::string_view text);

}  // namespace config
