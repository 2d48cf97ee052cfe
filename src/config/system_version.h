#pragma once
#include <string>

namespace config {

// SystemVersion.txt: key, multi-system flag, version bounds, system name, BA name.
enum SystemField : int {
  kSystemKey = 0,
  kSystemMulti = 1,  // "1": the version bounds choose among lines with the same key
  kSystemVersionMin = 2,
  kSystemVersionMax = 3,
  kSystemName = 4,
  kSystemBaName = 5,
  kSystemFieldCount = 6,
};

// A system line as the setup screen writes it; `multiSystemIndex` is the list index of the
// "Multi System" choice (0 "NO", 1 "YES").
struct SystemLineInput {
  std::string key;
  int multiSystemIndex = 0;
  std::string versionMin;
  std::string versionMax;
  std::string systemName;
  std::string baName;
};
std::string BuildSystemLine(const SystemLineInput& in);

}  // namespace config
