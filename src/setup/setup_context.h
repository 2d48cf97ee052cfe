#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "form/form.h"

namespace setup {

// What the editing tabs share: the screen, its tab control, the folder of the configuration
// files and the tab reload that every save and delete ends with.
struct SetupContext {
  form::Form& form;
  form::Control& tabs;  // SSTab1
  std::string folder;
  std::function<void()> refreshTab;

  // Adds a design row on page `page` of SSTab1.
  form::Control& Add(const form::ControlDesign& design, int page) const {
    form::Control& c = form.add(design, &tabs);
    c.setTabPage(page);
    return c;
  }
  // Asks before a delete; true only for OK.
  bool ConfirmDelete() const;
  // Tells that a file could not be saved or read before a save.
  void TellFileProblem(std::string_view file, std::string_view what) const;
};

// The fields of one line as the files split them (at every ",", not trimmed).
std::vector<std::string> FieldsOf(std::string_view line);
// Whether `line` is not empty and its fields `a` and `b` equal `va` and `vb`.
bool LineMatches(std::string_view line, int a, std::string_view va, int b, std::string_view vb);
// The number the leading decimal digits of `text` make (no blanks or sign before them); it
// stops at the first other character, gives 0 without digits and stops growing past 99999.
int LeadingNumber(std::string_view text);

}  // namespace setup
