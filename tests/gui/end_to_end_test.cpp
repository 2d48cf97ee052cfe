// The whole tool against the simulated bill acceptor over a real pseudo-terminal.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include "gui_test_app.h"
#include "live_tool.h"

namespace gui {
namespace {

TEST(EndToEnd, SimulatedAcceptorIsRecognisedAnswersTheTerminalAndStreams) {
  EnsureTestApp();
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  CopySamples(folder.path().toStdString());

  QProcess sim;
  sim.start("./ba-sim", {"--portmap", folder.filePath("PortMap.txt")});
  ASSERT_TRUE(sim.waitForStarted(3000));
  ASSERT_TRUE(sim.waitForReadyRead(3000));
  if (sim.readLine().trimmed().isEmpty()) GTEST_SKIP() << "no pseudo-terminal";

  {
    LiveTool tool(folder.path().toStdString());
    form::Form& screen = tool.screen();
    app::MainScreen& main = tool.main();

    // The port opens after a second; the acceptor then reports itself.
    ASSERT_TRUE(RunUntil([&] { return main.statusText(4) == "Alpha"; }, 5000))
        << "BA System: " << main.statusText(4);
    EXPECT_EQ(main.statusText(6), "Serial RS-232");
    EXPECT_EQ(screen.at("Label4", 1).text(), "A101ALPHA");
    // (The 1.5 s pause before the unlock runs inside the poll, so it is over by now.)
    ASSERT_TRUE(RunUntil([&] { return screen.at("Label2", 0).enabled(); }, 3000));
    EXPECT_TRUE(screen.at("Label1").enabled());

    // A byte typed in the terminal is acknowledged and logged.
    screen.userClick(screen.at("Command4"));
    screen.at("Text1").setText("");
    screen.userSetText(screen.at("Text2"), "0x21");
    screen.userClick(screen.at("Command1", 0));
    EXPECT_TRUE(RunUntil([&] { return screen.at("Text1").text() == "[0]-->33"; }, 2000))
        << screen.at("Text1").text();

    // The IO test shows live values from the device's frames.
    screen.userClick(screen.at("Label2", 0));
    screen.userClick(screen.at("Label2", 1));
    EXPECT_TRUE(RunUntil([&] { return !screen.at("Label7", 6).text().empty(); }, 3000));
    EXPECT_EQ(screen.at("Label7", 6).text().size(), 8u);  // DipSW1, bit by bit
  }
  sim.terminate();
  sim.waitForFinished(3000);
}

}  // namespace
}  // namespace gui
