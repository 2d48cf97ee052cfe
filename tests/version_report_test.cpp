// Version reports through the headless runner: the marker scan, both layouts split over any
// number of reads, the unlock after the pause, "Clear" and the start-up state.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report_session.h"

namespace {

using report_test::Session;

// `text` as single bytes, then `bytes`, as recv arguments.
std::vector<std::string> ReportBytes(const std::string& text, const std::vector<int>& bytes) {
  std::vector<std::string> out;
  for (unsigned char c : text) out.push_back(std::to_string(c));
  for (int b : bytes) out.push_back(std::to_string(b));
  return out;
}

// Feeds the bytes in reads of `chunk` bytes, one read per poll.
void FeedInReads(Session& s, const std::vector<std::string>& bytes, size_t chunk) {
  for (size_t i = 0; i < bytes.size(); i += chunk) {
    std::string args;
    for (size_t j = i; j < bytes.size() && j < i + chunk; ++j) args += " " + bytes[j];
    s.feed(args);
  }
}

const std::vector<std::string> kShortExample = ReportBytes(
    "&ABCDEFGHI",
    {0x01, 0x2A, 0x00, 0x03, 0x10, 0x00, 0x00, 0x00, 0xAB, 0xCD, 0x12, 0x34, 0x80, 0x01});

std::vector<std::string> LongExample(int last) {
  return ReportBytes("ZRNSYS0001DV01DV02JUDGE", {0x12, 0x34, 0x56, 0x78, 0x05, 0x80, last});
}

TEST(VersionReport, ShortLayoutFillsThePanelWhateverTheReads) {
  for (size_t chunk : {kShortExample.size(), size_t{1}, size_t{5}}) {
    Session s;
    s.run("wait 1100");
    FeedInReads(s, kShortExample, chunk);
    const std::vector<std::pair<int, std::string>> expected = {
        {1, "ABCDEFGHI"}, {3, "012A"},  {5, "0003"},      {7, "1000"},     {9, "0000"},
        {11, "ABCD"},     {13, "1234"}, {15, "10000000"}, {17, "00000001"}};
    for (const auto& [label, text] : expected) {
      EXPECT_EQ(s.text("Label4(" + std::to_string(label) + ")"), text) << "chunk " << chunk;
    }
    EXPECT_EQ(s.text("Label4(4)") + s.text("Label4(6)") + s.text("Label4(8)"), "DeviceJudgeOption");
    EXPECT_EQ(s.show("Label4(1)")["fontSize"], 12.0);
    EXPECT_EQ(s.state("VersionLayout"), 1);
    EXPECT_EQ(s.state("AwaitingVersionMark"), true);
    EXPECT_EQ(s.state("ShortReplyDone"), true);
    EXPECT_EQ(s.panel(4), "Unknowable");  // no configuration files
  }
}

TEST(VersionReport, LongLayoutSplitsItsText) {
  for (size_t chunk : {size_t{30}, size_t{1}, size_t{7}}) {
    Session s;
    s.run("wait 1100");
    FeedInReads(s, LongExample('P'), chunk);
    const std::vector<std::pair<int, std::string>> expected = {{1, "SYS0001DV01DV02JUDGE"},
                                                               {3, "SYS0001"},
                                                               {5, "DV01"},
                                                               {7, "DV02"},
                                                               {9, "JUDGE"},
                                                               {11, "1234"},
                                                               {13, "5678"},
                                                               {15, "00000001"},
                                                               {17, "10100000"},
                                                               {4, "Device1"},
                                                               {6, "Device2"},
                                                               {8, "Judge"}};
    for (const auto& [label, text] : expected) {
      EXPECT_EQ(s.text("Label4(" + std::to_string(label) + ")"), text) << "chunk " << chunk;
    }
    EXPECT_EQ(s.show("Label4(1)")["fontSize"], 10.0);
    EXPECT_EQ(s.state("VersionLayout"), 2);
    EXPECT_EQ(s.state("LongReplyDone"), true);
  }
}

TEST(VersionReport, ByteTwentySevenOverridesTheStackerOfTheProfile) {
  Session s;
  report_test::CopySampleSet(s.dir().path());
  s.run("wait 1100");
  // Juliett's parameters say no stacker, Hotel's say one.
  const auto report = [&](const std::string& text, int last) {
    FeedInReads(s, ReportBytes("ZRN" + text, {0, 0, 0, 0, 0, 0, last}), 64);
    return s.state("WithStacker");
  };
  EXPECT_EQ(report("W60-06014013403JD001", 'P'), 1);
  EXPECT_EQ(report("W60-06014013403JD001", 'X'), 0);
  EXPECT_EQ(report("Q48-21012013402JD001", 'N'), 0);
  EXPECT_EQ(report("Q48-21012013402JD001", 'p'), 1);
  EXPECT_EQ(s.panel(4), "Hotel");
  // An unknown system keeps the last value, and the report byte still applies.
  EXPECT_EQ(report("XXX-00012013402JD001", 'Q'), 1);
  EXPECT_EQ(report("XXX-00012013402JD001", 'N'), 0);
}

TEST(VersionReport, MarkerScan) {
  Session s;
  s.run("wait 1100");
  FeedInReads(s, kShortExample, 64);  // leaves the start-up state
  // A wrong letter between the mark letters, a repeated first letter or lower case: no report.
  for (const char* mark : {"ZxRN", "ZZRN", "zrn", "ZRxN"}) {
    FeedInReads(s, ReportBytes(mark, std::vector<int>(27, 0x41)), 64);
    EXPECT_EQ(s.state("VersionByteIndex"), 24) << mark;
    EXPECT_EQ(s.text("Label4(1)"), "ABCDEFGHI") << mark;
  }
  // "&" and the mark inside a running report are data.
  FeedInReads(s, ReportBytes("&A&ZRN&&&&", {38, 38, 'Z', 'R', 'N', 38, 0, 0, 0, 0, 0, 0, 0, 0}), 3);
  EXPECT_EQ(s.text("Label4(1)"), "A&ZRN&&&&");
  EXPECT_EQ(s.text("Label4(3)"), "2626");
  EXPECT_EQ(s.state("VersionByteIndex"), 24);
  FeedInReads(s, ReportBytes("ZRN&ZRN&ZRN&ZRN&ZRN&&&&", {38, 38, 38, 38, 38, 38, 38}), 64);
  EXPECT_EQ(s.text("Label4(3)"), "&ZRN&ZR");
  EXPECT_EQ(s.text("Label4(15)"), "01100100");
  EXPECT_EQ(s.state("VersionByteIndex"), 28);
  // A mark right after a report starts the next one.
  FeedInReads(s, kShortExample, 64);
  EXPECT_EQ(s.text("Label4(5)"), "0003");
}

TEST(VersionReport, KnownSystemUnlocksAfterThePauseWithEventsRunning) {
  Session s;
  report_test::CopySampleSet(s.dir().path());
  s.run("wait 1150");
  // Alpha's report, the last byte alone: the poll at 1300 reads it.
  s.run("recv \"&A121ALPHA\" 1 42 0 3 16 0 0 0 171 205 18 52 128");
  s.run("wait 100");
  s.run("recv 1");
  s.run("at 2800 show Label2(0)");
  s.run("at 2800 show Label1");
  const std::vector<report_test::json> during = s.run("wait 100");
  ASSERT_EQ(during.size(), 2u);  // printed while the report waited
  EXPECT_FALSE(during[0]["enabled"]);
  EXPECT_FALSE(during[1]["enabled"]);
  EXPECT_EQ(s.now(), 2801u);
  EXPECT_TRUE(s.enabled("Label2(0)"));
  EXPECT_TRUE(s.enabled("Label1"));
  EXPECT_TRUE(s.enabled("Label4(18)"));
  EXPECT_EQ(s.panel(4), "Alpha");

  // "Clear" empties the values and locks the menu again.
  s.run("click Label4(18)");
  for (int label = 1; label <= 17; label += 2) {
    EXPECT_EQ(s.text("Label4(" + std::to_string(label) + ")"), "") << label;
  }
  EXPECT_EQ(s.text("Label4(4)"), "Device");  // captions stay
  EXPECT_FALSE(s.enabled("Label2(0)"));
  EXPECT_FALSE(s.enabled("Label1"));
  EXPECT_EQ(s.state("VersionByteIndex"), 0);

  // Closing the screen during the pause leaves the poll off afterwards.
  s.run("at " + std::to_string(s.now() + 400) + " close");
  FeedInReads(s, ReportBytes("&A121ALPHA", std::vector<int>(14, 0)), 64);
  s.run("wait 3000");
  EXPECT_FALSE(s.show("Timer1").at("enabled"));
  EXPECT_FALSE(s.show("MSComm1").at("portOpen"));
}

TEST(VersionReport, UnknownSystemKeepsTheMenuLocked) {
  Session s;
  report_test::CopySampleSet(s.dir().path());
  s.run("wait 1150");
  // A report of an unknown system keeps the menu locked.
  FeedInReads(s, ReportBytes("&Q121ALPHA", std::vector<int>(14, 0)), 64);
  s.run("wait 3000");
  EXPECT_EQ(s.panel(4), "Unknowable");
  EXPECT_FALSE(s.enabled("Label2(0)"));
  EXPECT_FALSE(s.enabled("Label1"));
  // A known key whose system is named "Unknowable" is no system either.
  s.dir().write("SystemVersion.txt", "A,0,,,Unknowable,Alpha\r\n");
  FeedInReads(s, ReportBytes("&A121ALPHA", std::vector<int>(14, 0)), 64);
  s.run("wait 3000");
  EXPECT_EQ(s.panel(4), "Unknowable");
  EXPECT_FALSE(s.enabled("Label2(0)"));
  EXPECT_EQ(s.show("Picture1").at("tag"), "0");
}

TEST(VersionReport, StrayBytesBeforeTheFirstMark) {
  Session s;
  s.run("wait 1100");
  // Both layout stages take every byte: the index moves twice, the text shows twice.
  s.feed("\"abcde\"");
  EXPECT_EQ(s.state("VersionByteIndex"), 10);
  EXPECT_EQ(s.text("Label4(1)"), "abbccddee");
  // Seventy thousand stray bytes: the index stops at its largest value.
  std::string stray;
  for (int i = 0; i < 10000; ++i) stray += static_cast<char>('a' + i % 26);
  for (int read = 0; read < 7; ++read) s.feed("\"" + stray + "\"");
  EXPECT_EQ(s.state("VersionByteIndex"), 32767);
  EXPECT_EQ(s.state("AwaitingVersionMark"), true);
  // The next real report is read as usual.
  FeedInReads(s, kShortExample, 64);
  EXPECT_EQ(s.text("Label4(1)"), "ABCDEFGHI");
  EXPECT_EQ(s.text("Label4(15)"), "10000000");
  EXPECT_EQ(s.state("VersionByteIndex"), 24);
  EXPECT_EQ(s.state("ShortReplyDone"), true);
  EXPECT_EQ(s.state("LongReplyDone"), true);
}

}  // namespace
