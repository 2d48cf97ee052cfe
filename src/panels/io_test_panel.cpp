#include "panels/io_test_panel.h"

#include "form/form.h"
#include "panels/panel_frame.h"

namespace panels {

using namespace form;
using namespace form::colours;

namespace {

struct Cell {
  const char* caption;
  int left, top, width;
};

// Label7(1..20): a row caption and its value cell per line, all 375 high.
// clang-format off
constexpr Cell kRows[] = {
    {"Left Input", 120, 840, 1455},       {"", 1560, 840, 495},
    {"Right Input", 120, 1320, 1455},     {"", 1560, 1320, 495},
    {"DipSW1", 120, 1800, 1215},          {"", 1320, 1800, 1575},
    {"DipSW2", 120, 2160, 1215},          {"", 1320, 2160, 1575},
    {"Hook Signal", 120, 2640, 1935},     {"", 2040, 2640, 495},
    {"Stacker Open", 120, 3120, 1935},    {"", 2040, 3120, 495},
    {"Bill Enter", 120, 3600, 1935},      {"", 2040, 3600, 495},
    {"Fish Signal", 120, 4080, 1935},     {"", 2040, 4080, 495},
    {"Fish Led Status", 120, 4560, 1935}, {"", 2040, 4560, 495},
    {"Stacker Sensor2", 120, 5040, 1935}, {"", 2040, 5040, 495},
};

struct Button {
  const char* caption;
  int left, top, width;
  bool visible;
};

// Command2(0..6): fish LED toggle, pulse, then the LED mask buttons (hidden at start).
constexpr Button kButtons[] = {
    {"S", 2640, 4560, 255, true},     {"Pulse", 2160, 1080, 735, true},
    {"Red", 120, 4560, 735, false},   {"Green", 960, 4560, 735, false},
    {"Blue", 1800, 4560, 735, false}, {"ZRN", 480, 5040, 735, false},
    {"All Dark", 1320, 5040, 975, false},
};
// clang-format on

}  // namespace

void AddIoTestPanel(Form& f) {
  Control& frame = f.add(PanelFrame("Frame6", kNarrowPanelLeft, kNarrowPanelWidth, MenuText));
  // clang-format off
  f.add(ControlDesign{.kind = Kind::Label, .name = "Label7", .index = 0, .caption = "IO Test",
                      .left = 960, .top = 240, .width = 1095, .height = 375,
                      .fore = Highlight3D, .back = ButtonText, .fontSize = 12},
        &frame);
  int index = 1;
  for (const Cell& c : kRows) {
    f.add(ControlDesign{.kind = Kind::Label, .name = "Label7", .index = index++,
                        .caption = c.caption, .left = c.left, .top = c.top, .width = c.width,
                        .height = 375, .fore = Highlight3D, .back = ButtonText, .fontSize = 12,
                        .align = Align::Center, .border = true},
          &frame);
  }
  f.add(ControlDesign{.kind = Kind::Label, .name = "Label7", .index = 21, .caption = "Exit",
                      .left = 1080, .top = 5520, .width = 735, .height = 375,
                      .fore = Red, .back = ButtonText, .hand = true},
        &frame);
  f.add(ControlDesign{.kind = Kind::Label, .name = "Label7", .index = 22,
                      .caption = "Mask LED Test", .left = 480, .top = 4080, .width = 1815,
                      .height = 375, .fore = Highlight3D, .back = ButtonText, .fontSize = 12,
                      .visible = false},
        &frame);
  index = 0;
  for (const Button& b : kButtons) {
    f.add(ControlDesign{.kind = Kind::CommandButton, .name = "Command2", .index = index++,
                        .caption = b.caption, .left = b.left, .top = b.top, .width = b.width,
                        .height = 375, .fontSize = 9.75, .bold = true, .visible = b.visible},
          &frame);
  }
  // clang-format on
}

}  // namespace panels
