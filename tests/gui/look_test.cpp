// How both screens look with the fonts this machine has: every design caption fits its control.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFontInfo>
#include <QLabel>
#include <QStyleOptionButton>
#include <string>
#include <vector>

#include "../test_support.h"
#include "app/application.h"
#include "form/virtual_host.h"
#include "gui/form_view.h"
#include "gui/qt_convert.h"
#include "gui_test_app.h"

namespace gui {
namespace {

using form::Kind;

// The pixels a caption's widget gives its text, one line wide, or -1 when the caption wraps.
int TextRoom(const form::Control& c, QWidget& w) {
  if (auto* label = qobject_cast<QLabel*>(&w)) {
    if (label->wordWrap()) return -1;
    return label->contentsRect().width();
  }
  if (auto* button = qobject_cast<QAbstractButton*>(&w)) {
    QStyleOptionButton opt;
    opt.initFrom(button);
    opt.text = button->text();
    const auto element = c.kind() == Kind::CheckBox       ? QStyle::SE_CheckBoxContents
                         : c.kind() == Kind::OptionButton ? QStyle::SE_RadioButtonContents
                                                          : QStyle::SE_PushButtonContents;
    return w.style()->subElementRect(element, &opt, &w).width();
  }
  if (c.kind() == Kind::Frame) return w.width() - 16;  // FrameWidget's caption box
  return 0;
}

// "Name: needs N px, has M" for each control whose caption does not fit, across or down.
std::vector<std::string> Clipped(const form::Form& screen, FormView& view) {
  std::vector<std::string> out;
  for (const form::Control* c : screen.controls()) {
    QWidget* w = view.widgetFor(*c);
    if (!w || c->text().empty()) continue;
    const int room = TextRoom(*c, *w);
    if (room == 0) continue;
    const QFontMetrics fm(ToQFont(c->font()));  // as designed, not as fitted
    const QString text = ToQString(c->text());
    int need = 0, has = 0;
    if (room < 0) {  // wrapped: the lines must fit the height
      need = fm.boundingRect(w->contentsRect(), Qt::TextWordWrap, text).height();
      has = w->contentsRect().height();
    } else if (qobject_cast<QLabel*>(w) && fm.height() > w->contentsRect().height()) {
      need = fm.height();  // one line, cut at the bottom
      has = w->contentsRect().height();
    } else {
      need = fm.horizontalAdvance(text);
      has = room;
    }
    if (need > has) {
      out.push_back(c->fullName() + " \"" + c->text() + "\": needs " + std::to_string(need) +
                    " px, has " + std::to_string(has) + " (" +
                    ToUtf8(QFontInfo(w->font()).family()) + ")");
    }
  }
  return out;
}

TEST(Look, EveryDesignCaptionFitsItsControl) {
  EnsureTestApp();
  support::Tool tool;
  for (form::Form* screen : {&tool.app.mainForm(), &tool.app.setupForm()}) {
    FormView view(*screen);
    view.bindAll();  // the hidden panels too
    view.sync();
    for (const std::string& c : Clipped(*screen, view)) ADD_FAILURE() << c;
  }
}

TEST(Look, AValueTooWideForItsLabelIsDrawnSmallerNotCut) {
  EnsureTestApp();
  form::VirtualHost host;
  form::Form screen("Screen", host.host());
  // The bill motor's raster display: sized for two digits of its font.
  form::Control& display = screen.add({.kind = Kind::Label,
                                       .name = "Label5",
                                       .index = 6,
                                       .width = 2775,
                                       .height = 2535,
                                       .fontSize = 99.75,
                                       .bold = true});
  FormView view(screen);
  auto* w = qobject_cast<QLabel*>(view.widgetFor(display));
  const int designed = ToQFont(display.font()).pixelSize();
  display.setText("200");
  view.sync();
  EXPECT_LT(w->font().pixelSize(), designed);
  EXPECT_LE(QFontMetrics(w->font()).horizontalAdvance("200"), w->contentsRect().width());
  display.setText("7");
  view.sync();
  EXPECT_EQ(w->font().pixelSize(), designed);
}

TEST(Look, DisabledTextFadesIntoItsBackground) {
  EnsureTestApp();
  form::VirtualHost host;
  form::Form screen("Screen", host.host());
  screen.setVisible(true);
  form::Control& dark = screen.add({.kind = Kind::Label,
                                    .name = "Dark",
                                    .caption = "x",
                                    .fore = form::colours::Black,
                                    .back = form::colours::White,
                                    .enabled = false});
  form::Control& light = screen.add({.kind = Kind::Label,
                                     .name = "Light",
                                     .caption = "x",
                                     .fore = form::colours::White,
                                     .back = form::colours::Black,
                                     .enabled = false});
  FormView view(screen);
  for (const form::Control* c : {&dark, &light}) {
    QWidget* w = view.widgetFor(*c);
    const QColor drawn = w->palette().color(QPalette::Disabled, QPalette::WindowText);
    EXPECT_FALSE(w->isEnabled());
    EXPECT_NEAR(drawn.red(), 127, 1) << c->name();
    EXPECT_EQ(drawn.red(), drawn.blue()) << c->name();
  }
}

}  // namespace
}  // namespace gui
