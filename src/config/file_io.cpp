#include "config/file_io.h"

#include <atomic>
#include <filesystem>
#include <utility>
#include <vector>

#include "base/files.h"
#include "platform/files.h"
#include "platform/process.h"

namespace config {
namespace {

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of(platform::PathSeparators());
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

constexpr std::string_view kStagedMark = ".new-";
constexpr std::string_view kNoteMark = ".commit-";

// "<file><mark><pid>-<count>"
std::string OwnName(const std::string& path, std::string_view mark) {
  static std::atomic<unsigned> counter{0};
  return path + std::string(mark) + std::to_string(platform::CurrentProcessId()) + "-" +
         std::to_string(counter++);
}

// The process that made a file of that name, when the rest of the name is "<pid>-<count>".
std::optional<long long> StagedBy(std::string_view rest) {
  const size_t dash = rest.find('-');
  const auto digits = [](std::string_view d) {
    return !d.empty() && d.size() <= 9 && d.find_first_not_of("0123456789") == std::string::npos;
  };
  if (dash == std::string_view::npos || !digits(rest.substr(0, dash)) ||
      !digits(rest.substr(dash + 1))) {
    return std::nullopt;
  }
  long long pid = 0;
  for (char ch : rest.substr(0, dash)) pid = pid * 10 + (ch - '0');
  return pid;
}

}  // namespace

StagedFile::StagedFile(std::string target, std::string temp)
    : target_(std::move(target)), temp_(std::move(temp)) {}

StagedFile::StagedFile(StagedFile&& other) noexcept
    : target_(std::move(other.target_)), temp_(std::exchange(other.temp_, {})) {}

StagedFile::~StagedFile() {
  if (!temp_.empty()) platform::RemoveFile(temp_);
}

std::optional<StagedFile> StagedFile::stage(const std::string& link, std::string_view bytes) {
  // A link to the file stays a link: the new version replaces the file it names.
  std::string path = link;
  if (platform::IsSymbolicLink(link)) {
    std::optional<std::string> real = platform::ResolvedPath(link);
    if (!real) return std::nullopt;  // names nothing: not ours to replace
    path = std::move(*real);
  }
  const std::optional<platform::FileStatus> old = platform::StatusOf(path);
  if (old && !old->regular) return std::nullopt;

  std::string temp;
  std::optional<platform::OutputFile> file;
  for (int attempt = 0; attempt < 100 && !file; ++attempt) {
    temp = OwnName(path, kStagedMark);
    bool taken = false;
    file = platform::OutputFile::CreateNew(temp, taken);
    if (!file && !taken) return std::nullopt;
  }
  if (!file) return std::nullopt;
  StagedFile staged(path, temp);  // removes the file again on failure below
  if (old && !file->setPermissions(old->permissions)) return std::nullopt;
  if (!file->writeAll(bytes) || !file->flushToDisk() || !file->close()) return std::nullopt;
  return staged;
}

bool StagedFile::commit() {
  if (!rename()) return false;
  SyncFolderOf(target_);
  return true;
}

bool StagedFile::rename() {
  if (temp_.empty() || !platform::RenameOver(temp_, target_)) return false;
  temp_.clear();
  return true;
}

// A folder that cannot be synced is not an error.
void SyncFolderOf(const std::string& path) {
  platform::SyncFolder(FolderOf(path));
}

std::string CommitNoteName(const std::string& path) {
  return OwnName(path, kNoteMark);
}

bool ReplaceFile(const std::string& path, std::string_view bytes) {
  std::optional<StagedFile> staged = StagedFile::stage(path, bytes);
  return staged && staged->commit();
}

namespace {

namespace fs = std::filesystem;

// The files beside `path` named "<name of path><mark><pid>-<count>", and with `staged` also
// the staged files of those, "<...>.new-<pid>-<count>", of processes that have ended.
std::vector<fs::path> OrphansOf(const std::string& path, std::string_view mark, bool staged) {
  const std::string prefix = base::Utf8(base::FsPath(path).filename()) + std::string(mark);
  std::vector<fs::path> found;
  std::error_code ec;
  for (fs::directory_iterator it(base::FsPath(FolderOf(path)), ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string name = base::Utf8(it->path().filename());
    if (name.compare(0, prefix.size(), prefix) != 0) continue;
    std::string_view rest = std::string_view(name).substr(prefix.size());
    const size_t inner = rest.find(kStagedMark);
    if (staged && inner != std::string_view::npos && StagedBy(rest.substr(0, inner))) {
      rest.remove_prefix(inner + kStagedMark.size());
    }
    const auto pid = StagedBy(rest);
    std::error_code typeError;
    if (pid && !platform::ProcessRunning(*pid) && it->is_regular_file(typeError))
      found.push_back(it->path());
  }
  return found;
}

// Finishes the renames a note lists: lines "<staged name>\t<target name>", both in the note's
// folder, the staged one named after its target; a line that is not so is skipped.
void FinishRenames(const fs::path& note) {
  const std::optional<std::string> text = base::ReadSmallFile(base::Utf8(note), 1 << 16);
  if (!text) return;
  const fs::path folder = note.parent_path();
  size_t start = 0;
  for (size_t end; (end = text->find('\n', start)) != std::string::npos; start = end + 1) {
    const std::string_view line(text->data() + start, end - start);
    const size_t tab = line.find('\t');
    if (tab == std::string_view::npos) continue;
    const std::string staged(line.substr(0, tab));
    const std::string target(line.substr(tab + 1));
    const bool plain = staged.find('/') == std::string::npos && !target.empty() &&
                       target.find('/') == std::string::npos &&
                       staged.rfind(target + std::string(kStagedMark), 0) == 0;
    std::error_code ec;
    if (plain && fs::is_regular_file(folder / base::FsPath(staged), ec))
      fs::rename(folder / base::FsPath(staged), folder / base::FsPath(target), ec);
  }
  SyncFolderOf(base::Utf8(note));
}

}  // namespace

void FinishCommittedSaves(const std::string& path) {
  for (const fs::path& note : OrphansOf(path, kNoteMark, false)) {
    FinishRenames(note);
    std::error_code ec;
    fs::remove(note, ec);
  }
}

int RemoveLeftoverStagedFiles(const std::string& path) {
  int removed = 0;
  for (std::string_view mark : {kStagedMark, kNoteMark}) {
    for (const fs::path& staged : OrphansOf(path, mark, true)) {
      std::error_code ec;
      removed += fs::remove(staged, ec) ? 1 : 0;
    }
  }
  return removed;
}

}  // namespace config
