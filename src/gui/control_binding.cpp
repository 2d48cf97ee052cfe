#include "gui/control_binding.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>
#include <exception>

#include "base/text.h"
#include "form/form.h"
#include "gui/control_widgets.h"
#include "gui/form_view.h"
#include "gui/key_codes.h"
#include "gui/qt_convert.h"

namespace gui {
namespace {

using form::Kind;

constexpr int kVkEnter = 13, kVkEscape = 27, kVkUp = 38, kVkDown = 40;
const QColor kGreyText(128, 128, 128);

// Kinds whose widget reports no clicks of its own.
bool ClicksByMouse(Kind k) {
  return k == Kind::Label || k == Kind::Frame || k == Kind::PictureBox || k == Kind::StatusBar;
}

// Kinds that take the focus and so the keyboard.
bool TakesKeys(Kind k) {
  switch (k) {
    case Kind::TextBox:
    case Kind::ComboBox:
    case Kind::ListBox:
    case Kind::CommandButton:
    case Kind::OptionButton:
    case Kind::CheckBox:
    case Kind::HScrollBar:
    case Kind::VScrollBar:
      return true;
    default:
      return false;
  }
}

// Widgets rebuilt by a sync must not be changed while they are handling input.
bool Structural(Kind k) {
  return k == Kind::TextBox || k == Kind::ComboBox || k == Kind::ListBox || k == Kind::TabControl;
}

// Enabled state drawn by Qt; containers stay enabled so that their children keep their look.
bool QtEnables(Kind k) {
  return k != Kind::Frame && k != Kind::PictureBox && k != Kind::TabControl &&
         k != Kind::StatusBar && k != Kind::Shape;
}

bool OnShownTab(const form::Control& c) {
  const form::Control* box = c.container();
  return !(box && box->kind() == Kind::TabControl && c.tabPage() >= 0 &&
           c.tabPage() != box->value());
}

Qt::Alignment HorizontalAlign(form::Align a) {
  switch (a) {
    case form::Align::Right:
      return Qt::AlignRight;
    case form::Align::Center:
      return Qt::AlignHCenter;
    default:
      return Qt::AlignLeft;
  }
}

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
    // Disabled text keeps a hint of its colour: halfway between it and the grey.
    p.setColor(QPalette::Disabled, role,
               QColor((fore.red() + kGreyText.red()) / 2, (fore.green() + kGreyText.green()) / 2,
                      (fore.blue() + kGreyText.blue()) / 2));
  }
  for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button}) p.setColor(role, back);
  return p;
}

}  // namespace

ControlBinding::ControlBinding(form::Control& control, QWidget* parent, FormView& view)
    : QObject(&view), control_(&control), kind_(control.kind()), view_(view) {
  widget_ = createWidget(parent);
  if (widget_) {
    widget_->hide();  // shown by the first sync
    widget_->installEventFilter(this);
  }
}

template <typename F>
void ControlBinding::run(F&& action) {
  if (!control_) return;
  ++depth_;
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

QWidget* ControlBinding::createWidget(QWidget* parent) {
  switch (kind_) {
    case Kind::Label: {
      auto* w = new QLabel(parent);
      w->setTextFormat(Qt::PlainText);
      w->setAutoFillBackground(true);
      return w;
    }
    case Kind::TextBox:
      return createTextBox(parent, control_->multiLine());
    case Kind::ComboBox: {
      auto* w = new QComboBox(parent);
      w->setEditable(true);
      w->setInsertPolicy(QComboBox::NoInsert);
      w->setCompleter(nullptr);
      connect(w, &QComboBox::activated, this,
              [this](int i) { run([i](form::Control& c) { c.form().userSelect(c, i); }); });
      connect(w->lineEdit(), &QLineEdit::textEdited, this, [this] { pushText(); });
      return w;
    }
    case Kind::ListBox: {
      auto* w = new QListWidget(parent);
      // The selection, not the current row: a list given the focus moves only the latter.
      connect(w, &QListWidget::itemSelectionChanged, this, [this, w] {
        const int row = w->currentRow();
        if (row >= 0 && w->item(row)->isSelected()) {
          run([row](form::Control& c) { c.form().userSelect(c, row); });
        }
      });
      connect(w, &QListWidget::itemDoubleClicked, this,
              [this] { run([](form::Control& c) { c.form().userDblClick(c); }); });
      return w;
    }
    case Kind::CommandButton: {
      auto* w = new QPushButton(parent);
      w->setAutoDefault(false);
      connect(w, &QPushButton::clicked, this,
              [this] { run([](form::Control& c) { c.form().userClick(c); }); });
      return w;
    }
    case Kind::OptionButton:
    case Kind::CheckBox: {
      QAbstractButton* w = nullptr;
      if (kind_ == Kind::OptionButton) {
        auto* radio = new QRadioButton(parent);
        radio->setAutoExclusive(false);  // the model clears the siblings
        w = radio;
      } else {
        w = new QCheckBox(parent);
      }
      w->setAutoFillBackground(true);
      connect(w, &QAbstractButton::clicked, this,
              [this] { run([](form::Control& c) { c.form().userClick(c); }); });
      return w;
    }
    case Kind::HScrollBar:
    case Kind::VScrollBar: {
      auto* w = new QScrollBar(kind_ == Kind::HScrollBar ? Qt::Horizontal : Qt::Vertical, parent);
      w->setTracking(false);  // Change when the thumb is let go, as the toolkit does
      w->setSingleStep(1);
      w->setPageStep(1);
      connect(w, &QScrollBar::valueChanged, this,
              [this](int v) { run([v](form::Control& c) { c.form().userScroll(c, v); }); });
      return w;
    }
    case Kind::Frame:
      return new FrameWidget(parent);
    case Kind::PictureBox:
      return new PictureWidget(parent);
    case Kind::Shape:
      return new ShapeWidget(parent);
    case Kind::StatusBar:
      return new StatusStrip(parent);
    case Kind::TabControl: {
      auto* w = new TabWidget(parent);
      connect(w->tabBar(), &QTabBar::currentChanged, this,
              [this](int tab) { run([tab](form::Control& c) { c.form().userTab(c, tab); }); });
      return w;
    }
    case Kind::Timer:
    case Kind::ImageList:
      return nullptr;
  }
  return nullptr;
}

QWidget* ControlBinding::createTextBox(QWidget* parent, bool multiLine) {
  multiLineWidget_ = multiLine;
  shownText_.clear();
  shownSelStart_ = -1;
  first_ = true;
  if (multiLine) {
    auto* w = new QPlainTextEdit(parent);
    w->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    w->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    w->setTabChangesFocus(true);
    connect(w, &QPlainTextEdit::textChanged, this, [this] { pushText(); });
    return w;
  }
  auto* w = new QLineEdit(parent);
  connect(w, &QLineEdit::textEdited, this, [this] { pushText(); });
  return w;
}

void ControlBinding::replaceWidget(QWidget* replacement) {
  QWidget* old = widget_;
  replacement->setGeometry(old->geometry());
  replacement->installEventFilter(this);
  widget_ = replacement;
  old->hide();
  old->removeEventFilter(this);
  disconnect(old, nullptr, this, nullptr);
  old->deleteLater();
}

bool ControlBinding::eventFilter(QObject* watched, QEvent* event) {
  if (!control_ || watched != widget_) return false;
  switch (event->type()) {
    case QEvent::KeyPress:
      return TakesKeys(kind_) && keyPress(static_cast<QKeyEvent&>(*event));
    case QEvent::KeyRelease:
      if (TakesKeys(kind_)) keyRelease(static_cast<QKeyEvent&>(*event));
      return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      return ClicksByMouse(kind_) && mouse(static_cast<QMouseEvent&>(*event));
    default:
      return false;
  }
}

bool ControlBinding::keyPress(QKeyEvent& e) {
  if (e.key() == Qt::Key_Tab || e.key() == Qt::Key_Backtab) return false;  // moves the focus
  form::Control& c = *control_;
  form::Form& screen = c.form();
  if (!screen.acceptsInput() || !c.usable()) return true;
  const int code = VirtualKeyCode(e);
  const int shift = ShiftState(e.modifiers());
  form::Control* button = code == kVkEnter    ? screen.defaultButton()
                          : code == kVkEscape ? screen.cancelButton()
                                              : nullptr;
  if (button) {
    run([button](form::Control& self) { self.form().userClick(*button); });
    return true;
  }
  bool swallow = false;
  run([&](form::Control& self) {
    self.raiseKeyDown(code, shift);
    if (!control_ || self.locked()) {
      swallow = true;  // a locked box takes no character
      return;
    }
    const bool list = kind_ == Kind::ComboBox || kind_ == Kind::ListBox;
    if (list && (code == kVkUp || code == kVkDown)) {
      const int next = self.listIndex() + (code == kVkUp ? -1 : 1);
      if (next >= 0 && next < self.listCount()) screen.userSelect(self, next);
      swallow = true;
    } else if (exceedsMaxLength(e)) {
      swallow = true;
    }
  });
  return swallow || !control_;
}

void ControlBinding::keyRelease(QKeyEvent& e) {
  // One KeyUp for a held key; Tab only moves the focus.
  if (e.isAutoRepeat() || e.key() == Qt::Key_Tab || e.key() == Qt::Key_Backtab) return;
  if (!control_->form().acceptsInput() || !control_->usable()) return;
  const int code = VirtualKeyCode(e);
  const int shift = ShiftState(e.modifiers());
  run([&](form::Control& self) { self.raiseKeyUp(code, shift); });
}

bool ControlBinding::exceedsMaxLength(const QKeyEvent& e) const {
  const int limit = control_->maxLength();
  if (limit <= 0 || e.text().isEmpty() || !e.text()[0].isPrint()) return false;
  QString shown;
  int selected = 0;
  if (auto* line = qobject_cast<QLineEdit*>(widget_)) {
    shown = line->text();
    selected = static_cast<int>(line->selectedText().size());
  } else if (auto* combo = qobject_cast<QComboBox*>(widget_)) {
    shown = combo->currentText();
    selected = static_cast<int>(combo->lineEdit()->selectedText().size());
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget_)) {
    shown = plain->toPlainText();
    selected = static_cast<int>(plain->textCursor().selectedText().size());
  } else {
    return false;
  }
  return shown.size() - selected + e.text().size() > limit;
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

void ControlBinding::pushText() {
  run([this](form::Control& c) {
    const form::Form& screen = c.form();
    if (!screen.acceptsInput() || !c.usable() || c.locked()) return;  // the sync restores
    QString shown;
    int caret = 0;
    if (auto* line = qobject_cast<QLineEdit*>(widget_)) {
      shown = line->text();
      caret = line->cursorPosition();
    } else if (auto* combo = qobject_cast<QComboBox*>(widget_)) {
      shown = combo->lineEdit()->text();
      caret = combo->lineEdit()->cursorPosition();
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget_)) {
      shown = plain->document()->toRawText();
      caret = plain->textCursor().position();
    } else {
      return;
    }
    const bool multi = multiLineWidget_ && kind_ == Kind::TextBox;
    shownText_ = FromDisplay(shown, multi);
    std::string text = shownText_;
    if (c.maxLength() > 0) text = base::CharSlice(text, 0, c.maxLength());
    const int pos = std::min(ModelPos(shown, caret, multi), base::CharCount(text));
    shownSelStart_ = pos;
    c.setText(text);  // raises Change
    if (control_) control_->setSelStart(pos);
  });
}

void ControlBinding::sync() {
  if (!control_ || !widget_) return;
  const form::Control& c = *control_;
  if (depth_ > 0 && Structural(kind_)) return;  // synced when the input returns
  if (kind_ == Kind::TextBox && c.multiLine() != multiLineWidget_) {
    replaceWidget(createTextBox(widget_->parentWidget(), c.multiLine()));
  }
  const QSignalBlocker block(widget_);
  if (kind_ != Kind::StatusBar) {
    const QRect r = TwipsRect(c.left(), c.top(), c.width(), c.height());
    if (widget_->geometry() != r) widget_->setGeometry(r);
  }
  syncLook(c);
  syncKind(c);
  if (QtEnables(kind_)) widget_->setEnabled(c.enabled());
  const bool visible = c.visible() && OnShownTab(c);
  if (widget_->isHidden() == visible || first_) widget_->setVisible(visible);
  first_ = false;
}

void ControlBinding::syncLook(const form::Control& c) {
  // A disabled frame greys its caption but leaves its children as they are.
  const bool grey = kind_ == Kind::Frame && !c.enabled();
  const uint32_t fore = c.foreColor().rgb(), back = c.backColor().rgb();
  if (first_ || fore != shownFore_ || back != shownBack_ || grey != shownGrey_) {
    QPalette p =
        ControlPalette(grey ? kGreyText : ToQColor(c.foreColor()), ToQColor(c.backColor()));
    if (kind_ == Kind::CheckBox || kind_ == Kind::OptionButton) {
      // The box or circle stays white with a black mark, whatever the control's colours.
      p.setColor(QPalette::Base, Qt::white);
      p.setColor(QPalette::Active, QPalette::Text, Qt::black);
      p.setColor(QPalette::Inactive, QPalette::Text, Qt::black);
    }
    widget_->setPalette(p);
    shownFore_ = fore;
    shownBack_ = back;
    shownGrey_ = grey;
  }
  if (first_ || !(c.font() == shownFont_)) {
    widget_->setFont(ToQFont(c.font()));
    shownFont_ = c.font();
  }
  const QString tip = ToQString(c.toolTip());
  if (widget_->toolTip() != tip) widget_->setToolTip(tip);
  if (c.handCursor()) {
    widget_->setCursor(Qt::PointingHandCursor);
  } else if (widget_->testAttribute(Qt::WA_SetCursor)) {
    widget_->unsetCursor();
  }
}

void ControlBinding::syncKind(const form::Control& c) {
  switch (kind_) {
    case Kind::Label: {
      auto* w = static_cast<QLabel*>(widget_);
      const QString text = ToQString(c.text());
      if (w->text() != text) w->setText(text);
      w->setAlignment(HorizontalAlign(c.alignment()) | Qt::AlignTop);
      // Wrapped words of a one-line label would vanish below it; clip at the side instead.
      w->setWordWrap(w->height() >= 2 * w->fontMetrics().lineSpacing());
      w->setFrameStyle(c.border() ? QFrame::Panel | QFrame::Sunken : QFrame::NoFrame);
      break;
    }
    case Kind::TextBox:
      if (multiLineWidget_) {
        syncPlainEdit(c);
      } else {
        syncLineEdit(c);
      }
      break;
    case Kind::ComboBox:
      syncCombo(c);
      break;
    case Kind::ListBox:
      syncList(c);
      break;
    case Kind::CommandButton:
      static_cast<QPushButton*>(widget_)->setText(ButtonCaption(c.text()));
      break;
    case Kind::OptionButton: {
      auto* w = static_cast<QRadioButton*>(widget_);
      w->setText(ButtonCaption(c.text()));
      w->setChecked(c.value() != 0);
      break;
    }
    case Kind::CheckBox: {
      auto* w = static_cast<QCheckBox*>(widget_);
      w->setText(ButtonCaption(c.text()));
      w->setCheckState(c.value() == 0   ? Qt::Unchecked
                       : c.value() == 1 ? Qt::Checked
                                        : Qt::PartiallyChecked);
      break;
    }
    case Kind::HScrollBar:
    case Kind::VScrollBar: {
      auto* w = static_cast<QScrollBar*>(widget_);
      w->setRange(std::min(c.min(), c.max()), std::max(c.min(), c.max()));
      w->setInvertedAppearance(c.min() > c.max());
      w->setInvertedControls(c.min() > c.max());
      if (!w->isSliderDown()) w->setValue(c.value());
      break;
    }
    case Kind::Frame:
      static_cast<FrameWidget*>(widget_)->setCaption(ToQString(c.text()), c.border());
      break;
    case Kind::PictureBox: {
      auto* w = static_cast<PictureWidget*>(widget_);
      w->setImageFile(c.image().empty() ? QString() : LocalPath(c.image()));
      w->setBorder(c.border());
      break;
    }
    case Kind::StatusBar:
      static_cast<StatusStrip*>(widget_)->setPanels(c.panels());
      break;
    case Kind::TabControl: {
      auto* w = static_cast<TabWidget*>(widget_);
      w->setTabs(c.items(), c.value());
      w->tabBar()->setEnabled(c.enabled());
      break;
    }
    case Kind::Shape:
    case Kind::Timer:
    case Kind::ImageList:
      break;
  }
}

void ControlBinding::syncLineEdit(const form::Control& c) {
  auto* w = static_cast<QLineEdit*>(widget_);
  const bool textChanged = first_ || c.text() != shownText_;
  if (textChanged) {
    w->setText(ToDisplay(c.text(), false));
    shownText_ = c.text();
  }
  if (textChanged || c.selStart() != shownSelStart_) {
    w->setCursorPosition(DisplayPos(c.text(), c.selStart(), false));
    shownSelStart_ = c.selStart();
  }
  w->setReadOnly(c.locked());
  w->setAlignment(HorizontalAlign(c.alignment()) | Qt::AlignVCenter);
  const bool password = c.passwordChar() != 0;
  w->setEchoMode(password ? QLineEdit::Password : QLineEdit::Normal);
  const QString sheet =
      password ? QStringLiteral("lineedit-password-character: %1")
                     .arg(static_cast<int>(static_cast<unsigned char>(c.passwordChar())))
               : QString();
  if (w->styleSheet() != sheet) w->setStyleSheet(sheet);
}

void ControlBinding::syncPlainEdit(const form::Control& c) {
  auto* w = static_cast<QPlainTextEdit*>(widget_);
  const std::string& text = c.text();
  const bool textChanged = first_ || text != shownText_;
  if (textChanged) {
    const bool appended = !first_ && text.size() > shownText_.size() &&
                          text.compare(0, shownText_.size(), shownText_) == 0 &&
                          (shownText_.empty() || shownText_.back() != '\r');
    if (appended) {
      QTextCursor end(w->document());
      end.movePosition(QTextCursor::End);
      end.insertText(ToDisplay(std::string_view(text).substr(shownText_.size()), true));
    } else {
      w->setPlainText(ToDisplay(text, true));
    }
    shownText_ = text;
  }
  if (textChanged || c.selStart() != shownSelStart_) {
    QTextCursor caret(w->document());
    caret.setPosition(
        std::min(DisplayPos(text, c.selStart(), true), w->document()->characterCount() - 1));
    w->setTextCursor(caret);
    w->ensureCursorVisible();
    if (caret.atEnd()) w->verticalScrollBar()->setValue(w->verticalScrollBar()->maximum());
    shownSelStart_ = c.selStart();
  }
  w->setReadOnly(c.locked());
}

void ControlBinding::syncCombo(const form::Control& c) {
  auto* w = static_cast<QComboBox*>(widget_);
  const QSignalBlocker blockEdit(w->lineEdit());
  if (first_ || c.items() != shownItems_) {
    w->clear();
    for (const std::string& item : c.items()) w->addItem(ToQString(item));
    shownItems_ = c.items();
  }
  if (w->currentIndex() != c.listIndex()) w->setCurrentIndex(c.listIndex());
  const QString text = ToQString(c.text());
  if (w->lineEdit()->text() != text) w->setEditText(text);
  w->lineEdit()->setReadOnly(c.locked());
  w->lineEdit()->setAlignment(HorizontalAlign(c.alignment()));
}

void ControlBinding::syncList(const form::Control& c) {
  auto* w = static_cast<QListWidget*>(widget_);
  if (first_ || c.items() != shownItems_) {
    w->clear();
    for (const std::string& item : c.items()) w->addItem(ToQString(item));
    shownItems_ = c.items();
  }
  if (w->currentRow() != c.listIndex()) {
    if (c.listIndex() < 0) w->clearSelection();
    w->setCurrentRow(c.listIndex());
  }
}

}  // namespace gui
