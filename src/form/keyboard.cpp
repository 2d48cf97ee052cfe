// The keyboard rules of every control: one path for a view's key events and for scripted keys.
#include <algorithm>
#include <string>

#include "base/key_codes.h"
#include "base/text.h"
#include "form/form.h"

namespace form {
namespace {

using namespace base;

bool IsList(Kind k) {
  return k == Kind::ComboBox || k == Kind::ListBox;
}
bool IsEditor(Kind k) {
  return k == Kind::TextBox || k == Kind::ComboBox;
}
bool IsButton(Kind k) {
  return k == Kind::CommandButton || k == Kind::CheckBox || k == Kind::OptionButton;
}
bool IsScrollBar(Kind k) {
  return k == Kind::HScrollBar || k == Kind::VScrollBar;
}
bool MovesCaret(int code) {
  return code == kKeyLeft || code == kKeyRight || code == kKeyHome || code == kKeyEnd;
}

// The text a key inserts into `c`, or "" when it inserts nothing.
std::string TypedText(const Control& c, int code, int shift) {
  if (code == kKeyReturn) {
    const bool newLine = c.kind() == Kind::TextBox && c.multiLine() && !(shift & kCtrlBit);
    return newLine ? "\r\n" : "";
  }
  const char ch = KeyChar(code, shift);
  return ch ? std::string(1, ch) : std::string();
}

// Where a scroll-bar key moves the value; the value itself when the key does not move it.
int ScrolledValue(const Control& c, int code) {
  const int low = std::min(c.min(), c.max()), high = std::max(c.min(), c.max());
  const int towardsMax = c.min() <= c.max() ? 1 : -1;
  switch (code) {
    case kKeyLeft:
    case kKeyUp:
    case kKeyPageUp:
      return std::clamp(c.value() - towardsMax, low, high);
    case kKeyRight:
    case kKeyDown:
    case kKeyPageDown:
      return std::clamp(c.value() + towardsMax, low, high);
    case kKeyHome:
      return c.min();
    case kKeyEnd:
      return c.max();
    default:
      return c.value();
  }
}

}  // namespace

bool Form::userKey(Control& c, int keyCode, int shift) {
  const KeyOutcome outcome = userKeyDown(c, keyCode, shift);
  if (outcome == KeyOutcome::Refused) return false;
  if (outcome == KeyOutcome::Edit && holds(&c)) editKey(c, keyCode, shift);
  if (holds(&c)) userKeyUp(c, keyCode, shift);
  return true;
}

KeyOutcome Form::userKeyDown(Control& c, int keyCode, int shift, int selected) {
  if (!reachable(c)) return KeyOutcome::Refused;
  // Tab moves the focus (the editor's part) and is never a control's key.
  if (keyCode == kKeyTab) return KeyOutcome::Edit;
  Control* button = keyCode == kKeyReturn   ? defaultButton_
                    : keyCode == kKeyEscape ? cancelButton_
                                            : nullptr;
  if (button) {
    keyDownTarget_ = nullptr;
    userClick(*button);
    return KeyOutcome::Pressed;
  }
  keyDownTarget_ = &c;
  c.raiseKeyDown(keyCode, shift);
  // A handler may have removed the control, or locked it to refuse the key. A locked editor
  // is read-only: it refuses edits, but the caret still moves.
  if (!holds(&c)) return KeyOutcome::Kept;
  if (c.locked()) {
    return IsEditor(c.kind()) && MovesCaret(keyCode) ? KeyOutcome::Edit : KeyOutcome::Kept;
  }
  return keyEffect(c, keyCode, shift, selected);
}

bool Form::userKeyUp(Control& c, int keyCode, int shift) {
  if (keyDownTarget_ != &c) return false;
  keyDownTarget_ = nullptr;
  if (!reachable(c)) return false;
  c.raiseKeyUp(keyCode, shift);
  return true;
}

KeyOutcome Form::keyEffect(Control& c, int keyCode, int shift, int selected) {
  const Kind kind = c.kind();
  if (IsList(kind) && (keyCode == kKeyUp || keyCode == kKeyDown)) {
    const int next = c.listIndex() + (keyCode == kKeyUp ? -1 : 1);
    if (next >= 0 && next < c.listCount()) c.setListIndex(next);  // raises Click
    return KeyOutcome::Kept;
  }
  if (kind == Kind::ListBox) {
    // Home and End jump to the first and last item; a list box has no other keys.
    if (c.listCount() > 0 && (keyCode == kKeyHome || keyCode == kKeyEnd)) {
      c.setListIndex(keyCode == kKeyHome ? 0 : c.listCount() - 1);
    }
    return KeyOutcome::Kept;
  }
  if (IsScrollBar(kind)) {
    c.setValue(ScrolledValue(c, keyCode));  // raises Change when it moves
    return KeyOutcome::Kept;
  }
  if (IsButton(kind) && keyCode == kKeySpace) {
    userClick(c);
    return KeyOutcome::Kept;
  }
  if (IsEditor(kind) && c.maxLength() > 0 && KeyChar(keyCode, shift) != 0 &&
      CharCount(c.text()) - std::max(selected, 0) >= c.maxLength()) {
    return KeyOutcome::Kept;  // the box is full
  }
  return KeyOutcome::Edit;
}

void Form::editKey(Control& c, int keyCode, int shift) {
  if (!IsEditor(c.kind())) return;
  const std::string& text = c.text();
  const int length = CharCount(text);
  int caret = std::clamp(c.selStart(), 0, length);
  std::string edited = text;
  const auto cut = [&](int at) {
    const size_t from = CharOffset(text, at);
    edited = text.substr(0, from) + text.substr(CharOffset(text, at + 1));
  };
  switch (keyCode) {
    case kKeyBack:
      if (caret > 0) cut(--caret);
      break;
    case kKeyDelete:
      if (caret < length) cut(caret);
      break;
    case kKeyLeft:
      caret = std::max(caret - 1, 0);
      break;
    case kKeyRight:
      caret = std::min(caret + 1, length);
      break;
    case kKeyHome:
      caret = 0;
      break;
    case kKeyEnd:
      caret = length;
      break;
    default: {
      const std::string typed = TypedText(c, keyCode, shift);
      if (typed.empty()) return;
      edited.insert(CharOffset(text, caret), typed);
      caret += CharCount(typed);
      break;
    }
  }
  c.setText(edited);  // raises Change, which may remove the control
  if (holds(&c)) c.setSelStart(std::min(caret, CharCount(c.text())));
}

}  // namespace form
