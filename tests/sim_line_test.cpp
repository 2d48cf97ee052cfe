// The simulated line: pacing at the line rate and the injected faults.
#include <gtest/gtest.h>

#include "sim/line_shaper.h"

namespace {

using sim::LineShaper;

std::vector<uint8_t> Bytes(size_t n) {
  std::vector<uint8_t> b(n);
  for (size_t i = 0; i < n; ++i) b[i] = static_cast<uint8_t>(i);
  return b;
}

TEST(SimLine, PacesAtTheLineRateWithoutSavingUpBursts) {
  LineShaper line(sim::BytesPerSecond(9600), {});
  EXPECT_EQ(sim::BytesPerSecond(9600), 872);
  line.queue(Bytes(3000));
  size_t sent = 0;
  for (uint64_t t = 10; t <= 1000; t += 10) sent += line.due(t).size();
  EXPECT_NEAR(static_cast<double>(sent), 872, 9);
  // After a long idle spell the line still sends at most a second's worth at once.
  EXPECT_LE(line.due(60000).size(), 872u);
  // A frame queued on a line that had nothing to send takes its time on the line.
  LineShaper idle(sim::BytesPerSecond(9600), {});
  EXPECT_TRUE(idle.due(5000).empty());
  idle.queue(Bytes(40));
  EXPECT_TRUE(idle.due(5000).empty());
  EXPECT_EQ(idle.due(5010).size(), 8u);
  EXPECT_EQ(idle.due(5050).size(), 32u);

  LineShaper fast(0, {});
  fast.queue(Bytes(3000));
  EXPECT_EQ(fast.due(0).size(), 3000u);
}

TEST(SimLine, FaultsDropInsertPauseAndUnplug) {
  std::string why;
  auto faults = sim::ParseFaults("drop=4,insert=10,pause=100:50,unplug=500:200", &why);
  ASSERT_TRUE(faults) << why;
  LineShaper line(0, *faults);
  line.queue(Bytes(40));
  EXPECT_TRUE(line.due(120).empty());  // paused
  const auto out = line.due(200);
  EXPECT_EQ(out.size(), 40u - 10 + 2);  // bytes 20 and 40 are dropped, so no stray after them
  EXPECT_EQ(out[2], 2);
  EXPECT_EQ(out[3], 4);  // byte 3 (the fourth) was dropped
  EXPECT_FALSE(line.unplugged(499));
  EXPECT_TRUE(line.unplugged(600));
  EXPECT_FALSE(line.unplugged(700));

  auto garbage = sim::ParseFaults("garbage=100:5", &why);
  ASSERT_TRUE(garbage);
  LineShaper noisy(0, *garbage);
  EXPECT_TRUE(noisy.due(50).empty());
  EXPECT_EQ(noisy.due(100).size(), 5u);

  for (const char* bad : {"drop=0", "drop=x", "pause=5", "unplug=1:-2", "shake=1"}) {
    EXPECT_FALSE(sim::ParseFaults(bad, &why)) << bad;
  }
}

}  // namespace
