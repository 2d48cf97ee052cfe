#include "config/config_files.h"

#include "config/file_io.h"

namespace config {

std::optional<std::vector<std::string>> ReadConfigFile(std::string_view appFolder,
                                                       const ConfigFile& file) {
  return ReadLines(JoinPath(appFolder, file.name));
}

bool StageConfigFile(FileBatch& batch, std::string_view appFolder, const ConfigFile& file,
                     const std::vector<std::string>& lines) {
  return batch.Stage(JoinPath(appFolder, file.name), EncodeLines(lines, file.empty));
}

void RemoveLeftoverSaves(std::string_view appFolder) {
  const ConfigFile* const files[] = {&kSystemVersion, &kParameterSetup, &kCommandSetup,
                                     &kInterfaceVersion};
  for (const ConfigFile* f : files) FinishCommittedSaves(JoinPath(appFolder, f->name));
  for (const ConfigFile* f : files) RemoveLeftoverStagedFiles(JoinPath(appFolder, f->name));
}

bool WriteConfigFile(std::string_view appFolder, const ConfigFile& file,
                     const std::vector<std::string>& lines) {
  return SaveLines(JoinPath(appFolder, file.name), lines, file.empty);
}

}  // namespace config
