// The setup screen's "System Parameter" tab, driven as an administrator does: the deferred
// display and its channel grid, ADD, Modify, Save and Delete, checked in the rewritten files.
#include <gtest/gtest.h>

#include <string>

#include "report_session.h"

namespace {

using report_test::json;
using report_test::Session;

// A parameter line with `n` channels; channel i of table k holds base + 10k + i.
std::string ParamLine(const std::string& ba, const std::string& system, int n, int base = 100) {
  std::string line =
      ba + "," + system + ",led.png,sensor.png,10,20,1,3," + std::to_string(n) + ",1";
  for (int k = 0; k < 6; ++k) {
    for (int i = 1; i <= n; ++i) line += "," + std::to_string(base + 10 * k + i);
  }
  return line + ",1";
}

const std::string kSystems =
    "A,0,,,S1,Alpha\r\n\r\nB,1,01,09,S2,Alpha\r\nC,0,,,T1,Bravo\r\nD,0,,,T1,Bravo\r\n";
const std::string kCommands =
    "Alpha,S1,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21\r\n"
    "Bravo,T1,9,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21\r\n";

class SystemTab : public ::testing::Test {
 protected:
  void SetUp() override {
    s.dir().write("SystemVersion.txt", kSystems);
    s.dir().write("ParameterSetup.txt", ParamLine("Alpha", "S1", 3) + "\r\n" +
                                            ParamLine("Alpha", "S2", 12, 300) + "\r\n" +
                                            ParamLine("Bravo", "T1", 2, 500) + "\r\n");
    s.dir().write("CommandSetup.txt", kCommands);
  }
  void Open() {
    s.openSetup(1);
    s.run("wait 100");  // the deferred display
  }
  std::string file(const std::string& name) { return s.dir().read(name); }
  int gridCount() { return s.state("SetupScreen.GridCount"); }
  bool visible(const std::string& c) { return s.show(c).at("visible"); }
  std::string back(const std::string& c) { return s.show(c).at("backColor"); }

  Session s;
};

TEST_F(SystemTab, ShowsTheFirstSystemAndPagesItsGrid) {
  Open();
  EXPECT_EQ(s.show("Combo1").at("items"), json({"Alpha", "Bravo"}));
  EXPECT_EQ(s.show("Combo2").at("items"), json({"S1", "S2"}));
  EXPECT_EQ(s.text("Text1(0)"), "A");
  EXPECT_EQ(s.text("Text2(0)"), "led.png");
  EXPECT_EQ(s.show("Combo4").at("listIndex"), 3);
  EXPECT_EQ(s.show("Combo11").at("listIndex"), 1);
  EXPECT_EQ(s.show("Command3(3)").at("tag"), "3");
  // N = 3: fields 10 to 27 in channel order per table, colours alternating.
  EXPECT_EQ(gridCount(), 3);
  EXPECT_EQ(s.text("Sensor_Test1"), "101");
  EXPECT_EQ(s.text("Sensor_Test4"), "111");  // channel 1 of table 1
  EXPECT_EQ(s.text("Sensor_Test18"), "153");
  EXPECT_EQ(back("Sensor_Test1"), "#FFE0C0");
  EXPECT_EQ(back("Sensor_Test2"), "#FFC0C0");
  EXPECT_FALSE(s.enabled("Sensor_Test1"));
  EXPECT_FALSE(visible("HScroll1"));

  // S2 stands on its own line with its version range; 12 channels give two pages.
  s.run("select Combo2 1");
  s.run("wait 100");
  EXPECT_EQ(s.text("Text1(1)"), "01");
  EXPECT_EQ(s.show("Combo6").at("listIndex"), 1);
  EXPECT_EQ(gridCount(), 12);
  EXPECT_EQ(s.show("HScroll1").at("max"), 1);
  EXPECT_TRUE(visible("LED8"));
  EXPECT_FALSE(visible("LED9"));  // page 0 after building
  s.run("scroll HScroll1 1");
  EXPECT_FALSE(visible("LED8"));
  EXPECT_TRUE(visible("LED12"));
  EXPECT_EQ(s.show("LED12").at("left"), 2280 + 3 * 840);
  EXPECT_EQ(s.show("ParameterBoxes(72)").at("text"), "362");  // channel 12 of table 5
}

TEST_F(SystemTab, ASystemOnTwoLinesIsLoadedOnceAndSavedInPlace) {
  Open();
  s.run("select Combo1 1");  // Bravo T1 stands on two system lines
  s.run("wait 100");
  EXPECT_EQ(s.show("List4").at("items").size(), 3u);
  EXPECT_EQ(gridCount(), 2);
  s.run("click Command3(2)");  // Modify
  EXPECT_TRUE(s.enabled("Sensor_Test1"));
  s.run("settext Sensor_Test1 \"77\"");
  s.run("settext Text2(4) \"3\"");  // one more channel: its values start at "0"
  s.run("click Command3(3)");
  EXPECT_EQ(file("SystemVersion.txt"),
            "A,0,,,S1,Alpha\r\nB,1,01,09,S2,Alpha\r\nD,0,,,T1,Bravo\r\nD,0,,,T1,Bravo\r\n");
  std::string bravo = "Bravo,T1,led.png,sensor.png,10,20,1,3,3,1";
  for (int k = 0; k < 6; ++k) {
    for (int i = 1; i <= 3; ++i) {
      bravo += "," + (k == 0 && i == 1 ? std::string("77")
                      : i == 3         ? "0"
                                       : std::to_string(500 + 10 * k + i));
    }
  }
  EXPECT_EQ(file("ParameterSetup.txt"), ParamLine("Alpha", "S1", 3) + "\r\n" +
                                            ParamLine("Alpha", "S2", 12, 300) + "\r\n" + bravo +
                                            ",1\r\n");
  // The tab reloaded on the first system.
  EXPECT_EQ(s.text("Combo2"), "S1");
  EXPECT_EQ(s.show("Command3(3)").at("tag"), "3");
}

TEST_F(SystemTab, AddingASystemBuildsItsGridAndAppendsItsLines) {
  Open();
  s.run("type Combo1 \"X\"");  // names are chosen, not typed, while showing
  EXPECT_EQ(s.text("Combo1"), "Alpha");
  s.run("click Command3(0)");  // ADD
  EXPECT_EQ(gridCount(), 0);
  s.run("type Combo1 \"Zulu\"");
  s.run("type Combo2 \"Z9\"");
  s.run("type Text1(0) \"Z\"");
  s.run("type Text2(0) \"z.png\"");
  s.run("type Text2(4) \"a-\"");  // refused by the digit filter
  EXPECT_EQ(s.text("Text2(4)"), "0");
  s.run("key Text2(4) 46");  // Delete, at the caret before the "0"
  s.run("type Text2(4) \"1\"");
  EXPECT_EQ(gridCount(), 1);
  s.run("type Text2(4) \"2\"");
  EXPECT_EQ(gridCount(), 12);
  EXPECT_TRUE(s.enabled("Sensor_Test72"));
  s.run("settext Sensor_Test1 \"5\"");
  s.run("click Command3(3)");
  std::string zulu = "Zulu,Z9,z.png,,0,0,0,0,12,0";
  for (int e = 1; e <= 72; ++e) zulu += e == 1 ? ",5" : ",0";
  EXPECT_EQ(file("SystemVersion.txt"),
            "A,0,,,S1,Alpha\r\nB,1,01,09,S2,Alpha\r\nC,0,,,T1,Bravo\r\nD,0,,,T1,Bravo\r\n"
            "Z,0,,,Z9,Zulu\r\n");
  EXPECT_EQ(file("ParameterSetup.txt").substr(file("ParameterSetup.txt").rfind("Zulu")),
            zulu + ",0\r\n");
  EXPECT_EQ(s.show("Combo1").at("items").back(), "Zulu");
}

// While adding, LED Number builds a grid of up to 85 channels, eight a page; 86 is refused.
TEST_F(SystemTab, LedNumberBuildsGridsUpTo85Channels) {
  Open();
  s.run("click Command3(0)");
  s.run("settext Text2(4) \"16\"");
  EXPECT_EQ(gridCount(), 16);
  EXPECT_EQ(s.show("HScroll1").at("max"), 1);
  s.run("settext Text2(4) \"85\"");
  EXPECT_EQ(gridCount(), 85);
  EXPECT_EQ(s.show("HScroll1").at("max"), 10);
  EXPECT_NE(back("Text2(4)"), "#FF6060");
  s.run("scroll HScroll1 10");
  EXPECT_FALSE(visible("LED80"));
  EXPECT_TRUE(visible("LED81"));
  EXPECT_TRUE(visible("Sensor_Test510"));  // channel 85 of table 5
  s.run("settext Text2(4) \"86\"");
  EXPECT_EQ(gridCount(), 0);
  EXPECT_EQ(back("Text2(4)"), "#FF6060");
}

// Save while adding writes a line only with both names and at least one channel.
TEST_F(SystemTab, AddingNeedsBothNamesAndChannels) {
  Open();
  struct Case {
    const char *ba, *system, *channels;
  };
  for (const Case& c : {Case{"Zulu", "", "2"}, Case{"", "Z9", "2"}, Case{"Zulu", "Z9", "0"}}) {
    s.run("click Command3(0)");
    s.run("settext Combo1 \"" + std::string(c.ba) + "\"");
    s.run("settext Combo2 \"" + std::string(c.system) + "\"");
    s.run("settext Text2(4) \"" + std::string(c.channels) + "\"");
    s.run("click Command3(3)");
    for (const char* f : {"SystemVersion.txt", "ParameterSetup.txt"}) {
      EXPECT_EQ(file(f).find("Zulu"), std::string::npos) << c.ba << "/" << c.system << " " << f;
      EXPECT_EQ(file(f).find("Z9"), std::string::npos) << c.ba << "/" << c.system << " " << f;
    }
  }
}

TEST_F(SystemTab, RefusedValuesWriteNothing) {
  Open();
  const std::string before = file("ParameterSetup.txt");
  s.run("click Command3(2)");
  s.run("settext Text2(1) \"a,b.png\"");
  s.run("settext Text2(4) \"86\"");
  s.run("click Command3(3)");
  EXPECT_EQ(back("Text2(1)"), "#FF6060");
  EXPECT_NE(s.show("Text2(1)").at("toolTip"), "");
  EXPECT_EQ(back("Text2(4)"), "#FF6060");
  EXPECT_EQ(file("ParameterSetup.txt"), before);
  // A pasted line break would start a new line in the file.
  form::Form& setup = s.runner().application().setupForm();
  setup.userSetText(setup.at("Text2", 1), "a\rb.png");
  s.run("click Command3(3)");
  EXPECT_EQ(s.show("Text2(1)").at("toolTip"), "A line break would split the line in two");
  EXPECT_EQ(file("ParameterSetup.txt"), before);
  s.run("settext Text2(1) \"b.png\"");
  s.run("settext Text2(4) \"\"");
  s.run("click Command3(3)");
  EXPECT_EQ(back("Text2(1)"), "sys:5");  // this one is fine now
  EXPECT_FALSE(s.show("Text2(1)").contains("toolTip"));
  EXPECT_EQ(file("ParameterSetup.txt"), before);
}

// Whatever Save writes, the profile loader reads back: numbers of digits alone.
TEST_F(SystemTab, SaveRefusesNumbersTheLoaderCannotRead) {
  std::string s1 = ParamLine("Alpha", "S1", 3);
  s1.replace(s1.find(",20,"), 4, ",40000,");  // more than a stored number holds
  s.dir().write("ParameterSetup.txt", s1 + "\r\n");
  Open();
  s.run("click Command3(2)");
  s.run("click Command3(3)");
  EXPECT_EQ(back("Text2(3)"), "#FF6060");  // as read from the file
  s.run("settext Text2(3) \"7\"");
  const auto refused = [&](const std::string& box, const std::string& text) {
    s.run("settext " + box + " \"" + text + "\"");
    s.run("click Command3(3)");
    const bool red = back(box) == "#FF6060";
    s.run("settext " + box + " \"7\"");
    return red;
  };
  EXPECT_TRUE(refused("Text2(2)", ""));
  EXPECT_TRUE(refused("Sensor_Test1", "a"));
  EXPECT_TRUE(refused("Sensor_Test18", "-5"));
  EXPECT_TRUE(refused("Sensor_Test2", "1 2"));
  EXPECT_EQ(file("ParameterSetup.txt"), s1 + "\r\n");
  s.run("click Command3(3)");
  EXPECT_EQ(file("ParameterSetup.txt").substr(0, 38), "Alpha,S1,led.png,sensor.png,7,7,1,3,3,");
}

// A listed system without a parameter line shows a new system's values, and Modify + Save
// gives it its line.
TEST_F(SystemTab, ModifyGivesASystemWithoutParametersItsLine) {
  s.dir().write("SystemVersion.txt", kSystems + "E,0,,,S3,Alpha\r\n");
  Open();
  s.run("select Combo2 2");
  s.run("wait 100");
  EXPECT_EQ(s.text("Text2(0)"), "");  // not what S1 holds
  EXPECT_EQ(s.text("Text2(4)"), "0");
  EXPECT_EQ(gridCount(), 0);
  s.run("click Command3(2)");
  s.run("settext Text2(0) \"e.png\"");
  s.run("settext Text2(4) \"1\"");
  s.run("click Command3(3)");
  EXPECT_EQ(file("ParameterSetup.txt"), ParamLine("Alpha", "S1", 3) + "\r\n" +
                                            ParamLine("Alpha", "S2", 12, 300) + "\r\n" +
                                            ParamLine("Bravo", "T1", 2, 500) + "\r\n" +
                                            "Alpha,S3,e.png,,0,0,0,0,1,0,0,0,0,0,0,0,0\r\n");
}

TEST_F(SystemTab, SaveOrDeleteRightAfterAPickActOnTheWholeFile) {
  Open();
  s.run("select Combo2 1");
  s.run("click Command3(2)");
  s.run("click Command3(3)");  // before the deferred display ran: S2 is saved as it stands
  const std::string parameters = ParamLine("Alpha", "S1", 3) + "\r\n" +
                                 ParamLine("Alpha", "S2", 12, 300) + "\r\n" +
                                 ParamLine("Bravo", "T1", 2, 500) + "\r\n";
  EXPECT_EQ(file("ParameterSetup.txt"), parameters);
  EXPECT_EQ(file("SystemVersion.txt"),
            "A,0,,,S1,Alpha\r\nB,1,01,09,S2,Alpha\r\nC,0,,,T1,Bravo\r\nD,0,,,T1,Bravo\r\n");

  s.run("select Combo1 1");
  s.run("answer CANCEL");
  s.run("click Command3(1)");
  EXPECT_EQ(s.show("List3").at("items").size(), 4u);
  s.run("answer OK");
  s.run("click Command3(1)");  // Bravo T1: both system lines, its parameter and command lines
  EXPECT_EQ(file("SystemVersion.txt"), "A,0,,,S1,Alpha\r\nB,1,01,09,S2,Alpha\r\n");
  EXPECT_EQ(file("ParameterSetup.txt"),
            ParamLine("Alpha", "S1", 3) + "\r\n" + ParamLine("Alpha", "S2", 12, 300) + "\r\n");
  EXPECT_EQ(file("CommandSetup.txt"),
            "Alpha,S1,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21\r\n");
}

TEST_F(SystemTab, WithoutASystemListAFirstSystemCanBeAdded) {
  std::filesystem::remove(s.dir().file("SystemVersion.txt"));
  Open();
  EXPECT_EQ(s.show("Combo1").at("items"), json::array());
  EXPECT_TRUE(s.enabled("Command3(0)"));
  EXPECT_FALSE(s.enabled("Command3(2)"));
  s.run("click Command3(0)");
  s.run("type Combo1 \"New\"");
  s.run("type Combo2 \"N1\"");
  s.run("settext Text2(4) \"1\"");
  s.run("click Command3(3)");
  EXPECT_EQ(file("SystemVersion.txt"), ",0,,,N1,New\r\n");
  // The parameter file was read before the new line went at its end.
  EXPECT_EQ(file("ParameterSetup.txt"), ParamLine("Alpha", "S1", 3) + "\r\n" +
                                            ParamLine("Alpha", "S2", 12, 300) + "\r\n" +
                                            ParamLine("Bravo", "T1", 2, 500) + "\r\n" +
                                            "New,N1,,,0,0,0,0,1,0,0,0,0,0,0,0,0\r\n");
  EXPECT_EQ(s.state("SetupScreen.SystemFields"), json({"", "0", "", "", "N1", "New", ""}));
}

TEST_F(SystemTab, MalformedLinesShowWhatCanBeRead) {
  s.dir().write("SystemVersion.txt", "A,7,,,S1,Alpha\r\nshort\r\nB,0,,,S2,Alpha\r\n");
  s.dir().write("ParameterSetup.txt", "Alpha,S1,led.png,x,1,2,9,3,4,0,11,12\r\n");
  Open();
  EXPECT_EQ(s.show("Combo6").at("listIndex"), -1);  // flag 7 is neither NO nor YES
  EXPECT_EQ(s.show("Combo3").at("listIndex"), -1);  // 9 is no item of "With Stacker"
  EXPECT_EQ(gridCount(), 4);
  EXPECT_EQ(s.text("Sensor_Test2"), "12");
  EXPECT_EQ(s.text("Sensor_Test3"), "");
  // A short line is one record of its own, so the next one keeps its names.
  EXPECT_EQ(s.show("Combo2").at("items"), json({"S1", "S2"}));
}

}  // namespace
