#pragma once
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "form/control.h"
#include "form/host.h"

namespace form {

// Told about every change of a screen, so a view can follow the model.
class FormObserver {
 public:
  virtual ~FormObserver() = default;
  virtual void controlAdded(Control& control) = 0;
  virtual void controlRemoved(Control& control) = 0;
  virtual void controlChanged(Control& control) = 0;
  virtual void formChanged() = 0;
};

// What the first half of a key stroke came to.
enum class KeyOutcome {
  Refused,  // the key did not reach the control
  Pressed,  // Enter or Escape pressed the screen's default or cancel button
  Kept,     // the key had its whole effect, or none because the control refused it
  Edit,     // the rest is the editor's: typing, deleting, moving the caret or the focus
};

// One row of a design-time layout table. Unset colours take the kind's defaults.
struct ControlDesign {
  Kind kind = Kind::Label;
  const char* name = "";
  int index = -1;
  const char* caption = "";
  int left = 0, top = 0, width = 0, height = 0;
  std::optional<Colour> fore = std::nullopt;
  std::optional<Colour> back = std::nullopt;
  double fontSize = 9;
  bool bold = false;
  const char* fontName = nullptr;  // "Comic Sans MS" when null
  bool visible = true;
  bool enabled = true;
  Align align = Align::Left;
  bool border = false;
  bool hand = false;
  int maxLength = 0;
};

// A screen: its window properties and its controls, addressed by name and index.
class Form {
 public:
  Form(std::string name, Host& host);
  ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& name() const { return name_; }
  Host& host() const { return host_; }

  const std::string& caption() const { return caption_; }
  void setCaption(std::string_view caption);
  bool visible() const { return visible_; }
  void setVisible(bool visible);
  int width() const { return width_; }
  int height() const { return height_; }
  void setSize(int width, int height);
  Colour backColor() const { return back_; }
  void setBackColor(Colour c);

  // Controls.Add: refuses (returns null) a name that already exists on the screen.
  Control* add(Kind kind, std::string_view name, Control* container = nullptr, int index = -1);
  // Adds a design-time control from its table row; the name must be new.
  Control& add(const ControlDesign& design, Control* container = nullptr);
  // Controls.Remove: a missing name is harmless.
  void remove(std::string_view name, int index = -1);
  void remove(Control* control);

  Control* find(std::string_view name, int index = -1) const;
  // A control the screen is known to hold; a missing one is a programming error.
  Control& at(std::string_view name, int index = -1) const;
  // Every control in creation order (later ones draw on top).
  const std::vector<Control*>& controls() const { return order_; }
  bool isArray(std::string_view name) const;

  // A named array of slots (from 1) holding run-time controls, such as a grid's cells; a
  // slot may be empty (null).
  using SlotArray = std::function<Control*(int index)>;
  void setSlotArray(const std::string& name, SlotArray array) {
    slotArrays_[name] = std::move(array);
  }
  // The control in slot `index` of the named array; null for an empty slot or no such array.
  Control* slot(std::string_view name, int index) const;
  bool hasSlotArray(std::string_view name) const {
    return slotArrays_.count(std::string(name)) > 0;
  }

  void setObserver(FormObserver* observer) { observer_ = observer; }
  FormObserver* observer() const { return observer_; }

  // A screen takes user input while it is shown and no modal screen is in front of it.
  void setModalChild(Form* child) { modalChild_ = child; }
  Form* modalChild() const { return modalChild_; }
  bool acceptsInput() const;

  // The buttons Enter and Escape press on this screen.
  void setDefaultButton(Control* c) { defaultButton_ = c; }
  void setCancelButton(Control* c) { cancelButton_ = c; }
  Control* defaultButton() const { return defaultButton_; }
  Control* cancelButton() const { return cancelButton_; }

  // User input with the toolkit's rules; each returns false when the input cannot reach the
  // control (hidden, disabled, or the screen is behind a modal one).
  bool userClick(Control& c);
  bool userDblClick(Control& c);
  // A whole key stroke: KeyDown, the key's effect, KeyUp.
  bool userKey(Control& c, int keyCode, int shift);
  // The first half of a key stroke, for a view whose native editor does the typing:
  // Enter and Escape press the default and cancel buttons; otherwise KeyDown runs, and unless
  // it locked the control the key takes its effect: lists and scroll bars move, Space presses
  // a button. A locked text or combo box still takes the caret keys (Left, Right, Home, End).
  // `selected` is the number of characters the editor has selected (typing replaces them),
  // for the length limit.
  KeyOutcome userKeyDown(Control& c, int keyCode, int shift, int selected = 0);
  // The second half: KeyUp, raised on the control whose KeyDown ran.
  bool userKeyUp(Control& c, int keyCode, int shift);
  // A pick in a combo box raises Click also when it is the item already shown.
  bool userSelect(Control& c, int index);
  // The user's edit of a text or combo box: the text, cut to the length limit, with the caret
  // at `caret` characters (at the end when negative).
  bool userSetText(Control& c, std::string_view text, int caret = -1);
  bool userScroll(Control& c, int value);
  bool userTab(Control& c, int tab);

  // Called by controls.
  void noteChanged(Control& c);

 private:
  struct Entry {
    Control* single = nullptr;
    std::map<int, Control*> elements;
  };
  bool reachable(const Control& c) const { return acceptsInput() && c.usable(); }
  bool holds(const Control* c) const;
  KeyOutcome keyEffect(Control& c, int keyCode, int shift, int selected);
  void editKey(Control& c, int keyCode, int shift);
  void noteFormChanged();

  std::string name_;
  Host& host_;
  std::string caption_;
  bool visible_ = false;
  int width_ = 0, height_ = 0;
  Colour back_ = Colour::System(15);
  std::unordered_map<std::string, Entry> byName_;
  std::vector<std::unique_ptr<Control>> owned_;
  std::vector<Control*> order_;
  std::map<std::string, SlotArray> slotArrays_;
  FormObserver* observer_ = nullptr;
  Form* modalChild_ = nullptr;
  Control* defaultButton_ = nullptr;
  Control* cancelButton_ = nullptr;
  Control* keyDownTarget_ = nullptr;  // the control whose KeyDown awaits its KeyUp
};

}  // namespace form
