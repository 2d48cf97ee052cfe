// The setup screen's "Communication Code" tab (the 21 codes of a system in CommandSetup.txt)
// and "Interface Parameter" tab (the code and text lines of InterfaceVersion.txt).
#include <gtest/gtest.h>

#include <string>

#include "report_session.h"

namespace {

using report_test::json;
using report_test::Session;

constexpr const char* kRefused = "#FF6060";

// 21 codes joined by ",": counting up from `first`, or all `first` when `step` is 0.
std::string Codes(int first, int step = 1) {
  std::string codes;
  for (int i = 0; i < 21; ++i) codes += (i ? "," : "") + std::to_string(first + i * step);
  return codes;
}

class SetupTab : public ::testing::Test {
 protected:
  void Open(int tab) { s.openSetup(tab); }
  json items(const std::string& combo) { return s.show(combo).at("items"); }
  int row(const std::string& combo) { return s.show(combo).at("listIndex"); }
  std::string back(const std::string& control) { return s.show(control).at("backColor"); }
  std::string tip(const std::string& control) { return s.show(control).value("toolTip", ""); }
  std::string codes() {
    std::string all;
    for (int j = 0; j < 21; ++j) all += (j ? "," : "") + s.text("Text3(" + std::to_string(j) + ")");
    return all;
  }
  int codesEnabled() {
    int n = 0;
    for (int j = 0; j < 21; ++j) n += s.enabled("Text3(" + std::to_string(j) + ")");
    return n;
  }

  Session s;
};
class SetupCodes : public SetupTab {};
class SetupInterface : public SetupTab {};

TEST_F(SetupCodes, ShowsTheCodesOfTheChosenSystemAndTheListsRefuseTyping) {
  const std::string lines = "BA1,S1," + Codes(1) + "\r\nBA2,S3," + Codes(201) + "\r\nBA2,S2," +
                            Codes(7) + "\r\nBA1,S1," + Codes(101) + ",999\r\n\r\n";
  s.dir().write("CommandSetup.txt", lines);
  Open(2);  // without SystemVersion.txt nothing is listed, modified or saved
  EXPECT_EQ(items("Combo7").size() + items("Combo8").size(), 0u);
  EXPECT_FALSE(s.enabled("Command2(0)") || s.enabled("Command2(1)"));
  s.run("click Command2(0)");
  s.run("click Command2(1)");
  EXPECT_EQ(codesEnabled(), 0);
  EXPECT_EQ(s.dir().read("CommandSetup.txt"), lines);

  s.dir().write("SystemVersion.txt",
                "1,0,0,0,S1,BA1\r\n2,0,0,0,S2,BA1\r\n\r\n3,0,0,0,S3,BA2\r\n4,0,0,0,S4,BA1\r\n");
  s.run("tab 3");
  s.run("tab 2");
  EXPECT_EQ(items("Combo7"), json({"BA1", "BA2"}));
  EXPECT_EQ(items("Combo8"), json({"S1", "S2", "S4"}));
  EXPECT_EQ(codes(), Codes(101));  // the pair's last line, without the extra field
  EXPECT_EQ(codesEnabled(), 0);
  EXPECT_TRUE(s.enabled("Command2(0)"));
  EXPECT_FALSE(s.enabled("Command2(1)"));
  s.run("key Combo7 65");
  EXPECT_EQ(s.text("Combo7"), "BA1");
  s.run("key Combo8 40");  // S2 has a line only under BA2
  EXPECT_EQ(codes(), Codes(0, 0));
  s.run("key Combo7 40");
  EXPECT_EQ(items("Combo8"), json({"S3"}));
  EXPECT_EQ(codes(), Codes(201));
}

TEST_F(SetupCodes, ModifyTakesDigitsAndSaveRewritesOrAppendsTheLine) {
  s.dir().write("SystemVersion.txt", "1,0,0,0,S1,BA1\r\n2,0,0,0,S2,BA1\r\n");
  const std::string before = "BA0,S1,5\r\n\r\nBA1,S1," + Codes(101) + "\r\nBA1,S10,1\r\n";
  s.dir().write("CommandSetup.txt", before);
  Open(2);
  s.run("click Command2(0)");
  EXPECT_EQ(codesEnabled(), 21);
  EXPECT_TRUE(s.enabled("Command2(1)"));
  const std::string normal = back("Text3(0)");
  s.run("settext Text3(0) \"1,2\"");
  s.run("click Command2(1)");
  EXPECT_EQ(back("Text3(0)"), kRefused);
  EXPECT_NE(tip("Text3(0)"), "");
  EXPECT_EQ(s.dir().read("CommandSetup.txt"), before);

  // A code goes out as one byte, and an empty one could not be read back.
  for (const char* refused : {"256", "999", ""}) {
    s.run(std::string("settext Text3(0) \"") + refused + "\"");
    s.run("click Command2(1)");
    EXPECT_EQ(tip("Text3(0)"), "A command code is a number from 0 to 255") << refused;
    EXPECT_EQ(s.dir().read("CommandSetup.txt"), before);
  }
  for (const char* key : {"65", "189", "109", "50 1", "50", "99", "8", "55"}) {
    s.run(std::string("key Text3(0) ") + key);  // a letter, two minus keys, Shift+2 do nothing
  }
  EXPECT_EQ(s.text("Text3(0)"), "27");
  s.run("click Command2(1)");
  EXPECT_EQ(s.dir().read("CommandSetup.txt"),
            "BA0,S1,5\r\nBA1,S1,27" + Codes(101).substr(3) + "\r\nBA1,S10,1\r\n");
  EXPECT_EQ(back("Text3(0)"), normal);
  EXPECT_EQ(codesEnabled(), 0);  // reloaded
  EXPECT_FALSE(s.enabled("Command2(1)"));

  const std::string saved = s.dir().read("CommandSetup.txt");
  s.run("select Combo8 1");
  s.run("click Command2(0)");
  s.run("settext Text3(20) \"5\"");
  s.run("click Command2(1)");
  EXPECT_EQ(s.dir().read("CommandSetup.txt"),
            saved + "BA1,S2," + Codes(0, 0).replace(40, 1, "5") + "\r\n");

  // A name pasted with a comma would shift every code of the line.
  const std::string twoLines = s.dir().read("CommandSetup.txt");
  s.run("click Command2(0)");
  s.run("settext Combo8 \"S2,0\"");
  s.run("click Command2(1)");
  EXPECT_EQ(back("Combo8"), kRefused);
  EXPECT_EQ(s.dir().read("CommandSetup.txt"), twoLines);
}

TEST_F(SetupInterface, ListsRowForRowAndAddAppendsKeepingEmptyLines) {
  // A code listed twice and a code without text.
  const std::string before = "A,Alpha\r\n\r\nB,Beta\r\nC,\r\nA,Again\r\n\r\n";
  s.dir().write("InterfaceVersion.txt", before);
  Open(3);
  EXPECT_EQ(items("Combo9"), json({"A", "B", "C", "A"}));
  EXPECT_EQ(items("Combo10"), json({"Alpha", "Beta", "", "Again"}));
  EXPECT_EQ(row("Combo10"), 0);  // row 0 stays, not the last "A"
  EXPECT_EQ(s.text("Text4(0)"), "A");
  EXPECT_EQ(s.text("Text4(1)"), "Alpha");
  EXPECT_FALSE(s.enabled("Text4(0)") || s.enabled("Text4(1)") || s.enabled("Command1(3)"));
  s.run("select Combo10 2");
  EXPECT_EQ(row("Combo9"), 2);

  s.run("click Command1(0)");  // ADD: the emptied boxes select no row
  EXPECT_EQ(s.text("Text4(0)") + s.text("Text4(1)"), "");
  EXPECT_TRUE(s.enabled("Text4(0)") && s.enabled("Text4(1)") && s.enabled("Command1(3)"));
  EXPECT_FALSE(s.enabled("Command1(0)") || s.enabled("Command1(1)") || s.enabled("Command1(2)"));
  s.run("type Text4(0) \"D\"");
  s.run("type Text4(1) \"Delta 4\"");
  s.run("click Command1(3)");
  EXPECT_EQ(s.dir().read("InterfaceVersion.txt"), before + "D,Delta 4\r\n");
  EXPECT_EQ(items("Combo9"), json({"A", "B", "C", "A", "D"}));
  EXPECT_FALSE(s.enabled("Command1(3)"));

  s.run("click Command1(0)");
  s.run("type Text4(0) \"B\"");  // listed: its row shows and the adding ends
  EXPECT_EQ(row("Combo9"), 1);
  EXPECT_FALSE(s.enabled("Text4(0)") || s.enabled("Command1(3)"));
  EXPECT_TRUE(s.enabled("Command1(0)"));
}

TEST_F(SetupInterface, ModifyAndDeleteTakeEveryLineOfTheCode) {
  const std::string before = "B,Beta\r\nA,Alpha\r\nA\r\n\r\nA,Again\r\nAB,x\r\n";
  s.dir().write("InterfaceVersion.txt", before);
  Open(3);
  s.run("select Combo9 1");
  ASSERT_EQ(s.text("Text4(0)"), "A");
  s.run("click Command1(2)");  // Modify
  EXPECT_FALSE(s.enabled("Text4(0)"));
  EXPECT_TRUE(s.enabled("Text4(1)") && s.enabled("Command1(3)"));
  const std::string normal = back("Text4(1)");
  s.run("settext Text4(1) \"x,y\"");
  s.run("click Command1(3)");
  EXPECT_EQ(back("Text4(1)"), kRefused);
  EXPECT_NE(tip("Text4(1)"), "");
  EXPECT_EQ(s.dir().read("InterfaceVersion.txt"), before);
  s.run("settext Text4(1) \"New\"");
  s.run("click Command1(3)");
  const std::string modified = "B,Beta\r\nA,New\r\nA\r\n\r\nA,New\r\nAB,x\r\n";
  EXPECT_EQ(s.dir().read("InterfaceVersion.txt"), modified);
  EXPECT_EQ(back("Text4(1)"), normal);

  s.run("select Combo9 1");
  s.run("answer CANCEL");
  const auto asked = s.run("click Command1(1)");
  EXPECT_EQ(asked.at(0).at("messagebox").at("text"), "Are you sure will delete this Version?");
  EXPECT_EQ(s.dir().read("InterfaceVersion.txt"), modified);
  s.run("answer OK");
  s.run("click Command1(1)");
  EXPECT_EQ(s.dir().read("InterfaceVersion.txt"), "B,Beta\r\nA\r\n\r\nAB,x\r\n");
}

}  // namespace
