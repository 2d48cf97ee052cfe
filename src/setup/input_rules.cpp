#include "setup/input_rules.h"

#include "base/key_codes.h"
#include "base/text.h"

namespace setup {

namespace {
// Plainly red, also on the pink and peach columns of the channel grid.
const form::Colour kRefused = form::Colour::Rgb(255, 96, 96);

void LockWhile(form::Control& c, std::function<bool(int code, int shift)> refuse) {
  c.onKeyDown = [&c, refuse = std::move(refuse)](int code, int shift) {
    if (refuse(code, shift)) c.setLocked(true);
  };
  c.onKeyUp = [&c](int, int) { c.setLocked(false); };
}
}  // namespace

void ChooseOnly(form::Control& combo, std::function<bool()> typingAllowed) {
  LockWhile(combo, [typingAllowed = std::move(typingAllowed)](int code, int) {
    if (code == base::kKeyUp || code == base::kKeyDown) return false;
    return !(typingAllowed && typingAllowed());
  });
}

void DigitsOnly(form::Control& box) {
  LockWhile(box, [](int code, int shift) {
    if (code == base::kKeyBack || code == base::kKeyDelete) return false;
    const bool digit = (code >= 48 && code <= 57) || (code >= 96 && code <= 105);
    return !digit || (shift & base::kShiftBit) != 0;
  });
}

void Refusals::Mark(form::Control& c, std::string_view why) {
  bool known = false;
  for (const Marked& m : marked_) known = known || (m.name == c.name() && m.index == c.index());
  if (!known) marked_.push_back({c.name(), c.index(), c.backColor(), c.toolTip()});
  c.setBackColor(kRefused);
  c.setToolTip(why);
}

void Refusals::Clear() {
  for (const Marked& m : marked_) {
    if (form::Control* c = form_.find(m.name, m.index)) {
      c->setBackColor(m.back);
      c->setToolTip(m.tip);
    }
  }
  marked_.clear();
}

bool CheckOneField(Refusals& refusals, form::Control& c) {
  const std::string& t = c.text();
  if (t.find(',') != std::string::npos) {
    refusals.Mark(c, "A comma would split the line into other fields");
    return false;
  }
  if (t.find_first_of("\r\n") != std::string::npos) {
    refusals.Mark(c, "A line break would split the line in two");
    return false;
  }
  return true;
}

bool CheckNumber(Refusals& refusals, form::Control& c, int max, std::string_view why) {
  const std::string& t = c.text();
  long value = 0;
  bool fine = !t.empty();
  for (char ch : t) {
    fine = fine && base::IsDigit(ch);
    if (!fine) break;
    value = value * 10 + (ch - '0');
    fine = value <= max;
  }
  if (!fine) refusals.Mark(c, why);
  return fine;
}

}  // namespace setup
