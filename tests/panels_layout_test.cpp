#include <gtest/gtest.h>

#include <map>
#include <string>

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
#include "replies/version_panel.h"

namespace {

using namespace form;

// The main screen's area, in twips.
constexpr int kScreenWidth = 9375, kScreenHeight = 6855;

class PanelsLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    panels::AddRestartLabel(f);
    panels::AddTestMenu(f);
    replies::AddVersionPanel(f);
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

bool Apart(const Control& a, const Control& b) {
  return a.left() >= b.left() + b.width() || b.left() >= a.left() + a.width() ||
         a.top() >= b.top() + b.height() || b.top() >= a.top() + a.height();
}

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

// The version panel's layout is the tool's own: its cells fit the frame and never overlap.
TEST_F(PanelsLayout, VersionPanelCellsFitWithoutOverlap) {
  const Control& frame = f.at("Frame2");
  for (int i = 0; i <= 18; ++i) {
    const Control& a = f.at("Label4", i);
    EXPECT_GE(a.left(), 0);
    EXPECT_LE(a.left() + a.width(), frame.width()) << i;
    EXPECT_LE(a.top() + a.height(), frame.height()) << i;
    for (int j = 0; j < i; ++j) EXPECT_TRUE(Apart(a, f.at("Label4", j))) << i << " overlaps " << j;
  }
}

TEST_F(PanelsLayout, ArraysAreWholeAndInTheirOwnFrame) {
  const std::map<std::string, std::pair<const char*, int>> arrays = {
      {"Label2", {"Frame1", 10}}, {"Label4", {"Frame2", 19}},  {"Label5", {"Frame3", 8}},
      {"Label6", {"Frame5", 5}},  {"Label7", {"Frame6", 23}},  {"Command2", {"Frame6", 7}},
      {"Label8", {"Frame7", 11}}, {"Command3", {"Frame7", 2}}, {"Label10", {"Frame8", 4}},
      {"Label9", {"Frame9", 2}},  {"Label11", {"Frame10", 2}}, {"Option1", {"Frame10", 11}}};
  for (const auto& [name, where] : arrays) {
    for (int i = 0; i < where.second; ++i) {
      const Control* c = f.find(name, i);
      ASSERT_NE(c, nullptr) << name << "(" << i << ")";
      EXPECT_EQ(c->container(), &f.at(where.first)) << c->fullName();
    }
    EXPECT_EQ(f.find(name, where.second), nullptr) << name;
  }
  for (const char* name : {"HScroll1", "Shape1", "DAC_Channel", "Text3"})
    EXPECT_EQ(f.at(name).container(), &f.at("Frame7")) << name;
  EXPECT_EQ(f.at("VScroll2").container(), &f.at("Frame9"));
  EXPECT_EQ(f.at("Picture1").container(), nullptr);
  EXPECT_EQ(f.at("ImageList1").kind(), Kind::ImageList);
}

// Idle until the DAC tool starts them.
TEST_F(PanelsLayout, PanelTimersStartIdle) {
  EXPECT_FALSE(f.at("Timer3").enabled());
  EXPECT_FALSE(f.at("Timer4").enabled());
}

}  // namespace
