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
  // bits (or the usual ones for a new file) and syncs it. Nothing when that fails. When `path`
  // is a symbolic link, the file it names is the one replaced; a link naming nothing is
  // refused.
  static std::optional<StagedFile> stage(const std::string& path, std::string_view bytes);

  StagedFile(StagedFile&& other) noexcept;
  StagedFile& operator=(StagedFile&&) = delete;
  StagedFile(const StagedFile&) = delete;
  ~StagedFile();

  // Renames the new file over the old one in one step and makes that durable; false when
  // the rename fails.
  bool commit();
  // The rename alone; a batch syncs the folder once after its last rename.
  bool rename();
  const std::string& stagedPath() const { return temp_; }
  const std::string& targetPath() const { return target_; }

 private:
  StagedFile(std::string target, std::string temp);
  std::string target_;
  std::string temp_;  // empty once committed or moved from
};

// Stages and commits: the file holds either its old or its new content, never a mix.
bool ReplaceFile(const std::string& path, std::string_view bytes);

// Makes the renames in the folder of `path` durable.
void SyncFolderOf(const std::string& path);

// The name of a commit note beside `path` for this process: "<path>.commit-<pid>-<count>".
std::string CommitNoteName(const std::string& path);

// After saves that stopped part-way (their process has ended): a commit note beside `path`
// means its batch was committed, so the renames it lists are finished and the note removed.
void FinishCommittedSaves(const std::string& path);
// Then the staged files of `path` (and of its notes) left behind are removed; how many.
int RemoveLeftoverStagedFiles(const std::string& path);

}  // namespace config
