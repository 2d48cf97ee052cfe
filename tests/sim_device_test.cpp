// The simulated bill acceptor of every sample system, driven against the real tool over the
// loopback line in virtual time, and its report text.
#include "sim/sim_device.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/main_screen.h"
#include "config/receive_modes.h"
#include "replies/value_formats.h"
#include "report_session.h"
#include "sim/sim_frames.h"

namespace {

using report_test::Session;

constexpr char kRed[] = "#FF0000";

// The tool and a simulated device of system `name` joined by the loopback line: every 10 ms
// what the tool wrote goes to the device and what the device answers or streams comes back.
class Bench {
 public:
  explicit Bench(const std::string& name, uint32_t seed = 1) {
    report_test::CopySampleSet(s_.dir().path());
    std::string why;
    auto profile = sim::LoadSimProfile(s_.dir().path(), name, &why);
    if (!profile) ADD_FAILURE() << why;
    device_ = std::make_unique<sim::SimDevice>(profile.value_or(sim::SimProfile{}), seed);
    s_.runner().host().schedule(1150, [this] { Pump(); });  // the port opens at 1000
    s_.run("wait 3000");
    s_.runner().application().main().setStatusText(8, "Engineer Mode");
  }
  Session& s() { return s_; }
  const sim::SimProfile& profile() const { return device_->profile(); }
  std::string text(const std::string& c) { return s_.text(c); }
  std::string back(const std::string& c) { return s_.show(c).at("backColor"); }
  bool visible(const std::string& c) { return s_.show(c).at("visible"); }
  void click(const std::string& c, int waitMs) {
    s_.run("click " + c);
    wait(waitMs);
  }
  void wait(int ms) { s_.run("wait " + std::to_string(ms)); }

 private:
  void Pump() {
    serial::LoopbackPort& port = s_.runner().port();
    std::vector<uint8_t> written;
    for (; seen_ < port.written().size(); ++seen_) written.push_back(port.written()[seen_].byte);
    if (!written.empty()) port.receive(device_->onReceive(written, s_.now()));
    port.receive(device_->poll(s_.now()));
    s_.runner().host().schedule(s_.now() + 10, [this] { Pump(); });
  }

  std::unique_ptr<sim::SimDevice> device_;
  size_t seen_ = 0;
  Session s_;  // destroyed first: nothing pumps into a gone device
};

std::string Cell(const char* array, int index) {
  return std::string(array) + "(" + std::to_string(index) + ")";
}

std::vector<std::string> SampleBaNames() {
  std::vector<std::string> names;
  for (const std::string& n : sim::SampleSystemNames(report_test::BuildFolder().string()))
    names.push_back(n.substr(0, n.find(' ')));
  return names;
}

TEST(SimDevice, EverySampleSystemIsRecognisedFromItsReport) {
  const auto listed = sim::SampleSystemNames(report_test::BuildFolder().string());
  ASSERT_EQ(listed.size(), 14u);
  EXPECT_EQ(listed[7], "Hotel (Q48, mode 6)");
  for (const std::string& name : SampleBaNames()) {
    SCOPED_TRACE(name);
    Bench b(name);
    EXPECT_EQ(b.s().panel(4), name);
    EXPECT_EQ(b.s().panel(6).find("Unknowable"), std::string::npos);
    EXPECT_TRUE(b.s().enabled("Label2(0)"));
    EXPECT_EQ(b.text("Label4(15)"), "10000001");  // DipSW1 0x81
    EXPECT_EQ(b.text("Label4(17)"), "01000010");  // DipSW2 0x42
    EXPECT_EQ(b.s().state("WithStacker"), b.profile().params.WithStacker);
  }
}

// Every sample system (receive data modes 0 to 10): each test the menu offers fills its panel
// with values from the device, in step with the frames.
TEST(SimDevice, TestPanelsFillWithLiveValuesInEveryMode) {
  for (const std::string& name : SampleBaNames()) {
    SCOPED_TRACE(name);
    Bench b(name);
    const sim::SimProfile& p = b.profile();
    const int mode = p.mode(), n = p.channels();
    b.click("Label2(0)", 200);

    b.click("Label2(1)", 1200);  // IO test: the switches agree with the version report
    EXPECT_EQ(b.text("Label7(6)"), b.text("Label4(15)"));
    if (mode != 8 && mode != 9) {
      EXPECT_EQ(b.text("Label7(8)"), b.text("Label4(17)"));
    }
    EXPECT_TRUE(b.text("Label7(10)") == "0" || b.text("Label7(10)") == "1");
    if (b.visible("Command2(0)")) {
      EXPECT_EQ(b.text("Label7(18)"), "0");
      b.click("Command2(0)", 800);  // the fish LED
      EXPECT_EQ(b.text("Label7(18)"), "1");
    }
    b.click("Label7(21)", 300);

    b.click("Label2(5)", 1200);  // sensor test: dark channels under their maximum
    EXPECT_EQ(b.text("Label8(6)"), "2");
    EXPECT_EQ(b.text("Label8(8)"), "128");
    const int lead = config::ReceiveModeOf(mode).leadingColumns;
    const int columns = std::min(n + lead, config::ReceiveModeOf(mode).frameColumnsFor(n));
    const auto reds = [&] {
      int count = 0;
      for (int j = 1; j <= columns; ++j) {
        EXPECT_NE(b.text(Cell("SensorTestValues", 2 * j)), "") << j;
        count += b.back(Cell("SensorTestValues", 2 * j)) == kRed;
      }
      return count;
    };
    EXPECT_LE(reds() * 3, columns);
    b.s().run("select DAC_Channel " + std::to_string(lead));  // the first sensor channel
    b.s().run("settext Text3 40");
    b.click("Command3(1)", 1000);  // its number, 400 ms later its level
    EXPECT_EQ(b.text("Label8(8)"), "40");
    EXPECT_NEAR(std::stoi("0" + b.text(Cell("SensorTestValues", 2 * lead + 2))), 40, 2);
    b.click("Command3(0)", mode == 1 || mode == 2 ? 4800 : 800);  // lit: over their minimum
    EXPECT_EQ(b.s().state("SensorValueRequested"), true);
    if (mode != 1 && mode != 2) {
      EXPECT_EQ(b.text("Label8(6)"), "3");
    }
    EXPECT_LE(reds() * 3, columns);
    b.click("Label8(10)", 300);

    b.click("Label2(4)", 1600);  // sensor adjust: the first and the last channel reported
    const int cells = mode >= 6 ? 7 : 5;
    const int last = std::min(n, config::ReceiveModeOf(mode).adjustChannelsFor(n));
    EXPECT_NE(b.text("SensorAdjustValues(1)"), "");
    EXPECT_NE(b.text(Cell("SensorAdjustValues", cells * (last - 1) + 3)), "");
    b.click("Label9(1)", 300);

    if (b.s().enabled("Label2(2)")) {  // bill motor: raster values while it runs
      b.click("Label2(2)", 200);
      b.click("Label5(3)", 300);
      bool ok = false;
      for (int i = 0; i < 10; ++i, b.wait(200)) ok = ok || b.text("Label5(7)") == "OK";
      EXPECT_EQ(ok, p.params.BillMotorMaximum <= 255);  // a raster value is one byte
      b.click("Label5(2)", 400);
      const std::string stopped = b.text("Label5(6)");
      b.wait(1000);
      EXPECT_EQ(b.text("Label5(6)"), stopped);
      b.click("Label5(5)", 300);
    }
    if (b.s().enabled("Label2(3)")) {  // stacker: a status after each stroke
      b.click("Label2(3)", 200);
      b.click("Label6(3)", 1200);
      EXPECT_TRUE(b.text("Label6(1)") == "0" || b.text("Label6(1)") == "1");
      b.click("Label6(4)", 200);
    }
  }
}

// Distinct values for every byte of a frame; `second` gives another set.
sim::Readings DistinctReadings(bool second) {
  sim::Readings r;
  const auto v = [second](int first, int k) {
    return static_cast<uint8_t>(first + (second ? -k : k));
  };
  int k = 0;
  for (uint8_t* b : {&r.leftInput, &r.rightInput, &r.dipSw1, &r.dipSw2, &r.hookSignal,
                     &r.stackerOpen, &r.billEnter, &r.fishSignal, &r.fishLed, &r.stackerSensor2,
                     &r.adSensorMode, &r.dacBet, &r.antiFakeLeft, &r.antiFakeRight}) {
    *b = v(second ? 255 : 192, k++);
  }
  for (int j = 1; j <= sim::kMaxColumns; ++j) {
    r.level[static_cast<size_t>(j)] = v(second ? 100 : 0, j);
    r.sensor[static_cast<size_t>(j)] = v(second ? 190 : 100, j);
  }
  return r;
}

// The IO panel's value cells, Label7(2), (4) ... (20), and what they show.
struct IoCell {
  int label7;
  uint8_t sim::Readings::*reading;
  bool bits;  // the DIP switches, as in the version panel
};
constexpr IoCell kIoCells[] = {
    {2, &sim::Readings::leftInput, false},   {4, &sim::Readings::rightInput, false},
    {6, &sim::Readings::dipSw1, true},       {8, &sim::Readings::dipSw2, true},
    {10, &sim::Readings::hookSignal, false}, {12, &sim::Readings::stackerOpen, false},
    {14, &sim::Readings::billEnter, false},  {16, &sim::Readings::fishSignal, false},
    {18, &sim::Readings::fishLed, false},    {20, &sim::Readings::stackerSensor2, false},
};

// Whether the device's frames of `mode` carry that reading at all.
bool FrameCarries(int mode, int channels, uint8_t sim::Readings::*reading) {
  sim::Readings changed = DistinctReadings(false);
  changed.*reading = static_cast<uint8_t>(changed.*reading + 1);
  return sim::BuildTestFrame(mode, channels, changed) !=
         sim::BuildTestFrame(mode, channels, DistinctReadings(false));
}

// The panels show the values the simulated device sends, cell by cell, in every receive data
// mode: two IO and sensor test frames (the second must start where the first ended) in each
// test panel and an adjust reply, each after the acknowledge of the command that asked for it.
TEST(SimDevice, PanelsShowTheValuesTheDeviceSent) {
  for (const std::string& name : SampleBaNames()) {
    SCOPED_TRACE(name);
    Session s;
    report_test::CopySampleSet(s.dir().path());
    std::string why;
    const auto profile = sim::LoadSimProfile(s.dir().path(), name, &why);
    ASSERT_TRUE(profile) << why;
    const int mode = profile->mode(), n = profile->channels();
    const auto deliver = [&s](std::vector<uint8_t> bytes) {
      s.runner().port().receive(bytes);
      s.run("wait 100");
    };
    const auto code = [](int16_t c) { return std::vector<uint8_t>{static_cast<uint8_t>(c)}; };
    const auto number = [](uint8_t b) { return std::to_string(b); };
    s.run("wait 1150");
    deliver(sim::BuildVersionReport(*profile));
    s.run("wait 1700");
    s.runner().application().main().setStatusText(8, "Engineer Mode");
    s.run("click Label2(0)");
    const sim::Readings second = DistinctReadings(true);

    s.run("click Label2(1)");  // every reading the frame carries, and nothing else
    deliver(code(profile->params.EnterIoSensorTestCode));
    deliver(sim::BuildTestFrame(mode, n, DistinctReadings(false)));
    deliver(sim::BuildTestFrame(mode, n, second));
    EXPECT_EQ(s.state("IoByteIndex"), 0);
    for (const IoCell& c : kIoCells) {
      const uint8_t value = second.*c.reading;
      const std::string shown = FrameCarries(mode, n, c.reading)
                                    ? (c.bits ? replies::ByteToBits(value) : number(value))
                                    : std::string();
      EXPECT_EQ(s.text("Label7(" + std::to_string(c.label7) + ")"), shown) << c.label7;
    }
    s.run("click Label7(21)");

    s.run("click Label2(5)");
    deliver(code(profile->params.EnterIoSensorTestCode));
    deliver(sim::BuildTestFrame(mode, n, DistinctReadings(false)));
    deliver(sim::BuildTestFrame(mode, n, second));
    EXPECT_EQ(s.state("IoByteIndex"), 0);
    // The columns the frames carry show their values, the grid's other columns nothing.
    const config::ReceiveMode& m = config::ReceiveModeOf(mode);
    const int carried = m.frameColumnsFor(n);
    for (int j = 1; j <= std::min(m.gridColumns(n), 85); ++j) {
      const auto k = static_cast<size_t>(j);
      const auto shown = [&](uint8_t value) { return j <= carried ? number(value) : ""; };
      EXPECT_EQ(s.text(Cell("SensorTestValues", 2 * j - 1)), shown(second.sensor[k])) << j;
      EXPECT_EQ(s.text(Cell("SensorTestValues", 2 * j)), shown(second.level[k])) << j;
    }
    EXPECT_EQ(s.text("Label8(6)"), number(second.adSensorMode));
    EXPECT_EQ(s.text("Label8(8)"), number(second.dacBet));
    for (const auto& [cell, value] : {std::pair{"Label8(2)", second.antiFakeLeft},
                                      std::pair{"Label8(4)", second.antiFakeRight}}) {
      const std::string shown = s.text(cell);
      EXPECT_TRUE(shown.empty() || shown == number(value)) << cell << " " << shown;
    }
    s.run("click Label8(10)");

    s.run("click Label2(4)");
    s.run("wait 1100");  // FRAM systems ask for the adjustment in three bytes
    const int channels = m.adjustChannelsFor(n);
    std::vector<sim::ChannelAdjustment> adjustments(static_cast<size_t>(channels));
    for (int c = 1; c <= channels; ++c) {
      sim::ChannelAdjustment& a = adjustments[static_cast<size_t>(c - 1)];
      a.vr = static_cast<uint8_t>(c);
      a.adjust = static_cast<uint8_t>(85 + c);
      a.passes.fill(0);
      a.stored = {static_cast<uint8_t>(170 + c), static_cast<uint8_t>(255 - c),
                  static_cast<uint8_t>(2 * c + 1)};
    }
    deliver(code(profile->params.EnterSensorAdjustCode));
    deliver(sim::BuildAdjustReply(mode, adjustments));
    EXPECT_EQ(s.state("ShortReplyCount"), 0);
    const bool fram = mode >= 6;
    const int perChannel = fram ? 7 : 5;
    const bool storedShown = mode == 0 || mode >= 4;
    const auto visible = [&s](const std::string& c) -> bool { return s.show(c).at("visible"); };
    EXPECT_EQ(visible("SensorAdjustHeadings(6)"), storedShown);
    for (int c = 1; c <= std::min(n, channels); ++c) {
      const sim::ChannelAdjustment& a = adjustments[static_cast<size_t>(c - 1)];
      const int row = perChannel * (c - 1);
      EXPECT_EQ(s.text(Cell("SensorAdjustValues", row + 1)), number(a.vr)) << c;
      EXPECT_EQ(s.text(Cell("SensorAdjustValues", row + 3)), number(a.adjust)) << c;
      EXPECT_EQ(s.text(Cell("SensorAdjustValues", row + 5)), storedShown ? number(a.stored[0]) : "")
          << c;
      EXPECT_EQ(visible(Cell("SensorAdjustValues", row + 5)), storedShown) << c;
      if (fram) {
        EXPECT_EQ(s.text(Cell("SensorAdjustValues", row + 6)), number(a.stored[1])) << c;
        EXPECT_EQ(s.text(Cell("SensorAdjustValues", row + 7)), number(a.stored[2])) << c;
      }
    }
  }
}

TEST(SimDevice, InterfaceSetupBillLengthAndEraseOnQ48) {
  Bench b("Q48");
  b.click("Label2(0)", 200);
  b.click("Label2(8)", 800);  // the device reports "Pulse" and confirms a new choice
  EXPECT_EQ(b.s().show("Option1(7)").at("value"), true);
  b.s().run("click Option1(2)");
  const auto printed = b.s().run("wait 300");
  ASSERT_EQ(printed.size(), 1u);
  EXPECT_EQ(printed[0].at("messagebox").at("text"),
            "Q48 Interface Setup To: $4 PANASONIC (Coupling)");
  b.click("Label11(1)", 300);

  b.s().runner().application().main().testMenu().Label2_Click(6);  // its item stays disabled
  b.wait(1800);
  const int length = std::stoi("0" + b.text("Label10(1)"));
  EXPECT_TRUE(length >= 148 && length <= 166) << length;
  b.click("Label10(3)", 300);

  b.s().run("answer OK");
  b.click("Label2(9)", 2500);  // erased: the three FRAM copies read 0
  for (int c : {5, 6, 7}) {
    EXPECT_EQ(b.text(Cell("SensorAdjustValues", c)), "0");
    EXPECT_EQ(b.back(Cell("SensorAdjustValues", c)), kRed);
  }
  const std::string adjusted = b.text("SensorAdjustValues(3)");
  b.click("Label9(1)", 300);  // the next adjustment finds that value stored
  b.click("Label2(4)", 2500);
  EXPECT_EQ(b.text("SensorAdjustValues(5)"), adjusted);
}

TEST(SimDevice, EepromEraseAndTheDevicesOwnRules) {
  Bench b("Alpha");
  b.click("Label2(0)", 200);
  b.s().run("answer OK");
  b.click("Label2(9)", 2500);
  EXPECT_EQ(b.text("SensorAdjustValues(5)"), "0");
  EXPECT_EQ(b.back("SensorAdjustValues(5)"), kRed);

  // Without the tool: the same seed gives the same bytes, silence after leaving a test, the
  // report again after switching on.
  const sim::SimProfile& p = b.profile();
  const auto code = [](int16_t c) { return std::vector<uint8_t>{static_cast<uint8_t>(c)}; };
  const auto run = [&](uint32_t seed) {
    sim::SimDevice d(p, seed);
    std::vector<uint8_t> all = d.poll(0);
    EXPECT_EQ(all, d.versionReport());
    for (int16_t c : {p.params.EnterTestModeCode, p.params.EnterIoSensorTestCode}) {
      EXPECT_EQ(d.onReceive(code(c), 10), code(c));  // acknowledged with itself
    }
    for (uint64_t t = 20; t <= 2000; t += 20) {
      const auto part = d.poll(t);
      all.insert(all.end(), part.begin(), part.end());
    }
    EXPECT_EQ(all.size(), d.versionReport().size() + 8 * 29u);  // 229 ms a frame
    EXPECT_EQ(d.onReceive(code(p.params.LeaveTestModeCode), 2010).size(), 1u);
    for (uint64_t t = 2020; t <= 4000; t += 20) EXPECT_TRUE(d.poll(t).empty());
    d.powerUp();
    EXPECT_EQ(d.poll(4100), d.versionReport());
    return all;
  };
  EXPECT_EQ(run(7), run(7));
  EXPECT_NE(run(7), run(8));

  std::string why;
  EXPECT_FALSE(sim::LoadSimProfile(b.s().dir().path(), "Zulu", &why));
  EXPECT_NE(why.find("Zulu"), std::string::npos);
  const auto delta = sim::LoadSimProfile(b.s().dir().path(), "MT-N", &why);
  ASSERT_TRUE(delta);
  EXPECT_EQ(delta->baName, "Delta");
  EXPECT_TRUE(delta->version >= "01" && delta->version <= "09") << delta->version;
}

TEST(SimReport, EscapesGiveBytesAndMalformedOnesAreRefused) {
  EXPECT_EQ(sim::ParseReport("&A\\x01\\xff\\\\"),
            (std::vector<uint8_t>{'&', 'A', 0x01, 0xFF, '\\'}));
  EXPECT_FALSE(sim::ParseReport("\\x1"));
  EXPECT_FALSE(sim::ParseReport("\\xZZ"));
  EXPECT_FALSE(sim::ParseReport("\\q"));
}

}  // namespace
