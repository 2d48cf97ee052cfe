#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace config {

// The name of the tool's folder under the user's settings folder and under <prefix>/share.
inline constexpr std::string_view kToolFolderName = "ba-test-tool";

// The sample set an installation puts beside its bin folder: "<exeFolder>/../share/ba-test-tool".
std::string InstalledSamplesFolder(const std::string& exeFolder);

// Copies into `target` (created when missing) the four configuration files and the pictures
// of `samples` that `target` lacks; nothing there is ever replaced, and a failed copy leaves
// no part of a file. Saves of `target` that stopped part-way are finished first. True when
// `target` then holds every configuration file `samples` has; a picture that could not be
// copied only goes without.
bool SeedFolder(const std::string& samples, const std::string& target);

// Where the configuration is read and saved.
struct ConfigFolder {
  enum class Kind {
    BesideExecutable,  // a source or build tree, a portable copy, the Windows build
    User,              // <userConfigHome>/ba-test-tool, seeded from the installed samples
    Samples,           // the installed samples, read only: the user folder could not be set up
  };
  std::string path;
  Kind kind = Kind::BesideExecutable;
};
// The executable's folder when it holds a configuration file; else the user's folder, seeded
// from the installed samples; else, when that fails, the installed samples themselves.
ConfigFolder ChooseConfigFolder(const std::string& exeFolder,
                                const std::optional<std::string>& userConfigHome);

}  // namespace config
