#include "gui/control_binding.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QWidget>
#include <exception>

#include "form/form.h"
#include "gui/form_view.h"
#include "gui/key_codes.h"
#include "gui/qt_convert.h"
#include "gui/reading_order.h"

namespace gui {
namespace {

// The application palette with every role set, so that nothing comes from the parent.
const QPalette& BasePalette() {
  static const QPalette base = [] {
    const QPalette app = QApplication::palette();
    QPalette p;
    for (int g = 0; g < QPalette::NColorGroups; ++g) {
      for (int r = 0; r < QPalette::NColorRoles; ++r) {
        const auto group = static_cast<QPalette::ColorGroup>(g);
        const auto role = static_cast<QPalette::ColorRole>(r);
        p.setBrush(group, role, app.brush(group, role));
      }
    }
    return p;
  }();
  return base;
}

QPalette ControlPalette(const QColor& fore, const QColor& back) {
  QPalette p = BasePalette();
  for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    p.setColor(QPalette::Active, role, fore);
    p.setColor(QPalette::Inactive, role, fore);
    // Disabled text fades halfway into its background, keeping a hint of its colour: black on
    // white turns grey, white on black too.
    p.setColor(QPalette::Disabled, role,
               QColor((fore.red() + back.red()) / 2, (fore.green() + back.green()) / 2,
                      (fore.blue() + back.blue()) / 2));
  }
  for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button}) p.setColor(role, back);
  return p;
}

bool OnShownTab(const form::Control& c) {
  const form::Control* box = c.container();
  return !(box && box->kind() == form::Kind::TabControl && c.tabPage() >= 0 &&
           c.tabPage() != box->value());
}

}  // namespace

ControlBinding* MakeBinding(form::Control& control, QWidget* parent, FormView& view) {
  using form::Kind;
  switch (control.kind()) {
    case Kind::Label:
      return MakeLabelBinding(control, parent, view);
    case Kind::CommandButton:
    case Kind::OptionButton:
    case Kind::CheckBox:
      return MakeButtonBinding(control, parent, view);
    case Kind::TextBox:
    case Kind::ComboBox:
      return MakeTextBinding(control, parent, view);
    case Kind::ListBox:
      return MakeListBinding(control, parent, view);
    case Kind::HScrollBar:
    case Kind::VScrollBar:
      return MakeScrollBinding(control, parent, view);
    case Kind::Frame:
      return MakeFrameBinding(control, parent, view);
    case Kind::TabControl:
      return MakeTabBinding(control, parent, view);
    case Kind::StatusBar:
      return MakeStatusBinding(control, parent, view);
    case Kind::PictureBox:
      return MakePictureBinding(control, parent, view);
    case Kind::Shape:
      return MakeShapeBinding(control, parent, view);
    case Kind::Timer:
    case Kind::ImageList:
      return nullptr;
  }
  return nullptr;
}

ControlBinding::ControlBinding(form::Control& control, FormView& view)
    : QObject(&view), control_(&control), view_(view) {}

void ControlBinding::setWidget(QWidget* widget) {
  widget_ = widget;
  widget_->setObjectName(ToQString(control_->fullName()));
  widget_->hide();  // shown by the first sync
  widget_->installEventFilter(this);
}

void ControlBinding::replaceWidget(QWidget* replacement) {
  QWidget* old = widget_;
  replacement->setGeometry(old->geometry());
  old->hide();
  old->removeEventFilter(this);
  disconnect(old, nullptr, this, nullptr);
  old->deleteLater();
  setWidget(replacement);
  first_ = true;
}

void ControlBinding::run(const std::function<void(form::Control&)>& action) {
  if (!control_) return;
  ++depth_;
  // An exception must not cross Qt's event loop.
  try {
    action(*control_);
  } catch (const std::exception& e) {
    qWarning("event handler failed: %s", e.what());
  } catch (...) {
    qWarning("event handler failed");
  }
  --depth_;
  if (control_) {
    view_.markDirty(*control_);  // puts back what the model refused
  } else if (released_ && depth_ == 0) {
    if (widget_) widget_->deleteLater();
    widget_ = nullptr;
    deleteLater();
  }
}

bool ControlBinding::release() {
  control_ = nullptr;
  released_ = true;
  if (depth_ == 0) {
    delete widget_;
    widget_ = nullptr;
    return true;
  }
  if (widget_) {
    widget_->hide();
    widget_->setParent(nullptr);  // its container may be deleted before it
  }
  return false;
}

bool ControlBinding::eventFilter(QObject* watched, QEvent* event) {
  if (!control_ || watched != widget_) return false;
  switch (event->type()) {
    case QEvent::KeyPress:
      return takesKeys() && keyPress(static_cast<QKeyEvent&>(*event));
    case QEvent::KeyRelease:
      if (takesKeys()) keyRelease(static_cast<QKeyEvent&>(*event));
      return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      return clicksByMouse() && mouse(static_cast<QMouseEvent&>(*event));
    default:
      return false;
  }
}

bool ControlBinding::keyPress(QKeyEvent& e) {
  const int code = VirtualKeyCode(e), shift = ShiftState(e.modifiers());
  const int selected = selectedChars();
  auto outcome = form::KeyOutcome::Refused;
  run([&](form::Control& c) { outcome = c.form().userKeyDown(c, code, shift, selected); });
  if (outcome != form::KeyOutcome::Edit || !control_) return true;
  // The native editor does what the model leaves to it, on the model's current text: a change
  // not drawn yet (the log growing, a handler clearing the box) would otherwise be typed over.
  view_.sync();
  return false;
}

void ControlBinding::keyRelease(QKeyEvent& e) {
  if (e.isAutoRepeat()) return;  // one KeyUp for a held key
  const int code = VirtualKeyCode(e), shift = ShiftState(e.modifiers());
  run([&](form::Control& c) { c.form().userKeyUp(c, code, shift); });
}

bool ControlBinding::mouse(QMouseEvent& e) {
  if (e.button() != Qt::LeftButton) return true;
  switch (e.type()) {
    case QEvent::MouseButtonPress:
      pressed_ = true;
      break;
    case QEvent::MouseButtonDblClick:
      pressed_ = false;  // the release that follows is no second click
      run([](form::Control& c) { c.form().userDblClick(c); });
      break;
    case QEvent::MouseButtonRelease: {
      const bool click = pressed_ && widget_->rect().contains(e.position().toPoint());
      pressed_ = false;
      if (click) run([](form::Control& c) { c.form().userClick(c); });
      break;
    }
    default:
      break;
  }
  return true;
}

bool ControlBinding::sync() {
  if (!control_ || !widget_) return false;
  const form::Control& c = *control_;
  if (depth_ > 0 && rebuiltBySync()) return false;  // synced when the input returns
  prepareSync(c);
  const QSignalBlocker block(widget_);
  bool placed = first_;
  if (!placedByView()) {
    const QRect r = TwipsRect(c.left(), c.top(), c.width(), c.height());
    if (widget_->geometry() != r) {
      widget_->setGeometry(r);
      placed = true;
    }
  }
  syncLook(c);
  syncContent(c);
  if (drawsEnabled()) widget_->setEnabled(c.enabled());
  const bool visible = c.visible() && OnShownTab(c);
  if (widget_->isHidden() == visible || first_) widget_->setVisible(visible);
  first_ = false;
  return placed;
}

QColor ControlBinding::foreground(const form::Control& c) const {
  return ToQColor(c.foreColor());
}

void ControlBinding::syncLook(const form::Control& c) {
  const QColor fore = foreground(c), back = ToQColor(c.backColor());
  if (first_ || fore.rgb() != shownFore_ || back.rgb() != shownBack_) {
    QPalette p = ControlPalette(fore, back);
    adjustPalette(p);
    widget_->setPalette(p);
    shownFore_ = fore.rgb();
    shownBack_ = back.rgb();
  }
  if (first_ || !(c.font() == shownFont_)) {
    widget_->setFont(ToQFont(c.font()));
    shownFont_ = c.font();
  }
  const QString tip = ToQString(c.toolTip());
  if (widget_->toolTip() != tip) widget_->setToolTip(tip);
  // Boxes are named by their caption label (FormView); the rest by caption, else form name.
  if (!NamedByCaption(c.kind())) {
    const QString name = ToQString(c.text().empty() ? c.fullName() : c.text());
    if (widget_->accessibleName() != name) widget_->setAccessibleName(name);
  }
  if (c.handCursor()) {
    widget_->setCursor(Qt::PointingHandCursor);
  } else if (widget_->testAttribute(Qt::WA_SetCursor)) {
    widget_->unsetCursor();
  }
}

}  // namespace gui
