#include "config/command_setup.h"

namespace config {

std::string BuildCommandLine(std::string_view baName, std::string_view systemName,
                             std::span<const std::string> codes) {
  std::string line(baName);
  line += ',';
  line += systemName;
  for (const std::string& code : codes) {
    line += ',';
    line += code;
  }
  return line;
}

}  // namespace config
