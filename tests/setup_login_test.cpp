// The setup window's login: the accounts set the access mode of the main screen's status
// panel 8, a failure returns to "User Mode", and only "Admin Mode" gets past the "Login" tab.
#include <gtest/gtest.h>

#include <string>

#include "report_session.h"

namespace {

using report_test::Session;

class Login : public ::testing::Test {
 protected:
  void SetUp() override {
    s.run("wait 100");
    s.run("click Command5");  // "Setup"
  }
  // Types the account into the boxes and presses Enter in the password box.
  void LogIn(const std::string& user, const std::string& password) {
    s.run("type txtUserName \"" + user + "\"");
    s.run("type txtPassword \"" + password + "\"");
    s.run("key txtPassword 13");
  }
  std::string mode() { return s.show("MainScreen.StatusBar1").at("panels").at(7); }
  int tab() { return s.show("SSTab1").at("value"); }

  Session s;
};

TEST_F(Login, AccountsSetTheModeAndAFailureEndsIt) {
  ASSERT_TRUE(s.show("SetupScreen").at("visible"));
  EXPECT_EQ(s.show("txtPassword").at("text"), "");
  LogIn("mira_tek", "qpa-xn");
  EXPECT_EQ(mode(), "Admin Mode");
  EXPECT_EQ(s.text("Label1"), "Login Succeed");
  EXPECT_EQ(s.show("Label1").at("foreColor"), "#0000FF");
  EXPECT_EQ(s.text("txtUserName"), "");
  EXPECT_EQ(s.text("txtPassword"), "");

  LogIn("mira_tek", "zul");  // the admin name with the engineers' password
  EXPECT_EQ(mode(), "User Mode");
  EXPECT_EQ(s.text("Label1"), "Login Failed");
  EXPECT_EQ(s.show("Label1").at("foreColor"), "#FF0000");

  LogIn("qx ", "zul");  // a trailing blank
  EXPECT_EQ(mode(), "User Mode");
  LogIn("wj", "zul");
  EXPECT_EQ(mode(), "Production Mode");

  s.run("type txtUserName \"qx\"");
  s.run("key txtUserName 27");  // Escape: Cancel empties the boxes, the mode stays
  EXPECT_EQ(s.text("txtUserName"), "");
  EXPECT_EQ(s.text("Label1"), "");
  EXPECT_EQ(mode(), "Production Mode");
}

TEST_F(Login, OnlyAdminModeGetsPastTheLoginTab) {
  LogIn("qx", "zul");
  s.run("tab 2");
  EXPECT_EQ(tab(), 0);
  LogIn("mira_tek", "qpa-xn");
  s.run("tab 2");
  EXPECT_EQ(tab(), 2);
  s.run("close");  // the mode outlives the window
  s.run("click Command5");
  EXPECT_EQ(mode(), "Admin Mode");
  EXPECT_EQ(tab(), 0);  // and the window opens on "Login" again
}

// Each opening shows the screen as designed; only the mode, held by the main screen, stays.
TEST_F(Login, EachOpeningStartsAfresh) {
  s.dir().write("SystemVersion.txt", "A,0,,,S1,Alpha\r\n");
  s.dir().write("ParameterSetup.txt",
                "Alpha,S1,l.png,s.png,1,2,0,0,2,0,1,2,3,4,5,6,7,8,9,10,"
                "11,12,0\r\n");
  LogIn("mira_tek", "qpa-xn");
  s.run("tab 1");
  s.run("wait 100");
  s.run("click Command3(2)");  // a Modify left pending
  ASSERT_EQ(s.state("SetupScreen.GridCount"), 2);
  s.run("close");
  s.run("click Command5");
  EXPECT_EQ(tab(), 0);
  EXPECT_EQ(s.text("Label1"), "");
  EXPECT_EQ(s.show("Label1").at("foreColor"), "#FF0000");
  EXPECT_EQ(s.show("Command3(3)").at("tag"), "0");
  EXPECT_EQ(s.text("Combo1"), "N/A");
  EXPECT_EQ(s.show("Combo1").at("items").size(), 0u);
  EXPECT_EQ(s.show("List3").at("items").size(), 0u);
  EXPECT_FALSE(s.enabled("Text2(0)"));
  EXPECT_EQ(s.state("SetupScreen.GridCount"), 0);
  EXPECT_EQ(mode(), "Admin Mode");
}

// The mode chosen here decides what the main screen's test menu offers.
TEST_F(Login, TheModeDecidesWhatTheTestMenuOffers) {
  report_test::CopySampleSet(s.dir().path());
  s.run("close");
  s.run("wait 1050");
  s.feed("\"ZRNQ48-21012013402JD001\" 0x5A 0x3C 0x01 0x02 0x00 0x81 0x50");  // Hotel, mode 6
  s.run("wait 1700");
  const auto enterTestMode = [&] {
    s.run("click Label2(0)");
    return std::pair<bool, bool>(s.show("Label2(9)").at("visible"),   // erase
                                 s.show("Label2(8)").at("visible"));  // interface setup
  };
  EXPECT_EQ(enterTestMode(), std::pair(false, false));  // "User Mode"
  s.run("click Label2(7)");                             // Exit
  s.run("click Command5");
  LogIn("qx", "zul");
  s.run("close");
  EXPECT_EQ(enterTestMode(), std::pair(true, true));  // "Engineer Mode"
}

}  // namespace
