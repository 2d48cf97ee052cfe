#pragma once
#include <QColor>
#include <QObject>
#include <QPalette>
#include <functional>

#include "form/control.h"

class QKeyEvent;
class QMouseEvent;
class QWidget;

namespace gui {

class FormView;

// Ties one control to the widget that draws it: copies the model onto the widget and passes
// what the user does with the widget to the screen's user-input calls, which hold every rule.
// One subclass per family of controls (binding_*.cpp); MakeBinding picks it.
class ControlBinding : public QObject {
  Q_OBJECT
 public:
  ControlBinding(form::Control& control, FormView& view);

  form::Control* control() const { return control_; }
  QWidget* widget() const { return widget_; }
  bool dirty = false;

  // Copies the model onto the widget; never calls back into the model. True when the widget
  // was placed anew (new, or moved or resized).
  bool sync();
  // The control is gone. The widget goes at once, or when the input it is handling returns;
  // false means the binding deletes itself then.
  bool release();
  // The screen is going away: the control must not be touched any more.
  void abandon() { control_ = nullptr; }

 protected:
  // Called by each family's constructor with the widget it made.
  void setWidget(QWidget* widget);
  // A new widget in place of the current one (drawn in full by the next sync).
  void replaceWidget(QWidget* replacement);
  // Runs user input against the model; the control may be removed meanwhile.
  void run(const std::function<void(form::Control&)>& action);
  bool firstSync() const { return first_; }

  // What the family draws of the control beyond geometry, colours, font and visibility.
  virtual void syncContent(const form::Control& c) = 0;
  // Before a sync; a family may swap its widget here.
  virtual void prepareSync(const form::Control&) {}
  virtual QColor foreground(const form::Control& c) const;
  virtual void adjustPalette(QPalette&) const {}
  // Characters the native editor has selected (typing replaces them).
  virtual int selectedChars() const { return 0; }
  // Widgets that take the focus pass every key through the model.
  virtual bool takesKeys() const { return false; }
  // Widgets without click signals of their own report mouse clicks.
  virtual bool clicksByMouse() const { return false; }
  // Containers keep their children's look, so they are never disabled in Qt.
  virtual bool drawsEnabled() const { return true; }
  // Widgets rebuilt by a sync are not synced while they handle input.
  virtual bool rebuiltBySync() const { return false; }
  // Status bars are placed by the view, below the screen's area.
  virtual bool placedByView() const { return false; }

 private:
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool keyPress(QKeyEvent& e);
  void keyRelease(QKeyEvent& e);
  bool mouse(QMouseEvent& e);
  void syncLook(const form::Control& c);

  form::Control* control_;
  FormView& view_;
  QWidget* widget_ = nullptr;
  int depth_ = 0;  // user input being handled through this binding
  bool released_ = false;
  bool pressed_ = false;
  bool first_ = true;
  // What the widget shows, in model terms.
  QRgb shownFore_ = 0, shownBack_ = 0;
  form::Font shownFont_;
};

// The binding of `control`'s family, its widget a child of `parent`; null for controls
// without a widget (timers, image lists).
ControlBinding* MakeBinding(form::Control& control, QWidget* parent, FormView& view);

// The families.
ControlBinding* MakeLabelBinding(form::Control& control, QWidget* parent, FormView& view);
ControlBinding* MakeButtonBinding(form::Control& control, QWidget* parent, FormView& view);
ControlBinding* MakeTextBinding(form::Control& control, QWidget* parent, FormView& view);
ControlBinding* MakeListBinding(form::Control& control, QWidget* parent, FormView& view);
ControlBinding* MakeScrollBinding(form::Control& control, QWidget* parent, FormView& view);
ControlBinding* MakeFrameBinding(form::Control& control, QWidget* parent, FormView& view);
ControlBinding* MakeTabBinding(form::Control& control, QWidget* parent, FormView& view);
ControlBinding* MakeStatusBinding(form::Control& control, QWidget* parent, FormView& view);
ControlBinding* MakePictureBinding(form::Control& control, QWidget* parent, FormView& view);
ControlBinding* MakeShapeBinding(form::Control& control, QWidget* parent, FormView& view);

}  // namespace gui
