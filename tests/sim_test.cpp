#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "sim/pty_line.h"
#include "sim/sim_device.h"

namespace {

TEST(SimReport, EscapesGiveBytesAndMalformedOnesAreRefused) {
  EXPECT_EQ(sim::ParseReport("&A\\x01\\xff\\\\"),
            (std::vector<uint8_t>{'&', 'A', 0x01, 0xFF, '\\'}));
  EXPECT_FALSE(sim::ParseReport("\\x1"));
  EXPECT_FALSE(sim::ParseReport("\\xZZ"));
  EXPECT_FALSE(sim::ParseReport("\\q"));
  // The default report is a complete short report: the marker and 23 data bytes.
  const auto report = sim::DefaultReport();
  ASSERT_EQ(report.size(), 24u);
  EXPECT_EQ(report[0], '&');
}

TEST(SimLine, SeesItsPeerComeAndGoAndAcknowledgesCommands) {
  sim::PtyLine line;
  ASSERT_TRUE(line.ok());
  EXPECT_FALSE(line.peerOpen());
  const int peer = ::open(line.path().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(peer, 0);
  EXPECT_TRUE(line.peerOpen());

  const sim::SimDevice device(sim::DefaultReport());
  const uint8_t command[] = {0x21, 0x05};
  ASSERT_EQ(::write(peer, command, sizeof command), 2);
  std::vector<uint8_t> got;
  for (int i = 0; i < 20 && got.size() < 2; ++i) {
    const auto part = line.read(50);
    got.insert(got.end(), part.begin(), part.end());
  }
  EXPECT_EQ(device.onReceive(got), (std::vector<uint8_t>{0x21, 0x05}));

  ::close(peer);
  EXPECT_FALSE(line.peerOpen());
}

}  // namespace
