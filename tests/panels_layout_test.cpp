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
using namespace form::colours;

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

TEST_F(PanelsLayout, FramesHoldTheirControlsAtTheirPlaces) {
  struct FrameRow {
    const char* name;
    int left, width;
    bool visible;
  };
  for (const FrameRow& r : {FrameRow{"Frame1", 120, 2655, true},
                            {"Frame2", 2880, 3135, true},
                            {"Frame3", 6120, 3015, false},
                            {"Frame5", 6120, 3015, false},
                            {"Frame6", 6120, 3015, false},
                            {"Frame8", 6120, 3015, false},
                            {"Frame7", 2880, 6255, false},
                            {"Frame9", 2880, 6255, false},
                            {"Frame10", 2880, 6375, false}}) {
    const Control& fr = f.at(r.name);
    SCOPED_TRACE(r.name);
    EXPECT_EQ(fr.container(), nullptr);
    EXPECT_EQ(fr.left(), r.left);
    EXPECT_EQ(fr.top(), 600);
    EXPECT_EQ(fr.width(), r.width);
    EXPECT_EQ(fr.height(), std::string(r.name) == "Frame1" ? 3735 : 6135);
    EXPECT_EQ(fr.visible(), r.visible);
  }
  // Every element of each array exists, in its own frame.
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

TEST_F(PanelsLayout, TestMenuAndRestartStartLocked) {
  const char* captions[] = {"Test Mode",          "IO Test",       "Bill Motor Test",
                            "Stacker Motor Test", "Sensor Adjust", "Sensor Test",
                            "Bill Length Test",   "Exit",          "Interface Setup",
                            "Erase EEPROM"};
  for (int i = 0; i < 10; ++i) {
    const Control& item = f.at("Label2", i);
    EXPECT_EQ(item.text(), captions[i]);
    EXPECT_EQ(item.visible(), i == 0) << i;
    EXPECT_TRUE(item.handCursor());
  }
  EXPECT_FALSE(f.at("Label2", 0).enabled());
  EXPECT_FALSE(f.userClick(f.at("Label2", 0)));
  EXPECT_EQ(f.at("Label2", 0).foreColor(), Yellow);
  EXPECT_EQ(f.at("Label2", 7).top(), 3000);
  EXPECT_EQ(f.at("Label2", 7).foreColor(), Red);
  EXPECT_EQ(f.at("Label2", 9).foreColor(), Purple);
  const Control& restart = f.at("Label1");
  EXPECT_TRUE(restart.visible());
  EXPECT_FALSE(restart.enabled());
  EXPECT_EQ(restart.font(), (Font{"Comic Sans MS", 14.25, true}));
}

TEST_F(PanelsLayout, IoRowsAndInterfaceOptions) {
  const char* rows[] = {"Left Input",      "Right Input",    "DipSW1",     "DipSW2",
                        "Hook Signal",     "Stacker Open",   "Bill Enter", "Fish Signal",
                        "Fish Led Status", "Stacker Sensor2"};
  for (int row = 0; row < 10; ++row) {
    const Control& caption = f.at("Label7", 2 * row + 1);
    const Control& value = f.at("Label7", 2 * row + 2);
    EXPECT_EQ(caption.text(), rows[row]);
    EXPECT_EQ(value.text(), "");
    EXPECT_EQ(value.top(), caption.top()) << caption.text();
    EXPECT_TRUE(value.border() && value.alignment() == Align::Center);
  }
  for (int i = 0; i < 7; ++i) EXPECT_EQ(f.at("Command2", i).visible(), i < 2) << i;
  EXPECT_FALSE(f.at("Label7", 22).visible());

  for (int i = 0; i < 11; ++i) EXPECT_EQ(f.at("Option1", i).value(), 0) << i;
  EXPECT_EQ(f.at("Option1", 0).tag(), "0");
}

TEST_F(PanelsLayout, VersionPanelCellsFitWithoutOverlap) {
  const Control& frame = f.at("Frame2");
  for (int i = 0; i <= 18; ++i) {
    const Control& a = f.at("Label4", i);
    EXPECT_GE(a.left(), 0);
    EXPECT_LE(a.left() + a.width(), frame.width()) << i;
    EXPECT_LE(a.top() + a.height(), frame.height()) << i;
    for (int j = 0; j < i; ++j) {
      const Control& b = f.at("Label4", j);
      const bool apart = a.left() >= b.left() + b.width() || b.left() >= a.left() + a.width() ||
                         a.top() >= b.top() + b.height() || b.top() >= a.top() + a.height();
      EXPECT_TRUE(apart) << i << " overlaps " << j;
    }
  }
  EXPECT_EQ(f.at("Label4", 3).font(), (Font{"Times New Roman", 12, true}));
  EXPECT_EQ(f.at("Label4", 15).font(), (Font{"Comic Sans MS", 12, false}));
  EXPECT_EQ(f.at("Label4", 18).foreColor(), Yellow);
}

TEST_F(PanelsLayout, PanelTimersStayIdle) {
  int ticks = 0;
  for (const char* name : {"Timer3", "Timer4"}) {
    Control& t = f.at(name);
    EXPECT_EQ(t.interval(), 400);
    EXPECT_FALSE(t.enabled());
    t.onTimer = [&ticks] { ++ticks; };
  }
  EXPECT_EQ(f.at("Timer4").tag(), "1");
  vh.runUntil(5000);
  EXPECT_EQ(ticks, 0);
}

}  // namespace
