#pragma once
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "config/config_files.h"
#include "form/control.h"
#include "setup/setup_context.h"

namespace setup {

// A hidden list box holding the lines of one configuration file, which the editing buttons
// change and the save writes back. A list that does not hold the file (never loaded, or the
// file could not be read) is never written, so a save cannot replace a file it has not seen.
class LineList {
 public:
  LineList(const SetupContext& c, form::Control& list, const config::ConfigFile& file);

  // Empties the list; it holds no file until loaded again.
  void Clear();
  // Reads every trimmed line of the file, empty ones included. A missing file loads as no
  // lines; a file that cannot be read leaves the list unloaded and empty.
  void Load();
  // Loads the file unless the list holds it already; tells the user when it cannot.
  bool EnsureLoaded();
  bool loaded() const { return loaded_; }
  const std::vector<std::string>& lines() const { return list_.items(); }

  using Match = std::function<bool(std::string_view line)>;
  void Append(std::string line);
  // Replaces every matching line in place; how many were replaced.
  int Replace(const Match& match, const std::string& line);
  void RemoveIf(const Match& match);

 private:
  friend class ListEdit;

  const SetupContext& c_;
  form::Control& list_;
  config::ConfigFile file_;
  bool loaded_ = false;
};

// One save or delete over one or more line lists. The lists are remembered as they were when
// the edit begins; Save() writes their files together, every file staged before any is
// replaced. When one cannot be written, no file changes, every list gets its old lines back
// and the user is told which file failed.
class ListEdit {
 public:
  // Every list must hold its file (see LineList::EnsureLoaded).
  ListEdit(const SetupContext& c, std::initializer_list<LineList*> lists);
  bool Save();

 private:
  void Undo();

  const SetupContext& c_;
  struct Before {
    LineList* list;
    std::vector<std::string> lines;
  };
  std::vector<Before> before_;
};

}  // namespace setup
