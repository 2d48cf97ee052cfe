#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "form/host.h"
#include "form/virtual_host.h"
#include "script/runner.h"
#include "serial/device_port.h"

namespace {

using nlohmann::json;
using Clock = std::chrono::steady_clock;

// The far end of a pseudo-terminal, raw; the tool opens `path()`.
class Pty {
 public:
  Pty() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
    path_ = ptsname(master_);
    termios t{};
    tcgetattr(master_, &t);
    cfmakeraw(&t);
    tcsetattr(master_, TCSANOW, &t);
  }
  ~Pty() { close(); }
  bool ok() const { return !path_.empty(); }
  const std::string& path() const { return path_; }
  void close() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
  }
  bool write(const std::vector<uint8_t>& bytes) {
    return ::write(master_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  }
  std::vector<uint8_t> read(int timeoutMs) {
    pollfd p{master_, POLLIN, 0};
    uint8_t buf[64];
    if (::poll(&p, 1, timeoutMs) <= 0) return {};
    const ssize_t n = ::read(master_, buf, sizeof buf);
    return n > 0 ? std::vector<uint8_t>(buf, buf + n) : std::vector<uint8_t>{};
  }

 private:
  int master_ = -1;
  std::string path_;
};

long long MsSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// The port the window and ba-script share, on a pseudo-terminal: raw bytes both ways, one
// program at a time on a line, closed when the far end goes.
TEST(DevicePort, CarriesRawBytesHoldsTheLineAloneAndClosesWhenItGoes) {
  Pty pty;
  if (!pty.ok()) GTEST_SKIP() << "no pseudo-terminals here";
  uint64_t now = 7;
  serial::DevicePort port(".", [&now] { return now; });
  port.pin(3, pty.path());
  ASSERT_TRUE(port.setCommPort(3));
  ASSERT_TRUE(port.setPortOpen(true)) << port.openProblem();

  serial::DevicePort second(".", {});
  second.pin(1, pty.path());
  EXPECT_FALSE(second.setPortOpen(true));
  EXPECT_NE(second.openProblem().find("in use"), std::string::npos) << second.openProblem();

  ASSERT_TRUE(pty.write({0x01, 0xff, 0x00, 0x0d, 0x11, 0x13}));  // nothing translated
  std::vector<uint8_t> in;
  for (int i = 0; i < 100 && in.size() < 6; ++i) {
    if (port.commEvent() == serial::CommPort::kEventReceive) {
      const std::vector<uint8_t> more = port.input();
      in.insert(in.end(), more.begin(), more.end());
    }
    usleep(10'000);
  }
  EXPECT_EQ(in, (std::vector<uint8_t>{0x01, 0xff, 0x00, 0x0d, 0x11, 0x13}));
  const uint8_t out[] = {0x55, 0x0a};
  ASSERT_TRUE(port.output(out, 2));
  EXPECT_EQ(pty.read(1000), (std::vector<uint8_t>{0x55, 0x0a}));
  const auto written = port.takeWritten();
  ASSERT_EQ(written.size(), 2u);
  EXPECT_EQ(written[0].time, 7u);

  ASSERT_TRUE(port.setPortOpen(false));
  ASSERT_TRUE(second.setPortOpen(true)) << "the lock outlived the line: " << second.openProblem();
  pty.close();
  EXPECT_EQ(second.inBufferCount(), 0);
  EXPECT_FALSE(second.portOpen());
  EXPECT_TRUE(second.takeWritten().empty());  // no clock, no log
}

TEST(VirtualHostPacer, SeesEveryStepBeforeWhatIsDueRuns) {
  form::VirtualHost vh;
  std::vector<uint64_t> seen;
  vh.setPacer([&](uint64_t now) { seen.push_back(now); });
  vh.schedule(5, [&] {
    EXPECT_EQ(seen.back(), 5u);
    form::WaitMs(vh.host(), 3);  // steps of the event pump
  });
  vh.runUntil(10);
  EXPECT_EQ(seen, (std::vector<uint64_t>{5, 6, 7, 8, 9, 10}));
}

// The runner on a pseudo-terminal: the one-second open in real time, bytes both ways, the far
// end going away, and the commands of the virtual line refused.
TEST(ScriptPort, RunsTheScreensInRealTimeOnAPty) {
  Pty pty;
  ASSERT_TRUE(pty.ok());
  const Clock::time_point start = Clock::now();
  std::ostringstream out;
  script::Runner runner("/nonexistent/ba-script-folder", out, script::Device{pty.path()});
  int lineNo = 0;
  const auto run = [&](const std::string& line) {
    out.str("");
    EXPECT_TRUE(runner.Execute(line, ++lineNo)) << line << "\n" << out.str();
  };
  run("wait 1100");
  EXPECT_GE(MsSince(start), 1100);
  run("expect MSComm1 portOpen=true commPort=1");
  run("click Command4");
  run("click Check1(0)");
  ASSERT_TRUE(pty.write({1, 2, 255}));
  run("wait 200");
  run(R"(expect Text1 text="[0]-->1\r\n[1]-->2\r\n[2]-->FF")");
  run("expect state ReceiveBuffer [1,2,255]");
  run(R"(settext Text2 "0x1f")");
  run("key Text2 13");
  EXPECT_EQ(pty.read(1000), std::vector<uint8_t>{0x1f});
  run("sent");
  const json sent = json::parse(out.str());
  ASSERT_EQ(sent["sent"].size(), 1u) << sent;
  EXPECT_EQ(sent["sent"][0]["b"], 31);
  EXPECT_GE(sent["sent"][0]["t"].get<long long>(), 1300);
  pty.close();
  run("wait 200");
  run("expect MSComm1 portOpen=false");
  run("key Text2 13");  // a send on the closed line
  EXPECT_FALSE(runner.expectationFailed());
  EXPECT_FALSE(runner.Execute("recv 1", ++lineNo));
  EXPECT_NE(out.str().find(R"({"error":"line 14: \"recv\")"), std::string::npos) << out.str();
}

// A line another program holds: the port stays closed and the port list's tool tip says why.
TEST(ScriptPort, ThePortListSaysWhyItsLineCannotBeOpened) {
  Pty pty;
  if (!pty.ok()) GTEST_SKIP() << "no pseudo-terminals here";
  serial::DevicePort other(".", {});
  other.pin(1, pty.path());
  ASSERT_TRUE(other.setPortOpen(true)) << other.openProblem();
  std::ostringstream out;
  script::Runner runner("/nonexistent/ba-script-folder", out, script::Device{pty.path()});
  ASSERT_TRUE(runner.Execute("wait 1100", 1)) << out.str();
  ASSERT_TRUE(runner.Execute("expect MSComm1 portOpen=false", 2)) << out.str();
  ASSERT_TRUE(runner.Execute("show ComPortList", 3)) << out.str();
  EXPECT_NE(
      out.str().find("Port 1: " + pty.path() + ", cannot be opened (in use by another program)"),
      std::string::npos)
      << out.str();
  EXPECT_FALSE(runner.expectationFailed());
}

TEST(ScriptPort, VirtualLineCommandsAreRefused) {
  for (const char* line : {"recv 1", "portfail 2", "unplug", "at 100 recv 1"}) {
    std::ostringstream out;
    script::Runner runner("/nonexistent/ba-script-folder", out, script::Device{"/nonexistent/tty"});
    EXPECT_FALSE(runner.Execute(line, 1)) << line;
    EXPECT_NE(out.str().find("--port"), std::string::npos) << out.str();
  }
}

// --port N through the folder's port map; expectations decide the exit status; bad ports are
// refused before the run.
TEST(ScriptPort, BinaryTakesAPortNumberOrPath) {
  namespace fs = std::filesystem;
  ASSERT_TRUE(fs::exists("ba-script")) << "run from the build folder";
  Pty pty;
  ASSERT_TRUE(pty.ok());
  const fs::path dir = fs::temp_directory_path() / ("ba-script-port-" + std::to_string(getpid()));
  fs::create_directories(dir);
  std::ofstream(dir / "PortMap.txt") << "2," << pty.path() << "\n";
  std::ofstream(dir / "s.txt") << "wait 1100\nexpect MSComm1 portOpen=true commPort=2\n"
                                  "expect MSComm1 portOpen=false\n";
  const auto status = [&](const std::string& args) {
    const std::string cmd = "./ba-script " + args + " " + (dir / "s.txt").string() + " > " +
                            (dir / "out.txt").string() + " 2>&1";
    const int s = std::system(cmd.c_str());
    return WIFEXITED(s) ? WEXITSTATUS(s) : -1;
  };
  const auto output = [&] {
    std::stringstream text;
    text << std::ifstream(dir / "out.txt").rdbuf();
    return text.str();
  };
  EXPECT_EQ(status("--folder " + dir.string() + " --port 2"), 1);
  EXPECT_NE(output().find(R"({"expect":{"control":"MSComm1","portOpen":false},)"
                          R"("got":{"control":"MSComm1","portOpen":true},"line":3})"),
            std::string::npos)
      << output();
  for (const char* bad : {"/nonexistent/tty", "51", "50"}) {
    EXPECT_EQ(status("--folder " + dir.string() + " --port " + bad), 2) << bad;
    EXPECT_NE(output().find("--port"), std::string::npos) << output();
  }
  fs::remove_all(dir);
}

}  // namespace
