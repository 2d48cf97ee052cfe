#pragma once
#include <optional>
#include <string>

namespace platform {

// The folder under which programs keep this user's settings (UTF-8): $XDG_CONFIG_HOME when it
// is an absolute path, else ~/.config; on Windows %APPDATA%. Nothing when the environment and
// the user database name no home.
std::optional<std::string> UserConfigHome();

}  // namespace platform
