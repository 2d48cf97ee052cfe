// A cable pulled in the middle of a streamed frame: once the port is chosen again, frames
// count from their first byte again, so the IO test shows the device's values and not bytes
// of a shifted frame.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "report_session.h"
#include "sim/sim_frames.h"
#include "sim/sim_profile.h"

namespace {

TEST(PortReopen, AFrameCutByAPulledCableIsNotCountedOn) {
  report_test::Session s;
  report_test::CopySampleSet(s.dir().path());
  std::string why;
  const auto profile = sim::LoadSimProfile(s.dir().path(), "Hotel", &why);
  ASSERT_TRUE(profile) << why;
  serial::LoopbackPort& line = s.runner().port();
  const auto arrive = [&](const std::vector<uint8_t>& bytes) {
    line.receive(bytes);
    s.run("wait 100");
  };
  s.run("wait 1100");
  arrive(sim::BuildVersionReport(*profile));
  s.run("wait 1700");
  ASSERT_EQ(s.panel(4), "Hotel");
  s.run("click Label2(0)");  // Test Mode
  arrive({0x00});            // its acknowledge
  s.run("click Label2(1)");  // IO Test
  arrive({0x00});

  sim::Readings first, second;
  first.dipSw1 = 0x81;
  first.dipSw2 = 0x42;
  second.dipSw1 = 0x3C;
  second.dipSw2 = 0x05;
  const auto frame = [&](const sim::Readings& r) {
    return sim::BuildTestFrame(profile->mode(), profile->channels(), r);
  };
  const auto dipSwitches = [&] { return std::pair(s.text("Label7(6)"), s.text("Label7(8)")); };
  arrive(frame(second));
  const auto shownForSecond = dipSwitches();
  arrive(frame(first));
  ASSERT_NE(dipSwitches(), shownForSecond);

  // Half a frame, then the line goes; the port is chosen again and the device streams on.
  const auto cut = frame(second);
  arrive(std::vector<uint8_t>(cut.begin(), cut.begin() + static_cast<long>(cut.size() / 2)));
  s.run("unplug");
  s.run("select ComPortList 0");
  s.run("wait 1100");
  ASSERT_TRUE(s.show("MSComm1").at("portOpen"));
  arrive(frame(second));
  EXPECT_EQ(dipSwitches(), shownForSecond);
}

}  // namespace
