#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/file_io.h"

namespace config {

// The files of one user action. Each is staged (written and synced beside its target) when
// added; Commit() replaces them only when every one was staged, so a failure leaves every
// file as it was. A process stopped between two renames leaves a commit note, with which the
// next start finishes the batch.
class FileBatch {
 public:
  // Stages `bytes` for `path`. After the first failure nothing more is staged and Commit()
  // replaces nothing.
  bool Stage(const std::string& path, std::string_view bytes);

  enum class Outcome {
    Saved,      // every file holds its new content
    Unchanged,  // every file holds its old content
    Mixed,      // a replace failed and an earlier one could not be undone
  };
  // Renames every staged file into place. Should one rename fail, the files already replaced
  // get their old content back.
  Outcome Commit();
  // The first file that could not be staged or replaced; empty while nothing failed.
  const std::string& failedPath() const { return failed_; }

 private:
  struct Entry {
    StagedFile staged;
    std::string path;
    std::optional<std::string> old;  // nothing when there was no file
  };
  bool Undo(size_t count);

  std::vector<Entry> entries_;
  std::string failed_;
};

}  // namespace config
