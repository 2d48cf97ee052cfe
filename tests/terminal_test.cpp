#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace {

const form::Colour kRefused = form::Colour::Rgb(255, 200, 200);

class Terminal : public ::testing::Test, protected support::Tool {
 protected:
  form::Control& entry() { return at("Text2"); }
  form::Control& log() { return at("Text1"); }
  void send(const std::string& text) {
    screen().userSetText(entry(), text);
    screen().userClick(at("Command1", 0));
  }
  // The entry after typing `codes` into an empty box.
  std::string typed(std::initializer_list<int> codes) {
    screen().userDblClick(entry());
    keys(entry(), codes);
    EXPECT_FALSE(entry().locked());
    return entry().text();
  }
};

TEST_F(Terminal, SendTurnsTheEntryIntoOneByte) {
  openTerminal();
  const struct {
    const char* text;
    int byte;
  } cases[] = {{"0x1f", 31},    {"0X1F", 31}, {"31", 31},     {"12.5", 12}, {"13.5", 14},
               {"", 0},         {"0x", 0},    {" 7abc", 7},   {"255", 255}, {"0xff", 255},
               {"0x00ff", 255}, {"-0.4", 0},  {"254.5", 254}, {"0xZ", 0},   {"1e2", 100}};
  for (const auto& c : cases) {
    state().line.CommandPending = 0;
    send(c.text);
    EXPECT_EQ(sent(), std::vector<int>{c.byte}) << '"' << c.text << '"';
    EXPECT_EQ(state().line.CommandPending, 1) << c.text;
    EXPECT_EQ(entry().backColor(), form::colours::WindowBackground) << c.text;
  }
}

TEST_F(Terminal, ValuesThatAreNotAByteAreRefusedVisibly) {
  openTerminal();
  line.receive({9});
  run(100);
  const std::string before = log().text();
  for (const char* text : {"0x1FF", "256", "-1", "255.5", "99999999999999999999", "1e400",
                           "0x123456789abcdef0123", "-99999999999"}) {
    state().line.CommandPending = 0;
    send(text);
    EXPECT_TRUE(sent().empty()) << text;
    EXPECT_EQ(entry().backColor(), kRefused) << text;
    EXPECT_NE(entry().toolTip().find("byte"), std::string::npos) << text;
    EXPECT_EQ(state().line.CommandPending, 0) << text;
    EXPECT_EQ(log().text(), before) << text;
  }
  keys(entry(), {8});  // the next edit restores the box
  EXPECT_EQ(entry().backColor(), form::colours::WindowBackground);
  EXPECT_EQ(entry().toolTip(), "");
  send("0x1F");
  EXPECT_EQ(sent(), std::vector<int>{31});
}

TEST_F(Terminal, NothingIsSentWhileThePortIsClosed) {
  screen().userClick(at("Command4"));
  send("5");  // before the port opens
  EXPECT_TRUE(sent().empty());
  EXPECT_EQ(app.main().portLink().SendBuffer[0], 5);  // the byte is stored before the write
  EXPECT_EQ(state().line.CommandPending, 0);
  EXPECT_EQ(entry().backColor(), kRefused);
  EXPECT_NE(entry().toolTip().find("port"), std::string::npos);
  runTo(1000);
  send("6");
  EXPECT_EQ(sent(), std::vector<int>{6});
  EXPECT_EQ(entry().backColor(), form::colours::WindowBackground);
}

TEST_F(Terminal, KeyFilterKeepsDecimalEntriesWithinAByte) {
  openTerminal();
  EXPECT_EQ(typed({50, 53, 54}), "25");
  EXPECT_EQ(typed({50, 53, 53}), "255");
  EXPECT_EQ(typed({50, 52, 57}), "249");
  EXPECT_EQ(typed({49, 57, 57}), "199");
  EXPECT_EQ(typed({51, 48, 48}), "30");
  EXPECT_EQ(typed({48, 57, 48}), "09");
  EXPECT_EQ(typed({48, 53, 53}), "055");
  EXPECT_EQ(typed({49, 50, 51, 52}), "123");
  EXPECT_EQ(typed({98, 101, 102}), "25");  // keypad 2, 5, 6
  EXPECT_EQ(typed({98, 101, 101}), "255");
  EXPECT_EQ(typed({49, 8, 50}), "2");  // Backspace
  EXPECT_EQ(typed({55, 46}), "7");     // Delete at the end removes nothing
}

TEST_F(Terminal, KeyFilterAllowsHexOnlyAfterZeroX) {
  openTerminal();
  EXPECT_EQ(typed({88}), "");
  EXPECT_EQ(typed({48, 88}), "0x");
  typed({48});
  keys(entry(), {88}, 1);
  EXPECT_EQ(entry().text(), "0X");
  keys(entry(), {70}, 1);
  EXPECT_EQ(entry().text(), "0XF");
  EXPECT_EQ(typed({48, 49, 88}), "01");
  EXPECT_EQ(typed({49, 65, 70}), "1");
  EXPECT_EQ(typed({48, 88, 65, 66, 67, 68, 69, 70}), "0xabcdef");
  EXPECT_EQ(typed({48, 88, 49, 70, 70, 57, 105}), "0x1ff99");  // no length limit
  EXPECT_EQ(typed({48, 88, 88}), "0x");
}

TEST_F(Terminal, HexAndAsciiExcludeEachOtherByEnabling) {
  openTerminal();
  form::Control& hex = at("Check1", 0);
  form::Control& ascii = at("Check1", 1);
  screen().userClick(hex);
  EXPECT_FALSE(ascii.enabled());
  EXPECT_FALSE(screen().userClick(ascii));
  screen().userClick(hex);
  EXPECT_TRUE(ascii.enabled());
  EXPECT_EQ(hex.value(), 0);
  screen().userClick(ascii);
  EXPECT_FALSE(hex.enabled());
  EXPECT_EQ(ascii.value(), 1);
  screen().userClick(ascii);
  EXPECT_TRUE(hex.enabled());
}

TEST_F(Terminal, TheLogEmptiesOnRequestAndPastAThousandCharacters) {
  openTerminal();
  line.receive({1, 2});
  run(100);
  screen().userDblClick(log());
  EXPECT_EQ(log().text(), "");
  line.receive({3});
  run(100);
  screen().userClick(at("Command1", 1));
  EXPECT_EQ(log().text(), "");

  screen().userSetText(log(), std::string(1000, 'a'));
  EXPECT_EQ(log().text().size(), 1000u);
  screen().userSetText(log(), std::string(1001, 'a'));
  EXPECT_EQ(log().text(), "");
  std::string euros;
  for (int i = 0; i < 1000; ++i) euros += "\u20AC";
  screen().userSetText(log(), euros);  // characters count, not bytes
  EXPECT_EQ(log().text(), euros);
  screen().userDblClick(log());

  // The line that would pass 1000 characters is lost with the rest; the log starts over.
  std::vector<uint8_t> bytes(150, 200);
  line.receive(bytes);
  run(100);
  const std::string& text = log().text();
  EXPECT_LE(text.size(), 1000u);
  EXPECT_EQ(text.rfind("[85]-->200\r\n[86]-->200", 0), 0u) << text.substr(0, 20);
  EXPECT_EQ(text.substr(text.size() - 11), "[149]-->200");
}

}  // namespace
