#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "app/main_screen.h"
#include "form/host.h"
#include "script/runner.h"
#include "script/tokenizer.h"

namespace {

using nlohmann::json;

TEST(ScriptTokenizer, SplitsBlanksStringsAndComments) {
  std::string error;
  auto t = script::Tokenize(R"(  settext Text2 "a \"b\" \\c"  # note "x)", error);
  ASSERT_TRUE(t);
  ASSERT_EQ(t->size(), 3u);
  EXPECT_EQ((*t)[1].text, "Text2");
  EXPECT_FALSE((*t)[1].quoted);
  EXPECT_EQ((*t)[2].text, R"(a "b" \c)");
  EXPECT_TRUE((*t)[2].quoted);
  t = script::Tokenize("recv \"\"", error);
  ASSERT_TRUE(t && t->size() == 2);
  EXPECT_TRUE((*t)[1].quoted && (*t)[1].text.empty());
  EXPECT_TRUE(script::Tokenize("   # only a comment", error)->empty());
  for (const char* bad : {R"(recv "open)", R"(recv "a\nb")", R"(recv "a"b)", R"(recv "a\)"}) {
    error.clear();
    EXPECT_FALSE(script::Tokenize(bad, error)) << bad;
    EXPECT_FALSE(error.empty()) << bad;
  }
}

// The runner with two controls of its own on the main screen: "Probe", whose click waits
// 500 ms and then asks a question, and the scroll bar "Bar"; in "Admin Mode".
class Script : public ::testing::Test {
 protected:
  Script() {
    form::Form& main = runner.application().mainForm();
    form::Control* probe = main.add(form::Kind::CommandButton, "Probe");
    probe->onClick = [this] {
      form::Host& host = runner.host().host();
      form::WaitMs(host, 500);
      host.messages->show({"Sure?", "Probe", form::MsgButtons::OkCancel, form::MsgIcon::Question});
    };
    main.add(form::Kind::HScrollBar, "Bar")->setMax(50);
    // The setup screen's tabs past "Login" open in "Admin Mode" only.
    runner.application().main().setStatusText(8, "Admin Mode");
  }
  int run(const std::string& scenario) {
    std::istringstream in(scenario);
    return runner.Run(in);
  }
  std::vector<std::string> lines() const {
    std::vector<std::string> out;
    std::istringstream in(output.str());
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
  }
  std::vector<json> objects() const {
    std::vector<json> out;
    for (const auto& line : lines()) out.push_back(json::parse(line));
    return out;
  }
  std::ostringstream output;
  script::Runner runner{"/nonexistent/ba-script-folder", output};
};

TEST_F(Script, EveryCommandDrivesTheScreens) {
  ASSERT_EQ(run(R"(portfail 2
start
wait 1100
show MSComm1
click Command4
type Text2 "0x1f"
key Text2 13
sent
sent
state CommandPending
dblclick Text2
settext Text2 "7"
show Text2
recv 1 0x41 "B"
wait 100
show Text1
select ComPortList 1
wait 1000
show MSComm1
select ComPortList 2
wait 1000
unplug
show MSComm1
scroll Bar 70
show Bar
answer CANCEL
click Probe
click Command5
tab 1
show SSTab1
)"),
            0);
  const auto j = objects();
  ASSERT_EQ(j.size(), 11u) << output.str();
  EXPECT_EQ(j[0], json::parse(R"({"control":"MSComm1","kind":"MSComm","commPort":1,
                                   "portOpen":true})"));
  EXPECT_EQ(j[1], json::parse(R"({"sent":[{"t":1100,"b":31}]})"));
  EXPECT_EQ(j[2], json::parse(R"({"sent":[]})"));
  EXPECT_EQ(j[3], json::parse(R"({"state":"CommandPending","value":1})"));
  EXPECT_EQ(j[4]["text"], "7");
  EXPECT_EQ(j[5]["text"], "[0]-->1\r\n[1]-->65\r\n[2]-->66");
  EXPECT_EQ(j[6]["commPort"], 2);  // opening port 2 fails
  EXPECT_EQ(j[6]["portOpen"], false);
  EXPECT_EQ(j[7]["commPort"], 3);
  EXPECT_EQ(j[7]["portOpen"], false);
  EXPECT_EQ(j[8]["value"], 50);
  EXPECT_EQ(j[9]["messagebox"]["answer"], "Cancel");
  EXPECT_EQ(j[10]["control"], "SSTab1");
  EXPECT_EQ(j[10]["value"], 1);
  EXPECT_EQ(j[10]["items"][1], "System Parameter");
}

TEST_F(Script, SendBufferStateAndNumbersBeyondTheIntegerRange) {
  ASSERT_EQ(run("click Command4\nsettext Text2 \"9\"\nclick Command1(0)\nstate SendBuffer\n"
                "wait 1100\nselect ComPortList 4294967302\nscroll Bar 4294967296\n"
                "portfail 4294967297\nwait 1000\nshow MSComm1\nshow Bar\n"
                "select ComPortList 0\nwait 1000\nshow MSComm1\n"),
            0);
  const auto j = objects();
  ASSERT_EQ(j.size(), 4u) << output.str();
  EXPECT_EQ(j[0], json::parse(R"({"state":"SendBuffer","value":[9]})"));  // port still closed
  EXPECT_EQ(j[1]["commPort"], 1);  // no item was picked, so no reopen
  EXPECT_EQ(j[1]["portOpen"], true);
  EXPECT_EQ(j[2]["value"], 50);
  EXPECT_EQ(j[3]["portOpen"], true);  // port 1 was never made to fail
}

TEST_F(Script, ShowPrintsOnlyTheKeysOfTheKind) {
  ASSERT_EQ(run("wait 1100\nshow Timer2\nshow ImageList1\n"), 0);
  const auto j = objects();
  ASSERT_EQ(j.size(), 2u) << output.str();
  EXPECT_EQ(j[0], json::parse(R"({"control":"Timer2","exists":true,"kind":"Timer",
                                   "enabled":false,"tag":"","interval":1000})"));
  EXPECT_EQ(j[1], json::parse(R"({"control":"ImageList1","exists":true,"kind":"ImageList",
                                   "tag":"","items":[]})"));
}

TEST_F(Script, SlotArraysResolveByTheirSlots) {
  form::Form& main = runner.application().mainForm();
  form::Control* cell = main.add(form::Kind::Label, "Value12", &main.at("Frame7"));
  main.setSlotArray("SensorTestValues", [cell](int i) { return i == 12 ? cell : nullptr; });
  ASSERT_EQ(run("show SensorTestValues(12)\nshow SensorTestValues(3)\n"), 0);
  const auto j = objects();
  ASSERT_EQ(j.size(), 2u) << output.str();
  EXPECT_EQ(j[0]["control"], "Value12");
  EXPECT_EQ(j[1], json::parse(R"j({"control":"SensorTestValues(3)","exists":false})j"));
  EXPECT_EQ(run("click SensorTestValues(3)\n"), 2);  // an empty slot is no control to click
}

TEST_F(Script, ScheduledCommandsPrintInsideAHandlersWait) {
  ASSERT_EQ(run("wait 1100\n"
                "at 1300 show Command4\n"
                "at 1200 click Probe\n"
                "wait 100\n"
                "show Probe\n"),
            0);
  const auto l = lines();
  ASSERT_EQ(l.size(), 3u) << output.str();
  EXPECT_EQ(json::parse(l[0])["control"], "Command4");
  EXPECT_EQ(l[1], R"({"messagebox":{"t":1701,"title":"Probe","text":"Sure?","buttons":"OKCancel",)"
                  R"("icon":"Question","answer":"OK"}})");
  EXPECT_EQ(runner.host().now(), 1701u);  // the clock stays where the handler left it
}

TEST_F(Script, CloseTakesTheSetupScreenFirstThenTheMainScreen) {
  ASSERT_EQ(run("wait 1100\nclick Command5\nshow SetupScreen\nclick MainScreen.Command4\n"
                "show Check1(1)\nshow MainScreen.Check1(1)\nclose\nshow SetupScreen\n"
                "click Command4\nshow Frame4\nclose\nshow MainScreen\nshow MSComm1\n"),
            0);
  const auto j = objects();
  ASSERT_EQ(j.size(), 7u) << output.str();
  EXPECT_EQ(j[0]["text"], "Parameter Setup");
  EXPECT_EQ(j[0]["visible"], true);
  EXPECT_EQ(j[1], json::parse(R"j({"control":"Check1(1)","exists":false})j"));
  EXPECT_EQ(j[2]["text"], "Ascii");
  EXPECT_EQ(j[2]["visible"], true);
  EXPECT_EQ(j[3]["visible"], false);
  EXPECT_EQ(j[4]["visible"], true);  // the click behind the modal screen did nothing
  EXPECT_EQ(j[5]["visible"], false);
  EXPECT_EQ(j[6]["portOpen"], false);
}

TEST(ScriptErrors, NameTheLineAndStopWithStatusTwo) {
  const struct {
    const char* scenario;
    const char* mentions;
  } cases[] = {
      {"wait 10\njump 3\nshow Text1\n", "line 2"},
      {"wait 10\n\n# note\nclick \"Command4\n", "line 4"},
      {"click Nope\nshow Text1\n", "Nope"},
      {"click Label2(x)\n", "Label2(x)"},
      {"recv 256\n", "256"},
      {"wait\n", "line 1"},
      {"wait 86400001\n", "a day"},
      {"at 100 wait 5\n", "wait"},
      {"state NoSuchField\n", "NoSuchField"},
      {"at 200 click Nope\nwait 500\nshow Text1\n", "line 1"},
  };
  for (const auto& c : cases) {
    std::ostringstream out;
    script::Runner runner("/nonexistent/ba-script-folder", out);
    std::istringstream in(c.scenario);
    EXPECT_EQ(runner.Run(in), 2) << c.scenario;
    const std::string text = out.str();
    ASSERT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
    const json j = json::parse(text);
    ASSERT_TRUE(j.contains("error")) << text;
    EXPECT_NE(j["error"].get<std::string>().find(c.mentions), std::string::npos) << text;
  }
}

TEST(ScriptBinary, RunsTheExampleScenario) {
  namespace fs = std::filesystem;
  ASSERT_TRUE(fs::exists("ba-script")) << "run from the build folder";
  const fs::path dir = fs::temp_directory_path() / ("ba-script-test-" + std::to_string(getpid()));
  fs::create_directories(dir);
  std::ofstream(dir / "example.txt") << "wait 1100\nclick Command4\nclick Check1(0)\n"
                                        "recv 1 2 255\nwait 100\nshow Text1\n";
  std::ofstream(dir / "bad.txt") << "show Text1\nfrobnicate\n";
  const auto runScript = [&](const char* name) {
    const std::string cmd = "./ba-script " + (dir / name).string() + " > " +
                            (dir / "out.txt").string() + " 2>/dev/null";
    const int status = std::system(cmd.c_str());
    std::ifstream in(dir / "out.txt");
    std::stringstream text;
    text << in.rdbuf();
    return std::make_pair(WIFEXITED(status) ? WEXITSTATUS(status) : -1, text.str());
  };
  auto [status, text] = runScript("example.txt");
  EXPECT_EQ(status, 0);
  EXPECT_EQ(json::parse(text)["text"], "[0]-->1\r\n[1]-->2\r\n[2]-->FF");
  std::tie(status, text) = runScript("bad.txt");
  EXPECT_EQ(status, 2);
  EXPECT_NE(text.find(R"({"error":"line 2)"), std::string::npos) << text;
  fs::remove_all(dir);
}

}  // namespace
