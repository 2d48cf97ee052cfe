// Captures of the line: the file format and its reader, the capture in the terminal driven
// through ba-script's runner, and the replay script ba-sim plays.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "report_session.h"
#include "serial/capture_file.h"
#include "sim/replay.h"

namespace {

using report_test::json;
using report_test::Session;
using serial::CaptureDirection;

const char* const kAlpha =
    "\"&A121ALPHA\" 0x01 0x2A 0x00 0x03 0x10 0x00 0x00 0x00 0xAB 0xCD 0x12 0x34 0x80 0x01";

std::vector<serial::CaptureRecord> Records(const std::string& text) {
  std::vector<serial::CaptureRecord> records;
  std::istringstream in(text);
  std::string line;
  std::getline(in, line);
  EXPECT_TRUE(serial::IsCaptureTitle(line)) << line;
  while (std::getline(in, line)) {
    if (serial::IsCaptureComment(line)) continue;
    auto record = serial::ParseCaptureLine(line);
    EXPECT_TRUE(record) << line;
    if (record) records.push_back(*record);
  }
  return records;
}

TEST(CaptureFile, LinesReadBackAsWrittenAndAnythingElseIsRefused) {
  std::mt19937 rng(3);
  for (int round = 0; round < 100; ++round) {
    std::vector<uint8_t> bytes(1 + rng() % 40);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(rng());
    const uint64_t ms = rng() % 2 ? rng() : 999'999'999'999'999ull;
    const auto way = rng() % 2 ? CaptureDirection::Sent : CaptureDirection::Received;
    std::string line = serial::CaptureLine(ms, way, bytes.data(), bytes.size());
    ASSERT_EQ(line.back(), '\n');
    line.pop_back();
    const auto back = serial::ParseCaptureLine(line + (round % 2 ? "\r" : ""));
    ASSERT_TRUE(back) << line;
    EXPECT_EQ(back->ms, ms);
    EXPECT_EQ(back->way, way);
    EXPECT_EQ(back->bytes, bytes);
  }
  EXPECT_TRUE(serial::ParseCaptureLine("1234 R 26 41 0a"));
  for (const char* bad : {"", "1234", "1234 R", "1234 X 26", "12a4 R 26", "-1 R 26", "1234 R 2",
                          "1234 R 266", "1234 R 2G", "1234 R 26,41", "1234 r 26",
                          "1234567890123456 R 26", "99999999999999999999 R 26", "R 26 41"}) {
    EXPECT_FALSE(serial::ParseCaptureLine(bad)) << bad;
  }
  EXPECT_TRUE(serial::IsCaptureTitle(serial::CaptureHeader("1 (/dev/pts/3)", "2024-05-02")));
  EXPECT_FALSE(serial::IsCaptureTitle("# ba-test-tool capture 10"));
  EXPECT_FALSE(serial::IsCaptureTitle("1234 R 26"));
}

TEST(CaptureFile, ReplayPlaysEachReceivedLineAfterItsCommandAndReportsMalformedOnes) {
  std::istringstream capture(
      "# ba-test-tool capture 1; port 1 (/dev/pts/3); started 2024-05-02 10:00:00\r\n"
      "# a comment\n"
      "500 S 4E\n"
      "1900 R 26 41\r\n"
      "\n"
      "2000 R 31 32 zz\n"
      "2100 R 33\n"
      "2050 R 34\n"
      "2050 S 5D\n"
      "not a line at all\n"
      "2400 R 35 36\n");
  std::string why;
  const auto script = sim::ReadReplay(capture, &why);
  ASSERT_TRUE(script) << why;
  // Each received line is timed from the send before it.
  const struct {
    size_t sentBefore;
    uint64_t atMs;
    std::vector<uint8_t> bytes;
  } want[] = {
      {1, 1400, {0x26, 0x41}}, {1, 1600, {0x33}}, {1, 1600, {0x34}}, {2, 350, {0x35, 0x36}}};
  ASSERT_EQ(script->lines.size(), std::size(want));
  for (size_t i = 0; i < std::size(want); ++i) {
    EXPECT_EQ(script->lines[i].sentBefore, want[i].sentBefore) << i;
    EXPECT_EQ(script->lines[i].atMs, want[i].atMs) << i;
    EXPECT_EQ(script->lines[i].bytes, want[i].bytes) << i;
  }
  ASSERT_EQ(script->problems.size(), 2u);
  EXPECT_EQ(script->problems[0].rfind("line 6:", 0), 0u) << script->problems[0];
  EXPECT_EQ(script->problems[1].rfind("line 10:", 0), 0u) << script->problems[1];

  // A line waits for its command, however late the tool sends it, then keeps its distance.
  sim::ReplayPlayer player(*script);
  EXPECT_TRUE(player.due(5000).empty());  // not started
  player.start(1000);
  EXPECT_TRUE(player.due(4000).empty());
  player.sent(1, 4100);
  EXPECT_TRUE(player.due(5499).empty());
  EXPECT_EQ(player.due(5500), (std::vector<uint8_t>{0x26, 0x41}));
  EXPECT_EQ(player.due(5700), (std::vector<uint8_t>{0x33, 0x34}));
  EXPECT_TRUE(player.due(9000).empty());
  player.sent(3, 9000);  // more than the capture holds
  EXPECT_TRUE(player.due(9349).empty());
  EXPECT_EQ(player.due(9350), (std::vector<uint8_t>{0x35, 0x36}));
  EXPECT_FALSE(player.playing());
  player.start(9000);  // the tool opened the line again
  player.sent(1, 9000);
  EXPECT_EQ(player.due(10400), (std::vector<uint8_t>{0x26, 0x41}));

  for (const char* notCapture : {"", "1900 R 26\n", "# ba-test-tool capture 2\n1900 R 26\n"}) {
    std::istringstream in(notCapture);
    EXPECT_FALSE(sim::ReadReplay(in, &why)) << notCapture;
  }
}

// A path as a quoted script argument (Windows paths hold backslashes).
std::string Quoted(const std::string& path) {
  std::string out = "\"";
  for (char c : path) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + '"';
}

// The terminal's capture in virtual time, with the sample set.
class CaptureSession : public ::testing::Test {
 protected:
  CaptureSession() { report_test::CopySampleSet(s.dir().path()); }
  void startCapture(const std::string& path) {
    s.run("savefile " + Quoted(path));
    s.run("click cmdCapture");
  }
  std::string caption() { return s.text("cmdCapture"); }
  // The texts of the message boxes that `line` raised.
  std::vector<std::string> messages(const std::string& line) {
    std::vector<std::string> texts;
    for (const json& j : s.run(line)) {
      if (j.contains("messagebox")) texts.push_back(j.at("messagebox").at("text"));
    }
    return texts;
  }
  Session s;
};

TEST_F(CaptureSession, EveryByteReceivedAndSentIsInTheFileOnceWithItsTime) {
  const std::string path = s.dir().file("capture.txt");
  s.run("click Command4");  // the terminal
  EXPECT_EQ(caption(), "Capture...");
  s.run("wait 1150");
  startCapture(path);
  const uint64_t start = s.now();
  EXPECT_EQ(caption(), "Stop Capture");
  EXPECT_NE(s.show("cmdCapture").at("toolTip").get<std::string>().find(path), std::string::npos);
  s.feed(kAlpha);
  s.run("wait 1700");
  s.run("click Label2(0)");  // the test mode command, through SendCommandByte
  s.run("recv 0x4E 1 2");
  s.run("settext Text2 \"0x31\"");
  s.run("click Command1(0)");  // Send
  s.run("recv 0x31");
  s.run("wait 250");
  const auto sent = s.timedSent();
  s.run("click cmdCapture");
  EXPECT_EQ(caption(), "Capture...");
  s.run("recv 7");
  s.run("wait 200");  // read after the capture ended

  std::vector<uint8_t> received, written;
  std::vector<uint64_t> sentTimes, readTimes;
  for (const auto& r : Records(s.dir().read("capture.txt"))) {
    const bool read = r.way == CaptureDirection::Received;
    (read ? received : written)
        .insert((read ? received : written).end(), r.bytes.begin(), r.bytes.end());
    (read ? readTimes : sentTimes).push_back(r.ms);
  }
  // The report is read by the first poll; the last read is the Send's acknowledge.
  ASSERT_FALSE(readTimes.empty());
  EXPECT_LE(readTimes.front(), 100u);
  EXPECT_TRUE(std::is_sorted(readTimes.begin(), readTimes.end()));
  EXPECT_GT(readTimes.back(), sent.back().first - start);
  EXPECT_LE(readTimes.back(), sent.back().first - start + 100);
  const std::vector<uint8_t> alpha = {'&',  'A',  '1',  '2',  '1',  'A',  'L',  'P',
                                      'H',  'A',  0x01, 0x2A, 0x00, 0x03, 0x10, 0x00,
                                      0x00, 0x00, 0xAB, 0xCD, 0x12, 0x34, 0x80, 0x01};
  std::vector<uint8_t> expected = alpha;
  expected.insert(expected.end(), {0x4E, 1, 2, 0x31});
  EXPECT_EQ(received, expected);
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(written, (std::vector<uint8_t>{static_cast<uint8_t>(sent[0].second), 0x31}));
  ASSERT_EQ(sentTimes.size(), 2u);
  EXPECT_EQ(sentTimes[0], sent[0].first - start);
  EXPECT_EQ(sentTimes[1], sent[1].first - start);
}

TEST_F(CaptureSession, NoFileOrAFailingOneLeavesTheToolAsItWas) {
  s.run("click Command4");
  s.run("wait 1150");
  // Cancelled: nothing happens.
  s.run("savefile CANCEL");
  EXPECT_TRUE(messages("click cmdCapture").empty());
  EXPECT_EQ(caption(), "Capture...");
  // A folder that is not there: the message names the file.
  const std::string missing = s.dir().file("no-such-folder/capture.txt");
  s.run("savefile " + Quoted(missing));
  auto told = messages("click cmdCapture");
  ASSERT_EQ(told.size(), 1u);
  EXPECT_NE(told[0].find(missing), std::string::npos) << told[0];
  EXPECT_EQ(caption(), "Capture...");
#ifndef _WIN32
  // A full disk: the first write fails, the capture ends with a message.
  if (std::filesystem::exists("/dev/full")) {
    s.run("savefile \"/dev/full\"");
    told = messages("click cmdCapture");
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("/dev/full could not be written"), std::string::npos) << told[0];
    EXPECT_EQ(caption(), "Capture...");
  }
#endif
  // The terminal goes on as before.
  s.feed("0x41");
  EXPECT_EQ(s.text("Text1"), "[0]-->65");
  s.run("settext Text2 \"5\"");
  s.run("click Command1(0)");
  EXPECT_EQ(s.sent(), std::vector<int>{5});
}

}  // namespace
