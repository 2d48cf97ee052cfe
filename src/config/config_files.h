#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/file_batch.h"
#include "config/line_file.h"

namespace config {

// The four configuration files in the application folder.
inline constexpr std::string_view kSystemVersionFile = "SystemVersion.txt";
inline constexpr std::string_view kParameterSetupFile = "ParameterSetup.txt";
inline constexpr std::string_view kCommandSetupFile = "CommandSetup.txt";
inline constexpr std::string_view kInterfaceVersionFile = "InterfaceVersion.txt";

// How each file is written back: only the interface list keeps its empty lines.
struct ConfigFile {
  std::string_view name;
  EmptyLines empty;
};
inline constexpr ConfigFile kSystemVersion{kSystemVersionFile, EmptyLines::Drop};
inline constexpr ConfigFile kParameterSetup{kParameterSetupFile, EmptyLines::Drop};
inline constexpr ConfigFile kCommandSetup{kCommandSetupFile, EmptyLines::Drop};
inline constexpr ConfigFile kInterfaceVersion{kInterfaceVersionFile, EmptyLines::Keep};

// Every trimmed line of the file, empty ones included; nothing when it cannot be read.
std::optional<std::vector<std::string>> ReadConfigFile(std::string_view appFolder,
                                                       const ConfigFile& file);
// Stages the whole file with the file's empty-line policy as part of `batch`.
bool StageConfigFile(FileBatch& batch, std::string_view appFolder, const ConfigFile& file,
                     const std::vector<std::string>& lines);
// Cleans up after saves of the four files that stopped part-way: a committed batch is
// finished, staged files of others are removed.
void RemoveLeftoverSaves(std::string_view appFolder);
// Rewrites the whole file atomically with the file's empty-line policy.
bool WriteConfigFile(std::string_view appFolder, const ConfigFile& file,
                     const std::vector<std::string>& lines);

}  // namespace config
