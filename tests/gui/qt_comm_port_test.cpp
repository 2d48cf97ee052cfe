#include "gui/qt_comm_port.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "gui_test_app.h"

namespace gui {
namespace {

// Runs the event loop until `done` or two seconds have passed.
bool PumpUntil(const std::function<bool()>& done) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < 2000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return done();
}

// A pseudo-terminal: the test holds the far end, the port opens the device.
class PseudoTerminal {
 public:
  PseudoTerminal() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0) {
      device_ = ptsname(master_);
    }
  }
  ~PseudoTerminal() { hangUp(); }
  const std::string& device() const { return device_; }
  void send(const std::string& bytes) {
    ASSERT_EQ(write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  std::string received() {
    char buf[64];
    pollfd p{master_, POLLIN, 0};
    if (poll(&p, 1, 0) <= 0) return {};
    const ssize_t n = read(master_, buf, sizeof buf);
    return n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string();
  }
  void hangUp() {
    if (master_ >= 0) close(master_);
    master_ = -1;
  }

 private:
  int master_ = -1;
  std::string device_;
};

TEST(QtCommPort, ReadsWritesAndClosesWhenTheFarEndGoes) {
  EnsureTestApp();
  PseudoTerminal pty;
  if (pty.device().empty()) GTEST_SKIP() << "no pseudo-terminals here";
  QTemporaryDir folder;
  QFile map(folder.filePath("PortMap.txt"));
  ASSERT_TRUE(map.open(QIODevice::WriteOnly));
  map.write(("  3 , " + pty.device() + "\r\n").c_str());
  map.close();

  QtCommPort port(folder.path().toStdString());
  EXPECT_EQ(port.deviceFor(3), pty.device());
  EXPECT_EQ(port.inBufferCount(), 0);
  EXPECT_FALSE(port.output(reinterpret_cast<const uint8_t*>("x"), 1));
  ASSERT_TRUE(port.setCommPort(3));
  if (!port.setPortOpen(true)) GTEST_SKIP() << "this pseudo-terminal refuses even parity";
  EXPECT_TRUE(port.portOpen());
  EXPECT_FALSE(port.setCommPort(4));
  EXPECT_FALSE(port.setPortOpen(true));  // already open

  pty.send(std::string("\x01\xff\x00\x0d", 4));  // raw bytes, nothing translated
  ASSERT_TRUE(PumpUntil([&] { return port.inBufferCount() == 4; }));
  EXPECT_EQ(port.commEvent(), serial::CommPort::kEventReceive);
  EXPECT_EQ(port.input(), (std::vector<uint8_t>{0x01, 0xff, 0x00, 0x0d}));
  EXPECT_EQ(port.inBufferCount(), 0);

  const uint8_t byte = 0x55;
  EXPECT_TRUE(port.output(&byte, 1));
  std::string out;
  EXPECT_TRUE(PumpUntil([&] { return !(out += pty.received()).empty(); }));
  EXPECT_EQ(out, "\x55");

  pty.hangUp();
  EXPECT_TRUE(PumpUntil([&] { return !port.portOpen(); }));
  EXPECT_EQ(port.inBufferCount(), 0);
  EXPECT_EQ(port.commEvent(), 0);
  EXPECT_TRUE(port.setCommPort(4));
}

}  // namespace
}  // namespace gui
