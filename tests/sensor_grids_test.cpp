// The sensor panels' run-time grids and Restart, driven as a technician does against the
// sample systems (Delta mode 3 N 6, India mode 7 N 16, Hotel mode 6 N 12, Golf mode 5 N 85,
// Juliett mode 8 N 8).
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/main_screen.h"
#include "form/virtual_host.h"
#include "panels/label_factories.h"
#include "report_session.h"

namespace {

using report_test::Session;

const char* const kDelta =
    "\"&M091MTN06\" 0x04 0x09 0x00 0x03 0x40 0x00 0x00 0x00 0x0A 0x0B 0x0C 0x0D 0x80 0x01";
const char* const kIndia = "\"ZRNVQP-30012020000JD001\" 0x5A 0x3C 0x01 0x02 0x00 0x81 0x50";
const char* const kHotel = "\"ZRNQ48-21012013402JD001\" 0x5A 0x3C 0x01 0x02 0x00 0x81 0x50";
const char* const kJuliett = "\"ZRNW60-06014013403JD001\" 0x5A 0x3C 0x01 0x02 0x00 0x81 0x4E";
const char* const kGolf = "\"ZRNNSW-10521013101JD001\" 0x5A 0x3C 0x01 0x02 0x00 0x81 0x50";

class Grids : public ::testing::Test {
 protected:
  // The system reports itself, "Test Mode" opens the menu.
  void OpenMenu(const char* report, const std::string& access = "Engineer Mode") {
    session_ = std::make_unique<Session>();
    report_test::CopySampleSet(s().dir().path());
    s().run("wait 1150");
    s().feed(report);
    s().run("wait 1700");
    main().setStatusText(8, access);
    s().run("click Label2(0)");
    s().run("sent");
  }
  Session& s() { return *session_; }
  app::MainScreen& main() { return s().runner().application().main(); }
  bool exists(const std::string& c) { return s().show(c).at("exists"); }
  bool visible(const std::string& c) { return s().show(c).at("visible"); }
  int left(const std::string& c) { return s().show(c).at("left"); }
  int top(const std::string& c) { return s().show(c).at("top"); }
  int runTimeLabels() {
    int n = 0;
    for (const form::Control* c : main().form().controls()) {
      const std::string& name = c->name();
      n += name.rfind("Name", 0) == 0 || name.rfind("Value", 0) == 0 ||
           name.rfind("AdjName", 0) == 0 || name.rfind("AdjValue", 0) == 0;
    }
    return n;
  }
  std::vector<int> sent() { return s().sent(); }

 private:
  std::unique_ptr<Session> session_;
};

TEST_F(Grids, SensorTestColumnsArePagedEightAtATime) {
  OpenMenu(kIndia);  // mode 7: three leading columns, then channels 1 to 16
  s().run("click Label2(5)");
  EXPECT_EQ(runTimeLabels(), 2 + 19 * 3);
  const std::string names[] = {"L", "R", "M", "1"};  // the grid's and the DAC list's
  for (int k = 1; k <= 4; ++k) {
    EXPECT_EQ(s().text("SensorTestHeadings(" + std::to_string(k + 2) + ")"), names[k - 1]);
    EXPECT_EQ(s().show("DAC_Channel").at("items").at(k - 1), names[k - 1]);
  }
  EXPECT_EQ(s().show("DAC_Channel").at("items").size(), 19u);
  EXPECT_EQ(s().show("DAC_Channel").at("listIndex"), 0);
  EXPECT_EQ(left("SensorTestValues(1)"), 1080);
  EXPECT_EQ(left("SensorTestValues(17)"), 7320);  // column 9 opens page 1
  EXPECT_EQ(s().show("HScroll1").at("max"), 2);
  EXPECT_EQ(s().text("Label8(1)"), "AD Sensor Mode 2");
  EXPECT_FALSE(visible("Label8(3)"));
  s().run("scroll HScroll1 1");
  EXPECT_EQ(left("SensorTestValues(17)"), 1080);
  EXPECT_EQ(left("SensorTestHeadings(1)"), 360);  // the row headings stay
  s().run("scroll HScroll1 0");
  EXPECT_EQ(left("SensorTestValues(17)"), 7320);

  s().run("click Label8(10)");  // Exit removes every label
  EXPECT_EQ(runTimeLabels(), 0);
  EXPECT_FALSE(exists("SensorTestValues(1)"));
  EXPECT_EQ(s().show("HScroll1").at("max"), 0);
  s().run("click Label2(5)");  // and the next opening builds afresh
  EXPECT_EQ(runTimeLabels(), 2 + 19 * 3);
}

TEST_F(Grids, UsersSeeOnlyTheAdSensorModeReading) {
  OpenMenu(kDelta, "User Mode");  // mode 3, six channels: the list ends with "8"
  s().run("click Label2(5)");
  EXPECT_FALSE(visible("Text3"));
  EXPECT_FALSE(visible("Command3(1)"));
  EXPECT_TRUE(visible("Label8(5)"));
  EXPECT_FALSE(visible("Label8(7)"));
  EXPECT_EQ(s().show("DAC_Channel").at("items").back(), "8");
  EXPECT_FALSE(visible("HScroll1"));
}

TEST_F(Grids, BeyondTheArraysTheGridsStopAtTheirLimits) {
  OpenMenu(kGolf);  // 85 channels: the largest grid
  s().run("click Label2(5)");
  EXPECT_EQ(left("SensorTestValues(170)"), 65880);
  s().run("scroll HScroll1 10");
  EXPECT_EQ(left("SensorTestValues(170)"), 3480);
  s().run("click Label8(10)");
  s().run("click Label2(4)");  // an EEPROM table of 85 rows
  EXPECT_EQ(top("SensorAdjustValues(425)"), 41400);
  EXPECT_EQ(s().show("VScroll2").at("max"), 7);
  s().run("click Label9(1)");

  OpenMenu(kIndia);
  main().state().profile.LedNumber = 83;  // mode 7: 86 columns, 85 fit
  s().run("click Label2(5)");
  EXPECT_TRUE(exists("SensorTestValues(170)"));
  EXPECT_EQ(runTimeLabels(), 2 + 85 * 3);
  std::string frames;  // more than two frames of sensor readings
  for (int i = 0; i < 120; ++i) frames += " 90";
  s().feed(frames);
  s().run("click Label8(10)");
  EXPECT_EQ(runTimeLabels(), 0);

  OpenMenu(kHotel);
  main().state().profile.LedNumber = 85;  // a FRAM table holds 60 rows
  s().run("click Label2(4)");
  s().run("wait 1100");
  EXPECT_EQ(runTimeLabels(), 8 + 60 * 8);
  EXPECT_EQ(s().text("SensorAdjustHeadings(6)"), "FRAM1");
  s().run("click Label9(1)");
  EXPECT_EQ(runTimeLabels(), 0);
}

// Full pages: the last column of every page shows where column 8 of the first does, no empty
// page follows, and the pager shows whenever there is a second page (with the leading columns
// of modes 6 to 10 too: Juliett's 8 channels take 10 columns).
TEST_F(Grids, SensorTestPagesEndOnTheirLastColumn) {
  struct Case {
    const char* report;
    int channels, columns;
  };
  for (const Case& c :
       {Case{kGolf, 8, 8}, Case{kGolf, 16, 16}, Case{kGolf, 24, 24}, Case{kGolf, 85, 85},
        Case{kHotel, 6, 8}, Case{kHotel, 14, 16}, Case{kJuliett, 8, 10}}) {
    SCOPED_TRACE(c.columns);
    OpenMenu(c.report);
    main().state().profile.LedNumber = static_cast<int16_t>(c.channels);
    s().run("click Label2(5)");
    const int pages = (c.columns + 7) / 8;
    EXPECT_EQ(s().show("HScroll1").at("max"), pages - 1);
    EXPECT_EQ(visible("HScroll1"), pages > 1);
    EXPECT_FALSE(exists("SensorTestValues(" + std::to_string(2 * c.columns + 1) + ")"));
    for (int page = 0; page < pages; ++page) {
      if (pages > 1) s().run("scroll HScroll1 " + std::to_string(page));
      const int first = 8 * page + 1, last = std::min(8 * page + 8, c.columns);
      const int lastLeft = 1080 + 600 * (last - first);
      EXPECT_EQ(left("SensorTestValues(" + std::to_string(2 * first) + ")"), 1080) << page;
      EXPECT_EQ(left("SensorTestValues(" + std::to_string(2 * last - 1) + ")"), lastLeft) << page;
      EXPECT_EQ(left("SensorTestValues(" + std::to_string(2 * last) + ")"), lastLeft) << page;
      EXPECT_EQ(left("SensorTestHeadings(" + std::to_string(last + 2) + ")"), lastLeft) << page;
    }
    s().run("click Label8(10)");
  }
}

// Twelve rows a page: the last row of every full page shows where row 12 of the first does,
// and a table of 12, 24 or 60 rows has no empty page after them.
TEST_F(Grids, AdjustTablePagesEndOnTheirLastRow) {
  struct Case {
    const char* report;
    int channels, rows, cells;
  };
  for (const Case& c : {Case{kHotel, 12, 12, 7}, Case{kHotel, 24, 24, 7}, Case{kHotel, 60, 60, 7},
                        Case{kHotel, 85, 60, 7}, Case{kGolf, 24, 24, 5}, Case{kGolf, 85, 85, 5}}) {
    SCOPED_TRACE(c.channels);
    OpenMenu(c.report);
    main().state().profile.LedNumber = static_cast<int16_t>(c.channels);
    s().run("click Label2(4)");
    s().run("wait 1100");
    const int pages = (c.rows + 11) / 12;
    const int headings = c.cells + 1;
    EXPECT_EQ(s().show("VScroll2").at("max"), pages - 1);
    EXPECT_EQ(visible("VScroll2"), pages > 1);
    EXPECT_FALSE(exists("SensorAdjustHeadings(" + std::to_string(headings + c.rows + 1) + ")"));
    for (int page = 0; page < pages; ++page) {
      if (pages > 1) s().run("scroll VScroll2 " + std::to_string(page));
      const int first = 12 * page + 1, last = std::min(12 * page + 12, c.rows);
      const int lastTop = 1080 + 360 * (last - first);
      EXPECT_EQ(top("SensorAdjustHeadings(" + std::to_string(headings + first) + ")"), 1080)
          << page;
      EXPECT_EQ(top("SensorAdjustHeadings(" + std::to_string(headings + last) + ")"), lastTop)
          << page;
      EXPECT_EQ(s().text("SensorAdjustHeadings(" + std::to_string(headings + last) + ")"),
                std::to_string(last));
      for (int j = 1; j <= c.cells; ++j) {
        EXPECT_EQ(top("SensorAdjustValues(" + std::to_string(c.cells * (last - 1) + j) + ")"),
                  lastTop)
            << page << " " << j;
      }
    }
    s().run("click Label9(1)");
  }
}

TEST(LabelFactories, RefuseWhatTheArraysCannotHoldAndReuseRemovedNames) {
  form::VirtualHost vh;
  form::Form f("MainScreen", vh.host());
  f.add(form::ControlDesign{.kind = form::Kind::Frame, .name = "Frame7"});
  f.add(form::ControlDesign{.kind = form::Kind::Frame, .name = "Frame9"});
  replies::RunTimeLabels labels;
  panels::LabelFactories factories(f, labels);
  factories.AddSensorTestValue(0, "Value0", "", 615, 375, 0, 0);      // below the array
  factories.AddSensorTestValue(171, "Value171", "", 615, 375, 0, 0);  // beyond it
  factories.AddSensorAdjustValue(3, "Frame7", "", 615, 375, 0, 0);    // a name in use
  EXPECT_EQ(f.find("Value0"), nullptr);
  EXPECT_EQ(f.find("Value171"), nullptr);
  EXPECT_EQ(labels.SensorAdjustValues[3], nullptr);
  factories.AddSensorTestValue(170, "Value170", "7", 615, 375, 1440, 65880);
  ASSERT_NE(f.slot("SensorTestValues", 170), nullptr);
  EXPECT_EQ(f.slot("SensorTestValues", 170)->left(), 65880);
  EXPECT_EQ(f.slot("SensorTestValues", 170)->container(), &f.at("Frame7"));
  factories.RemoveSensorTestGrid();
  EXPECT_EQ(f.find("Value170"), nullptr);
  factories.AddSensorTestValue(170, "Value170", "", 615, 375, 0, 0);
  EXPECT_NE(f.find("Value170"), nullptr);
}

TEST_F(Grids, AdjustTableRowsRangesAndHiddenCells) {
  OpenMenu(kDelta);  // mode 3, N 6: no EEPROM column, no sixth row
  s().run("click Label2(4)");
  EXPECT_EQ(s().text("SensorAdjustHeadings(1)"), "Sensor");
  EXPECT_EQ(left("SensorAdjustHeadings(1)"), 240);
  EXPECT_FALSE(visible("SensorAdjustHeadings(6)"));
  EXPECT_FALSE(visible("SensorAdjustValues(5)"));
  EXPECT_FALSE(visible("SensorAdjustHeadings(12)"));
  const auto& p = main().state().profile;
  EXPECT_EQ(s().text("SensorAdjustValues(7)"),
            std::to_string(p.VrRangeMinimum[2]) + "~" + std::to_string(p.VrRangeMaximum[2]));
  EXPECT_FALSE(visible("VScroll2"));
}

TEST_F(Grids, RestartClosesEverythingAndSendsLeaveTwice) {
  OpenMenu(kIndia);
  s().run("click Label2(5)");
  s().run("scroll HScroll1 2");
  sent();
  s().run("click Label1");
  EXPECT_EQ(runTimeLabels(), 0);
  EXPECT_FALSE(visible("Frame7"));
  EXPECT_FALSE(visible("Label2(1)"));
  EXPECT_TRUE(s().enabled("Label2(0)"));
  EXPECT_EQ(s().state("SensorTestOn"), false);
  EXPECT_EQ(s().state("AwaitingVersionMark"), true);
  EXPECT_EQ(s().show("Label2(5)").at("foreColor"), "#FFFF00");  // until the next "Test Mode"
  const int leave = s().state("LeaveTestModeCode");
  const auto list = s().timedSent();
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].second, leave);
  EXPECT_GT(list[1].first - list[0].first, 500u);
  s().run("click Label1");  // nothing more to remove, the two codes again
  EXPECT_EQ(sent(), (std::vector<int>{leave, leave}));
}

TEST_F(Grids, NothingReachesTheDeviceAfterThePanelIsLeft) {
  OpenMenu(kIndia);
  s().run("click Label2(5)");
  s().run("settext Text3 \"100\"");
  sent();
  s().run("click Command3(1)");  // the channel byte now, the level 400 ms later
  s().run("click Label8(10)");
  s().run("wait 1000");
  const int leave = s().state("LeaveTestModeCode");
  EXPECT_EQ(sent(), (std::vector<int>{1, leave}));
  EXPECT_TRUE(s().enabled("Command3(1)"));
}

TEST_F(Grids, RestartDuringAWaitingEntryStopsIt) {
  OpenMenu(kHotel);  // Sensor Adjust waits twice 500 ms on this FRAM system
  s().run("at " + std::to_string(s().now() + 200) + " click Label1");
  s().run("click Label2(4)");
  s().run("wait 1000");
  const int leave = s().state("LeaveTestModeCode");
  EXPECT_EQ(sent(), (std::vector<int>{0x16, leave, leave}));
  EXPECT_FALSE(visible("Frame9"));
  EXPECT_EQ(runTimeLabels(), 0);
}

}  // namespace
