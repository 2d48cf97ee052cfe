// What assistive tools get from the view, through the Qt interfaces its AT-SPI bridge
// publishes: names, roles, states and press actions, the tab order, the captions of boxes.
// (scripts/a11y-check.sh asks a real AT-SPI bus.)
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QTest>
#include <vector>

#include "../test_support.h"
#include "app/application.h"
#include "form/virtual_host.h"
#include "gui/control_widgets.h"
#include "gui/form_view.h"
#include "gui_test_app.h"

namespace gui {
namespace {

using form::Control;
using form::ControlDesign;
using form::Kind;

QAccessibleInterface* Iface(QWidget* w) {
  return QAccessible::queryAccessibleInterface(w);
}

QAccessible::Role ExpectedRole(const Control& c) {
  switch (c.kind()) {
    case Kind::Label:
      return c.handCursor() ? QAccessible::Button : QAccessible::StaticText;
    case Kind::PictureBox:
      return c.handCursor() ? QAccessible::Button : QAccessible::Graphic;
    case Kind::CommandButton:
      return QAccessible::PushButton;
    case Kind::CheckBox:
      return QAccessible::CheckBox;
    case Kind::OptionButton:
      return QAccessible::RadioButton;
    case Kind::TextBox:
      return QAccessible::EditableText;
    case Kind::ComboBox:
      return QAccessible::ComboBox;
    case Kind::ListBox:
      return QAccessible::List;
    case Kind::HScrollBar:
    case Kind::VScrollBar:
      return QAccessible::ScrollBar;
    case Kind::Frame:
    case Kind::TabControl:
      return QAccessible::Grouping;
    case Kind::StatusBar:
      return QAccessible::StatusBar;
    case Kind::Shape:
      return QAccessible::Separator;
    default:
      return QAccessible::NoRole;
  }
}

bool Presses(QWidget* w) {
  QAccessibleActionInterface* actions = Iface(w)->actionInterface();
  return actions && actions->actionNames().contains(QAccessibleActionInterface::pressAction());
}

TEST(Accessibility, BothScreensNameEveryControlWithItsRoleAndState) {
  EnsureTestApp();
  support::Tool tool;
  FormView main(tool.app.mainForm());
  FormView setup(tool.app.setupForm(), nullptr, Qt::Dialog);
  EXPECT_EQ(Iface(&main)->role(), QAccessible::Window);
  EXPECT_EQ(Iface(&setup)->role(), QAccessible::Dialog);
  for (FormView* view : {&main, &setup}) {
    view->bindAll();  // the hidden panels too
    view->sync();
    for (const Control* c : view->screen()->controls()) {
      QWidget* w = view->widgetFor(*c);
      if (!w) continue;
      SCOPED_TRACE(c->fullName());
      EXPECT_FALSE(w->accessibleName().isEmpty());
      EXPECT_EQ(Iface(w)->role(), ExpectedRole(*c));
      if (c->kind() == Kind::Label || c->kind() == Kind::PictureBox) {
        EXPECT_EQ(Presses(w), c->handCursor());
      }
      if (c->kind() == Kind::CommandButton) {
        EXPECT_TRUE(Presses(w));
      }
      // Containers draw their own state (a disabled frame leaves its controls alone).
      if (c->kind() != Kind::Frame && c->kind() != Kind::TabControl &&
          c->kind() != Kind::PictureBox && c->kind() != Kind::StatusBar) {
        EXPECT_EQ(Iface(w)->state().disabled, !c->enabled());
      }
    }
  }
  form::Form& screen = tool.app.mainForm();
  EXPECT_EQ(main.widgetFor(screen.at("Label2", 0))->accessibleName(), "Test Mode");
  EXPECT_TRUE(Iface(main.widgetFor(screen.at("Label2", 0)))->state().disabled);
  QWidget* ports = main.widgetFor(screen.at("ComPortList"));
  EXPECT_EQ(ports->accessibleName(), "Com Port");
  EXPECT_EQ(qobject_cast<QLabel*>(main.widgetFor(screen.at("Label3")))->buddy(), ports);
  EXPECT_EQ(main.widgetFor(screen.at("Text2"))->accessibleName(), "Text2");  // no caption

  // A status panel shows its whole text as tool tip; one without text is named by its place.
  tool.app.main().setStatusText(6, "Serial RS-232 V1.2+Serial TTL V1.4");
  main.sync();
  auto* strip = qobject_cast<StatusStrip*>(main.widgetFor(screen.at("StatusBar1")));
  ASSERT_TRUE(strip);
  EXPECT_EQ(strip->panelLabels()[5]->toolTip(), "Serial RS-232 V1.2+Serial TTL V1.4");
  EXPECT_EQ(strip->panelLabels()[3]->accessibleName(), "StatusBar1 panel 4");
}

class ViewAccessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureTestApp();
    screen.setVisible(true);
    screen.setSize(6000, 4500);
  }
  Control& add(Kind kind, const char* name, int index, const char* caption, int left, int top,
               int width, int height, Control* container = nullptr) {
    return screen.add(ControlDesign{.kind = kind,
                                    .name = name,
                                    .index = index,
                                    .caption = caption,
                                    .left = left,
                                    .top = top,
                                    .width = width,
                                    .height = height},
                      container);
  }

  form::VirtualHost host;
  form::Form screen{"Screen", host.host()};
};

TEST_F(ViewAccessTest, ButtonLabelsArePressedByToolsAndKeysThroughTheModel) {
  Control& go = add(Kind::Label, "Label1", 0, "Go", 0, 0, 900, 375);
  Control& off = add(Kind::Label, "Label1", 1, "Off", 0, 600, 900, 375);
  go.setHandCursor(true);
  off.setHandCursor(true);
  off.setEnabled(false);
  int clicks = 0;
  go.onClick = off.onClick = [&clicks] { ++clicks; };
  FormView view(screen);
  QWidget* w = view.widgetFor(go);
  ASSERT_TRUE(Presses(w));

  Iface(w)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(clicks, 0);  // later, so that the tool asking is answered first
  QCoreApplication::processEvents();
  EXPECT_EQ(clicks, 1);
  QTest::keyClick(w, Qt::Key_Space);
  QTest::keyClick(w, Qt::Key_Return);
  EXPECT_EQ(clicks, 3);
  Iface(view.widgetFor(off))
      ->actionInterface()
      ->doAction(QAccessibleActionInterface::pressAction());
  QCoreApplication::processEvents();
  EXPECT_EQ(clicks, 3);  // disabled

  // The name follows the caption; without one it is the form name.
  go.setText("Stop");
  view.sync();
  EXPECT_EQ(Iface(w)->text(QAccessible::Name), "Stop");
  go.setText("");
  view.sync();
  EXPECT_EQ(Iface(w)->text(QAccessible::Name), "Label1(0)");
}

TEST_F(ViewAccessTest, BoxesTakeTheirCaptionsAndTabFollowsTheLayout) {
  Control& frame = add(Kind::Frame, "Frame1", -1, "", 0, 0, 6000, 4000);
  // Added out of reading order: a grid's second column first, then the field above it.
  Control& cell1 = add(Kind::TextBox, "Cell", 1, "", 1260, 940, 600, 375, &frame);
  add(Kind::Label, "Head", 0, "1", 660, 660, 600, 255, &frame);
  add(Kind::Label, "Head", 1, "2", 1260, 660, 600, 255, &frame);
  add(Kind::Label, "Row", -1, "Min", 0, 1000, 600, 255, &frame);
  Control& cell0 = add(Kind::TextBox, "Cell", 0, "", 660, 940, 600, 375, &frame);
  Control& port = add(Kind::Label, "Port", -1, "Port", 0, 60, 600, 255, &frame);
  Control& text = add(Kind::TextBox, "Text1", -1, "", 660, 0, 600, 375, &frame);
  Control& lone = add(Kind::TextBox, "Text9", -1, "", 4000, 3000, 600, 375, &frame);
  Control& amp = add(Kind::Label, "Amp", -1, "R&D", 3300, 2060, 600, 255, &frame);
  Control& rd = add(Kind::TextBox, "Text8", -1, "", 4000, 2000, 600, 375, &frame);
  FormView view(screen);
  auto name = [&](const Control& c) { return view.widgetFor(c)->accessibleName(); };
  auto label = [&](const Control& c) { return qobject_cast<QLabel*>(view.widgetFor(c)); };

  EXPECT_EQ(name(text), "Port");
  EXPECT_EQ(label(port)->buddy(), view.widgetFor(text));
  EXPECT_EQ(name(cell0), "Min 1");
  EXPECT_EQ(name(cell1), "Min 2");
  EXPECT_EQ(name(lone), "Text9");
  EXPECT_EQ(name(rd), "R&D");
  EXPECT_EQ(label(amp)->buddy(), nullptr);  // it would hide the '&'
  port.setText("Line");
  view.sync();
  EXPECT_EQ(name(text), "Line");

  std::vector<QWidget*> order;
  QWidget* w = view.widgetFor(text);
  for (int i = 0; i < 5; ++i, w = w->nextInFocusChain()) {
    while (w->focusPolicy() == Qt::NoFocus) w = w->nextInFocusChain();
    order.push_back(w);
  }
  const std::vector<QWidget*> expected = {view.widgetFor(text), view.widgetFor(cell0),
                                          view.widgetFor(cell1), view.widgetFor(rd),
                                          view.widgetFor(lone)};
  EXPECT_EQ(order, expected);
}

}  // namespace
}  // namespace gui
