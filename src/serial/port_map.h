#pragma once
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace serial {

inline constexpr int kFirstPort = 1;
inline constexpr int kLastPort = 50;
inline constexpr const char* kPortMapFile = "PortMap.txt";

// Port numbers pinned to devices by lines "n,/path/to/device". Blanks around both fields are
// trimmed, malformed lines and numbers outside 1..50 are ignored, the first line for a number
// wins.
std::map<int, std::string> ParsePortMap(std::string_view text);

// The port map file in `folder`; empty when there is none. Reads at most 64 KiB.
std::map<int, std::string> LoadPortMap(const std::string& folder);

// The machine's serial devices in a stable order: USB and ACM adapters first, then the others,
// each group by name with digit runs compared by value; duplicates dropped.
std::vector<std::string> OrderDevices(std::vector<std::string> devices);

// The device behind port `port`: its pinned path, or else, counting only the numbers the map
// leaves free, the matching entry of the ordered devices without the pinned paths.
std::optional<std::string> PortDevice(int port, const std::map<int, std::string>& pinned,
                                      const std::vector<std::string>& devices);

}  // namespace serial
