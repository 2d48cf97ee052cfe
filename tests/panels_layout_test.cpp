#include <gtest/gtest.h>

#include "app/version_panel.h"
#include "form/form.h"
#include "form/virtual_host.h"
#include "panels/bill_length_panel.h"
#include "panels/bill_motor_panel.h"
#include "panels/interface_panel.h"
#include "panels/io_test_panel.h"
#include "panels/panel_timers.h"
#include "panels/picture_box.h"
#include "panels/restart.h"
#include "panels/sensor_adjust_panel.h"
#include "panels/sensor_test_panel.h"
#include "panels/stacker_panel.h"
#include "panels/test_menu.h"

namespace {

using namespace form;

// The main screen's area, in twips.
constexpr int kScreenWidth = 9375, kScreenHeight = 6855;

class PanelsLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    panels::AddRestartLabel(f);
    panels::AddTestMenu(f);
    app::AddVersionPanel(f);
    panels::AddPictureBox(f);
    panels::AddBillMotorPanel(f);
    panels::AddStackerPanel(f);
    panels::AddIoTestPanel(f);
    panels::AddSensorTestPanel(f);
    panels::AddBillLengthPanel(f);
    panels::AddSensorAdjustPanel(f);
    panels::AddInterfacePanel(f);
    panels::AddPanelTimers(f);
  }
  VirtualHost vh;
  Form f{"MainScreen", vh.host()};
};

TEST_F(PanelsLayout, FramesStandOnTheScreenAndOnlyTheMenuAndVersionPanelShow) {
  for (const Control* c : f.controls()) {
    if (c->kind() != Kind::Frame) continue;
    SCOPED_TRACE(c->fullName());
    EXPECT_EQ(c->container(), nullptr);
    EXPECT_GE(c->left(), 0);
    EXPECT_LE(c->left() + c->width(), kScreenWidth);
    EXPECT_LE(c->top() + c->height(), kScreenHeight);
    EXPECT_EQ(c->visible(), c->name() == "Frame1" || c->name() == "Frame2");
  }
}

}  // namespace
