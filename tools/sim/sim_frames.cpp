#include "sim/sim_frames.h"

#include <algorithm>

namespace sim {

namespace {

constexpr int kMaxChannels = 85;

// A frame under construction; positions count from 1 and those past its end are dropped.
class Frame {
 public:
  Frame(int length, const Readings& r) : bytes_(static_cast<size_t>(std::max(length, 0))), r_(r) {}

  void put(int position, uint8_t value) {
    if (position >= 1 && position <= static_cast<int>(bytes_.size()))
      bytes_[static_cast<size_t>(position - 1)] = value;
  }
  // `count` columns from `column` on, one byte each from `position` on.
  void sensorRun(int position, int count, int column) { run(position, count, column, r_.sensor); }
  void levelRun(int position, int count, int column) { run(position, count, column, r_.level); }
  std::vector<uint8_t> take() { return std::move(bytes_); }

 private:
  void run(int position, int count, int column, const std::array<uint8_t, kMaxColumns + 1>& row) {
    for (int i = 0; i < count && column + i <= kMaxColumns; ++i) {
      put(position + i, row[static_cast<size_t>(column + i)]);
    }
  }
  std::vector<uint8_t> bytes_;
  const Readings& r_;
};

uint8_t Inverted(uint8_t b) {
  return static_cast<uint8_t>(~b);
}

}  // namespace

int LeadingColumns(int mode) {
  if (mode == 7) return 3;
  return mode >= 6 && mode <= 10 ? 2 : 0;
}

int FrameColumns(int mode, int channels) {
  const int n = std::clamp(channels, 0, kMaxChannels);
  switch (mode) {
    case 0:
      return 8;
    case 1:
    case 2:
      return 5;
    case 3:
    case 4:
    case 5:
      return n;
    case 6:
    case 7:
      return 14;
    case 8:
    case 9:
    case 10:
      return 12;
    default:
      return 0;
  }
}

std::vector<uint8_t> BuildTestFrame(int mode, int channels, const Readings& r) {
  const int n = std::clamp(channels, 0, kMaxChannels);
  switch (mode) {
    case 0: {
      Frame f(29, r);
      for (auto [p, v] : {std::pair{1, r.leftInput},
                          {2, r.rightInput},
                          {13, r.dipSw2},
                          {14, r.dipSw1},
                          {15, r.fishLed},
                          {16, r.fishSignal},
                          {17, r.antiFakeLeft},
                          {18, r.antiFakeRight},
                          {19, r.hookSignal},
                          {20, r.adSensorMode},
                          {29, r.dacBet}})
        f.put(p, v);
      f.sensorRun(3, 8, 1);
      f.levelRun(21, 8, 1);
      return f.take();
    }
    case 1:
    case 2: {
      // Mode 1 swaps the inputs and moves the hook signal.
      const bool kx = mode == 1;
      Frame f(20, r);
      for (auto [p, v] : {std::pair{1, kx ? r.rightInput : r.leftInput},
                          {2, kx ? r.leftInput : r.rightInput},
                          {8, r.stackerOpen},
                          {kx ? 10 : 13, r.hookSignal},
                          {11, r.dipSw2},
                          {12, r.dipSw1},
                          {14, r.adSensorMode},
                          {20, r.dacBet}})
        f.put(p, v);
      f.sensorRun(3, 5, 1);
      f.levelRun(15, 5, 1);
      return f.take();
    }
    case 3:
    case 4: {
      // Five channels take the place of six, one byte later: both frames are 20 bytes.
      const int e = n == 5 ? 1 : 0;
      Frame f(2 * n + 8 + 2 * e, r);
      for (auto [p, v] : {std::pair{1, r.leftInput},
                          {2, r.rightInput},
                          {9, r.dipSw2},
                          {10, r.dipSw1},
                          {11, r.hookSignal},
                          {12, r.stackerOpen}})
        f.put(p, v);
      f.sensorRun(3, n, 1);
      f.put(n + 7 + e, r.adSensorMode);
      f.levelRun(n + 8 + e, n, 1);
      f.put(2 * n + 8 + 2 * e, r.dacBet);
      return f.take();
    }
    case 5: {
      // The DIP switches are active low.
      Frame f(2 * n + 13, r);
      for (auto [p, v] : {std::pair{1, r.leftInput},
                          {2, r.rightInput},
                          {3, Inverted(r.dipSw1)},
                          {4, Inverted(r.dipSw2)},
                          {5, r.hookSignal},
                          {6, r.stackerOpen},
                          {7, r.billEnter},
                          {8, r.fishSignal},
                          {9, r.fishLed},
                          {10, r.antiFakeLeft},
                          {11, r.antiFakeRight},
                          {12, r.adSensorMode},
                          {13, r.dacBet}})
        f.put(p, v);
      f.sensorRun(14, n, 1);
      f.levelRun(n + 14, n, 1);
      return f.take();
    }
    case 6: {
      Frame f(40, r);
      for (auto [p, v] : {std::pair{3, r.dipSw1},
                          {4, r.dipSw2},
                          {5, r.hookSignal},
                          {6, r.stackerOpen},
                          {7, r.billEnter},
                          {8, r.fishSignal},
                          {9, r.adSensorMode},
                          {10, r.dacBet},
                          {39, r.fishLed},
                          {40, r.stackerSensor2}})
        f.put(p, v);
      f.sensorRun(1, 2, 1);
      f.sensorRun(11, 12, 3);
      f.levelRun(23, 14, 1);
      return f.take();
    }
    case 7: {
      // The IO panel reads the AD sensor mode one byte earlier than the sensor panel.
      Frame f(38, r);
      for (auto [p, v] : {std::pair{1, r.dipSw1},
                          {2, r.dipSw2},
                          {3, r.hookSignal},
                          {4, r.stackerOpen},
                          {5, r.billEnter},
                          {6, r.fishSignal},
                          {7, r.adSensorMode},
                          {8, r.adSensorMode},
                          {9, r.antiFakeLeft},
                          {10, r.dacBet}})
        f.put(p, v);
      f.sensorRun(11, 14, 1);
      f.levelRun(25, 14, 1);
      return f.take();
    }
    case 8:
    case 9:
    case 10: {
      // Mode 10 adds the second DIP switch bank and shifts the rest by one.
      const int s = mode == 10 ? 1 : 0;
      Frame f(mode == 8 ? 31 : mode == 9 ? 33 : 34, r);
      for (auto [p, v] : {std::pair{1, r.dipSw1},
                          {2 + s, r.hookSignal},
                          {3 + s, r.stackerOpen},
                          {4 + s, r.billEnter},
                          {5 + s, r.fishSignal},
                          {6 + s, r.adSensorMode},
                          {7 + s, r.dacBet}})
        f.put(p, v);
      if (mode == 10) f.put(2, r.dipSw2);
      if (mode != 8) {
        f.put(32 + s, r.fishLed);
        f.put(33 + s, r.stackerSensor2);
      }
      f.sensorRun(8 + s, 12, 1);
      f.levelRun(20 + s, 12, 1);
      return f.take();
    }
    default:
      return {};
  }
}

int AdjustChannels(int mode, int channels) {
  if (mode == 0) return 8;
  if (mode >= 1 && mode <= 4) return 5;
  return mode >= 5 && mode <= 10 ? std::clamp(channels, 0, kMaxChannels) : 0;
}

std::vector<uint8_t> BuildAdjustReply(int mode, const std::vector<ChannelAdjustment>& a) {
  std::vector<uint8_t> out;
  const auto column = [&](auto value) {
    for (const ChannelAdjustment& c : a) out.push_back(value(c));
  };
  const auto vr = [](const ChannelAdjustment& c) { return c.vr; };
  const auto adjust = [](const ChannelAdjustment& c) { return c.adjust; };
  const auto stored = [](size_t copy) {
    return [copy](const ChannelAdjustment& c) { return c.stored[copy]; };
  };
  const auto passes = [&] {
    for (size_t pass = 0; pass < 4; ++pass)
      column([pass](const auto& c) { return c.passes[pass]; });
  };
  if (mode < 0 || mode > 10) return out;
  column(vr);
  column(adjust);
  if (mode == 0 || mode == 3 || mode == 4) passes();
  if (mode == 0 || mode == 5) column(stored(0));
  if (mode == 4) {
    // The EEPROM copy read three times over.
    for (const ChannelAdjustment& c : a) out.insert(out.end(), 3, c.stored[0]);
  }
  if (mode >= 6) {
    for (size_t copy = 0; copy < 3; ++copy) column(stored(copy));
  }
  return out;
}

}  // namespace sim
