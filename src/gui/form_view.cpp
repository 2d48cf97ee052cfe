#include "gui/form_view.h"

#include <QAbstractScrollArea>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <algorithm>

#include "gui/accessibility.h"
#include "gui/control_binding.h"
#include "gui/control_widgets.h"
#include "gui/qt_convert.h"

namespace gui {
namespace {
constexpr int kDefaultStatusHeight = 22;  // pixels, for a status bar without a height
}

FormView::FormView(form::Form& screen, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), screen_(&screen), canvas_(new QWidget(this)) {
  InstallAccessibility();
  setAutoFillBackground(true);
  canvas_->setAutoFillBackground(true);
  flushTimer_.setSingleShot(true);
  flushTimer_.setInterval(0);
  connect(&flushTimer_, &QTimer::timeout, this, &FormView::sync);
  screen.setObserver(this);
  for (form::Control* c : screen.controls()) controlAdded(*c);
  sync();
}

FormView::~FormView() {
  detach();
}

void FormView::detach(bool screenAlive) {
  if (!screen_) return;
  if (screenAlive && screen_->observer() == this) screen_->setObserver(nullptr);
  screen_ = nullptr;
  for (auto& [control, binding] : bindings_) binding->abandon();
  bindings_.clear();  // the bindings live on as children until the view goes
  dirty_.clear();
  statusBars_.clear();
  captionOf_.clear();
  captionLabels_.clear();
  buddies_.clear();
  waiting_.clear();
  flushTimer_.stop();
}

QWidget* FormView::widgetFor(const form::Control& control) {
  auto it = bindings_.find(&control);
  if (it != bindings_.end()) return it->second->widget();
  // A control that became visible since the last sync gets its widget now (a sync makes them
  // all first).
  if (syncing_) return nullptr;
  auto waiting = std::find(waiting_.begin(), waiting_.end(), &control);
  if (waiting == waiting_.end() || !CanShow(control)) return nullptr;
  form::Control& shown = **waiting;
  waiting_.erase(waiting);
  bind(shown);
  it = bindings_.find(&control);
  return it == bindings_.end() ? nullptr : it->second->widget();
}

QWidget* FormView::containerWidget(const form::Control* container) {
  if (!container) return canvas_;
  QWidget* w = widgetFor(*container);
  return w ? w : canvas_;
}

void FormView::markDirty(const form::Control& control) {
  auto it = bindings_.find(&control);
  if (it == bindings_.end()) return;
  if (!it->second->dirty) {
    it->second->dirty = true;
    dirty_.push_back(&control);
  }
  if (!flushTimer_.isActive()) flushTimer_.start();
}

namespace {

// Whether a change of `control` can let a waiting control show: its own, or a container's.
bool MayHold(const form::Control& control, bool bound) {
  switch (control.kind()) {
    case form::Kind::Frame:
    case form::Kind::PictureBox:
    case form::Kind::TabControl:
      return true;
    case form::Kind::Timer:
    case form::Kind::ImageList:
      return false;
    default:
      return !bound;
  }
}

}  // namespace

bool FormView::CanShow(const form::Control& control) {
  for (const form::Control* c = &control; c; c = c->container()) {
    if (!c->visible()) return false;
  }
  return true;
}

void FormView::controlAdded(form::Control& control) {
  if (!screen_ || bindings_.count(&control)) return;
  if (!CanShow(control)) {
    waiting_.push_back(&control);
    return;
  }
  bind(control);
}

void FormView::bind(form::Control& control) {
  if (bindings_.count(&control)) return;
  const bool status = control.kind() == form::Kind::StatusBar;
  if (form::Control* box = control.container(); box && !status) {
    if (std::find(waiting_.begin(), waiting_.end(), box) != waiting_.end()) {
      std::erase(waiting_, box);
      bind(*box);
    }
  }
  QWidget* parent = status ? this : containerWidget(control.container());
  ControlBinding* binding = MakeBinding(control, parent, *this);
  if (!binding) return;  // nothing to draw
  bindings_[&control] = binding;
  if (status) statusBars_.push_back(&control);
  restack(control, *binding->widget());
  markDirty(control);
}

void FormView::bindAll() {
  // Containers come before their controls on the screen, so they are made first.
  std::vector<form::Control*> all;
  all.swap(waiting_);
  for (form::Control* c : all) bind(*c);
}

void FormView::bindShown() {
  revisit_ = false;
  std::vector<form::Control*> shown;
  for (form::Control* c : waiting_) {
    if (CanShow(*c)) shown.push_back(c);
  }
  if (shown.empty()) return;
  std::erase_if(waiting_, [](const form::Control* c) { return CanShow(*c); });
  for (form::Control* c : shown) bind(*c);
}

void FormView::restack(const form::Control& control, QWidget& widget) {
  // Siblings stack in screen order, as they would had every widget been made at once.
  const std::vector<form::Control*>& order = screen_->controls();
  auto it = std::find(order.begin(), order.end(), &control);
  if (it == order.end()) return;
  for (++it; it != order.end(); ++it) {
    QWidget* later = widgetFor(**it);
    if (later && later->parentWidget() == widget.parentWidget()) {
      widget.stackUnder(later);
      return;
    }
  }
}

void FormView::controlRemoved(form::Control& control) {
  std::erase(waiting_, &control);
  auto it = bindings_.find(&control);
  if (it == bindings_.end()) return;
  ControlBinding* binding = it->second;
  bindings_.erase(it);
  std::erase(statusBars_, &control);
  if (binding->release()) delete binding;
  screenDirty_ = true;  // the layout may change
  layoutDirty_ = true;
  if (!flushTimer_.isActive()) flushTimer_.start();
}

void FormView::controlChanged(form::Control& control) {
  if (!waiting_.empty() && control.visible() && MayHold(control, bindings_.count(&control) > 0)) {
    revisit_ = true;  // it, or controls inside it, may show now
    if (!flushTimer_.isActive()) flushTimer_.start();
  }
  markDirty(control);
  if (control.kind() == form::Kind::TabControl && screen_) {
    // The controls on the tabs show or hide with the tab shown.
    for (const form::Control* c : screen_->controls()) {
      if (c->container() == &control) markDirty(*c);
    }
  }
  if (control.kind() == form::Kind::StatusBar) screenDirty_ = true;
}

void FormView::formChanged() {
  if (!screen_) return;
  screenDirty_ = true;
  if (!flushTimer_.isActive()) flushTimer_.start();
  if (!followVisible_) return;
  if (screen_->visible() && !shownByScreen_) {
    shownByScreen_ = true;
    sync();
    show();
    raise();
    activateWindow();
  } else if (!screen_->visible() && shownByScreen_) {
    shownByScreen_ = false;
    hide();
    emit hiddenByScreen();
  }
}

void FormView::setFollowVisible(bool follow) {
  followVisible_ = follow;
  if (follow && screen_ && screen_->visible() && !shownByScreen_) formChanged();
}

void FormView::closeEvent(QCloseEvent* event) {
  event->accept();
  emit closed();
}

void FormView::sync() {
  if (!screen_ || syncing_) return;
  syncing_ = true;
  flushTimer_.stop();
  if (revisit_) bindShown();
  std::vector<const form::Control*> pending;
  pending.swap(dirty_);
  bool layout = screenDirty_;
  for (const form::Control* c : pending) {
    auto it = bindings_.find(c);
    if (it == bindings_.end() || !it->second->dirty) continue;
    it->second->dirty = false;
    if (it->second->sync()) layoutDirty_ = true;
    if (captionLabels_.count(c)) namesDirty_ = true;
    if (c->kind() == form::Kind::StatusBar) layout = true;
  }
  if (screenDirty_) syncScreen();
  if (layout) relayout();
  if (layoutDirty_) orderByLayout();
  if (namesDirty_) nameBoxes();
  screenDirty_ = false;
  syncing_ = false;
}

void FormView::syncScreen() {
  const QString title = ToQString(screen_->caption());
  if (windowTitle() != title) setWindowTitle(title);
  QPalette p = palette();
  p.setColor(QPalette::Window, ToQColor(screen_->backColor()));
  setPalette(p);
  canvas_->setPalette(p);
}

void FormView::relayout() {
  int width = Px(screen_->width()), height = Px(screen_->height());
  if (width <= 0 || height <= 0) {
    // No size given: wide enough for every control.
    QRect all;
    for (QWidget* w : canvas_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      all |= w->geometry();
    }
    width = std::max(width, all.right() + 8);
    height = std::max(height, all.bottom() + 8);
  }
  canvas_->setGeometry(0, 0, width, height);
  int y = height;
  for (const form::Control* c : statusBars_) {
    QWidget* w = widgetFor(*c);
    if (!w || !c->visible()) continue;
    const int h = c->height() > 0 ? Px(c->height()) : kDefaultStatusHeight;
    w->setGeometry(0, y, width, h);
    if (auto* strip = qobject_cast<StatusStrip*>(w)) strip->placePanels();  // also when hidden
    y += h;
  }
  setFixedSize(width, y);
}

void FormView::orderByLayout() {
  layoutDirty_ = false;
  namesDirty_ = true;
  QWidget* previous = nullptr;
  for (const form::Control* c : ReadingOrder(*screen_)) {
    QWidget* w = widgetFor(*c);
    if (auto* tabs = qobject_cast<TabWidget*>(w)) w = tabs->tabBar();
    if (!w || !(w->focusPolicy() & Qt::TabFocus)) continue;
    if (previous) setTabOrder(previous, w);
    previous = w;
  }
  // A label that no longer captions its box lets go of it.
  for (const QPointer<QLabel>& label : buddies_) {
    if (label) label->setBuddy(nullptr);
  }
  buddies_.clear();
  captionOf_ = BoxCaptions(*screen_);
  captionLabels_.clear();
  for (const auto& [box, caption] : captionOf_) {
    for (const form::Control* label : {caption.row, caption.column}) {
      if (label) captionLabels_.insert(label);
    }
    if (caption.label) buddies_.emplace_back(qobject_cast<QLabel*>(widgetFor(*caption.label)));
  }
}

// A box is named by its caption, else by its form name; a label that captions it alone is its
// buddy, which assistive tools report as its label.
void FormView::nameBoxes() {
  namesDirty_ = false;
  for (const auto& [control, binding] : bindings_) {
    QWidget* box = binding->widget();
    if (!NamedByCaption(control->kind()) || !box) continue;
    auto it = captionOf_.find(control);
    const BoxCaption caption = it == captionOf_.end() ? BoxCaption{} : it->second;
    const std::string text = CaptionText(caption);
    const QString name = ToQString(text.empty() ? control->fullName() : text);
    if (box->accessibleName() != name) box->setAccessibleName(name);
    if (auto* combo = qobject_cast<QComboBox*>(box); combo && combo->lineEdit()) {
      combo->lineEdit()->setAccessibleName(name);
    }
    if (auto* area = qobject_cast<QAbstractScrollArea*>(box)) {
      area->verticalScrollBar()->setAccessibleName(name);
      area->horizontalScrollBar()->setAccessibleName(name);
    }
    auto* label = caption.label ? qobject_cast<QLabel*>(widgetFor(*caption.label)) : nullptr;
    if (!label) continue;
    // A label with a buddy would take '&' as a shortcut mark and hide it.
    QWidget* buddy = label->text().contains(QLatin1Char('&')) ? nullptr : box;
    if (label->buddy() != buddy) label->setBuddy(buddy);
  }
}

}  // namespace gui
