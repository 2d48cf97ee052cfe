#include "serial/port_map.h"

#include <algorithm>
#include <set>

#include "base/files.h"
#include "base/text.h"

namespace serial {
namespace {

using base::IsDigit;

constexpr size_t kMaxFileBytes = 64 * 1024;

std::string_view Trim(std::string_view s) {
  return base::Trim(s, base::kWhitespace);
}

// A port number of at most nine digits, or 0.
int ParseNumber(std::string_view s) {
  if (s.empty() || s.size() > 9) return 0;
  int n = 0;
  for (char c : s) {
    if (!IsDigit(c)) return 0;
    n = n * 10 + (c - '0');
  }
  return n;
}

std::string_view BaseName(std::string_view path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

int Group(std::string_view path) {
  const std::string_view base = BaseName(path);
  return base.starts_with("ttyUSB") || base.starts_with("ttyACM") ? 0 : 1;
}

// Name order with digit runs compared as numbers of any length.
bool NaturalLess(std::string_view a, std::string_view b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      size_t ei = i, ej = j;
      while (ei < a.size() && IsDigit(a[ei])) ++ei;
      while (ej < b.size() && IsDigit(b[ej])) ++ej;
      std::string_view da = a.substr(i, ei - i), db = b.substr(j, ej - j);
      while (da.size() > 1 && da.front() == '0') da.remove_prefix(1);
      while (db.size() > 1 && db.front() == '0') db.remove_prefix(1);
      if (da.size() != db.size()) return da.size() < db.size();
      if (da != db) return da < db;
      i = ei;
      j = ej;
      continue;
    }
    if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
    ++i;
    ++j;
  }
  if (a.size() - i != b.size() - j) return a.size() - i < b.size() - j;
  return a < b;  // equal by value ("ttyS01" and "ttyS1"): a fixed tie-break
}

}  // namespace

std::map<int, std::string> ParsePortMap(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::map<int, std::string> pinned;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    const size_t comma = line.find(',');
    if (comma == std::string_view::npos) continue;
    const int port = ParseNumber(Trim(line.substr(0, comma)));
    const std::string_view path = Trim(line.substr(comma + 1));
    if (port < kFirstPort || port > kLastPort || path.empty()) continue;
    pinned.emplace(port, std::string(path));  // keeps the first line for a number
  }
  return pinned;
}

std::map<int, std::string> LoadPortMap(const std::string& folder) {
  const std::string path = folder.empty() ? kPortMapFile : folder + "/" + kPortMapFile;
  const auto text = base::ReadSmallFile(path, kMaxFileBytes, base::Oversize::Cut);
  return text ? ParsePortMap(*text) : std::map<int, std::string>{};
}

std::vector<std::string> OrderDevices(std::vector<std::string> devices) {
  std::sort(devices.begin(), devices.end(), [](const std::string& a, const std::string& b) {
    const int ga = Group(a), gb = Group(b);
    if (ga != gb) return ga < gb;
    return NaturalLess(BaseName(a), BaseName(b)) || (BaseName(a) == BaseName(b) && a < b);
  });
  devices.erase(std::unique(devices.begin(), devices.end()), devices.end());
  return devices;
}

std::optional<std::string> PortDevice(int port, const std::map<int, std::string>& pinned,
                                      const std::vector<std::string>& devices) {
  if (port < kFirstPort || port > kLastPort) return std::nullopt;
  if (auto it = pinned.find(port); it != pinned.end()) return it->second;
  std::set<std::string> taken;
  for (const auto& [n, path] : pinned) taken.insert(path);
  std::vector<std::string> free;
  for (std::string& d : OrderDevices(devices)) {
    if (!taken.count(d)) free.push_back(std::move(d));
  }
  size_t slot = 0;  // how many free numbers come before `port`
  for (int n = kFirstPort; n < port; ++n) {
    if (!pinned.count(n)) ++slot;
  }
  if (slot >= free.size()) return std::nullopt;
  return free[slot];
}

}  // namespace serial
