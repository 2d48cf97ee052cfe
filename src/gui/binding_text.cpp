// Text boxes (one line or several) and combo boxes: the native editor types what the model
// lets through, and every edit goes back to the model with the caret.
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextCursor>
#include <algorithm>
#include <string>
#include <vector>

#include "form/form.h"
#include "gui/control_binding.h"
#include "gui/qt_convert.h"

namespace gui {
namespace {

using form::Kind;

class TextBinding final : public ControlBinding {
 public:
  TextBinding(form::Control& c, QWidget* parent, FormView& view)
      : ControlBinding(c, view), combo_(c.kind() == Kind::ComboBox) {
    setWidget(combo_ ? newCombo(parent) : newBox(parent, c.multiLine()));
  }

 protected:
  bool takesKeys() const override { return true; }
  bool rebuiltBySync() const override { return true; }
  int selectedChars() const override;
  void prepareSync(const form::Control& c) override;
  void syncContent(const form::Control& c) override;

 private:
  QWidget* newCombo(QWidget* parent);
  QWidget* newBox(QWidget* parent, bool multiLine);
  bool multi() const { return multiLine_ && !combo_; }
  // The editor's one-line part: the line edit or the combo's; null for several lines.
  QLineEdit* lineEdit() const;
  void pushText();
  void syncLine(const form::Control& c, QLineEdit& w);
  void syncPlain(const form::Control& c, QPlainTextEdit& w);
  void syncCombo(const form::Control& c, QComboBox& w);

  const bool combo_;
  bool multiLine_ = false;
  std::string shownText_;
  int shownSelStart_ = -1;
  std::vector<std::string> shownItems_;
};

QWidget* TextBinding::newCombo(QWidget* parent) {
  auto* w = new QComboBox(parent);
  w->setEditable(true);
  w->setInsertPolicy(QComboBox::NoInsert);
  w->setCompleter(nullptr);
  connect(w, &QComboBox::activated, this,
          [this](int i) { run([i](form::Control& c) { c.form().userSelect(c, i); }); });
  connect(w->lineEdit(), &QLineEdit::textEdited, this, [this] { pushText(); });
  return w;
}

QWidget* TextBinding::newBox(QWidget* parent, bool multiLine) {
  multiLine_ = multiLine;
  shownText_.clear();
  shownSelStart_ = -1;
  if (multiLine) {
    auto* w = new QPlainTextEdit(parent);
    w->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    w->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    w->setTabChangesFocus(true);
    connect(w, &QPlainTextEdit::textChanged, this, [this] { pushText(); });
    return w;
  }
  auto* w = new QLineEdit(parent);
  // Every change but the sync's own (signals blocked): typing, and text set by assistive tools.
  connect(w, &QLineEdit::textChanged, this, [this] { pushText(); });
  return w;
}

QLineEdit* TextBinding::lineEdit() const {
  if (auto* combo = qobject_cast<QComboBox*>(widget())) return combo->lineEdit();
  return qobject_cast<QLineEdit*>(widget());
}

int TextBinding::selectedChars() const {
  if (QLineEdit* line = lineEdit()) return static_cast<int>(line->selectedText().size());
  if (auto* plain = qobject_cast<QPlainTextEdit*>(widget())) {
    return static_cast<int>(plain->textCursor().selectedText().size());
  }
  return 0;
}

void TextBinding::pushText() {
  QString shown;
  int caret = 0;
  if (QLineEdit* line = lineEdit()) {
    shown = line->text();
    caret = line->cursorPosition();
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget())) {
    shown = plain->document()->toRawText();
    caret = plain->textCursor().position();
  } else {
    return;
  }
  // What the widget shows now; the sync puts back whatever the model makes of it.
  shownText_ = FromDisplay(shown, multi());
  shownSelStart_ = ModelPos(shown, caret, multi());
  const std::string text = shownText_;
  const int pos = shownSelStart_;
  run([&](form::Control& c) { c.form().userSetText(c, text, pos); });
}

void TextBinding::prepareSync(const form::Control& c) {
  if (!combo_ && c.multiLine() != multiLine_) {
    replaceWidget(newBox(widget()->parentWidget(), c.multiLine()));
  }
}

void TextBinding::syncContent(const form::Control& c) {
  if (auto* combo = qobject_cast<QComboBox*>(widget())) return syncCombo(c, *combo);
  if (auto* line = qobject_cast<QLineEdit*>(widget())) return syncLine(c, *line);
  if (auto* plain = qobject_cast<QPlainTextEdit*>(widget())) syncPlain(c, *plain);
}

void TextBinding::syncLine(const form::Control& c, QLineEdit& w) {
  const bool textChanged = firstSync() || c.text() != shownText_;
  if (textChanged) {
    w.setText(ToDisplay(c.text(), false));
    shownText_ = c.text();
  }
  if (textChanged || c.selStart() != shownSelStart_) {
    w.setCursorPosition(DisplayPos(c.text(), c.selStart(), false));
    shownSelStart_ = c.selStart();
  }
  w.setReadOnly(c.locked());
  w.setAlignment(HorizontalAlign(c.alignment()) | Qt::AlignVCenter);
  const bool password = c.passwordChar() != 0;
  w.setEchoMode(password ? QLineEdit::Password : QLineEdit::Normal);
  const QString sheet =
      password ? QStringLiteral("lineedit-password-character: %1")
                     .arg(static_cast<int>(static_cast<unsigned char>(c.passwordChar())))
               : QString();
  if (w.styleSheet() != sheet) w.setStyleSheet(sheet);
}

void TextBinding::syncPlain(const form::Control& c, QPlainTextEdit& w) {
  const std::string& text = c.text();
  const bool textChanged = firstSync() || text != shownText_;
  if (textChanged) {
    const bool appended = !firstSync() && text.size() > shownText_.size() &&
                          text.compare(0, shownText_.size(), shownText_) == 0 &&
                          (shownText_.empty() || shownText_.back() != '\r');
    if (appended) {
      QTextCursor end(w.document());
      end.movePosition(QTextCursor::End);
      end.insertText(ToDisplay(std::string_view(text).substr(shownText_.size()), true));
    } else {
      w.setPlainText(ToDisplay(text, true));
    }
    shownText_ = text;
  }
  if (textChanged || c.selStart() != shownSelStart_) {
    QTextCursor caret(w.document());
    caret.setPosition(
        std::min(DisplayPos(text, c.selStart(), true), w.document()->characterCount() - 1));
    w.setTextCursor(caret);
    w.ensureCursorVisible();
    if (caret.atEnd()) w.verticalScrollBar()->setValue(w.verticalScrollBar()->maximum());
    shownSelStart_ = c.selStart();
  }
  w.setReadOnly(c.locked());
  // Read-only refuses edits; the caret keys still move the caret, as in a one-line box.
  if (c.locked()) {
    w.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  }
}

void TextBinding::syncCombo(const form::Control& c, QComboBox& w) {
  const QSignalBlocker blockEdit(w.lineEdit());
  if (firstSync() || c.items() != shownItems_) {
    w.clear();
    for (const std::string& item : c.items()) w.addItem(ToQString(item));
    shownItems_ = c.items();
  }
  if (w.currentIndex() != c.listIndex()) w.setCurrentIndex(c.listIndex());
  const QString text = ToQString(c.text());
  if (w.lineEdit()->text() != text) w.setEditText(text);
  shownText_ = c.text();
  w.lineEdit()->setReadOnly(c.locked());
  w.lineEdit()->setAlignment(HorizontalAlign(c.alignment()));
}

}  // namespace

ControlBinding* MakeTextBinding(form::Control& control, QWidget* parent, FormView& view) {
  return new TextBinding(control, parent, view);
}

}  // namespace gui
