#include "config/config_files.h"

namespace config {

std::optional<std::vector<std::string>> ReadConfigFile(std::string_view appFolder,
                                                       const ConfigFile& file) {
  return ReadLines(JoinPath(appFolder, file.name));
}

bool StageConfigFile(FileBatch& batch, std::string_view appFolder, const ConfigFile& file,
                     const std::vector<std::string>& lines) {
  return batch.Stage(JoinPath(appFolder, file.name), EncodeLines(lines, file.empty));
}

bool WriteConfigFile(std::string_view appFolder, const ConfigFile& file,
                     const std::vector<std::string>& lines) {
  return SaveLines(JoinPath(appFolder, file.name), lines, file.empty);
}

}  // namespace config
