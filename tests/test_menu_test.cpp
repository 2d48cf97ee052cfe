// The test menu and the panels it opens, driven as a technician does, against the sample
// systems (Alpha mode 0, Bravo mode 1, Delta mode 3, Hotel mode 6, India mode 7).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/main_screen.h"
#include "report_session.h"

namespace {

using report_test::Session;

const char* const kAlpha =
    "\"&A121ALPHA\" 0x01 0x2A 0x00 0x03 0x10 0x00 0x00 0x00 0xAB 0xCD 0x12 0x34 0x80 0x01";
const char* const kBravo =
    "\"&K202BRAVO\" 0x02 0x10 0x00 0x01 0x20 0x00 0x00 0x01 0x1F 0x2E 0x00 0x00 0x80 0x01";
const char* const kDelta =
    "\"&M091MTN06\" 0x04 0x09 0x00 0x03 0x40 0x00 0x00 0x00 0x0A 0x0B 0x0C 0x0D 0x80 0x01";
const char* const kHotel = "\"ZRNQ48-21012013402JD001\" 0x5A 0x3C 0x01 0x02 0x00 0x81 0x50";
const char* const kIndia = "\"ZRNVQP-30012020000JD001\" 0x5A 0x3C 0x01 0x02 0x00 0x81 0x50";

// A session whose sample system has reported itself and unlocked "Test Mode".
class Menu : public ::testing::Test {
 protected:
  void Recognise(const char* report, const std::string& accessMode = "User Mode") {
    report_test::CopySampleSet(s().dir().path());
    s().run("wait 1150");
    s().feed(report);
    s().run("wait 1700");
    ASSERT_TRUE(s().enabled("Label2(0)")) << report;
    s().runner().application().main().setStatusText(8, accessMode);
    sent();  // forget what was sent so far
  }
  std::vector<int> sent() { return s().sent(); }
  std::vector<std::pair<uint64_t, int>> timedSent() { return s().timedSent(); }
  int code(const std::string& name) { return s().state(name); }
  bool visible(const std::string& c) { return s().show(c).at("visible"); }
  std::string fore(const std::string& c) { return s().show(c).at("foreColor"); }
  int top(const std::string& c) { return s().show(c).at("top"); }
  void click(const std::string& c) { s().run("click " + c); }
  std::string Yellow() { return "#FFFF00"; }

  // Starts over with a new tool.
  void Fresh() { session_ = std::make_unique<Session>(); }
  Session& s() { return *session_; }

 private:
  std::unique_ptr<Session> session_ = std::make_unique<Session>();
};

TEST_F(Menu, RulesFollowTheSystemAndTheAccessMode) {
  struct Case {
    const char* report;
    const char* access;
    bool billMotor, stacker, billLengthShown, interfaceShown, eraseShown;
    int exitTop;
    const char* erase;
  };
  for (const Case& c :
       {Case{kHotel, "User Mode", true, true, true, false, false, 2640, "Erase FRAM"},
        Case{kHotel, "Production Mode", true, true, true, true, false, 3000, "Erase FRAM"},
        Case{kDelta, "Engineer Mode", true, true, false, false, true, 2280, "Erase EEPROM"},
        Case{kBravo, "Admin Mode", false, false, false, false, true, 2280, "Erase EEPROM"},
        Case{kIndia, "Admin Mode", true, true, false, false, true, 2280, "Erase FRAM"}}) {
    Fresh();
    SCOPED_TRACE(std::string(c.report) + " " + c.access);
    Recognise(c.report, c.access);
    click("Label2(0)");
    EXPECT_EQ(sent(), std::vector<int>{code("EnterTestModeCode")});
    EXPECT_FALSE(s().enabled("Label2(0)"));
    EXPECT_EQ(s().enabled("Label2(2)"), c.billMotor);
    EXPECT_EQ(s().enabled("Label2(3)"), c.stacker);
    EXPECT_EQ(visible("Label2(6)"), c.billLengthShown);
    if (c.billLengthShown) {
      EXPECT_FALSE(s().enabled("Label2(6)"));
    }
    EXPECT_EQ(visible("Label2(8)"), c.interfaceShown);
    EXPECT_EQ(visible("Label2(9)"), c.eraseShown);
    EXPECT_EQ(top("Label2(7)"), c.exitTop);
    EXPECT_EQ(s().text("Label2(9)"), c.erase);
    EXPECT_EQ(s().state("AwaitingVersionMark"), false);
  }
}

TEST_F(Menu, IoTestOpensOnceMarksItselfAndGivesTheMenuBack) {
  Recognise(kAlpha);
  click("Command4");  // the terminal's log is emptied by every menu click
  s().feed("1 2 3");
  click("Label2(0)");
  EXPECT_EQ(s().text("Text1"), "");
  sent();
  click("Label2(1)");
  EXPECT_EQ(sent(), std::vector<int>{code("EnterIoSensorTestCode")});
  EXPECT_EQ(fore("Label2(1)"), Yellow());
  EXPECT_TRUE(visible("Frame6"));
  EXPECT_EQ(s().state("IoTestOn"), true);
  EXPECT_EQ(s().state("CommandPending"), 1);
  for (int i = 2; i <= 9; ++i) EXPECT_FALSE(s().enabled("Label2(" + std::to_string(i) + ")")) << i;
  // Mode 0: the lower rows and "S" sit 960 twips higher, row 19 is hidden; a second click sets
  // the panel up again without moving them further and sends nothing.
  EXPECT_EQ(top("Label7(15)"), 3120);
  EXPECT_FALSE(visible("Label7(19)"));
  s().feed("0xAA 7 8");  // the acknowledge, then positions 1 and 2
  EXPECT_EQ(s().text("Label7(2)"), "7");
  click("Label2(1)");
  EXPECT_EQ(sent(), std::vector<int>{});
  EXPECT_EQ(s().text("Label7(2)"), "");
  EXPECT_EQ(top("Command2(0)"), 3600);

  click("Command2(1)");  // Pulse
  EXPECT_EQ(sent(), std::vector<int>{code("SendPulseCode")});
  click("Label7(21)");  // Exit
  EXPECT_EQ(sent(), std::vector<int>{code("LeaveTestModeCode")});
  EXPECT_FALSE(visible("Frame6"));
  EXPECT_EQ(s().state("IoTestOn"), false);
  EXPECT_EQ(fore("Label2(1)"), "sys:14");
  EXPECT_TRUE(s().enabled("Label2(2)"));
  EXPECT_FALSE(visible("Label2(6)"));    // the menu rules again
  EXPECT_FALSE(visible("Command2(2)"));  // Alpha has no LED mask

  click("Label2(7)");  // Exit of the menu
  EXPECT_EQ(sent(), std::vector<int>{code("LeaveTestModeCode")});
  EXPECT_FALSE(visible("Label2(1)"));
  EXPECT_TRUE(s().enabled("Label2(0)"));
  EXPECT_EQ(s().state("AwaitingVersionMark"), true);
}

TEST_F(Menu, IoRowsFollowTheModeAndTheAccessMode) {
  Recognise(kHotel);  // mode 6, user-level access
  click("Label2(0)");
  click("Label2(1)");
  EXPECT_FALSE(visible("Label7(1)"));
  EXPECT_EQ(s().text("Label7(11)"), "Bill Out");
  EXPECT_FALSE(visible("Label7(17)"));
  EXPECT_TRUE(visible("Label7(15)"));
  EXPECT_TRUE(visible("Command2(2)"));  // Hotel has the LED mask
  click("Label7(21)");
  s().runner().application().main().setStatusText(8, "Engineer Mode");
  click("Label2(1)");
  EXPECT_TRUE(visible("Label7(17)"));

  Fresh();
  Recognise(kBravo);  // mode 1: inputs, switches, Hook Signal and Stacker Open only
  click("Label2(0)");
  click("Label2(1)");
  EXPECT_TRUE(visible("Label7(11)"));
  EXPECT_FALSE(visible("Label7(13)"));
  EXPECT_FALSE(visible("Command2(0)"));
  EXPECT_FALSE(visible("Command2(1)"));
}

TEST_F(Menu, AButtonCodeThatIsNotAByteSendsNothing) {
  Recognise(kAlpha);
  click("Label2(0)");
  click("Label2(1)");
  s().feed("0xAA");  // the entry's acknowledge
  s().runner().application().main().state().profile.SendPulseCode = 300;
  sent();
  click("Command2(1)");
  EXPECT_EQ(sent(), std::vector<int>{});
  EXPECT_EQ(s().state("CommandPending"), 0);  // no acknowledge will come
  click("Command2(0)");
  EXPECT_EQ(sent(), std::vector<int>{code("FishLedToggleCode")});
  EXPECT_EQ(s().state("CommandPending"), 1);
}

TEST_F(Menu, BillMotorAndStackerPanels) {
  Recognise(kHotel);  // mode 6: no "Motor Backward" while open
  click("Label2(0)");
  sent();
  click("Label2(2)");
  EXPECT_EQ(sent(), std::vector<int>{code("EnterBillMotorTestCode")});
  EXPECT_FALSE(visible("Label5(4)"));
  s().feed("0xAA");
  click("Label5(3)");  // forward
  EXPECT_EQ(s().state("CommandPending"), 1);
  EXPECT_EQ(fore("Label5(3)"), Yellow());
  EXPECT_EQ(fore("Label5(2)"), "sys:14");
  click("Label5(2)");  // stop: no acknowledge awaited
  s().feed("0xAA");
  click("Label5(3)");
  EXPECT_EQ(sent(), (std::vector<int>{code("ForwardMotorCode"), code("StopMotorCode"),
                                      code("ForwardMotorCode")}));
  click("Label5(5)");  // Exit while running: only the leave code
  EXPECT_EQ(sent(), std::vector<int>{code("LeaveTestModeCode")});
  EXPECT_EQ(fore("Label5(2)"), Yellow());
  EXPECT_TRUE(s().show("Label5(4)").at("visible"));

  const int pending = s().state("CommandPending");
  click("Label2(3)");
  EXPECT_EQ(sent(), std::vector<int>{code("EnterStackerMotorTestCode")});
  EXPECT_EQ(s().state("CommandPending"), pending);
  click("Label6(3)");
  EXPECT_EQ(sent(), std::vector<int>{code("StackingActiveCode")});
  click("Label6(4)");  // Exit sends nothing
  EXPECT_EQ(sent(), std::vector<int>{});
  EXPECT_EQ(fore("Label6(2)"), "sys:14");
  EXPECT_EQ(fore("Label2(3)"), "sys:14");
}

TEST_F(Menu, SensorAdjustOnAFramSystemSendsItsFixedBytesOnce) {
  Recognise(kHotel);
  click("Label2(0)");
  const uint64_t t = s().now();
  s().run("at " + std::to_string(t + 200) + " click Label2(4)");  // a second click in the wait
  s().run("at " + std::to_string(t + 600) + " click Label2(0)");  // and "Test Mode"
  click("Label2(4)");
  const auto bytes = timedSent();
  ASSERT_EQ(bytes.size(), 4u);
  EXPECT_EQ(bytes[1].second, 0x16);
  EXPECT_EQ(bytes[2].second, 0x46);
  EXPECT_EQ(bytes[3].second, code("EnterSensorAdjustCode"));
  EXPECT_GT(bytes[2].first - bytes[1].first, 500u);
  EXPECT_GT(bytes[3].first - bytes[2].first, 500u);
  EXPECT_EQ(fore("Label2(4)"), Yellow());
  EXPECT_TRUE(visible("Frame9"));
  EXPECT_EQ(s().state("CommandPending"), 1);
}

TEST_F(Menu, EraseAsksThenSendsItsBytesAndEntersSensorAdjust) {
  Recognise(kDelta, "Engineer Mode");  // an EEPROM system
  click("Label2(0)");
  sent();
  s().run("answer CANCEL");
  const auto box = s().run("click Label2(9)").at(0).at("messagebox");
  EXPECT_EQ(box.at("text"),
            "To clear all EEPROM data?\r\n(Important\uFF1A Please recalibrate BA with a whitecard "
            "after clear.");
  EXPECT_EQ(box.at("buttons"), "OKCancel");
  EXPECT_EQ(sent(), std::vector<int>{});
  s().run("answer OK");
  click("Label2(9)");
  EXPECT_EQ(sent(), (std::vector<int>{0x16, code("EnterSensorAdjustCode")}));
  EXPECT_EQ(fore("Label2(4)"), Yellow());
  // Sensor Adjust is open (its item is the only one enabled, so code runs the erase): the
  // erase ends after its byte.
  s().run("answer OK");
  s().runner().application().main().testMenu().Label2_Click(9);
  EXPECT_EQ(sent(), std::vector<int>{0x16});

  Fresh();
  Recognise(kHotel, "Admin Mode");
  click("Label2(0)");
  sent();
  s().run("answer OK");
  click("Label2(9)");
  EXPECT_EQ(sent(), (std::vector<int>{0x16, 0x50, 0x16, 0x46, code("EnterSensorAdjustCode")}));
}

TEST_F(Menu, InterfaceSetupShowsTheDevicesChoiceAndSendsOnlyTheUsers) {
  Recognise(kHotel, "Production Mode");
  click("Label2(0)");
  sent();
  // The acknowledge of the entry code arrives during the 300 ms wait between the two codes.
  s().run("at " + std::to_string(s().now() + 100) + " recv 0xAA");
  click("Label2(8)");
  const auto bytes = timedSent();
  ASSERT_EQ(bytes.size(), 2u);
  EXPECT_EQ(bytes[0].second, code("EnterInterfaceSetupCode"));
  EXPECT_EQ(bytes[1].second, code("AskInterfaceModeCode"));
  EXPECT_GT(bytes[1].first - bytes[0].first, 300u);
  EXPECT_EQ(s().state("CommandPending"), 1);
  s().feed("0xAB 7");  // the second acknowledge, then the interface set: "Pulse"
  EXPECT_EQ(s().show("Option1(7)").at("value"), true);
  EXPECT_EQ(sent(), std::vector<int>{});  // the device's own choice is not sent back
  click("Option1(2)");
  EXPECT_EQ(sent(), std::vector<int>{2});
  EXPECT_EQ(s().state("InterfaceSetAwaited"), true);
  s().run("recv 0xAC 2");
  const auto printed = s().run("wait 100");
  ASSERT_EQ(printed.size(), 1u);
  EXPECT_EQ(printed[0].at("messagebox").at("text"),
            "Q48 Interface Setup To: $4 PANASONIC (Coupling)");
  click("Label11(1)");
  EXPECT_EQ(sent(), std::vector<int>{code("LeaveTestModeCode")});
  EXPECT_EQ(s().state("InterfaceSetAwaited"), false);
  EXPECT_EQ(fore("Label2(8)"), "sys:14");
}

TEST_F(Menu, SensorPanelsOpenAndGiveTheMenuBack) {
  Recognise(kHotel);  // 12 channels; the adjustment ends by itself (FinishAdjustMode 1)
  click("Label2(0)");
  sent();
  click("Label2(5)");
  EXPECT_EQ(sent(), std::vector<int>{code("EnterIoSensorTestCode")});
  EXPECT_TRUE(visible("HScroll1"));
  EXPECT_EQ(s().state("SensorTestOn"), true);
  click("Label8(10)");
  EXPECT_EQ(sent(), std::vector<int>{code("LeaveTestModeCode")});
  EXPECT_FALSE(visible("Frame7"));
  EXPECT_TRUE(s().enabled("Label2(4)"));
  EXPECT_EQ(fore("Label2(5)"), "sys:14");
  click("Label2(4)");
  sent();
  click("Label9(1)");
  EXPECT_EQ(sent(), std::vector<int>{});
  EXPECT_EQ(s().state("SensorAdjustOn"), false);
  EXPECT_FALSE(visible("Frame9"));

  Fresh();
  Recognise(kDelta);  // the adjustment is left by command
  click("Label2(0)");
  click("Label2(4)");
  sent();
  click("Label9(1)");
  EXPECT_EQ(sent(), std::vector<int>{code("LeaveTestModeCode")});
}

TEST_F(Menu, BillLengthPanelOpensByCodeAndLeaves) {
  Recognise(kHotel);  // its menu item stays disabled, the panel still works
  click("Label2(0)");
  sent();
  s().runner().application().main().testMenu().Label2_Click(6);
  EXPECT_EQ(sent(), std::vector<int>{code("EnterBillLengthCode")});
  EXPECT_TRUE(visible("Frame8"));
  EXPECT_EQ(s().state("BillLengthTestOn"), true);
  click("Label10(3)");
  EXPECT_EQ(sent(), std::vector<int>{code("LeaveTestModeCode")});
  EXPECT_FALSE(visible("Frame8"));
  EXPECT_FALSE(s().enabled("Label2(6)"));
}

}  // namespace
