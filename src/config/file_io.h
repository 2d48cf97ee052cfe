#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace config {

// A new version of a file, written and synced beside the old one but not yet in its place.
// Until commit() the old file is untouched; a staged file that is dropped uncommitted is
// removed.
class StagedFile {
 public:
  // Writes `bytes` to a fresh file in the folder of `path` with the old file's permission
  // bits (or the usual ones for a new file) and syncs it. Nothing when that fails.
  static std::optional<StagedFile> stage(const std::string& path, std::string_view bytes);

  StagedFile(StagedFile&& other) noexcept;
  StagedFile& operator=(StagedFile&&) = delete;
  StagedFile(const StagedFile&) = delete;
  ~StagedFile();

  // Renames the new file over the old one in one step; false when that fails.
  bool commit();
  const std::string& stagedPath() const { return temp_; }

 private:
  StagedFile(std::string target, std::string temp);
  std::string target_;
  std::string temp_;  // empty once committed or moved from
};

// Stages and commits: the file holds either its old or its new content, never a mix.
bool ReplaceFile(const std::string& path, std::string_view bytes);

}  // namespace config
