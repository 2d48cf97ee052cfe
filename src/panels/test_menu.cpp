#include "panels/test_menu.h"

#include "form/form.h"

namespace panels {

using namespace form;
using namespace form::colours;

namespace {

struct MenuItem {
  const char* caption;
  int left, top, width, height;
  Colour fore;
};

// Label2 in index order. Items 1..9 start hidden.
constexpr MenuItem kItems[] = {
    {"Test Mode", 120, 120, 1695, 375, Yellow},
    {"IO Test", 360, 480, 975, 375, HighlightText},
    {"Bill Motor Test", 360, 840, 1815, 375, HighlightText},
    {"Stacker Motor Test", 360, 1200, 2295, 495, HighlightText},
    {"Sensor Adjust", 360, 1560, 1815, 375, HighlightText},
    {"Sensor Test", 360, 1920, 1695, 375, HighlightText},
    {"Bill Length Test", 360, 2280, 1815, 375, HighlightText},
    {"Exit", 360, 3000, 1815, 375, Red},
    {"Interface Setup", 360, 2640, 2055, 375, HighlightText},
    {"Erase EEPROM", 360, 3360, 1815, 375, Purple},
};

}  // namespace

void AddTestMenu(Form& f) {
  Control& frame = f.add(ControlDesign{.kind = Kind::Frame,
                                       .name = "Frame1",
                                       .left = 120,
                                       .top = 600,
                                       .width = 2655,
                                       .height = 3735,
                                       .fore = HighlightText,
                                       .back = ButtonText});
  int index = 0;
  for (const MenuItem& item : kItems) {
    const bool first = index == 0;
    f.add(ControlDesign{.kind = Kind::Label,
                        .name = "Label2",
                        .index = index++,
                        .caption = item.caption,
                        .left = item.left,
                        .top = item.top,
                        .width = item.width,
                        .height = item.height,
                        .fore = item.fore,
                        .back = ButtonText,
                        .fontSize = 12,
                        .visible = first,
                        .enabled = !first,  // a known device's report enables "Test Mode"
                        .hand = true},
          &frame);
  }
}

}  // namespace panels
