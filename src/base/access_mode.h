#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace base {

// The access modes a login gives, as the main screen's status bar shows them. Any other text
// counts as user level.
inline constexpr std::string_view kUserMode = "User Mode";
inline constexpr std::string_view kProductionMode = "Production Mode";
inline constexpr std::string_view kEngineerMode = "Engineer Mode";
inline constexpr std::string_view kAdminMode = "Admin Mode";

// Production, engineer or admin.
constexpr bool StaffAccess(std::string_view mode) {
  return mode == kProductionMode || mode == kEngineerMode || mode == kAdminMode;
}
// Engineer or admin.
constexpr bool EngineeringAccess(std::string_view mode) {
  return mode == kEngineerMode || mode == kAdminMode;
}

// Where the access mode is kept: the screens read and set it through this, not by name.
struct AccessModeSlot {
  std::function<std::string()> read;
  std::function<void(std::string_view)> write;
};

}  // namespace base
