// Labels, command buttons, option buttons and check boxes.
#include <QButtonGroup>
#include <QCheckBox>
#include <QFontMetrics>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "form/form.h"
#include "gui/control_binding.h"
#include "gui/control_widgets.h"
#include "gui/qt_convert.h"

namespace gui {
namespace {

// A line wider than its label (a value with more digits than the display was sized for, a
// wider stand-in font) is drawn smaller, down to half its size, rather than cut.
// Measuring shapes the line; the values a label shows repeat, so each size found is kept.
// `fontKey` is font.key().
QFont FittedFont(QFont font, const QString& fontKey, const QString& text, int room) {
  static QHash<QString, int> sizes;  // by font, room and text
  const QString key = fontKey + QChar(0) + QString::number(room) + QChar(0) + text;
  if (auto it = sizes.constFind(key); it != sizes.constEnd()) {
    font.setPixelSize(*it);
    return font;
  }
  const int smallest = std::max(6, font.pixelSize() / 2);
  while (room > 0 && font.pixelSize() > smallest) {
    const int need = QFontMetrics(font).horizontalAdvance(text);
    if (need <= room) break;
    const int px = font.pixelSize();
    font.setPixelSize(std::max(smallest, std::min(px - 1, px * room / need)));
  }
  if (sizes.size() >= 4096) sizes.clear();
  sizes.insert(key, font.pixelSize());
  return font;
}

// Labels are the tool's buttons too: they report mouse clicks, and one with the hand cursor
// is a ButtonLabel, which keys and assistive tools press as well.
class LabelBinding final : public ControlBinding {
 public:
  LabelBinding(form::Control& c, QWidget* parent, FormView& view) : ControlBinding(c, view) {
    setWidget(newLabel(parent, c.handCursor()));
  }

 protected:
  bool clicksByMouse() const override { return true; }
  void prepareSync(const form::Control& c) override {
    if (c.handCursor() != (qobject_cast<ButtonLabel*>(label_) != nullptr)) {
      replaceWidget(newLabel(label_->parentWidget(), c.handCursor()));
    }
  }
  void syncContent(const form::Control& c) override {
    const QString text = ToQString(c.text());
    if (label_->text() != text) label_->setText(text);
    label_->setAlignment(HorizontalAlign(c.alignment()) | Qt::AlignTop);
    const int frame = c.border() ? QFrame::Panel | QFrame::Sunken : QFrame::NoFrame;
    if (label_->frameStyle() != frame) label_->setFrameStyle(frame);
    const int room = label_->contentsRect().width();
    const bool newFont = firstSync() || !(c.font() == fitFont_);
    if (!newFont && text == fitText_ && room == fitRoom_) return;
    fitText_ = text;
    fitRoom_ = room;
    fitFont_ = c.font();
    if (newFont) {
      designed_ = ToQFont(c.font());
      designedKey_ = designed_.key();
      lineSpacing_ = QFontMetrics(designed_).lineSpacing();
    }
    // Wrapped words of a one-line label would vanish below it.
    const bool wrap = label_->height() >= 2 * lineSpacing_;
    label_->setWordWrap(wrap);
    const QFont font = wrap ? designed_ : FittedFont(designed_, designedKey_, text, room);
    if (label_->font() != font) label_->setFont(font);
  }

 private:
  QLabel* newLabel(QWidget* parent, bool button) {
    if (button) {
      auto* b = new ButtonLabel(parent);
      connect(b, &ButtonLabel::pressed, this,
              [this] { run([](form::Control& c) { c.form().userClick(c); }); });
      label_ = b;
    } else {
      label_ = new QLabel(parent);
    }
    label_->setTextFormat(Qt::PlainText);
    label_->setAutoFillBackground(true);
    return label_;
  }

  QLabel* label_ = nullptr;
  // What the font was fitted to.
  QString fitText_;
  int fitRoom_ = -1;
  form::Font fitFont_;
  QFont designed_;  // fitFont_ in Qt's terms
  QString designedKey_;
  int lineSpacing_ = 0;
};

QAbstractButton* NewButton(form::Kind kind, QWidget* parent) {
  switch (kind) {
    case form::Kind::OptionButton: {
      auto* radio = new QRadioButton(parent);
      // The model clears the siblings: a group of its own that is not exclusive keeps Qt from
      // doing it, while the button stays auto-exclusive, which assistive tools report as a
      // radio button (not a check box).
      auto* own = new QButtonGroup(radio);
      own->setExclusive(false);
      own->addButton(radio);
      radio->setAutoFillBackground(true);
      return radio;
    }
    case form::Kind::CheckBox: {
      auto* check = new QCheckBox(parent);
      check->setAutoFillBackground(true);
      return check;
    }
    default: {
      auto* push = new QPushButton(parent);
      push->setAutoDefault(false);
      return push;
    }
  }
}

// Command buttons, option buttons and check boxes: a click is the user's click; the model
// sets the value.
class ButtonBinding final : public ControlBinding {
 public:
  ButtonBinding(form::Control& c, QWidget* parent, FormView& view)
      : ControlBinding(c, view), kind_(c.kind()), button_(NewButton(kind_, parent)) {
    connect(button_, &QAbstractButton::clicked, this,
            [this] { run([](form::Control& c) { c.form().userClick(c); }); });
    setWidget(button_);
  }

 protected:
  bool takesKeys() const override { return true; }
  void adjustPalette(QPalette& p) const override {
    if (kind_ == form::Kind::CommandButton) return;
    // The box or circle stays white with a black mark, whatever the control's colours.
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Active, QPalette::Text, Qt::black);
    p.setColor(QPalette::Inactive, QPalette::Text, Qt::black);
  }
  void syncContent(const form::Control& c) override {
    button_->setText(ButtonCaption(c.text()));
    if (auto* check = qobject_cast<QCheckBox*>(button_)) {
      check->setCheckState(c.value() == 0   ? Qt::Unchecked
                           : c.value() == 1 ? Qt::Checked
                                            : Qt::PartiallyChecked);
    } else if (kind_ == form::Kind::OptionButton) {
      button_->setChecked(c.value() != 0);
    }
  }

 private:
  const form::Kind kind_;
  QAbstractButton* button_;
};

}  // namespace

ControlBinding* MakeLabelBinding(form::Control& control, QWidget* parent, FormView& view) {
  return new LabelBinding(control, parent, view);
}

ControlBinding* MakeButtonBinding(form::Control& control, QWidget* parent, FormView& view) {
  return new ButtonBinding(control, parent, view);
}

}  // namespace gui
