#include "setup/line_list.h"

#include <filesystem>

#include "base/files.h"
#include "config/line_file.h"

namespace setup {

LineList::LineList(const SetupContext& c, form::Control& list, const config::ConfigFile& file)
    : c_(c), list_(list), file_(file) {}

void LineList::Clear() {
  list_.clear();
  loaded_ = false;
}

void LineList::Load() {
  if (auto lines = config::ReadConfigFile(c_.folder, file_)) {
    list_.setItems(std::move(*lines));
    loaded_ = true;
    return;
  }
  // Only a missing file reads as no lines; anything else there, a dangling link too, is kept.
  std::error_code ec;
  const auto there =
      std::filesystem::symlink_status(base::FsPath(config::JoinPath(c_.folder, file_.name)), ec);
  list_.clear();
  loaded_ = there.type() == std::filesystem::file_type::not_found;
}

bool LineList::EnsureLoaded() {
  if (!loaded_) Load();
  if (!loaded_) c_.TellFileProblem(file_.name, "could not be read, so it was left as it was.");
  return loaded_;
}

void LineList::Append(std::string line) {
  std::vector<std::string> lines = list_.items();
  lines.push_back(std::move(line));
  list_.setItems(std::move(lines));
}

int LineList::Replace(const Match& match, const std::string& line) {
  std::vector<std::string> lines = list_.items();
  int replaced = 0;
  for (std::string& l : lines) {
    if (!match(l)) continue;
    l = line;
    ++replaced;
  }
  if (replaced > 0) list_.setItems(std::move(lines));
  return replaced;
}

void LineList::RemoveIf(const Match& match) {
  std::vector<std::string> lines = list_.items();
  std::erase_if(lines, [&](const std::string& l) { return match(l); });
  if (lines.size() != list_.items().size()) list_.setItems(std::move(lines));
}

ListEdit::ListEdit(const SetupContext& c, std::initializer_list<LineList*> lists) : c_(c) {
  for (LineList* list : lists) before_.push_back({list, list->lines()});
}

bool ListEdit::Save() {
  for (const Before& b : before_) {
    if (b.list->loaded_) continue;
    Undo();  // a list that does not hold its file never writes it; EnsureLoaded told why
    return false;
  }
  config::FileBatch batch;
  for (const Before& b : before_) {
    if (!config::StageConfigFile(batch, c_.folder, b.list->file_, b.list->lines())) break;
  }
  const config::FileBatch::Outcome outcome = batch.Commit();
  if (outcome == config::FileBatch::Outcome::Saved) return true;
  Undo();
  for (const Before& b : before_) {
    const config::ConfigFile& file = b.list->file_;
    if (config::JoinPath(c_.folder, file.name) != batch.failedPath()) continue;
    c_.TellFileProblem(file.name, outcome == config::FileBatch::Outcome::Unchanged
                                      ? "could not be saved; no file was changed."
                                      : "could not be saved, and the files saved before it "
                                        "could not be put back.");
  }
  return false;
}

void ListEdit::Undo() {
  for (Before& b : before_) {
    if (b.list->lines() != b.lines) b.list->list_.setItems(std::move(b.lines));
  }
}

}  // namespace setup
