#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/user_folder.h"

namespace platform {

std::optional<std::string> UserConfigHome() {
  // Relative values are ignored, as the XDG base directory rules say.
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && config[0] == '/') return std::string(config);
  const char* home = std::getenv("HOME");
  if (!home || home[0] != '/') {
    const passwd* user = ::getpwuid(::getuid());
    home = user ? user->pw_dir : nullptr;
  }
  if (!home || home[0] != '/') return std::nullopt;
  return std::string(home) + "/.config";
}

}  // namespace platform
