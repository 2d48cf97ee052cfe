#include "form/form.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "base/text.h"

namespace form {

Form::Form(std::string name, Host& host) : name_(std::move(name)), host_(host) {}

Form::~Form() {
  if (host_.timers) {
    for (Control* c : order_) {
      if (c->kind() == Kind::Timer) host_.timers->timerRemoved(*c);
    }
  }
}

void Form::setCaption(std::string_view caption) {
  if (caption_ == caption) return;
  caption_.assign(caption);
  noteFormChanged();
}

void Form::setVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  noteFormChanged();
}

void Form::setSize(int width, int height) {
  width_ = width;
  height_ = height;
  noteFormChanged();
}

void Form::setBackColor(Colour c) {
  back_ = c;
  noteFormChanged();
}

void Form::noteFormChanged() {
  if (observer_) observer_->formChanged();
}

void Form::noteChanged(Control& c) {
  if (observer_) observer_->controlChanged(c);
}

Control* Form::add(Kind kind, std::string_view name, Control* container, int index) {
  if (name.empty()) return nullptr;
  std::string key(name);
  auto it = byName_.find(key);
  if (it != byName_.end()) {
    const Entry& e = it->second;
    if (index < 0 || e.single || e.elements.count(index)) return nullptr;
  }
  auto owned = std::make_unique<Control>(*this, kind, key, index, container);
  Control* c = owned.get();
  Entry& e = byName_[key];
  if (index < 0) {
    e.single = c;
  } else {
    e.elements[index] = c;
  }
  owned_.push_back(std::move(owned));
  order_.push_back(c);
  if (observer_) observer_->controlAdded(*c);
  return c;
}

Control& Form::add(const ControlDesign& d, Control* container) {
  Control* c = add(d.kind, d.name, container, d.index);
  if (!c) {
    std::fprintf(stderr, "design error: %s(%d) exists\n", d.name, d.index);
    std::abort();
  }
  c->setText(d.caption);
  c->setBounds(d.left, d.top, d.width, d.height);
  if (d.fore) c->setForeColor(*d.fore);
  if (d.back) c->setBackColor(*d.back);
  c->setFont(Font{d.fontName ? d.fontName : "Comic Sans MS", d.fontSize, d.bold});
  c->setVisible(d.visible);
  c->setEnabled(d.enabled);
  c->setAlignment(d.align);
  c->setBorder(d.border);
  c->setHandCursor(d.hand);
  c->setMaxLength(d.maxLength);
  return *c;
}

void Form::remove(std::string_view name, int index) {
  if (Control* c = find(name, index)) remove(c);
}

void Form::remove(Control* control) {
  if (!control) return;
  // Children go first.
  for (size_t i = order_.size(); i-- > 0;) {
    if (i < order_.size() && order_[i]->container() == control) remove(order_[i]);
  }
  if (observer_) observer_->controlRemoved(*control);
  if (control->kind() == Kind::Timer && host_.timers) host_.timers->timerRemoved(*control);
  if (defaultButton_ == control) defaultButton_ = nullptr;
  if (keyDownTarget_ == control) keyDownTarget_ = nullptr;
  if (cancelButton_ == control) cancelButton_ = nullptr;
  auto it = byName_.find(control->name());
  if (it != byName_.end()) {
    if (control->index() < 0) {
      it->second.single = nullptr;
    } else {
      it->second.elements.erase(control->index());
    }
    if (!it->second.single && it->second.elements.empty()) byName_.erase(it);
  }
  order_.erase(std::find(order_.begin(), order_.end(), control));
  auto owned = std::find_if(owned_.begin(), owned_.end(),
                            [control](const auto& p) { return p.get() == control; });
  owned_.erase(owned);
}

Control* Form::find(std::string_view name, int index) const {
  auto it = byName_.find(std::string(name));
  if (it == byName_.end()) return nullptr;
  if (index < 0) return it->second.single;
  auto el = it->second.elements.find(index);
  return el == it->second.elements.end() ? nullptr : el->second;
}

Control& Form::at(std::string_view name, int index) const {
  Control* c = find(name, index);
  if (!c) {
    std::fprintf(stderr, "no control %.*s(%d) on %s\n", static_cast<int>(name.size()), name.data(),
                 index, name_.c_str());
    std::abort();
  }
  return *c;
}

Control* Form::slot(std::string_view name, int index) const {
  auto it = slotArrays_.find(std::string(name));
  return it == slotArrays_.end() ? nullptr : it->second(index);
}

bool Form::holds(const Control* c) const {
  return std::find(order_.begin(), order_.end(), c) != order_.end();
}

bool Form::isArray(std::string_view name) const {
  auto it = byName_.find(std::string(name));
  return it != byName_.end() && !it->second.elements.empty();
}

bool Form::acceptsInput() const {
  return visible_ && !(modalChild_ && modalChild_->visible());
}

bool Form::userClick(Control& c) {
  if (!reachable(c)) return false;
  switch (c.kind()) {
    case Kind::OptionButton:
      if (c.value() == 0) {
        c.setValue(1);  // raises Click
      } else {
        c.raiseClick();
      }
      break;
    case Kind::CheckBox:
      c.setValue(c.value() == 1 ? 0 : 1);  // raises Click
      break;
    default:
      c.raiseClick();
      break;
  }
  return true;
}

bool Form::userDblClick(Control& c) {
  if (!reachable(c)) return false;
  c.raiseDblClick();
  return true;
}

bool Form::userSelect(Control& c, int index) {
  if (!reachable(c) || c.locked()) return false;
  if (c.kind() != Kind::ComboBox && c.kind() != Kind::ListBox) return false;
  if (index < 0 || index >= c.listCount()) return false;  // a user picks only listed items
  if (c.kind() == Kind::ComboBox && index == c.listIndex()) {
    c.raiseClick();  // a pick from the drop-down is a choice even of the item shown
  } else {
    c.setListIndex(index);
  }
  return true;
}

bool Form::userSetText(Control& c, std::string_view text, int caret) {
  if (!reachable(c) || c.locked()) return false;
  if (c.kind() != Kind::TextBox && c.kind() != Kind::ComboBox) return false;
  std::string t(text);
  if (c.maxLength() > 0) t = base::CharSlice(t, 0, c.maxLength());
  c.setText(t);  // raises Change, which may remove the control
  if (!holds(&c)) return true;
  const int length = base::CharCount(c.text());
  c.setSelStart(caret < 0 ? length : std::min(caret, length));
  return true;
}

bool Form::userScroll(Control& c, int value) {
  if (!reachable(c)) return false;
  if (c.kind() != Kind::HScrollBar && c.kind() != Kind::VScrollBar) return false;
  c.setValue(value);
  return true;
}

bool Form::userTab(Control& c, int tab) {
  if (!reachable(c) || c.kind() != Kind::TabControl) return false;
  c.setValue(tab);
  return true;
}

}  // namespace form
