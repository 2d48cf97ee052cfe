#pragma once
#include <span>
#include <string>
#include <string_view>

namespace config {

// CommandSetup.txt: BA name, system name, then the 21 command codes.
enum CommandField : int {
  kCommandBaName = 0,
  kCommandSystemName = 1,
  kFirstCodeField = 2,
  kCommandFieldCount = 23,
};
inline constexpr int kCommandCodeCount = 21;

// A command line as the setup screen writes it: the two names and the code boxes' texts
// in order (EnterTestModeCode first).
std::string BuildCommandLine(std::string_view baName, std::string_view systemName,
                             std::span<const std::string> codes);

}  // namespace config
