#include "config/file_batch.h"

#include <filesystem>

#include "base/files.h"
#include "config/line_file.h"

namespace config {

bool FileBatch::Stage(const std::string& path, std::string_view bytes) {
  if (!failed_.empty()) return false;
  // The old content, to put back should a later file of the batch fail to be replaced.
  std::error_code ec;
  const bool exists = std::filesystem::exists(path, ec);
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
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].staged.commit()) continue;
    failed_ = entries_[i].path;
    const bool undone = Undo(i);
    entries_.clear();
    return undone ? Outcome::Unchanged : Outcome::Mixed;
  }
  entries_.clear();
  return Outcome::Saved;
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
      all = std::filesystem::remove(e.path, ec) && !ec && all;
    }
  }
  return all;
}

}  // namespace config
