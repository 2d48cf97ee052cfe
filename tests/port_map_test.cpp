#include "serial/port_map.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "pipe_watch.h"

namespace serial {
namespace {

using Pins = std::map<int, std::string>;

TEST(PortMap, ParsesPinsAndIgnoresEverythingMalformed) {
  const Pins pins = ParsePortMap(
      "\xEF\xBB\xBF"
      "3,/dev/pts/4\r\n"
      "  7 ,\t/tmp/ttyV0  \n"
      "\n"
      "# comment\n"
      "no comma\n"
      "x,/dev/ttyS0\n"
      "0,/dev/ttyS0\n"
      "51,/dev/ttyS0\n"
      "99999999999999999999,/dev/ttyS0\n"
      "-2,/dev/ttyS0\n"
      "9,   \n"
      "3,/dev/other\n"
      "12,/dev/with,comma");
  EXPECT_EQ(pins, (Pins{{3, "/dev/pts/4"}, {7, "/tmp/ttyV0"}, {12, "/dev/with,comma"}}));
}

TEST(PortMap, SurvivesArbitraryBytes) {
  std::mt19937 rng(7);
  for (int round = 0; round < 200; ++round) {
    std::string text(static_cast<size_t>(rng() % 400), '\0');
    for (char& c : text) c = static_cast<char>("0123,\n\r \t/5a\xff"[rng() % 13]);
    for (const auto& [port, path] : ParsePortMap(text)) {
      EXPECT_GE(port, kFirstPort);
      EXPECT_LE(port, kLastPort);
      EXPECT_FALSE(path.empty());
    }
  }
}

TEST(PortMap, LoadsTheFileBesideTheProgramOrNothing) {
  const auto dir = std::filesystem::temp_directory_path() / "port_map_test";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  EXPECT_TRUE(LoadPortMap(dir.string()).empty());
  std::ofstream(dir / kPortMapFile) << "2,/dev/pts/9\n";
  EXPECT_EQ(LoadPortMap(dir.string()), (Pins{{2, "/dev/pts/9"}}));
  std::filesystem::remove(dir / kPortMapFile);
  std::filesystem::create_directory(dir / kPortMapFile);  // a folder of that name
  EXPECT_TRUE(LoadPortMap(dir.string()).empty());
  std::filesystem::remove(dir / kPortMapFile);
  ASSERT_EQ(::mkfifo((dir / kPortMapFile).c_str(), 0600), 0);  // a pipe is not waited on
  EXPECT_FALSE(pipe_watch::ReaderWaited((dir / kPortMapFile).string(),
                                        [&] { EXPECT_TRUE(LoadPortMap(dir.string()).empty()); }));
  std::filesystem::remove_all(dir);
}

TEST(PortMap, OrdersAdaptersFirstThenByNameAndNumber) {
  const std::vector<std::string> ordered = OrderDevices({
      "/dev/ttyS10",
      "/dev/ttyS2",
      "/dev/ttyUSB10",
      "/dev/ttyACM0",
      "/dev/ttyUSB2",
      "/dev/ttyS2",
      "/dev/rfcomm0",
  });
  EXPECT_EQ(ordered, (std::vector<std::string>{"/dev/ttyACM0", "/dev/ttyUSB2", "/dev/ttyUSB10",
                                               "/dev/rfcomm0", "/dev/ttyS2", "/dev/ttyS10"}));
}

TEST(PortMap, FreeNumbersTakeTheUnpinnedDevicesInOrder) {
  const Pins pins{{1, "/dev/pts/3"}, {3, "/dev/ttyUSB0"}};
  const std::vector<std::string> devices{"/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyUSB1"};
  EXPECT_EQ(PortDevice(1, pins, devices), "/dev/pts/3");
  EXPECT_EQ(PortDevice(2, pins, devices), "/dev/ttyUSB1");
  EXPECT_EQ(PortDevice(3, pins, devices), "/dev/ttyUSB0");
  EXPECT_EQ(PortDevice(4, pins, devices), "/dev/ttyS0");
  EXPECT_EQ(PortDevice(5, pins, devices), std::nullopt);
  EXPECT_EQ(PortDevice(0, pins, devices), std::nullopt);
  EXPECT_EQ(PortDevice(51, {}, devices), std::nullopt);
  EXPECT_EQ(PortDevice(1, {}, devices), "/dev/ttyUSB0");
  EXPECT_EQ(PortDevice(1, {}, {}), std::nullopt);
}

}  // namespace
}  // namespace serial
