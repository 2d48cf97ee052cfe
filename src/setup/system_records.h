#pragma once
#include <array>
#include <string>
#include <vector>

#include "config/system_version.h"

namespace setup {

// SystemFields: the six fields of every non-empty SystemVersion.txt line in file order. A
// line with fewer fields is padded with empty ones and extra fields are dropped, so one bad
// line cannot shift the records after it.
using SystemRecord = std::array<std::string, config::kSystemFieldCount>;
using SystemRecords = std::vector<SystemRecord>;

}  // namespace setup
