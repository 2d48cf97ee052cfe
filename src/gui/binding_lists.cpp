// List boxes and scroll bars.
#include <QListWidget>
#include <QScrollBar>
#include <algorithm>
#include <string>
#include <vector>

#include "form/form.h"
#include "gui/control_binding.h"
#include "gui/qt_convert.h"

namespace gui {
namespace {

class ListBinding final : public ControlBinding {
 public:
  ListBinding(form::Control& c, QWidget* parent, FormView& view)
      : ControlBinding(c, view), list_(new QListWidget(parent)) {
    // The selection, not the current row: a list given the focus moves only the latter.
    connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
      const int row = list_->currentRow();
      if (row >= 0 && list_->item(row)->isSelected()) {
        run([row](form::Control& c) { c.form().userSelect(c, row); });
      }
    });
    connect(list_, &QListWidget::itemDoubleClicked, this,
            [this] { run([](form::Control& c) { c.form().userDblClick(c); }); });
    setWidget(list_);
  }

 protected:
  bool takesKeys() const override { return true; }
  bool rebuiltBySync() const override { return true; }
  void syncContent(const form::Control& c) override {
    if (firstSync() || c.items() != shownItems_) {
      list_->clear();
      for (const std::string& item : c.items()) list_->addItem(ToQString(item));
      shownItems_ = c.items();
    }
    if (list_->currentRow() != c.listIndex()) {
      if (c.listIndex() < 0) list_->clearSelection();
      list_->setCurrentRow(c.listIndex());
    }
  }

 private:
  QListWidget* list_;
  std::vector<std::string> shownItems_;
};

class ScrollBinding final : public ControlBinding {
 public:
  ScrollBinding(form::Control& c, QWidget* parent, FormView& view)
      : ControlBinding(c, view),
        bar_(new QScrollBar(c.kind() == form::Kind::HScrollBar ? Qt::Horizontal : Qt::Vertical,
                            parent)) {
    bar_->setTracking(false);  // Change when the thumb is let go, as the toolkit does
    bar_->setSingleStep(1);
    bar_->setPageStep(1);
    connect(bar_, &QScrollBar::valueChanged, this,
            [this](int v) { run([v](form::Control& c) { c.form().userScroll(c, v); }); });
    setWidget(bar_);
  }

 protected:
  bool takesKeys() const override { return true; }
  void syncContent(const form::Control& c) override {
    bar_->setRange(std::min(c.min(), c.max()), std::max(c.min(), c.max()));
    bar_->setInvertedAppearance(c.min() > c.max());
    bar_->setInvertedControls(c.min() > c.max());
    if (!bar_->isSliderDown()) bar_->setValue(c.value());
  }

 private:
  QScrollBar* bar_;
};

}  // namespace

ControlBinding* MakeListBinding(form::Control& control, QWidget* parent, FormView& view) {
  return new ListBinding(control, parent, view);
}

ControlBinding* MakeScrollBinding(form::Control& control, QWidget* parent, FormView& view) {
  return new ScrollBinding(control, parent, view);
}

}  // namespace gui
