#include "gui/form_view.h"

#include <QCloseEvent>
#include <algorithm>

#include "gui/control_binding.h"
#include "gui/control_widgets.h"
#include "gui/qt_convert.h"

namespace gui {
namespace {
constexpr int kDefaultStatusHeight = 22;  // pixels, for a status bar without a height
}

FormView::FormView(form::Form& screen, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), screen_(&screen), canvas_(new QWidget(this)) {
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
  flushTimer_.stop();
}

QWidget* FormView::widgetFor(const form::Control& control) const {
  auto it = bindings_.find(&control);
  return it == bindings_.end() ? nullptr : it->second->widget();
}

QWidget* FormView::containerWidget(const form::Control* container) const {
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

void FormView::controlAdded(form::Control& control) {
  if (!screen_ || bindings_.count(&control)) return;
  const bool status = control.kind() == form::Kind::StatusBar;
  QWidget* parent = status ? this : containerWidget(control.container());
  ControlBinding* binding = MakeBinding(control, parent, *this);
  if (!binding) return;  // nothing to draw
  bindings_[&control] = binding;
  if (status) statusBars_.push_back(&control);
  markDirty(control);
}

void FormView::controlRemoved(form::Control& control) {
  auto it = bindings_.find(&control);
  if (it == bindings_.end()) return;
  ControlBinding* binding = it->second;
  bindings_.erase(it);
  std::erase(statusBars_, &control);
  if (binding->release()) delete binding;
  screenDirty_ = true;  // the layout may change
  if (!flushTimer_.isActive()) flushTimer_.start();
}

void FormView::controlChanged(form::Control& control) {
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
  std::vector<const form::Control*> pending;
  pending.swap(dirty_);
  bool layout = screenDirty_;
  for (const form::Control* c : pending) {
    auto it = bindings_.find(c);
    if (it == bindings_.end() || !it->second->dirty) continue;
    it->second->dirty = false;
    it->second->sync();
    if (c->kind() == form::Kind::StatusBar) layout = true;
  }
  if (screenDirty_) syncScreen();
  if (layout) relayout();
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

}  // namespace gui
