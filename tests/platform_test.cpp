// The platform layer on this system: files (also with non-ASCII names), processes, serial
// devices, and the port rules every port shares. Runs on POSIX and under Windows.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "base/files.h"
#include "config/file_io.h"
#include "config_temp_folder.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/serial_line.h"
#include "serial/device_port.h"
#include "serial/loopback_port.h"

namespace {

namespace fs = std::filesystem;
using config_test::TempFolder;

std::set<std::string> Names(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(base::FsPath(folder))) {
    names.insert(base::Utf8(entry.path().filename()));
  }
  return names;
}

TEST(PlatformFiles, ReplaceWritesThroughWideNamesAndLeavesOnlyTheFile) {
  TempFolder dir;
  ASSERT_FALSE(dir.path().empty());
  const std::string name =
      "Pr\xC3\xBC"
      "fung \xE2\x82\xAC.txt";  // "Prüfung €.txt"
  const std::string path = dir.path() + "/" + name;
  ASSERT_TRUE(config::ReplaceFile(path, "old\r\n"));
  ASSERT_TRUE(config::ReplaceFile(path, "new\r\nline\r\n"));
  EXPECT_EQ(base::ReadSmallFile(path, 100), "new\r\nline\r\n");
  EXPECT_EQ(Names(dir.path()), std::set<std::string>{name});
  // The same name reached as UTF-16 by the standard library.
  std::ifstream in(base::FsPath(path), std::ios::binary);
  std::string first;
  std::getline(in, first);
  EXPECT_EQ(first, "new\r");
}

TEST(PlatformFiles, ReadingTakesRegularFilesOnly) {
  TempFolder dir;
  dir.write("a.txt", "12345");
  auto file = platform::InputFile::Open(dir.file("a.txt"));
  ASSERT_TRUE(file);
  EXPECT_EQ(file->size(), 5u);
  char buffer[8];
  EXPECT_EQ(file->read(buffer, sizeof buffer), 5);
  EXPECT_EQ(file->read(buffer, sizeof buffer), 0);
  EXPECT_FALSE(platform::InputFile::Open(dir.path()));
  EXPECT_FALSE(platform::InputFile::Open(dir.file("missing.txt")));

  ASSERT_TRUE(platform::StatusOf(dir.file("a.txt")));
  EXPECT_TRUE(platform::StatusOf(dir.file("a.txt"))->regular);
  ASSERT_TRUE(platform::StatusOf(dir.path()));
  EXPECT_FALSE(platform::StatusOf(dir.path())->regular);
  EXPECT_FALSE(platform::StatusOf(dir.file("missing.txt")));
  EXPECT_FALSE(platform::IsSymbolicLink(dir.file("a.txt")));
}

// POSIX replaces a file being read; Windows may refuse. Either way the file is old or new
// and nothing is left beside it.
TEST(PlatformFiles, AFileBeingReadIsReplacedWholeOrNotAtAll) {
  TempFolder dir;
  dir.write("a.txt", "old");
  {
    auto reading = platform::InputFile::Open(dir.file("a.txt"));
    ASSERT_TRUE(reading);
    const bool replaced = config::ReplaceFile(dir.file("a.txt"), "new");
    EXPECT_EQ(dir.read("a.txt"), replaced ? "new" : "old");
    EXPECT_EQ(Names(dir.path()), std::set<std::string>{"a.txt"});
    char buffer[8];
    EXPECT_EQ(reading->read(buffer, sizeof buffer), 3);  // what it opened, old or new
  }
  EXPECT_TRUE(config::ReplaceFile(dir.file("a.txt"), "newer"));
  EXPECT_EQ(dir.read("a.txt"), "newer");
}

TEST(PlatformFiles, NewFilesNeverTakeAnExistingName) {
  TempFolder dir;
  dir.write("a.txt", "kept");
  bool taken = false;
  EXPECT_FALSE(platform::OutputFile::CreateNew(dir.file("a.txt"), taken));
  EXPECT_TRUE(taken);
  EXPECT_FALSE(platform::OutputFile::CreateNew(dir.file("no/such/folder.txt"), taken));
  EXPECT_FALSE(taken);
  auto file = platform::OutputFile::CreateNew(dir.file("b.txt"), taken);
  ASSERT_TRUE(file);
  EXPECT_TRUE(file->writeAll("bytes") && file->flushToDisk() && file->close());
  EXPECT_EQ(dir.read("b.txt"), "bytes");
  EXPECT_EQ(dir.read("a.txt"), "kept");

  EXPECT_TRUE(platform::RenameOver(dir.file("b.txt"), dir.file("a.txt")));
  EXPECT_EQ(Names(dir.path()), std::set<std::string>{"a.txt"});
  EXPECT_EQ(dir.read("a.txt"), "bytes");
  EXPECT_FALSE(platform::RenameOver(dir.file("b.txt"), dir.file("a.txt")));
  EXPECT_TRUE(platform::RemoveFile(dir.file("a.txt")));
  EXPECT_FALSE(platform::RemoveFile(dir.file("a.txt")));
}

TEST(PlatformFiles, TemporaryFoldersAreNewEachTime) {
  const std::string prefix = (fs::temp_directory_path() / "ba-platform-").string();
  const auto a = platform::CreateTempFolder(prefix);
  const auto b = platform::CreateTempFolder(prefix);
  ASSERT_TRUE(a && b);
  EXPECT_NE(*a, *b);
  EXPECT_TRUE(fs::is_directory(*a) && fs::is_directory(*b));
  EXPECT_EQ(a->rfind(prefix, 0), 0u);
  fs::remove(*a);
  fs::remove(*b);
  EXPECT_FALSE(platform::CreateTempFolder(prefix + "missing/x"));
}

// Leftovers of saves are told apart by the process that made them.
TEST(PlatformProcess, LeftoversOfEndedProcessesGoAndOurOwnStay) {
  EXPECT_TRUE(platform::ProcessRunning(platform::CurrentProcessId()));
  EXPECT_FALSE(platform::ProcessRunning(999999999));
  EXPECT_FALSE(platform::ProcessRunning(0));
  TempFolder dir;
  const std::string own = "a.txt.new-" + std::to_string(platform::CurrentProcessId()) + "-0";
  dir.write("a.txt", "x");
  dir.write(own, "mine");
  dir.write("a.txt.new-999999999-3", "ended");
  EXPECT_EQ(config::RemoveLeftoverStagedFiles(dir.file("a.txt")), 1);
  EXPECT_EQ(Names(dir.path()), (std::set<std::string>{"a.txt", own}));
}

TEST(PlatformSerial, WhatIsNoSerialDeviceIsRefusedWithTheFailingCall) {
  TempFolder dir;
  dir.write("plain.txt", "x");
  std::string why;
  EXPECT_FALSE(platform::SerialLine::Open(dir.file("plain.txt"), &why));
  EXPECT_NE(why, "");
  EXPECT_FALSE(platform::SerialLine::Open(dir.file("missing"), &why));
  EXPECT_NE(why, "");
  EXPECT_NE(platform::SerialDeviceProblem(dir.file("plain.txt")), "");
  EXPECT_NE(platform::SerialDeviceProblem(dir.file("missing")), "");

  serial::DevicePort port(dir.path(), {});
  port.pin(1, dir.file("plain.txt"));
  EXPECT_FALSE(port.setPortOpen(true));
  EXPECT_FALSE(port.portOpen());
  EXPECT_EQ(port.openProblem().rfind(dir.file("plain.txt") + ": ", 0), 0u) << port.openProblem();
  EXPECT_FALSE(port.output(reinterpret_cast<const uint8_t*>("x"), 1));
  EXPECT_EQ(port.inBufferCount(), 0);
}

TEST(PlatformSerial, PortNumbersNameDevicesByThePlatformsRule) {
  TempFolder dir;
  dir.write("PortMap.txt", "7,/dev/mapped\r\n");
  serial::DevicePort port(dir.path(), {});
  port.pin(2, "pinned");
  EXPECT_EQ(port.deviceFor(2), "pinned");
  EXPECT_EQ(port.deviceFor(0), "");
  EXPECT_EQ(port.deviceFor(51), "");
  if (platform::NumberedPortDevice(7).empty()) {
    EXPECT_EQ(port.deviceFor(7), "/dev/mapped");
  } else {
    EXPECT_EQ(port.deviceFor(7), "COM7");  // Windows: numbers are COM ports, no map
    EXPECT_EQ(port.deviceFor(50), "COM50");
  }
}

// One rule for every port: numbers 1 to 255, chosen only while closed; no second open.
TEST(CommPortRules, NumbersAndOpeningFollowOneRule) {
  serial::LoopbackPort loop({});
  TempFolder dir;
  serial::DevicePort device(dir.path(), {});
  for (serial::BasicCommPort* port :
       {static_cast<serial::BasicCommPort*>(&loop), static_cast<serial::BasicCommPort*>(&device)}) {
    EXPECT_EQ(port->commPort(), 1);
    EXPECT_FALSE(port->setCommPort(0));
    EXPECT_FALSE(port->setCommPort(serial::BasicCommPort::kHighestPortNumber + 1));
    EXPECT_TRUE(port->setCommPort(serial::BasicCommPort::kHighestPortNumber));
    EXPECT_TRUE(port->setCommPort(3));
    EXPECT_EQ(port->commPort(), 3);
    EXPECT_TRUE(port->setPortOpen(false));  // closing a closed port is harmless
  }
  ASSERT_TRUE(loop.setPortOpen(true));
  EXPECT_FALSE(loop.setPortOpen(true));
  EXPECT_EQ(loop.openCount(), 1);
  EXPECT_FALSE(loop.setCommPort(4));
  EXPECT_EQ(loop.commPort(), 3);
  loop.failPort(4);
  EXPECT_TRUE(loop.setPortOpen(false));
  EXPECT_TRUE(loop.setCommPort(4));
  EXPECT_FALSE(loop.setPortOpen(true));
}

}  // namespace
