// Version reports through the headless runner: the marker scan, both layouts split over any
// number of reads, the unlock, "Clear" and the start-up state.
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
const std::vector<std::string> kLongExample =
    ReportBytes("ZRNSYS0001DV01DV02JUDGE", {0x12, 0x34, 0x56, 0x78, 0x05, 0x80, 'P'});

// The version panel's values (Label4 1 to 17, odd) and captions (4, 6, 8), each ended by "|".
std::string Panel(Session& s) {
  std::string all;
  for (int label : {1, 3, 5, 7, 9, 11, 13, 15, 17, 4, 6, 8})
    all += s.text("Label4(" + std::to_string(label) + ")") + "|";
  return all;
}

TEST(VersionReport, BothLayoutsFillThePanelWhateverTheReads) {
  const struct {
    const std::vector<std::string>& bytes;
    int layout;
    double fontSize;
    const char* done;
    std::string panel;
  } layouts[] = {
      {kShortExample, 1, 12, "ShortReplyDone",
       "ABCDEFGHI|012A|0003|1000|0000|ABCD|1234|10000000|00000001|Device|Judge|Option|"},
      {kLongExample, 2, 10, "LongReplyDone",
       "SYS0001DV01DV02JUDGE|SYS0001|DV01|DV02|JUDGE|1234|5678|00000001|10100000|"
       "Device1|Device2|Judge|"},
  };
  for (const auto& l : layouts) {
    for (size_t chunk : {l.bytes.size(), size_t{1}, size_t{7}}) {
      SCOPED_TRACE("layout " + std::to_string(l.layout) + ", chunk " + std::to_string(chunk));
      Session s;
      s.run("wait 1100");
      FeedInReads(s, l.bytes, chunk);
      EXPECT_EQ(Panel(s), l.panel);
      EXPECT_EQ(s.show("Label4(1)")["fontSize"], l.fontSize);
      EXPECT_EQ(s.state("VersionLayout"), l.layout);
      EXPECT_EQ(s.state("AwaitingVersionMark"), true);
      EXPECT_EQ(s.state(l.done), true);
      EXPECT_EQ(s.panel(4), "Unknowable");  // no configuration files
    }
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

TEST(VersionReport, KnownSystemUnlocksAndClearLocksAgain) {
  Session s;
  report_test::CopySampleSet(s.dir().path());
  s.run("wait 1150");
  s.feed("\"&A121ALPHA\" 1 42 0 3 16 0 0 0 171 205 18 52 128 1");  // unlocked inside the poll
  EXPECT_TRUE(s.enabled("Label1"));
  EXPECT_TRUE(s.enabled("Label4(18)"));
  EXPECT_EQ(s.panel(4), "Alpha");

  // "Clear" empties the values and locks the menu again.
  s.run("click Label4(18)");
  EXPECT_EQ(Panel(s), "|||||||||Device|Judge|Option|");  // captions stay
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
