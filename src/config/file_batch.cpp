#include "config/file_batch.h"

#include <filesystem>

#include "base/files.h"
#include "config/line_file.h"

namespace config {

namespace {
std::string NameOf(const std::string& path) {
  return base::Utf8(base::FsPath(path).filename());
}
}  // namespace

bool FileBatch::Stage(const std::string& path, std::string_view bytes) {
  if (!failed_.empty()) return false;
  // The old content, to put back should a later file of the batch fail to be replaced.
  std::error_code ec;
  const bool exists = std::filesystem::exists(base::FsPath(path), ec);
  std::optional<std::string> old;
  if (exists) old = base::ReadSmallFile(path, kMaxConfigBytes);
  std::optional<StagedFile> staged =
      !ec && (!exists || old) ? StagedFile::stage(path, bytes) : std::nullopt;
  if (!staged) {
    failed_ = path;
    entries_.clear();  // drops every staged file
    return false;
  }
  entries_.push_back({std::move(*staged), path, std::move(old)});
  return true;
}

FileBatch::Outcome FileBatch::Commit() {
  if (!failed_.empty()) return Outcome::Unchanged;
  if (entries_.empty()) return Outcome::Saved;
  // With several files, a note beside the first says the batch is committed, so that a start
  // after the process stopped between two renames finishes them (FinishCommittedSaves).
  const auto noteText = [this] {
    std::string text;
    for (const Entry& e : entries_) {
      text += NameOf(e.staged.stagedPath()) + "\t" + NameOf(e.staged.targetPath()) + "\n";
    }
    return text;
  };
  const bool several = entries_.size() > 1;
  std::optional<StagedFile> note =
      several ? StagedFile::stage(CommitNoteName(entries_[0].path), noteText()) : std::nullopt;
  if (several && (!note || !note->commit())) {
    failed_ = entries_[0].path;
    entries_.clear();
    return Outcome::Unchanged;
  }
  Outcome outcome = Outcome::Saved;
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].staged.rename()) continue;
    failed_ = entries_[i].path;
    outcome = Undo(i) ? Outcome::Unchanged : Outcome::Mixed;
    break;
  }
  SyncFolderOf(entries_[0].path);
  if (note) {
    std::error_code ec;
    std::filesystem::remove(base::FsPath(note->targetPath()), ec);
    SyncFolderOf(note->targetPath());
  }
  entries_.clear();
  return outcome;
}

// Puts the old content back into the first `count` files, which were replaced.
bool FileBatch::Undo(size_t count) {
  bool all = true;
  for (size_t i = 0; i < count; ++i) {
    const Entry& e = entries_[i];
    if (e.old) {
      all = ReplaceFile(e.path, *e.old) && all;
    } else {
      std::error_code ec;
      all = std::filesystem::remove(base::FsPath(e.path), ec) && !ec && all;
    }
  }
  return all;
}

}  // namespace config
