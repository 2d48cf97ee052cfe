#include "form/control.h"

#include <algorithm>

#include "base/text.h"
#include "form/form.h"

namespace form {

const char* KindName(Kind kind) {
  switch (kind) {
    case Kind::Label:
      return "Label";
    case Kind::TextBox:
      return "TextBox";
    case Kind::ComboBox:
      return "ComboBox";
    case Kind::ListBox:
      return "ListBox";
    case Kind::CommandButton:
      return "CommandButton";
    case Kind::Frame:
      return "Frame";
    case Kind::OptionButton:
      return "OptionButton";
    case Kind::CheckBox:
      return "CheckBox";
    case Kind::HScrollBar:
      return "HScrollBar";
    case Kind::VScrollBar:
      return "VScrollBar";
    case Kind::PictureBox:
      return "PictureBox";
    case Kind::Shape:
      return "Shape";
    case Kind::Timer:
      return "Timer";
    case Kind::StatusBar:
      return "StatusBar";
    case Kind::ImageList:
      return "ImageList";
    case Kind::TabControl:
      return "SSTab";
  }
  return "Control";
}

Control::Control(Form& form, Kind kind, std::string name, int index, Control* container)
    : form_(form), kind_(kind), name_(std::move(name)), index_(index), container_(container) {
  switch (kind) {
    case Kind::TextBox:
    case Kind::ComboBox:
    case Kind::ListBox:
      back_ = colours::WindowBackground;
      fore_ = colours::WindowText;
      break;
    default:
      back_ = colours::ButtonFace;
      fore_ = colours::ButtonText;
      break;
  }
}

std::string Control::fullName() const {
  if (index_ < 0) return name_;
  return name_ + "(" + std::to_string(index_) + ")";
}

void Control::changed() {
  form_.noteChanged(*this);
}

void Control::setText(std::string_view text) {
  if (text_ == text) return;
  text_.assign(text);
  textChars_ = base::CharCount(text_);
  const bool editable = kind_ == Kind::TextBox || kind_ == Kind::ComboBox;
  if (editable) selStart_ = 0;
  changed();
  if (editable) raiseChange();
}

void Control::appendText(std::string_view more) {
  if (more.empty()) return;
  text_.append(more);
  textChars_ += base::CharCount(more);
  const bool editable = kind_ == Kind::TextBox || kind_ == Kind::ComboBox;
  if (editable) selStart_ = 0;
  changed();
  if (editable) raiseChange();
}

void Control::setVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  changed();
}

void Control::setEnabled(bool enabled) {
  const bool differs = enabled_ != enabled;
  enabled_ = enabled;
  if (kind_ == Kind::Timer) {
    if (TimerService* timers = form_.host().timers) timers->timerChanged(*this);
  }
  if (differs) changed();
}

void Control::setLeft(int v) {
  setBounds(v, top_, width_, height_);
}
void Control::setTop(int v) {
  setBounds(left_, v, width_, height_);
}
void Control::setWidth(int v) {
  setBounds(left_, top_, v, height_);
}
void Control::setHeight(int v) {
  setBounds(left_, top_, width_, v);
}

void Control::setBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  changed();
}

void Control::setForeColor(Colour c) {
  if (fore_ == c) return;
  fore_ = c;
  changed();
}

void Control::setBackColor(Colour c) {
  if (back_ == c) return;
  back_ = c;
  changed();
}

void Control::setFont(const Font& f) {
  if (font_ == f) return;
  font_ = f;
  changed();
}

void Control::setFontSize(double size) {
  Font f = font_;
  f.size = size;
  setFont(f);
}

void Control::setFontBold(bool bold) {
  Font f = font_;
  f.bold = bold;
  setFont(f);
}

void Control::setTag(std::string_view tag) {
  if (tag_ == tag) return;
  tag_.assign(tag);
  changed();
}

void Control::setLocked(bool locked) {
  if (locked_ == locked) return;
  locked_ = locked;
  changed();
}

void Control::setMaxLength(int n) {
  maxLength_ = std::max(0, n);
}

void Control::setAlignment(Align a) {
  if (align_ == a) return;
  align_ = a;
  changed();
}

void Control::setBorder(bool b) {
  if (border_ == b) return;
  border_ = b;
  changed();
}

void Control::setHandCursor(bool hand) {
  if (hand_ == hand) return;
  hand_ = hand;
  changed();
}

void Control::setMultiLine(bool m) {
  if (multiLine_ == m) return;
  multiLine_ = m;
  changed();
}

void Control::setPasswordChar(char c) {
  if (passwordChar_ == c) return;
  passwordChar_ = c;
  changed();
}

void Control::setToolTip(std::string_view tip) {
  if (toolTip_ == tip) return;
  toolTip_.assign(tip);
  changed();
}

void Control::setSelStart(int pos) {
  pos = std::clamp(pos, 0, textChars_);
  if (selStart_ == pos) return;
  selStart_ = pos;
  changed();
}

bool Control::shown() const {
  if (!visible_) return false;
  if (!container_) return true;
  if (container_->kind_ == Kind::TabControl && tabPage_ >= 0 && tabPage_ != container_->value_)
    return false;
  return container_->shown();
}

bool Control::usable() const {
  for (const Control* c = this; c; c = c->container_) {
    if (!c->enabled_) return false;
  }
  return shown();
}

void Control::raiseKeyDown(int code, int shift) {
  if (onKeyDown) {
    auto copy = onKeyDown;
    copy(code, shift);
  }
}

void Control::raiseKeyUp(int code, int shift) {
  if (onKeyUp) {
    auto copy = onKeyUp;
    copy(code, shift);
  }
}

}  // namespace form
