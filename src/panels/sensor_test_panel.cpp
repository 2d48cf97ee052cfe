#include "panels/sensor_test_panel.h"

#include <utility>

#include "form/form.h"
#include "panels/panel_frame.h"

namespace panels {

using namespace form;
using namespace form::colours;

namespace {

struct Cell {
  int index;
  const char* caption;
  int left, top, width;
};

// Label8(1..9): fixed readings and the DAC caption; bordered, centred, 12 pt.
// clang-format off
constexpr Cell kCells[] = {
    {5, "AD Sensor Mode", 120, 3600, 2175},   {6, "", 2280, 3600, 855},
    {7, "DAC Bet", 3240, 3600, 2055},         {8, "", 5280, 3600, 855},
    {1, "Anti Fake Line L", 120, 4080, 2175}, {2, "", 2280, 4080, 855},
    {9, "DAC", 3240, 4080, 1095},
    {3, "Anti Fake Line R", 120, 4560, 2175}, {4, "", 2280, 4560, 855},
};
// clang-format on

}  // namespace

void AddSensorTestPanel(Form& f) {
  Control& frame = f.add(PanelFrame("Frame7", kWidePanelLeft, 6255, MenuText));
  // clang-format off
  f.add(ControlDesign{.kind = Kind::Label, .name = "Label8", .index = 0, .caption = "Sensor Test",
                      .left = 2280, .top = 120, .width = 1455, .height = 375, .fore = White,
                      .back = ButtonText, .fontSize = 12, .align = Align::Center},
        &frame);
  // The pager of the run-time grid (layout only: nothing sets its range yet).
  Control& pager = f.add(ControlDesign{.kind = Kind::HScrollBar, .name = "HScroll1",
                                       .left = 1080, .top = 1920, .width = 4815, .height = 255},
                         &frame);
  pager.setMax(0);
  f.add(ControlDesign{.kind = Kind::CommandButton, .name = "Command3", .index = 0,
                      .caption = "All LED Light", .left = 1800, .top = 2400, .width = 2775,
                      .height = 375},
        &frame);
  f.add(ControlDesign{.kind = Kind::Shape, .name = "Shape1", .left = 0, .top = 3240,
                      .width = 6255, .height = 15, .fore = Magenta, .back = Magenta},
        &frame);
  for (const Cell& c : kCells) {
    f.add(ControlDesign{.kind = Kind::Label, .name = "Label8", .index = c.index,
                        .caption = c.caption, .left = c.left, .top = c.top, .width = c.width,
                        .height = 375, .fore = HighlightText, .back = ButtonText,
                        .fontSize = 12, .align = Align::Center, .border = true},
          &frame);
  }
  // The channel list, empty.
  f.add(ControlDesign{.kind = Kind::ComboBox, .name = "DAC_Channel", .left = 4440, .top = 4080,
                      .width = 855, .height = 405},
        &frame);
  f.add(ControlDesign{.kind = Kind::TextBox, .name = "Text3", .left = 5400, .top = 4080,
                      .width = 735, .height = 375, .maxLength = 4},
        &frame);
  f.add(ControlDesign{.kind = Kind::CommandButton, .name = "Command3", .index = 1,
                      .caption = "SEND", .left = 3240, .top = 4560, .width = 2895, .height = 375},
        &frame);
  f.add(ControlDesign{.kind = Kind::Label, .name = "Label8", .index = 10, .caption = "Exit",
                      .left = 2640, .top = 5400, .width = 975, .height = 375, .fore = Red,
                      .back = ButtonText, .hand = true},
        &frame);
  // clang-format on
}

SensorTestPanel::SensorTestPanel(PanelContext& context, ReturnToMenu back,
                                 LabelFactories& factories)
    : TestPanel(context, std::move(back), "Frame7", &replies::TestStages::SensorTestOn, kMenuItem),
      factories_(factories),
      dac_(context),
      divider_(context.screen.at("Shape1")),
      level_(context.screen.at("Text3")),
      channel_(context.screen.at("DAC_Channel")),
      pager_(context.screen.at("HScroll1")) {
  for (size_t i = 0; i < label8_.size(); ++i) {
    label8_[i] = &c_.screen.at("Label8", static_cast<int>(i));
  }
  for (size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i] = &c_.screen.at("Command3", static_cast<int>(i));
  }
  c_.screen.at("Label8", 10).onClick = [this] { Exit(); };
  pager_.onChange = [this] { PageGrid(); };
}

void SensorTestPanel::Open() {
  c_.tests.SensorTestOn = true;
  frame_.setVisible(true);
  c_.tests.SensorValueRequested = false;
  c_.tests.IoByteIndex = 0;
  for (int cell : {2, 4, 6, 8}) label8_[static_cast<size_t>(cell)]->setText("");
  level_.setText("");
  channel_.clear();
  c_.line.CommandPending = 1;
  BuildSensorTestGrid();
}

void SensorTestPanel::Exit() {
  c_.tests.SensorValueRequested = false;
  Leave();
  RemoveGrid();
}

void SensorTestPanel::Reset() {
  dac_.Stop();
  frame_.setVisible(false);
  c_.tests.SensorValueRequested = false;
  if (c_.tests.SensorTestOn) RemoveGrid();
  c_.tests.SensorTestOn = false;
}

void SensorTestPanel::RemoveGrid() {
  dac_.Stop();  // nothing reaches the device after the panel is left
  channel_.clear();
  pager_.setValue(0);  // pages back while the labels still exist
  pager_.setMax(0);
  factories_.RemoveSensorTestGrid();
}

}  // namespace panels
