#include "config/system_version.h"

#include <array>

#include "config/line_file.h"

namespace config {

std::string BuildSystemLine(const SystemLineInput& in) {
  const std::array<std::string, kSystemFieldCount> fields = {
      in.key,   std::to_string(in.multiSystemIndex), in.versionMin, in.versionMax, in.systemName,
      in.baName};
  return JoinFields(fields);
}

}  // namespace config
