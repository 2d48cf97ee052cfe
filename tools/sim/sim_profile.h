#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "config/active_profile.h"

namespace sim {

// How the device reports itself: "&" and 23 bytes, or "ZRN" and 27 bytes.
enum class ReportLayout { Short, Long };

// One system of a configuration folder, as the simulated device plays it.
struct SimProfile {
  std::string baName;
  std::string systemName;
  std::string key;      // system key: 1 character (short report) or 3 (long report)
  std::string version;  // 2 or 3 digits, chosen so that the version range selects this system
  ReportLayout layout = ReportLayout::Short;
  std::string interfaceCode;        // short: 1 character; long: Device1's 2-character code
  std::string secondInterfaceCode;  // long only; empty when there is no second device
  char stackerLetter = 'N';         // long only: "P" with a stacker, "N" without
  uint8_t dipSw1 = 0x81;
  uint8_t dipSw2 = 0x42;
  // Parameters and command codes exactly as the tool loads them for this report.
  config::ActiveProfile params;

  int mode() const { return params.ReceiveDataMode; }
  int channels() const { return params.LedNumber; }
};

// The system named `name` (its BA name such as "Hotel" or its system name such as "Q48") from
// the four configuration files in `folder`. Nothing, and the reason in `why`, when the folder
// lacks it or when the tool could not recognise any report of it.
std::optional<SimProfile> LoadSimProfile(const std::string& folder, const std::string& name,
                                         std::string* why);

// Every system of the folder that LoadSimProfile accepts, as "Hotel (Q48, mode 6)".
std::vector<std::string> SampleSystemNames(const std::string& folder);

// The report the device sends at power-up: marker, text and bytes.
std::vector<uint8_t> BuildVersionReport(const SimProfile& profile);

}  // namespace sim
