// Frames, tab controls and status bars: containers that draw their own enabled state.
#include <QColor>

#include "form/form.h"
#include "gui/control_binding.h"
#include "gui/control_widgets.h"
#include "gui/qt_convert.h"

namespace gui {
namespace {

class FrameBinding final : public ControlBinding {
 public:
  FrameBinding(form::Control& c, QWidget* parent, FormView& view)
      : ControlBinding(c, view), frame_(new FrameWidget(parent)) {
    setWidget(frame_);
  }

 protected:
  bool clicksByMouse() const override { return true; }
  bool drawsEnabled() const override { return false; }
  // A disabled frame greys its caption but leaves its children as they are.
  QColor foreground(const form::Control& c) const override {
    return c.enabled() ? ControlBinding::foreground(c) : QColor(128, 128, 128);
  }
  void syncContent(const form::Control& c) override {
    frame_->setCaption(ToQString(c.text()), c.border());
  }

 private:
  FrameWidget* frame_;
};

class TabBinding final : public ControlBinding {
 public:
  TabBinding(form::Control& c, QWidget* parent, FormView& view)
      : ControlBinding(c, view), tabs_(new TabWidget(parent)) {
    connect(tabs_->tabBar(), &QTabBar::currentChanged, this,
            [this](int tab) { run([tab](form::Control& c) { c.form().userTab(c, tab); }); });
    setWidget(tabs_);
  }

 protected:
  bool drawsEnabled() const override { return false; }
  bool rebuiltBySync() const override { return true; }
  void syncContent(const form::Control& c) override {
    tabs_->setTabs(c.items(), c.value());
    tabs_->tabBar()->setEnabled(c.enabled());
  }

 private:
  TabWidget* tabs_;
};

class StatusBinding final : public ControlBinding {
 public:
  StatusBinding(form::Control& c, QWidget* parent, FormView& view)
      : ControlBinding(c, view), strip_(new StatusStrip(parent)) {
    setWidget(strip_);
  }

 protected:
  bool clicksByMouse() const override { return true; }
  bool drawsEnabled() const override { return false; }
  bool placedByView() const override { return true; }
  void syncContent(const form::Control& c) override {
    strip_->setPanels(c.panels(), ToQString(c.fullName()));
  }

 private:
  StatusStrip* strip_;
};

}  // namespace

ControlBinding* MakeFrameBinding(form::Control& control, QWidget* parent, FormView& view) {
  return new FrameBinding(control, parent, view);
}

ControlBinding* MakeTabBinding(form::Control& control, QWidget* parent, FormView& view) {
  return new TabBinding(control, parent, view);
}

ControlBinding* MakeStatusBinding(form::Control& control, QWidget* parent, FormView& view) {
  return new StatusBinding(control, parent, view);
}

}  // namespace gui
