#include "panels/sensor_adjust_panel.h"

#include <utility>

#include "form/form.h"
#include "panels/panel_frame.h"

namespace panels {

using namespace form;
using namespace form::colours;

void AddSensorAdjustPanel(Form& f) {
  Control& frame = f.add(PanelFrame("Frame9", kWidePanelLeft, 6255, ButtonText));
  // clang-format off
  f.add(ControlDesign{.kind = Kind::Label, .name = "Label9", .index = 0,
                      .caption = "Sensor Adjust", .left = 2280, .top = 120, .width = 1695,
                      .height = 375, .fore = White, .back = MenuText, .fontSize = 12,
                      .align = Align::Center},
        &frame);
  // The pager of the run-time table (layout only: nothing sets its range yet).
  Control& pager = f.add(ControlDesign{.kind = Kind::VScrollBar, .name = "VScroll2",
                                       .left = 6000, .top = 1080, .width = 255, .height = 4335},
                         &frame);
  pager.setMax(0);
  f.add(ControlDesign{.kind = Kind::Label, .name = "Label9", .index = 1, .caption = "Exit",
                      .left = 2520, .top = 5520, .width = 1215, .height = 375, .fore = Red,
                      .back = MenuText, .align = Align::Center, .hand = true},
        &frame);
  // clang-format on
}

SensorAdjustPanel::SensorAdjustPanel(PanelContext& context, ReturnToMenu back,
                                     LabelFactories& factories)
    : TestPanel(context, std::move(back), "Frame9", &replies::TestStages::SensorAdjustOn,
                kMenuItem),
      factories_(factories),
      pager_(context.screen.at("VScroll2")) {
  c_.screen.at("Label9", 1).onClick = [this] { Exit(); };
  pager_.onChange = [this] { PageTable(); };
}

void SensorAdjustPanel::Open() {
  c_.tests.SensorAdjustOn = true;
  frame_.setVisible(true);
  c_.tests.ShortReplyCount = 0;
  c_.line.CommandPending = 1;
  BuildSensorAdjustTable();
}

// With FinishAdjustMode 1 the device leaves the adjustment by itself: nothing is sent.
void SensorAdjustPanel::Exit() {
  Leave(c_.profile.FinishAdjustMode == 0);
  RemoveTable();
}

void SensorAdjustPanel::Reset() {
  frame_.setVisible(false);
  if (c_.tests.SensorAdjustOn) RemoveTable();
  c_.tests.SensorAdjustOn = false;
}

void SensorAdjustPanel::RemoveTable() {
  pager_.setValue(0);  // pages back while the labels still exist
  pager_.setMax(0);
  factories_.RemoveSensorAdjustTable();
}

}  // namespace panels
