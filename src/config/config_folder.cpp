#include "config/config_folder.h"

#include <filesystem>
#include <vector>

#include "base/files.h"
#include "config/config_files.h"
#include "config/file_io.h"
#include "config/line_file.h"
#include "platform/files.h"

namespace config {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kConfigFiles[] = {kSystemVersionFile, kParameterSetupFile,
                                             kCommandSetupFile, kInterfaceVersionFile};
constexpr std::string_view kPictureFolder = "Picture";

// Anything at `path`, a link naming nothing included.
bool Taken(const std::string& path) {
  return platform::StatusOf(path) || platform::IsSymbolicLink(path);
}

bool IsRegularFile(const std::string& path) {
  const auto status = platform::StatusOf(path);
  return status && status->regular;
}

bool MakeFolder(const std::string& folder) {
  std::error_code ec;
  fs::create_directories(base::FsPath(folder), ec);
  return fs::is_directory(base::FsPath(folder), ec);
}

// Copies `from` to the free name `to` through a staged file; false when it could not.
bool CopyMissing(const std::string& from, const std::string& to) {
  if (Taken(to)) return true;
  const std::optional<std::string> bytes = base::ReadSmallFile(from, kMaxConfigBytes);
  if (!bytes) return false;
  RemoveLeftoverStagedFiles(to);  // of a copy that stopped part-way
  std::optional<StagedFile> staged = StagedFile::stage(to, *bytes);
  return staged && (Taken(to) || staged->commit());
}

// The names of the regular files in `folder`.
std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(base::FsPath(folder), ec), end; !ec && it != end;
       it.increment(ec)) {
    std::error_code typeError;
    if (it->is_regular_file(typeError)) names.push_back(base::Utf8(it->path().filename()));
  }
  return names;
}

bool HoldsConfiguration(const std::string& folder) {
  for (std::string_view name : kConfigFiles) {
    if (IsRegularFile(JoinPath(folder, name))) return true;
  }
  return false;
}

}  // namespace

std::string InstalledSamplesFolder(const std::string& exeFolder) {
  const fs::path share =
      base::FsPath(exeFolder) / ".." / "share" / base::FsPath(std::string(kToolFolderName));
  return base::Utf8(share.lexically_normal());
}

bool SeedFolder(const std::string& samples, const std::string& target) {
  if (!MakeFolder(target)) return false;
  RemoveLeftoverSaves(target);
  bool complete = true;
  for (std::string_view name : kConfigFiles) {
    const std::string from = JoinPath(samples, name);
    const std::string to = JoinPath(target, name);
    if (IsRegularFile(from)) complete &= CopyMissing(from, to) && IsRegularFile(to);
  }
  const std::string pictures = JoinPath(samples, kPictureFolder);
  const std::vector<std::string> names = FilesIn(pictures);
  const std::string picturesTarget = JoinPath(target, kPictureFolder);
  if (!names.empty() && MakeFolder(picturesTarget)) {
    for (const std::string& name : names) {
      CopyMissing(JoinPath(pictures, name), JoinPath(picturesTarget, name));
    }
  }
  return complete;
}

ConfigFolder ChooseConfigFolder(const std::string& exeFolder,
                                const std::optional<std::string>& userConfigHome) {
  using Kind = ConfigFolder::Kind;
  if (HoldsConfiguration(exeFolder)) return {exeFolder, Kind::BesideExecutable};
  const std::string samples = InstalledSamplesFolder(exeFolder);
  if (userConfigHome) {
    const std::string user = JoinPath(*userConfigHome, kToolFolderName);
    if (SeedFolder(samples, user)) return {user, Kind::User};
  }
  if (HoldsConfiguration(samples)) return {samples, Kind::Samples};
  return {exeFolder, Kind::BesideExecutable};
}

}  // namespace config
