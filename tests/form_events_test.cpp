#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form/form.h"
#include "form/virtual_host.h"

namespace {

using form::Control;
using form::Kind;

class FormEvents : public ::testing::Test {
 protected:
  void SetUp() override { f.setVisible(true); }  // a hidden screen takes no input
  Control& add(Kind kind, const char* name, Control* container = nullptr, int index = -1) {
    Control* c = f.add(kind, name, container, index);
    EXPECT_NE(c, nullptr) << name;
    return *c;
  }
  Control& combo(const char* name) {
    Control& c = add(Kind::ComboBox, name);
    for (const char* item : {"a", "b", "c"}) c.addItem(item);
    return c;
  }
  form::VirtualHost vh;
  form::Form f{"Screen", vh.host()};
  std::vector<std::string> log;
};

TEST_F(FormEvents, CombosThatSelectEachOtherTerminate) {
  Control& a = combo("A");
  Control& b = combo("B");
  a.onClick = [&] { log.push_back("A"), b.setListIndex(a.listIndex()); };
  b.onClick = [&] { log.push_back("B"), a.setListIndex(b.listIndex()); };
  a.setListIndex(2);
  EXPECT_EQ(log, (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(b.text(), "c");
  log.clear();
  a.setListIndex(2);  // unchanged: no Click
  a.setListIndex(-1);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(a.text(), "");
  ASSERT_TRUE(f.userSelect(b, 1));
  EXPECT_EQ(log, (std::vector<std::string>{"B", "A"}));
  log.clear();
  ASSERT_TRUE(f.userSelect(b, 1));  // a user's pick of the shown item is still a choice
  EXPECT_EQ(log, (std::vector<std::string>{"B"}));
  EXPECT_FALSE(f.userSelect(b, -1));  // no such item to pick
  EXPECT_FALSE(f.userSelect(b, 3));
  EXPECT_EQ(b.listIndex(), 1);
  b.clear();
  EXPECT_EQ(b.listCount(), 0);
  EXPECT_EQ(b.listIndex(), -1);
  EXPECT_EQ(b.text(), "");
}

TEST_F(FormEvents, OptionButtonsOfOneContainerExcludeEachOtherSilently) {
  Control& left = add(Kind::Frame, "Left");
  Control& right = add(Kind::Frame, "Right");
  Control& o0 = add(Kind::OptionButton, "Opt", &left, 0);
  Control& o1 = add(Kind::OptionButton, "Opt", &left, 1);
  Control& other = add(Kind::OptionButton, "Other", &right);
  int clicks[3] = {0, 0, 0};
  o0.onClick = [&] { ++clicks[0]; };
  o1.onClick = [&] { ++clicks[1]; };
  other.onClick = [&] { ++clicks[2]; };
  other.setValue(1);
  o0.setValue(1);
  o1.setValue(1);
  EXPECT_EQ(o0.value(), 0);
  EXPECT_EQ(other.value(), 1);  // another container
  EXPECT_EQ(clicks[0], 1);      // cleared without an event
  EXPECT_EQ(clicks[1], 1);
  o1.setValue(1);  // already True
  EXPECT_EQ(clicks[1], 1);
  f.userClick(o1);  // the user's click always counts
  EXPECT_EQ(clicks[1], 2);
  f.userClick(o0);
  EXPECT_EQ(o1.value(), 0);
  EXPECT_EQ(clicks[0], 2);
  EXPECT_EQ(clicks[1], 2);
}

TEST_F(FormEvents, CheckBoxAndScrollBarReportChanges) {
  Control& box = add(Kind::CheckBox, "Box");
  int clicks = 0;
  box.onClick = [&] { ++clicks; };
  box.setValue(1);
  box.setValue(1);
  EXPECT_EQ(clicks, 1);
  f.userClick(box);
  EXPECT_EQ(box.value(), 0);
  EXPECT_EQ(clicks, 2);

  Control& bar = add(Kind::VScrollBar, "Bar");
  bar.setMax(100);
  std::vector<int> changes;
  bar.onChange = [&] { changes.push_back(bar.value()); };
  bar.setValue(60);
  bar.setValue(60);
  bar.setMax(80);  // still above the value
  bar.setMax(40);  // below: the value follows
  f.userScroll(bar, 10);
  EXPECT_EQ(changes, (std::vector<int>{60, 40, 10}));
}

TEST_F(FormEvents, TabClickReportsThePreviousTabAndHidesTheOthers) {
  Control& tabs = add(Kind::TabControl, "Tabs");
  for (const char* t : {"One", "Two", "Three"}) tabs.addItem(t);
  Control& onFirst = add(Kind::CommandButton, "OnFirst", &tabs);
  onFirst.setTabPage(0);
  std::vector<int> previous;
  tabs.onTabClick = [&](int p) { previous.push_back(p); };
  int clicks = 0;
  onFirst.onClick = [&] { ++clicks; };
  tabs.setValue(2);
  tabs.setValue(2);
  f.userTab(tabs, 1);
  EXPECT_EQ(previous, (std::vector<int>{0, 2}));
  EXPECT_FALSE(f.userClick(onFirst));
  f.userTab(tabs, 0);
  EXPECT_TRUE(f.userClick(onFirst));
  EXPECT_EQ(clicks, 1);
}

TEST_F(FormEvents, RunTimeControlsAreAddedAndRemovedByUniqueName) {
  Control& box = add(Kind::Frame, "Box");
  Control& first = add(Kind::Label, "Value1", &box);
  first.setText("kept");
  EXPECT_EQ(f.add(Kind::Label, "Value1", &box), nullptr);
  EXPECT_EQ(f.find("Value1")->text(), "kept");
  add(Kind::Label, "Cell", &box, 3);
  EXPECT_EQ(f.add(Kind::Label, "Cell", &box, 3), nullptr);
  EXPECT_EQ(f.add(Kind::Label, "Cell"), nullptr);  // the name is an array
  f.remove("Missing");
  f.remove("Cell", 7);
  f.remove("Value1");
  EXPECT_EQ(f.find("Value1"), nullptr);
  Control& again = add(Kind::TextBox, "Value1", &box);
  EXPECT_EQ(again.text(), "");
  EXPECT_EQ(f.find("Value1"), &again);
  f.remove("Box");  // takes its children along
  EXPECT_EQ(f.find("Value1"), nullptr);
  EXPECT_EQ(f.find("Cell", 3), nullptr);
  EXPECT_TRUE(f.controls().empty());
}

TEST_F(FormEvents, LockedInKeyDownRefusesEditsButNotCaretMoves) {
  Control& t = add(Kind::TextBox, "T");
  t.onKeyDown = [&](int code, int) {
    log.push_back("down");
    if (code == 65) t.setLocked(true);
  };
  t.onChange = [&] { log.push_back("change " + t.text()); };
  t.onKeyUp = [&](int, int) {
    log.push_back("up");
    t.setLocked(false);
  };
  f.userKey(t, 65, 0);
  f.userKey(t, 66, 1);
  EXPECT_EQ(log, (std::vector<std::string>{"down", "up", "down", "change B", "up"}));
  t.setText("ab");  // the caret goes to the start
  t.onKeyDown = [&](int, int) { t.setLocked(true); };
  for (int code : {35, 65, 8, 37, 46, 37, 37, 36, 39}) f.userKey(t, code, 0);
  EXPECT_EQ(t.text(), "ab");
  EXPECT_EQ(t.selStart(), 1);

  Control& list = combo("List");
  list.setListIndex(0);
  f.userKey(list, 40, 0);
  EXPECT_EQ(list.listIndex(), 1);
  list.onKeyDown = [&](int, int) { list.setLocked(true); };
  f.userKey(list, 40, 0);
  EXPECT_EQ(list.listIndex(), 1);
}

// Appending is setting the joined text: one change, the caret to the start; the length in
// characters follows every way the text changes.
TEST_F(FormEvents, AppendedTextIsTheJoinedTextCountedInCharacters) {
  Control& t = add(Kind::TextBox, "T");
  t.onChange = [&] { log.push_back("change " + t.text()); };
  t.setText("ab");
  t.setSelStart(2);
  t.appendText("\u20AC");
  t.appendText("");
  EXPECT_EQ(log, (std::vector<std::string>{"change ab", "change ab\u20AC"}));
  EXPECT_EQ(t.selStart(), 0);
  EXPECT_EQ(t.textChars(), 3);
  t.setSelStart(10);
  EXPECT_EQ(t.selStart(), 3);

  Control& list = combo("List");
  list.setListIndex(1);
  EXPECT_EQ(list.textChars(), static_cast<int>(list.text().size()));
  list.clear();
  EXPECT_EQ(list.textChars(), 0);
}

TEST_F(FormEvents, UserInputReachesOnlyUsableControls) {
  Control& frame = add(Kind::Frame, "Frame");
  Control& inner = add(Kind::CommandButton, "Inner", &frame);
  Control& button = add(Kind::CommandButton, "Button");
  int clicks = 0;
  inner.onClick = button.onClick = inner.onDblClick = [&] { ++clicks; };
  button.setVisible(false);
  EXPECT_FALSE(f.userClick(button));
  button.setVisible(true);
  button.setEnabled(false);
  EXPECT_FALSE(f.userClick(button));
  frame.setVisible(false);
  EXPECT_FALSE(f.userClick(inner));
  frame.setVisible(true);
  frame.setEnabled(false);
  EXPECT_FALSE(f.userDblClick(inner));
  frame.setEnabled(true);
  EXPECT_EQ(clicks, 0);

  form::Form dialog("Dialog", vh.host());
  vh.showModal(dialog, f);
  EXPECT_FALSE(f.userClick(inner));
  EXPECT_FALSE(f.userKey(inner, 13, 0));
  vh.closeWindow(dialog);
  EXPECT_TRUE(f.userClick(inner));
  EXPECT_EQ(clicks, 1);
  f.setModalChild(nullptr);

  f.setVisible(false);  // an unloaded or hidden screen
  EXPECT_FALSE(f.userClick(inner));
  EXPECT_EQ(clicks, 1);
}

TEST_F(FormEvents, EnterAndEscapePressTheScreensButtons) {
  Control& t = add(Kind::TextBox, "T");
  Control& ok = add(Kind::CommandButton, "Ok");
  Control& cancel = add(Kind::CommandButton, "Cancel");
  t.onKeyDown = [&](int, int) { log.push_back("key"); };
  ok.onClick = [&] { log.push_back("ok"); };
  cancel.onClick = [&] { log.push_back("cancel"); };
  f.userKey(t, 13, 0);  // no default button yet: the box gets it
  f.setDefaultButton(&ok);
  f.setCancelButton(&cancel);
  f.userKey(t, 13, 0);
  f.userKey(t, 27, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"key", "ok", "cancel"}));
}

}  // namespace
