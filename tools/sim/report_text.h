#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sim {

// Bytes from a text where "\xHH" stands for one byte and "\\" for a backslash; nothing for a
// malformed escape.
std::optional<std::vector<uint8_t>> ParseReport(const std::string& text);

}  // namespace sim
