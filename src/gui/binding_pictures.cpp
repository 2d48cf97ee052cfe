// Picture boxes and shapes.
#include <QWidget>

#include "form/form.h"
#include "gui/control_binding.h"
#include "gui/control_widgets.h"
#include "gui/qt_convert.h"

namespace gui {
namespace {

class PictureBinding final : public ControlBinding {
 public:
  PictureBinding(form::Control& c, QWidget* parent, FormView& view)
      : ControlBinding(c, view), picture_(new PictureWidget(parent)) {
    connect(picture_, &PictureWidget::pressed, this,
            [this] { run([](form::Control& c) { c.form().userClick(c); }); });
    setWidget(picture_);
  }

 protected:
  bool clicksByMouse() const override { return true; }
  bool drawsEnabled() const override { return false; }
  void syncContent(const form::Control& c) override {
    picture_->setImageFile(c.image().empty() ? QString() : LocalPath(c.image()));
    picture_->setBorder(c.border());
    picture_->setPressable(c.handCursor());
  }

 private:
  PictureWidget* picture_;
};

class ShapeBinding final : public ControlBinding {
 public:
  ShapeBinding(form::Control& c, QWidget* parent, FormView& view) : ControlBinding(c, view) {
    setWidget(new ShapeWidget(parent));
  }

 protected:
  bool drawsEnabled() const override { return false; }
  void syncContent(const form::Control&) override {}
};

}  // namespace

ControlBinding* MakePictureBinding(form::Control& control, QWidget* parent, FormView& view) {
  return new PictureBinding(control, parent, view);
}

ControlBinding* MakeShapeBinding(form::Control& control, QWidget* parent, FormView& view) {
  return new ShapeBinding(control, parent, view);
}

}  // namespace gui
