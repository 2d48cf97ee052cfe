#include "gui/control_widgets.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPen>
#include <QSignalBlocker>
#include <QStyleOptionFrame>

#include "gui/qt_convert.h"

namespace gui {
namespace {

bool IsPressKey(const QKeyEvent& e) {
  return !e.isAutoRepeat() && e.modifiers() == Qt::NoModifier &&
         (e.key() == Qt::Key_Space || e.key() == Qt::Key_Return || e.key() == Qt::Key_Enter);
}

// The dotted focus box of a pressable widget reached by Tab, in its text colour, which stands
// out from its background.
void DrawFocus(QWidget& w) {
  if (!w.hasFocus()) return;
  QPainter p(&w);
  p.setPen(QPen(w.palette().color(QPalette::WindowText), 1, Qt::DotLine));
  p.drawRect(w.rect().adjusted(0, 0, -1, -1));
}

}  // namespace

ButtonLabel::ButtonLabel(QWidget* parent) : QLabel(parent) {
  setFocusPolicy(Qt::TabFocus);
}

void ButtonLabel::keyPressEvent(QKeyEvent* event) {
  if (IsPressKey(*event)) return press();
  QLabel::keyPressEvent(event);
}

void ButtonLabel::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  DrawFocus(*this);
}

FrameWidget::FrameWidget(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
}

void FrameWidget::setCaption(const QString& caption, bool border) {
  if (caption == caption_ && border == border_) return;
  caption_ = caption;
  border_ = border;
  update();
}

void FrameWidget::paintEvent(QPaintEvent*) {
  if (!border_) return;  // a frame without border shows no caption either
  QPainter p(this);
  const QFontMetrics fm(font());
  const int top = caption_.isEmpty() ? 0 : fm.height() / 2;
  const QRect box = rect().adjusted(0, top, -1, -1);
  p.setPen(palette().color(QPalette::Dark));
  p.drawRect(box.adjusted(0, 0, -1, -1));
  p.setPen(palette().color(QPalette::Light));
  p.drawRect(box.adjusted(1, 1, 0, 0));
  if (caption_.isEmpty()) return;
  const int width = fm.horizontalAdvance(caption_) + 4;
  const QRect text(6, 0, std::min(width, std::max(0, this->width() - 12)), fm.height());
  p.fillRect(text, palette().color(QPalette::Window));
  p.setPen(palette().color(QPalette::WindowText));
  p.drawText(text, Qt::AlignCenter | Qt::TextSingleLine, caption_);
}

PictureWidget::PictureWidget(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
}

void PictureWidget::setPressable(bool pressable) {
  pressable_ = pressable;
  setFocusPolicy(pressable ? Qt::TabFocus : Qt::NoFocus);
}

void PictureWidget::keyPressEvent(QKeyEvent* event) {
  if (pressable_ && IsPressKey(*event)) return press();
  QWidget::keyPressEvent(event);
}

void PictureWidget::setImageFile(const QString& path) {
  if (path == path_) return;
  path_ = path;
  image_ = path.isEmpty() ? QImage() : QImage(path);
  scaled_ = QPixmap();
  update();
}

void PictureWidget::setBorder(bool border) {
  if (border == border_) return;
  border_ = border;
  scaled_ = QPixmap();
  update();
}

void PictureWidget::resizeEvent(QResizeEvent*) {
  scaled_ = QPixmap();
}

void PictureWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect area = border_ ? rect().adjusted(2, 2, -2, -2) : rect();
  if (!image_.isNull() && area.width() > 0 && area.height() > 0) {
    if (scaled_.isNull()) {
      scaled_ = QPixmap::fromImage(
          image_.scaled(area.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
    const QPoint at(area.x() + (area.width() - scaled_.width()) / 2,
                    area.y() + (area.height() - scaled_.height()) / 2);
    p.drawPixmap(at, scaled_);
  }
  if (border_) {
    QStyleOptionFrame opt;
    opt.initFrom(this);
    opt.lineWidth = 2;
    opt.state |= QStyle::State_Sunken;
    style()->drawPrimitive(QStyle::PE_Frame, &opt, &p, this);
  }
  p.end();
  DrawFocus(*this);
}

ShapeWidget::ShapeWidget(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

StatusStrip::StatusStrip(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
}

void StatusStrip::setPanels(const std::vector<form::StatusPanel>& panels, const QString& name) {
  while (labels_.size() > panels.size()) {
    delete labels_.back();
    labels_.pop_back();
  }
  while (labels_.size() < panels.size()) {
    auto* label = new QLabel(this);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setIndent(3);
    label->show();
    labels_.push_back(label);
  }
  widths_.clear();
  for (size_t i = 0; i < panels.size(); ++i) {
    QLabel& label = *labels_[i];
    const QString text = ToQString(panels[i].text);
    if (label.text() != text || label.accessibleName().isEmpty()) {
      label.setText(text);
      // A panel may be too narrow for its text: the tool tip shows all of it.
      label.setToolTip(text);
      label.setAccessibleName(text.isEmpty() ? QStringLiteral("%1 panel %2").arg(name).arg(i + 1)
                                             : text);
    }
    widths_.push_back(Px(panels[i].width));
  }
  placePanels();
}

void StatusStrip::resizeEvent(QResizeEvent*) {
  placePanels();
}

void StatusStrip::placePanels() {
  // Panels wider than the window together shrink in proportion, so that every one shows.
  long total = 0;
  for (int w : widths_) total += std::max(0, w);
  const int room = std::max(0, width() - 4);
  const double scale = total > room && total > 0 ? static_cast<double>(room) / total : 1.0;
  int x = 2;
  for (size_t i = 0; i < labels_.size(); ++i) {
    const int w = static_cast<int>(std::max(0, widths_[i]) * scale);
    labels_[i]->setGeometry(x, 2, std::max(0, w - 2), std::max(0, height() - 3));
    x += w;
  }
}

TabWidget::TabWidget(QWidget* parent) : QWidget(parent), bar_(new QTabBar(this)) {
  setAutoFillBackground(true);
  bar_->setExpanding(true);
  bar_->setDrawBase(false);
  bar_->setUsesScrollButtons(false);
  bar_->setElideMode(Qt::ElideRight);
}

void TabWidget::setTabs(const std::vector<std::string>& captions, int current) {
  const QSignalBlocker block(bar_);
  bool same = bar_->count() == static_cast<int>(captions.size());
  for (int i = 0; same && i < bar_->count(); ++i) {
    same = bar_->tabText(i) == ButtonCaption(captions[static_cast<size_t>(i)]);
  }
  if (!same) {
    while (bar_->count() > 0) bar_->removeTab(bar_->count() - 1);
    for (const std::string& c : captions) bar_->addTab(ButtonCaption(c));
  }
  if (current >= 0 && current < bar_->count()) bar_->setCurrentIndex(current);
  bar_->setGeometry(0, 0, width(), bar_->sizeHint().height());
}

void TabWidget::resizeEvent(QResizeEvent*) {
  bar_->setGeometry(0, 0, width(), bar_->sizeHint().height());
}

void TabWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect page = rect().adjusted(0, bar_->height() - 1, -1, -1);
  p.setPen(palette().color(QPalette::Light));
  p.drawLine(page.topLeft(), page.topRight());
  p.drawLine(page.topLeft(), page.bottomLeft());
  p.setPen(palette().color(QPalette::Dark));
  p.drawLine(page.bottomLeft(), page.bottomRight());
  p.drawLine(page.topRight(), page.bottomRight());
}

}  // namespace gui
