#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "script/runner.h"

namespace {

using nlohmann::json;

struct Result {
  int status;
  std::vector<json> printed;
};

Result RunScenario(const std::string& scenario) {
  std::ostringstream out;
  script::Runner runner("/nonexistent/ba-script-folder", out);
  std::istringstream in(scenario);
  Result r{runner.Run(in), {}};
  std::istringstream lines(out.str());
  for (std::string l; std::getline(lines, l);) r.printed.push_back(json::parse(l));
  return r;
}

TEST(ScriptExpect, MatchesPrintNothing) {
  const Result r = RunScenario(R"(wait 1100
expect MSComm1 portOpen=true commPort=1
click Command4
click Check1(0)
recv 1 2 255
wait 100
expect Text1 text="[0]-->1\r\n[1]-->2\r\n[2]-->FF" visible=true   # JSON escapes
expect Check1(0) text=Hex value=1 tag=
expect Text1 text!="" visible!=false
expect StatusBar1 panels[0]="Tool Version" panels[7]!="Admin Mode"
expect state ReceiveBuffer [1, 2, 255]
expect state MainScreen.CommandPending 0
expect Ghost exists=false
at 1300 expect Text2 text=""
wait 200
)");
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.printed.empty()) << r.printed.front();
}

TEST(ScriptExpect, MismatchesPrintWhatWasSeenAndTheRunGoesOnToStatusOne) {
  const Result r = RunScenario(R"(wait 1100
click Command4
settext Text2 "7"
expect Text2 text=7 visible=true
expect state CommandPending 3
expect Ghost text=""
expect Text2 nosuchkey=1
at 1500 expect Text2 text="8"
wait 500
show Text2
expect Text2 text!="7"
)");
  EXPECT_EQ(r.status, 1);
  ASSERT_EQ(r.printed.size(), 7u);
  // A bare 7 is the number 7, not the text "7".
  EXPECT_EQ(r.printed[0], json::parse(R"({"expect":{"control":"Text2","text":7,"visible":true},
      "got":{"control":"Text2","exists":true,"text":"7","visible":true},"line":4})"));
  EXPECT_EQ(r.printed[1], json::parse(R"({"expect":{"state":"CommandPending","value":3},
      "got":{"state":"CommandPending","value":0},"line":5})"));
  EXPECT_EQ(r.printed[2]["got"], json::parse(R"({"control":"Ghost","exists":false})"));
  EXPECT_EQ(r.printed[3]["got"], json::parse(R"({"control":"Text2","exists":true})"));
  EXPECT_EQ(r.printed[4]["line"], 8);  // a scheduled expectation names its own line
  EXPECT_EQ(r.printed[5]["text"], "7");
  EXPECT_EQ(r.printed[6], json::parse(R"({"expect":{"control":"Text2","text!":"7"},
      "got":{"control":"Text2","exists":true,"text":"7"},"line":11})"));
}

TEST(ScriptExpect, MalformedLinesAreErrorsThatWinOverMismatches) {
  for (const char* line :
       {"expect", "expect # note", "expect Text1", "expect Text1 text", "expect Text1 =1",
        "expect Text1 text=\"open", "expect Text1 text=\"a\"b", "expect Text1 items=[1,2",
        "expect Text1 text=\"\\q\"", "expect Text1 text=1 text=2", "expect state CommandPending",
        "expect state CommandPending 1 2", "expect state NoSuchField 1", "expect Label2(x) text=a",
        "at x expect Text1 text=a", "at -5 expect Text1 text=a"}) {
    const Result r = RunScenario(std::string("expect Text1 text=zzz\n") + line + "\nshow Text1\n");
    EXPECT_EQ(r.status, 2) << line;
    ASSERT_EQ(r.printed.size(), 2u) << line;
    EXPECT_NE(r.printed[1].value("error", "").find("line 2"), std::string::npos) << line;
  }
}

}  // namespace
