// The same keys through a script's userKey and through the Qt window give the same texts,
// events and sent bytes: the window runs the model's keyboard rules and no rules of its own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <cctype>
#include <string>
#include <variant>
#include <vector>

#include "../test_support.h"
#include "base/key_codes.h"
#include "gui/form_view.h"
#include "gui_test_app.h"

namespace gui {
namespace {

using form::Control;
using form::ControlDesign;
using form::Kind;

// A key that types no character: its Qt key and its virtual key code.
struct Named {
  int qtKey;
  int code;
};
const Named kBack{Qt::Key_Backspace, 8}, kReturn{Qt::Key_Return, 13};
const Named kLeft{Qt::Key_Left, 37}, kRight{Qt::Key_Right, 39}, kUp{Qt::Key_Up, 38};
const Named kDown{Qt::Key_Down, 40}, kHome{Qt::Key_Home, 36}, kEnd{Qt::Key_End, 35};
const Named kDelete{Qt::Key_Delete, 46};
using Stroke = std::variant<char, Named>;

// Logs the events a control raises, then runs its own handlers.
void Record(Control& c, std::vector<std::string>& log) {
  const std::string name = c.fullName();
  auto keyWrap = [&log, name](std::function<void(int, int)> inner, const char* what) {
    return [&log, name, inner, what](int code, int shift) {
      log.push_back(name + " " + what + " " + std::to_string(code) + "/" + std::to_string(shift));
      if (inner) inner(code, shift);
    };
  };
  auto wrap = [&log, &c, name](std::function<void()> inner, const char* what) {
    return [&log, &c, name, inner, what] {
      log.push_back(name + " " + what + " " + c.text() + " " + std::to_string(c.value()));
      if (inner) inner();
    };
  };
  c.onKeyDown = keyWrap(c.onKeyDown, "down");
  c.onKeyUp = keyWrap(c.onKeyUp, "up");
  c.onChange = wrap(c.onChange, "change");
  c.onClick = wrap(c.onClick, "click");
}

// One run of the tool, keys given by the script path or by the Qt window.
struct ToolRun : support::Tool {
  std::vector<std::string> log;
  std::unique_ptr<FormView> view, setupView;

  explicit ToolRun(bool window) {
    runTo(1100);  // the port is open
    if (window) {
      view = std::make_unique<FormView>(app.mainForm());
      view->show();
    }
  }
  FormView* viewOf(const Control& c) {
    return &c.form() == &app.setupForm() ? setupView.get() : view.get();
  }

  void key(Control& c, const Stroke& s) {
    int code = 0, shift = 0, qtKey = 0;
    QString text;
    if (const char* ch = std::get_if<char>(&s)) {
      const auto stroke = base::KeyFor(*ch);
      ASSERT_TRUE(stroke) << *ch;
      code = stroke->code;
      shift = stroke->shift;
      qtKey = std::isalpha(static_cast<unsigned char>(*ch))
                  ? std::toupper(static_cast<unsigned char>(*ch))
                  : *ch;
      text = QString(QChar::fromLatin1(*ch));
    } else {
      const Named& n = std::get<Named>(s);
      code = n.code;
      qtKey = n.qtKey;
      if (n.code == 13) text = "\r";
      if (n.code == 8) text = "\b";
    }
    FormView* v = viewOf(c);
    if (!v) {
      c.form().userKey(c, code, shift);
      return;
    }
    QWidget* w = v->widgetFor(c);
    ASSERT_TRUE(w);
    const auto mods = shift ? Qt::ShiftModifier : Qt::NoModifier;
    QKeyEvent press(QEvent::KeyPress, qtKey, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, mods, text);
    QApplication::sendEvent(w, &release);
    v->sync();
  }
  void keys(Control& c, const std::vector<Stroke>& strokes) {
    for (const Stroke& s : strokes) key(c, s);
  }
  void type(Control& c, const std::string& chars) {
    for (char ch : chars) key(c, ch);
  }
  // The setup screen, logged in as admin, on "System Parameter" after ADD.
  form::Form& addSystem() {
    screen().userClick(at("Command5"));
    form::Form& f = app.setupForm();
    if (view) {
      setupView = std::make_unique<FormView>(f);
      setupView->show();
    }
    type(f.at("txtUserName"), "mira_tek");
    type(f.at("txtPassword"), "qpa-xn");
    keys(f.at("txtPassword"), {kReturn});
    f.userTab(f.at("SSTab1"), 1);
    run(100);  // the deferred display
    f.userClick(f.at("Command3", 0));
    if (setupView) setupView->sync();
    return f;
  }
};

class KeyPath : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureTestApp();
    scriptRun = std::make_unique<ToolRun>(false);
    windowRun = std::make_unique<ToolRun>(true);
  }
  std::unique_ptr<ToolRun> scriptRun, windowRun;
  std::vector<ToolRun*> both() { return {scriptRun.get(), windowRun.get()}; }
};

TEST_F(KeyPath, TerminalEntryFiltersAndSendsAlike) {
  for (ToolRun* r : both()) {
    r->screen().userClick(r->screen().at("Command4"));  // RS232
    Control& entry = r->screen().at("Text2");
    Record(entry, r->log);
    r->type(entry, "0x1Fx");  // the second "x" is refused by the filter
    r->keys(entry, {kBack, 'f', kReturn});
    r->screen().userDblClick(entry);  // empties the entry
    r->type(entry, "2560");           // 256 is refused at its last digit, 250 is taken
    r->keys(entry, {kReturn});
  }
  const Control& entry = scriptRun->screen().at("Text2");
  EXPECT_EQ(entry.text(), "250");
  EXPECT_EQ(scriptRun->sent(), (std::vector<int>{0x1F, 250}));
  EXPECT_EQ(windowRun->sent(), (std::vector<int>{0x1F, 250}));
  EXPECT_EQ(windowRun->screen().at("Text2").text(), entry.text());
  EXPECT_EQ(windowRun->screen().at("Text2").selStart(), entry.selStart());
  EXPECT_EQ(windowRun->log, scriptRun->log);
}

TEST_F(KeyPath, PortListArrowsMoveTheSelectionAndOtherKeysAreRefused) {
  for (ToolRun* r : both()) {
    Control& list = r->screen().at("ComPortList");
    Record(list, r->log);
    r->keys(list, {kDown, kDown, kUp, 'x', '1', ' ', kUp, kUp});
    EXPECT_EQ(list.listIndex(), 0);
    EXPECT_EQ(list.text(), "1");
  }
  EXPECT_EQ(windowRun->log, scriptRun->log);
  EXPECT_EQ(scriptRun->log.size(), 8u * 2 + 4);  // down and up for each key, four clicks
}

// Controls of a screen of their own: a text box with a length limit, a log of several lines,
// a scroll bar, a check box and a list.
TEST_F(KeyPath, EditingCaretScrollingAndSpaceAgree) {
  for (ToolRun* r : both()) {
    form::Form& f = r->screen();
    const struct {
      Kind kind;
      const char* name;
      int top, height, maxLength;
    } designs[] = {{Kind::TextBox, "Limited", 120, 375, 3},
                   {Kind::TextBox, "Lines", 600, 900, 0},
                   {Kind::HScrollBar, "Bar", 1600, 255, 0},
                   {Kind::CheckBox, "Check", 2000, 255, 0},
                   {Kind::ListBox, "Items", 2400, 900, 0}};
    for (const auto& d : designs) {
      f.add(ControlDesign{.kind = d.kind,
                          .name = d.name,
                          .left = 120,
                          .top = d.top,
                          .width = 2000,
                          .height = d.height,
                          .maxLength = d.maxLength});
    }
    Control &box = f.at("Limited"), &log = f.at("Lines"), &bar = f.at("Bar");
    Control &check = f.at("Check"), &items = f.at("Items");
    log.setMultiLine(true);
    bar.setMax(3);
    for (const char* item : {"a", "b", "c", "d"}) items.addItem(item);
    for (Control* c : {&box, &log, &bar, &check, &items}) Record(*c, r->log);
    if (r->view) r->view->sync();

    r->type(box, "abcd");  // the fourth character does not fit
    r->keys(box, {kLeft, kLeft, kBack, kHome, kDelete, kEnd, 'Z'});
    r->type(log, "ab");
    r->keys(log, {kReturn});
    r->type(log, "c!");
    r->keys(bar, {kRight, kRight, kRight, kRight, kLeft, kHome, kEnd});
    r->type(check, "  ");
    r->keys(items, {kDown, kEnd, 'a', kHome, kDown});
  }
  const form::Form& s = scriptRun->screen();
  const form::Form& w = windowRun->screen();
  EXPECT_EQ(s.at("Limited").text(), "cZ");
  EXPECT_EQ(s.at("Lines").text(), "ab\r\nc!");
  EXPECT_EQ(s.at("Bar").value(), 3);
  EXPECT_EQ(s.at("Check").value(), 0);  // clicked twice
  EXPECT_EQ(s.at("Items").listIndex(), 1);
  EXPECT_EQ(w.at("Items").listIndex(), 1);
  for (const char* name : {"Limited", "Lines", "Bar", "Check"}) {
    EXPECT_EQ(w.at(name).text(), s.at(name).text()) << name;
    EXPECT_EQ(w.at(name).value(), s.at(name).value()) << name;
  }
  EXPECT_EQ(w.at("Limited").selStart(), s.at("Limited").selStart());
  EXPECT_EQ(w.at("Lines").selStart(), s.at("Lines").selStart());
  EXPECT_EQ(windowRun->log, scriptRun->log);
}

// A locked box of several lines moves its caret too.
TEST_F(KeyPath, CaretKeysMoveInALockedLog) {
  for (ToolRun* r : both()) {
    r->screen().userClick(r->at("Command4"));  // the terminal
    Control& log = r->at("Text1");
    log.setText("abc");
    log.onKeyDown = [&log](int, int) { log.setLocked(true); };
    log.onKeyUp = [&log](int, int) { log.setLocked(false); };
    r->keys(log, {kEnd, kLeft, 'x', kBack, kDelete});
    EXPECT_EQ(log.text(), "abc");
  }
  EXPECT_EQ(scriptRun->at("Text1").selStart(), 2);
  const auto* shown =
      qobject_cast<QPlainTextEdit*>(windowRun->view->widgetFor(windowRun->at("Text1")));
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->textCursor().position(), 2);
  EXPECT_FALSE(shown->isReadOnly());  // unlocked again
}

// The setup screen's digit boxes lock on any other key; read-only, they still move the caret.
TEST_F(KeyPath, CaretKeysMoveInADigitBoxWhileItRefusesTheKey) {
  for (ToolRun* r : both()) {
    form::Form& f = r->addSystem();
    Control &motor = f.at("Text2", 2), &led = f.at("Text2", 4);  // at most 3 and 2 digits
    ASSERT_EQ(motor.text(), "0");
    Record(motor, r->log);
    Record(led, r->log);
    r->keys(motor, {kEnd, '5', kHome, '1', kRight, 'x', kLeft, kDelete, kEnd, '7', kLeft, kLeft});
    r->keys(led, {kEnd, '3', kHome, '4', kDelete, kEnd, kLeft, kRight, 'a', kBack, '6', kHome});
  }
  const form::Form& s = scriptRun->app.setupForm();
  EXPECT_EQ(s.at("Text2", 2).text(), "157");
  EXPECT_EQ(s.at("Text2", 2).selStart(), 1);
  EXPECT_EQ(s.at("Text2", 4).text(), "6");
  EXPECT_EQ(s.at("Text2", 4).selStart(), 0);
  for (int i : {2, 4}) {
    const Control& shown = windowRun->app.setupForm().at("Text2", i);
    EXPECT_EQ(shown.text(), s.at("Text2", i).text()) << i;
    auto* box = qobject_cast<QLineEdit*>(windowRun->setupView->widgetFor(shown));
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text().toStdString(), shown.text()) << i;
    EXPECT_EQ(box->cursorPosition(), s.at("Text2", i).selStart()) << i;
  }
  EXPECT_EQ(windowRun->log, scriptRun->log);
}

}  // namespace
}  // namespace gui
