#include "setup/line_list.h"

#include <filesystem>

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
  std::error_code ec;
  const bool absent = !std::filesystem::exists(config::JoinPath(c_.folder, file_.name), ec) && !ec;
  list_.clear();
  loaded_ = absent;
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

bool LineList::Save() const {
  if (!loaded_) return false;  // EnsureLoaded told why
  if (!config::WriteConfigFile(c_.folder, file_, list_.items())) {
    c_.TellFileProblem(file_.name, "could not be saved; the file on disk is unchanged.");
    return false;
  }
  return true;
}

}  // namespace setup
