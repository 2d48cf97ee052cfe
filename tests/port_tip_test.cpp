// The "Com Port" list's tool tip: the device behind the chosen number, the USB adapter's
// facts from the system's device tree (a fake one here), and what became of the line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "config_temp_folder.h"
#include "platform/usb_device.h"
#include "report_session.h"
#include "serial/port_description.h"

namespace {

namespace fs = std::filesystem;
using platform::UsbFacts;

TEST(PortTip, SaysWhatIsBehindTheNumber) {
  EXPECT_EQ(serial::PortDescription(3, "", "", std::nullopt), "No device at port 3");
  EXPECT_EQ(serial::PortDescription(3, "COM3", "", std::nullopt), "Port 3: COM3");
  EXPECT_EQ(serial::PortDescription(1, "/tmp/line", "/dev/pts/4", std::nullopt),
            "Port 1: /tmp/line, which is /dev/pts/4");
  EXPECT_EQ(serial::PortDescription(2, "/dev/ttyUSB0", "/dev/ttyUSB0",
                                    UsbFacts{"0403", "6001", "FTDI", "FT232R USB UART"}),
            "Port 2: /dev/ttyUSB0, FTDI FT232R USB UART (USB 0403:6001)");
  EXPECT_EQ(serial::PortDescription(2, "/dev/ttyACM0", "", UsbFacts{"2341", "0043", "", ""}),
            "Port 2: /dev/ttyACM0 (USB 2341:0043)");
}

TEST(PortTip, FollowsTheChoiceAndTheLine) {
  report_test::Session s;
  const auto tip = [&s] { return s.show("ComPortList").at("toolTip").get<std::string>(); };
  s.run("start");
  EXPECT_EQ(tip(), "Port 1: loopback");  // chosen, opens in a second
  s.run("wait 1100");
  EXPECT_EQ(tip(), "Port 1: loopback, open");
  s.run("unplug");
  s.run("wait 100");
  EXPECT_EQ(tip(), "Port 1: loopback, closed");
  s.run("portfail 2");
  s.run("select ComPortList 1");
  EXPECT_EQ(tip(), "No device at port 2");
  s.run("wait 1100");
  EXPECT_EQ(tip(), "No device at port 2");
  s.run("select ComPortList 0");
  s.run("wait 1100");
  EXPECT_EQ(tip(), "Port 1: loopback, open");
}

#ifdef __linux__
// A device tree as Linux lays it out: a USB-serial tty below its interface, an ACM tty on its
// interface, an on-board UART without USB, and a USB device whose ids are not ids.
class FakeSysfs : public ::testing::Test {
 protected:
  FakeSysfs() {
    const fs::path usb = root() / "devices/pci0000:00/usb1";
    device(usb / "1-1", "0403", "6001", "FTDI", "FT232R USB UART\n");
    fs::create_directories(usb / "1-1/1-1:1.0/ttyUSB0");
    link("ttyUSB0", usb / "1-1/1-1:1.0/ttyUSB0");
    device(usb / "1-2", "2341", "0043", "", "");
    fs::create_directories(usb / "1-2/1-2:1.0/tty/ttyACM0");
    link("ttyACM0", usb / "1-2/1-2:1.0");
    fs::create_directories(root() / "devices/platform/serial8250/tty/ttyS0");
    link("ttyS0", root() / "devices/platform/serial8250");
    device(usb / "1-3", "zz", "0001", "Odd", "Ids");
    fs::create_directories(usb / "1-3/1-3:1.0/ttyUSB1");
    link("ttyUSB1", usb / "1-3/1-3:1.0/ttyUSB1");
  }
  fs::path root() const { return fs::path(dir_.path()) / "sys"; }
  std::string dev(const std::string& name) const { return dir_.path() + "/dev/" + name; }

  config_test::TempFolder dir_;

 private:
  void device(const fs::path& at, const char* vendor, const char* product, const char* maker,
              const char* name) {
    fs::create_directories(at);
    std::ofstream(at / "idVendor") << vendor << "\n";
    std::ofstream(at / "idProduct") << product << "\n";
    if (*maker) std::ofstream(at / "manufacturer") << maker << "\n";
    if (*name) std::ofstream(at / "product") << name;
  }
  void link(const std::string& tty, const fs::path& target) {
    fs::create_directories(root() / "class/tty" / tty);
    fs::create_directory_symlink(fs::relative(target, root() / "class/tty" / tty),
                                 root() / "class/tty" / tty / "device");
  }
};

TEST_F(FakeSysfs, FindsTheUsbDeviceAboveTheTty) {
  const auto ftdi = platform::UsbFactsOf("/dev/ttyUSB0", root().string());
  ASSERT_TRUE(ftdi);
  EXPECT_EQ(ftdi->vendorId, "0403");
  EXPECT_EQ(ftdi->productId, "6001");
  EXPECT_EQ(ftdi->manufacturer, "FTDI");
  EXPECT_EQ(ftdi->product, "FT232R USB UART");
  const auto acm = platform::UsbFactsOf("/dev/ttyACM0", root().string());
  ASSERT_TRUE(acm);
  EXPECT_EQ(acm->vendorId + ":" + acm->productId, "2341:0043");
  EXPECT_EQ(acm->manufacturer + acm->product, "");
  // A link to the device (as /dev/serial/by-id has) names the device it leads to.
  fs::create_directories(dev(""));
  std::ofstream(dev("ttyUSB0")).put('\n');
  fs::create_symlink(dev("ttyUSB0"), dev("usb-FTDI_FT232R-if00-port0"));
  EXPECT_TRUE(platform::UsbFactsOf(dev("usb-FTDI_FT232R-if00-port0"), root().string()));

  for (const char* none : {"/dev/ttyS0", "/dev/ttyUSB1", "/dev/pts/3", "/dev/", "", "COM3"}) {
    EXPECT_FALSE(platform::UsbFactsOf(none, root().string())) << none;
  }
  EXPECT_FALSE(platform::UsbFactsOf("/dev/ttyUSB0", dir_.file("no-sys")));
}
#endif

}  // namespace
