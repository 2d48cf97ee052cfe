#include "config/interface_version.h"

namespace config {

std::string BuildInterfaceLine(std::string_view code, std::string_view text) {
  std::string line(code);
  line += ',';
  line += text;
  return line;
}

}  // namespace config
