#include "gui/form_view.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include "form/virtual_host.h"
#include "gui/control_widgets.h"
#include "gui/qt_convert.h"
#include "gui_test_app.h"

namespace gui {
namespace {

using form::ControlDesign;
using form::Kind;
namespace colours = form::colours;

class FormViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureTestApp();
    screen.setVisible(true);  // a hidden screen takes no input
    screen.setSize(6000, 4500);
    screen.setCaption("Screen");
  }
  form::Control& frame(bool visible = true) {
    return screen.add(ControlDesign{.kind = Kind::Frame,
                                    .name = "Frame1",
                                    .left = 1500,
                                    .top = 300,
                                    .width = 3000,
                                    .height = 3000,
                                    .back = colours::Black,
                                    .visible = visible});
  }
  form::Control& label(form::Control* container) {
    return screen.add(ControlDesign{.kind = Kind::Label,
                                    .name = "Label1",
                                    .index = 2,
                                    .caption = "Hello",
                                    .left = 150,
                                    .top = 450,
                                    .width = 1200,
                                    .height = 300,
                                    .fore = colours::Yellow,
                                    .back = colours::Black,
                                    .fontSize = 12,
                                    .bold = true},
                      container);
  }
  static void DeliverDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  form::VirtualHost host;
  form::Form screen{"Screen", host.host()};
};

TEST_F(FormViewTest, DrawsTheModelAndFollowsItsChanges) {
  form::Control& box = frame();
  form::Control& cell = label(&box);
  FormView view(screen);
  auto* w = qobject_cast<QLabel*>(view.widgetFor(cell));
  ASSERT_TRUE(w);
  EXPECT_EQ(w->parentWidget(), view.widgetFor(box));
  EXPECT_EQ(view.widgetFor(box)->geometry(), QRect(100, 20, 200, 200));
  EXPECT_EQ(w->geometry(), QRect(10, 30, 80, 20));
  EXPECT_EQ(view.size(), QSize(400, 300));
  EXPECT_EQ(view.windowTitle(), "Screen");
  EXPECT_EQ(w->text(), "Hello");
  EXPECT_EQ(w->palette().color(QPalette::WindowText), QColor(255, 255, 0));
  EXPECT_EQ(w->palette().color(QPalette::Window), QColor(0, 0, 0));
  EXPECT_TRUE(w->font().bold());
  EXPECT_EQ(w->font().pixelSize(), 16);
  // The design's font, or what stands in for it.
  const QStringList installed = QFontDatabase::families();
  const QString drawn = QFontInfo(w->font()).family();
  EXPECT_EQ(drawn, installed.contains("Comic Sans MS") ? "Comic Sans MS"
                   : installed.contains("Comic Neue")  ? "Comic Neue"
                                                       : "Liberation Sans");
  EXPECT_EQ(QFontInfo(ToQFont({.name = "Times New Roman"})).family(),
            installed.contains("Times New Roman") ? "Times New Roman" : "Liberation Serif");
  EXPECT_FALSE(w->isHidden());

  cell.setText("World");
  cell.setLeft(300);
  cell.setForeColor(colours::WindowText);  // a system colour
  cell.setHandCursor(true);
  box.setVisible(false);
  EXPECT_EQ(w->text(), "Hello");  // drawn from the event loop
  view.sync();
  // With the hand cursor it is a button, on a new widget.
  w = qobject_cast<QLabel*>(view.widgetFor(cell));
  ASSERT_TRUE(qobject_cast<ButtonLabel*>(w));
  EXPECT_EQ(w->text(), "World");
  EXPECT_EQ(w->x(), 20);
  EXPECT_EQ(w->palette().color(QPalette::WindowText), QColor(0, 0, 0));
  EXPECT_EQ(w->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_TRUE(view.widgetFor(box)->isHidden());
  EXPECT_FALSE(w->isHidden());  // hidden with its frame, not by itself
}

TEST_F(FormViewTest, AControlGetsItsWidgetOnceItCanShowStackedInScreenOrder) {
  form::Control& box = frame(false);
  form::Control& under = label(&box);
  under.setVisible(false);
  form::Control& over = screen.add(ControlDesign{.kind = Kind::Label,
                                                 .name = "Label2",
                                                 .caption = "Over",
                                                 .left = 150,
                                                 .top = 450,
                                                 .width = 1200,
                                                 .height = 300},
                                   &box);
  FormView view(screen);
  EXPECT_EQ(view.widgetFor(box), nullptr);
  EXPECT_EQ(view.widgetFor(over), nullptr);
  box.setVisible(true);
  view.sync();
  ASSERT_TRUE(view.widgetFor(box));
  ASSERT_TRUE(view.widgetFor(over));
  EXPECT_EQ(view.widgetFor(under), nullptr);

  under.setVisible(true);
  view.sync();
  auto* w = qobject_cast<QLabel*>(view.widgetFor(under));
  ASSERT_TRUE(w);
  EXPECT_EQ(w->text(), "Hello");
  EXPECT_FALSE(w->isHidden());
  // Made last, it still lies below the control that follows it on the screen.
  EXPECT_EQ(view.widgetFor(box)->childAt(w->geometry().center()), view.widgetFor(over));
}

TEST_F(FormViewTest, ControlsAddedAndRemovedAtRunTimeComeAndGoAtOnce) {
  form::Control& box = frame();
  FormView view(screen);
  form::Control* cell = screen.add(Kind::Label, "Cell", &box, 5);
  ASSERT_TRUE(cell);
  cell->setBounds(0, 0, 600, 300);
  QPointer<QWidget> w = view.widgetFor(*cell);
  ASSERT_TRUE(w);
  view.sync();
  EXPECT_EQ(w->geometry(), QRect(0, 0, 40, 20));
  EXPECT_FALSE(w->isHidden());
  screen.remove("Cell", 5);
  EXPECT_TRUE(w.isNull());

  // Removing a frame takes its children; a label may remove itself from its own click.
  form::Control& self = label(&box);
  self.onClick = [&] { screen.remove(&box); };
  view.show();
  view.sync();
  QPointer<QWidget> selfWidget = view.widgetFor(self);
  QPointer<QWidget> boxWidget = view.widgetFor(box);
  QTest::mouseClick(selfWidget, Qt::LeftButton);
  EXPECT_EQ(screen.find("Frame1"), nullptr);
  EXPECT_TRUE(boxWidget.isNull());
  DeliverDeletes();
  EXPECT_TRUE(selfWidget.isNull());
}

TEST_F(FormViewTest, ClicksReachOnlyUsableControlsOfAnActiveScreen) {
  form::Control& box = frame();
  form::Control& cell = label(&box);
  int clicks = 0, doubles = 0;
  cell.onClick = [&] { ++clicks; };
  cell.onDblClick = [&] { ++doubles; };
  FormView view(screen);
  view.show();
  QWidget* w = view.widgetFor(cell);
  const auto click = [&] {
    view.sync();
    QTest::mouseClick(w, Qt::LeftButton);
    return clicks;
  };
  EXPECT_EQ(click(), 1);
  QTest::mouseDClick(w, Qt::LeftButton);
  EXPECT_EQ(doubles, 1);
  const int afterDouble = clicks;

  box.setEnabled(false);  // the label still looks enabled, but takes no click
  EXPECT_EQ(click(), afterDouble);
  box.setEnabled(true);

  form::Form modal("Modal", host.host());
  screen.setModalChild(&modal);
  modal.setVisible(true);
  EXPECT_EQ(click(), afterDouble);
  modal.setVisible(false);
  EXPECT_EQ(click(), afterDouble + 1);
}

TEST_F(FormViewTest, ComboShowsTheModelsItemsAndSelection) {
  form::Control& combo = screen.add(ControlDesign{
      .kind = Kind::ComboBox, .name = "Combo1", .left = 0, .top = 0, .width = 1500, .height = 330});
  for (const char* item : {"1", "2", "3"}) combo.addItem(item);
  FormView view(screen);
  auto* w = qobject_cast<QComboBox*>(view.widgetFor(combo));
  ASSERT_TRUE(w);
  combo.addItem("4");
  combo.setListIndex(3);
  view.sync();
  EXPECT_EQ(w->count(), 4);
  EXPECT_EQ(w->currentIndex(), 3);
  EXPECT_EQ(w->currentText(), "4");
}

TEST_F(FormViewTest, StatusBarSitsBelowTheScreenWithItsPanels) {
  screen.setSize(6000, 3000);
  form::Control* bar = screen.add(Kind::StatusBar, "StatusBar1");
  bar->setBounds(0, 3000, 6000, 375);
  bar->addPanel("Mode", 1500);
  bar->addPanel("", 3000);
  FormView view(screen);
  auto* strip = qobject_cast<StatusStrip*>(view.widgetFor(*bar));
  ASSERT_TRUE(strip);
  EXPECT_EQ(strip->geometry(), QRect(0, 200, 400, 25));
  EXPECT_EQ(view.size(), QSize(400, 225));
  ASSERT_EQ(strip->panelLabels().size(), 2u);
  EXPECT_EQ(strip->panelLabels()[0]->text(), "Mode");
  EXPECT_EQ(strip->panelLabels()[1]->x() - strip->panelLabels()[0]->x(), 100);
  bar->setPanelText(2, "User Mode");
  view.sync();
  EXPECT_EQ(strip->panelLabels()[1]->text(), "User Mode");
}

TEST_F(FormViewTest, MultiLineLogScrollsToItsCaret) {
  form::Control& log = screen.add(ControlDesign{
      .kind = Kind::TextBox, .name = "Text1", .left = 0, .top = 0, .width = 3000, .height = 1500});
  log.setMultiLine(true);
  FormView view(screen);
  view.show();
  auto* w = qobject_cast<QPlainTextEdit*>(view.widgetFor(log));
  ASSERT_TRUE(w);
  std::string text;
  for (int i = 0; i < 60; ++i) {
    text += "line " + std::to_string(i) + "\r\n";
    log.setText(text);
    log.setSelStart(static_cast<int>(text.size()));
    if (i % 20 == 0) view.sync();
  }
  view.sync();
  EXPECT_EQ(w->toPlainText().count('\n'), 60);
  EXPECT_EQ(w->textCursor().position(), w->document()->characterCount() - 1);
  EXPECT_GT(w->verticalScrollBar()->value(), 0);
  EXPECT_EQ(w->verticalScrollBar()->value(), w->verticalScrollBar()->maximum());
}

TEST_F(FormViewTest, TabsShowTheirControlsAndReportTheTabLeft) {
  form::Control& tabs = *screen.add(Kind::TabControl, "SSTab1");
  tabs.setBounds(0, 0, 4500, 3000);
  tabs.addItem("Login");
  tabs.addItem("System");
  form::Control& onSecond = label(&tabs);
  onSecond.setTabPage(1);
  int left = -1;
  tabs.onTabClick = [&](int previous) { left = previous; };
  FormView view(screen);
  view.show();
  QWidget* w = view.widgetFor(onSecond);
  EXPECT_TRUE(w->isHidden());
  auto* bar = static_cast<TabWidget*>(view.widgetFor(tabs))->tabBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
  EXPECT_EQ(tabs.value(), 1);
  EXPECT_EQ(left, 0);
  view.sync();
  EXPECT_FALSE(w->isHidden());
}

TEST_F(FormViewTest, OptionClickSelectsItAndClearsItsSiblingsOnScreen) {
  form::Control& box = frame();
  form::Control* options[2];
  for (int i = 0; i < 2; ++i) {
    options[i] = screen.add(Kind::OptionButton, "Option1", &box, i);
    options[i]->setBounds(120, 300 + 400 * i, 1500, 300);
  }
  options[0]->setValue(1);
  FormView view(screen);
  view.show();
  auto* first = qobject_cast<QRadioButton*>(view.widgetFor(*options[0]));
  auto* second = qobject_cast<QRadioButton*>(view.widgetFor(*options[1]));
  const QPoint indicator(6, second->height() / 2);
  QTest::mouseClick(second, Qt::LeftButton, {}, indicator);
  EXPECT_EQ(options[1]->value(), 1);
  EXPECT_EQ(options[0]->value(), 0);
  view.sync();
  EXPECT_TRUE(second->isChecked());
  EXPECT_FALSE(first->isChecked());
  QTest::mouseClick(second, Qt::LeftButton, {}, indicator);  // Qt alone would toggle it off
  view.sync();
  EXPECT_TRUE(second->isChecked());
}

TEST_F(FormViewTest, PictureBoxShowsItsPictureFileOrNothing) {
  QTemporaryDir dir;
  const QString file = dir.filePath("led.png");
  QImage(8, 8, QImage::Format_RGB32).save(file);
  form::Control* picture = screen.add(Kind::PictureBox, "Picture1");
  picture->setBounds(0, 0, 1500, 1500);
  picture->setImage(file.toStdString());
  FormView view(screen);
  auto* w = qobject_cast<PictureWidget*>(view.widgetFor(*picture));
  ASSERT_TRUE(w);
  EXPECT_TRUE(w->hasImage());
  picture->setImage("");
  view.sync();
  EXPECT_FALSE(w->hasImage());
  picture->setImage(dir.filePath("missing.png").toStdString());
  view.sync();
  EXPECT_FALSE(w->hasImage());
}

}  // namespace
}  // namespace gui
