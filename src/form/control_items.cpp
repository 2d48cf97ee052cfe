// The values, lists, images, status panels and tab pages of the control families.
#include <algorithm>

#include "base/text.h"
#include "form/control.h"
#include "form/form.h"

namespace form {

void Control::setValue(int value) {
  switch (kind_) {
    case Kind::CheckBox: {
      value = std::clamp(value, 0, 2);
      if (value_ == value) return;
      value_ = value;
      changed();
      raiseClick();
      return;
    }
    case Kind::OptionButton: {
      if (value == 0) {
        if (value_ == 0) return;
        value_ = 0;
        changed();
        return;
      }
      if (value_ != 0) return;
      for (Control* other : form_.controls()) {
        if (other != this && other->kind_ == Kind::OptionButton &&
            other->container_ == container_ && other->value_ != 0) {
          other->value_ = 0;
          other->changed();
        }
      }
      value_ = 1;
      changed();
      raiseClick();
      return;
    }
    case Kind::HScrollBar:
    case Kind::VScrollBar: {
      value = std::clamp(value, std::min(min_, max_), std::max(min_, max_));
      if (value_ == value) return;
      value_ = value;
      changed();
      raiseChange();
      return;
    }
    case Kind::TabControl: {
      if (value < 0 || value >= listCount() || value == value_) return;
      const int previous = value_;
      value_ = value;
      changed();
      if (onTabClick) {
        auto copy = onTabClick;
        copy(previous);
      }
      return;
    }
    default:
      if (value_ == value) return;
      value_ = value;
      changed();
      return;
  }
}

void Control::setMin(int v) {
  if (min_ == v) return;
  min_ = v;
  changed();
  if (value_ < std::min(min_, max_) || value_ > std::max(min_, max_)) setValue(value_);
}

void Control::setMax(int v) {
  if (max_ == v) return;
  max_ = v;
  changed();
  if (value_ < std::min(min_, max_) || value_ > std::max(min_, max_)) setValue(value_);
}

void Control::setListIndex(int index) {
  if (index < -1 || index >= listCount() || index == listIndex_) return;
  listIndex_ = index;
  text_ = index >= 0 ? items_[static_cast<size_t>(index)] : std::string();
  textChars_ = base::CharCount(text_);
  changed();
  if (index >= 0) raiseClick();
}

void Control::addItem(std::string_view item) {
  items_.emplace_back(item);
  changed();
}

void Control::removeItem(int index) {
  if (index < 0 || index >= listCount()) return;
  items_.erase(items_.begin() + index);
  if (index == listIndex_) {
    listIndex_ = -1;
    text_.clear();
    textChars_ = 0;
  } else if (index < listIndex_) {
    --listIndex_;
  }
  changed();
}

void Control::clear() {
  items_.clear();
  listIndex_ = -1;
  text_.clear();
  textChars_ = 0;
  changed();
}

void Control::setItems(std::vector<std::string> items) {
  items_ = std::move(items);
  listIndex_ = -1;
  text_.clear();
  textChars_ = 0;
  changed();
}

void Control::setInterval(int ms) {
  interval_ = std::max(0, ms);
  if (kind_ == Kind::Timer) {
    if (TimerService* timers = form_.host().timers) timers->timerChanged(*this);
  }
  changed();
}

void Control::setImage(std::string_view path) {
  if (image_ == path) return;
  image_.assign(path);
  changed();
}

void Control::addImage(std::string_view path) {
  images_.emplace_back(path);
  changed();
}

void Control::clearImages() {
  if (images_.empty()) return;
  images_.clear();
  changed();
}

void Control::addPanel(std::string_view text, int width) {
  panels_.push_back({std::string(text), width});
  changed();
}

std::string Control::panelText(int panel) const {
  if (panel < 1 || panel > static_cast<int>(panels_.size())) return {};
  return panels_[static_cast<size_t>(panel - 1)].text;
}

void Control::setPanelText(int panel, std::string_view text) {
  if (panel < 1 || panel > static_cast<int>(panels_.size())) return;
  auto& p = panels_[static_cast<size_t>(panel - 1)];
  if (p.text == text) return;
  p.text.assign(text);
  changed();
}

void Control::setTabPage(int tab) {
  if (tabPage_ == tab) return;
  tabPage_ = tab;
  changed();
}

}  // namespace form
