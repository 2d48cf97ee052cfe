#pragma once
#include <string>
#include <string_view>

#include "config/active_profile.h"

namespace config {

// The status text shown when no profile is active or no interface version was found.
inline constexpr std::string_view kUnknowable = "Unknowable";

// Captions of the version panel's value labels 1, 3, 5 and 7 (UTF-8).
struct VersionCaptions {
  std::string label1;  // program version
  std::string label3;  // system
  std::string label5;  // device (Device1 in the long layout)
  std::string label7;  // judge (short layout) or Device2 (long layout)
};

// Finds the reported system in the configuration files of `appFolder` and loads its
// parameters and command codes into `profile`. `versionLayout` is 1 for the short version
// reply and 2 for the long one. Returns the text of the "BA System" panel: the BA name, or
// "Unknowable" when the system is not found or a file fails; fields assigned before a
// failure keep their new values.
std::string LoadActiveProfile(std::string_view appFolder, int versionLayout,
                              const VersionCaptions& captions, ActiveProfile& profile);

// Looks up the reported interface code(s) and returns the text of the "BA Interface" panel.
std::string LoadInterfaceVersion(std::string_view appFolder, int versionLayout,
                                 const VersionCaptions& captions);

}  // namespace config
