#pragma once
#include <QObject>
#include <string>
#include <vector>

#include "form/control.h"

class QKeyEvent;
class QMouseEvent;
class QWidget;

namespace gui {

class FormView;

// Ties one control to the widget that draws it: copies the model onto the widget and turns
// what the user does with the widget into the screen's user-input calls.
class ControlBinding : public QObject {
  Q_OBJECT
 public:
  ControlBinding(form::Control& control, QWidget* parent, FormView& view);

  form::Control* control() const { return control_; }
  QWidget* widget() const { return widget_; }
  bool dirty = false;

  // Copies the model onto the widget; never calls back into the model.
  void sync();
  // The control is gone. The widget goes at once, or when the input it is handling returns;
  // false means the binding deletes itself then.
  bool release();
  // The screen is going away: the control must not be touched any more.
  void abandon() { control_ = nullptr; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* createWidget(QWidget* parent);
  QWidget* createTextBox(QWidget* parent, bool multiLine);
  void replaceWidget(QWidget* replacement);
  bool keyPress(QKeyEvent& e);
  void keyRelease(QKeyEvent& e);
  bool mouse(QMouseEvent& e);
  bool exceedsMaxLength(const QKeyEvent& e) const;
  void pushText();
  // Runs user input against the model; the control may be removed meanwhile.
  template <typename F>
  void run(F&& action);

  void syncLook(const form::Control& c);
  void syncKind(const form::Control& c);
  void syncLineEdit(const form::Control& c);
  void syncPlainEdit(const form::Control& c);
  void syncCombo(const form::Control& c);
  void syncList(const form::Control& c);

  form::Control* control_;
  const form::Kind kind_;
  FormView& view_;
  QWidget* widget_ = nullptr;
  int depth_ = 0;  // user input being handled through this binding
  bool released_ = false;
  bool pressed_ = false;
  bool multiLineWidget_ = false;
  bool first_ = true;
  // What the widget shows, in model terms.
  std::string shownText_;
  int shownSelStart_ = -1;
  std::vector<std::string> shownItems_;
  uint32_t shownFore_ = 0, shownBack_ = 0;
  bool shownGrey_ = false;
  form::Font shownFont_;
};

}  // namespace gui
