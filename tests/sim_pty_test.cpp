// ba-sim's pseudo-terminal (POSIX only).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

#include "sim/pty_line.h"

namespace {

TEST(SimLine, SeesItsPeerComeAndGoAndCarriesBytes) {
  sim::PtyLine line;
  ASSERT_TRUE(line.ok());
  EXPECT_FALSE(line.peerOpen());
  const int peer = ::open(line.path().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(peer, 0);
  EXPECT_TRUE(line.peerOpen());
  const uint8_t command[] = {0x21, 0x05};
  ASSERT_EQ(::write(peer, command, sizeof command), 2);
  std::vector<uint8_t> got;
  for (int i = 0; i < 20 && got.size() < 2; ++i) {
    const auto part = line.read(50);
    got.insert(got.end(), part.begin(), part.end());
  }
  EXPECT_EQ(got, (std::vector<uint8_t>{0x21, 0x05}));
  ::close(peer);
  EXPECT_FALSE(line.peerOpen());
}

}  // namespace
