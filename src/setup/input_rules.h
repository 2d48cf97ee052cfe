#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "form/form.h"

namespace setup {

// Lists are chosen from, not typed into: any key but Up and Down locks the combo until it
// is released. While `typingAllowed` says so (a new system's names), the combo takes typing.
void ChooseOnly(form::Control& combo, std::function<bool()> typingAllowed = {});

// Digits only: any key but Backspace, Delete and the digit keys (top row or keypad, without
// Shift, which would type "!" or "@" on the top row) locks the box until it is released.
void DigitsOnly(form::Control& box);

// Boxes whose value the files cannot hold, shown red with the reason as tool tip until the
// next check. Kept by name, so a grid box removed in between is simply gone.
class Refusals {
 public:
  explicit Refusals(form::Form& form) : form_(form) {}
  void Mark(form::Control& c, std::string_view why);
  void Clear();
  bool any() const { return !marked_.empty(); }

 private:
  struct Marked {
    std::string name;
    int index;
    form::Colour back;
    std::string tip;
  };
  form::Form& form_;
  std::vector<Marked> marked_;
};

// Refuses a comma or a line break, which would split the line into other fields or lines;
// true when the text is fine.
bool CheckOneField(Refusals& refusals, form::Control& c);

// Refuses anything but a decimal number of digits alone from 0 to `max` (empty text too);
// true when the text is fine.
bool CheckNumber(Refusals& refusals, form::Control& c, int max, std::string_view why);

}  // namespace setup
