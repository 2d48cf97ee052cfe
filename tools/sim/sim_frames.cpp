#include "sim/sim_frames.h"

#include <algorithm>

#include "config/receive_modes.h"

namespace sim {

namespace {

constexpr int kMaxChannels = 85;

// A byte position, or a frame length, for N channels: k + n*N, and e more when N is 5 (modes 3
// and 4 send five channels where six would be, one byte later).
struct At {
  int16_t k = 0;
  int8_t n = 0, e = 0;

  constexpr At(int k = 0, int n = 0, int e = 0)
      : k(static_cast<int16_t>(k)), n(static_cast<int8_t>(n)), e(static_cast<int8_t>(e)) {}
  constexpr int of(int channels) const { return k + n * channels + (channels == 5 ? e : 0); }
};

using R = Readings;
using Reading = uint8_t Readings::*;
using GridRow = std::array<uint8_t, kMaxColumns + 1> Readings::*;

// One reading at a position; the DIP switches of mode 5 are active low.
struct Put {
  At at;
  Reading reading = nullptr;  // null marks an unused entry
  bool inverted = false;
};

// Grid columns from `column` to `last` (0: the last the frame carries), one byte each.
struct Run {
  At at;
  GridRow row = nullptr;  // null marks an unused run
  int8_t column = 1;
  int8_t last = 0;
};

// A frame of one mode; the runs are written after the readings.
struct Layout {
  At length;
  std::array<Put, 13> puts{};
  std::array<Run, 3> runs{};
};

constexpr GridRow kSensor = &R::sensor;
constexpr GridRow kLevel = &R::level;

// Five channels take the place of six, one byte later: both frames are 20 bytes.
// clang-format off
constexpr Layout kMode3And4 = {
    .length = {8, 2, 2},
    .puts = {{{1, &R::leftInput}, {2, &R::rightInput}, {9, &R::dipSw2}, {10, &R::dipSw1},
              {11, &R::hookSignal}, {12, &R::stackerOpen}, {{7, 1, 1}, &R::adSensorMode},
              {{8, 2, 2}, &R::dacBet}}},
    .runs = {{{3, kSensor}, {{8, 1, 1}, kLevel}}}};
// clang-format on

// One entry per receive data mode. Mode 1 swaps the inputs and moves the hook signal; mode 7
// sends the AD sensor mode twice (the IO panel reads the first, the sensor panel the second);
// mode 10 adds the second DIP switch bank and shifts the rest by one.
// clang-format off
constexpr std::array<Layout, config::kReceiveModeCount> kLayouts = {{
    {29, {{{1, &R::leftInput}, {2, &R::rightInput}, {13, &R::dipSw2}, {14, &R::dipSw1},
           {15, &R::fishLed}, {16, &R::fishSignal}, {17, &R::antiFakeLeft},
           {18, &R::antiFakeRight}, {19, &R::hookSignal}, {20, &R::adSensorMode},
           {29, &R::dacBet}}},
     {{{3, kSensor}, {21, kLevel}}}},
    {20, {{{1, &R::rightInput}, {2, &R::leftInput}, {8, &R::stackerOpen}, {10, &R::hookSignal},
           {11, &R::dipSw2}, {12, &R::dipSw1}, {14, &R::adSensorMode}, {20, &R::dacBet}}},
     {{{3, kSensor}, {15, kLevel}}}},
    {20, {{{1, &R::leftInput}, {2, &R::rightInput}, {8, &R::stackerOpen}, {13, &R::hookSignal},
           {11, &R::dipSw2}, {12, &R::dipSw1}, {14, &R::adSensorMode}, {20, &R::dacBet}}},
     {{{3, kSensor}, {15, kLevel}}}},
    kMode3And4,
    kMode3And4,
    {{13, 2}, {{{1, &R::leftInput}, {2, &R::rightInput}, {3, &R::dipSw1, true},
                {4, &R::dipSw2, true}, {5, &R::hookSignal}, {6, &R::stackerOpen},
                {7, &R::billEnter}, {8, &R::fishSignal}, {9, &R::fishLed},
                {10, &R::antiFakeLeft}, {11, &R::antiFakeRight}, {12, &R::adSensorMode},
                {13, &R::dacBet}}},
     {{{14, kSensor}, {{14, 1}, kLevel}}}},
    {40, {{{3, &R::dipSw1}, {4, &R::dipSw2}, {5, &R::hookSignal}, {6, &R::stackerOpen},
           {7, &R::billEnter}, {8, &R::fishSignal}, {9, &R::adSensorMode}, {10, &R::dacBet},
           {39, &R::fishLed}, {40, &R::stackerSensor2}}},
     {{{1, kSensor, 1, 2}, {11, kSensor, 3}, {23, kLevel}}}},
    {38, {{{1, &R::dipSw1}, {2, &R::dipSw2}, {3, &R::hookSignal}, {4, &R::stackerOpen},
           {5, &R::billEnter}, {6, &R::fishSignal}, {7, &R::adSensorMode}, {8, &R::adSensorMode},
           {9, &R::antiFakeLeft}, {10, &R::dacBet}}},
     {{{11, kSensor}, {25, kLevel}}}},
    {31, {{{1, &R::dipSw1}, {2, &R::hookSignal}, {3, &R::stackerOpen}, {4, &R::billEnter},
           {5, &R::fishSignal}, {6, &R::adSensorMode}, {7, &R::dacBet}}},
     {{{8, kSensor}, {20, kLevel}}}},
    {33, {{{1, &R::dipSw1}, {2, &R::hookSignal}, {3, &R::stackerOpen}, {4, &R::billEnter},
           {5, &R::fishSignal}, {6, &R::adSensorMode}, {7, &R::dacBet}, {32, &R::fishLed},
           {33, &R::stackerSensor2}}},
     {{{8, kSensor}, {20, kLevel}}}},
    {34, {{{1, &R::dipSw1}, {2, &R::dipSw2}, {3, &R::hookSignal}, {4, &R::stackerOpen},
           {5, &R::billEnter}, {6, &R::fishSignal}, {7, &R::adSensorMode}, {8, &R::dacBet},
           {33, &R::fishLed}, {34, &R::stackerSensor2}}},
     {{{9, kSensor}, {21, kLevel}}}},
}};
// clang-format on

// The columns of an adjust reply, each one byte per channel; the EEPROM copies of mode 4 are
// three bytes per channel.
enum class Block : uint8_t { None, Vr, Adjust, Passes, Stored, StoredThrice };

// One entry per receive data mode.
// clang-format off
constexpr std::array<std::array<Block, 4>, config::kReceiveModeCount> kAdjustBlocks = {{
    /* 0 */ {Block::Vr, Block::Adjust, Block::Passes, Block::Stored},
    /* 1 */ {Block::Vr, Block::Adjust},
    /* 2 */ {Block::Vr, Block::Adjust},
    /* 3 */ {Block::Vr, Block::Adjust, Block::Passes},
    /* 4 */ {Block::Vr, Block::Adjust, Block::Passes, Block::StoredThrice},
    /* 5 */ {Block::Vr, Block::Adjust, Block::Stored},
    /* 6 */ {Block::Vr, Block::Adjust, Block::Stored},
    /* 7 */ {Block::Vr, Block::Adjust, Block::Stored},
    /* 8 */ {Block::Vr, Block::Adjust, Block::Stored},
    /* 9 */ {Block::Vr, Block::Adjust, Block::Stored},
    /* 10 */ {Block::Vr, Block::Adjust, Block::Stored},
}};
// clang-format on

uint8_t Inverted(uint8_t b) {
  return static_cast<uint8_t>(~b);
}

}  // namespace

std::vector<uint8_t> BuildTestFrame(int mode, int channels, const Readings& r) {
  const Layout* layout = config::ForMode(kLayouts, mode);
  if (!layout) return {};
  const int n = std::clamp(channels, 0, kMaxChannels);
  std::vector<uint8_t> bytes(static_cast<size_t>(std::max(layout->length.of(n), 0)));
  // Positions count from 1; those past the end are dropped.
  const auto put = [&bytes](int position, uint8_t value) {
    if (position >= 1 && position <= static_cast<int>(bytes.size()))
      bytes[static_cast<size_t>(position - 1)] = value;
  };
  for (const Put& p : layout->puts) {
    if (p.reading) put(p.at.of(n), p.inverted ? Inverted(r.*p.reading) : r.*p.reading);
  }
  const int columns = config::ReceiveModeOf(mode).frameColumnsFor(n);
  for (const Run& run : layout->runs) {
    if (!run.row) continue;
    const int last = std::min(run.last > 0 ? int{run.last} : columns, kMaxColumns);
    for (int c = run.column; c <= last; ++c) {
      put(run.at.of(n) + c - run.column, (r.*run.row)[static_cast<size_t>(c)]);
    }
  }
  return bytes;
}

std::vector<uint8_t> BuildAdjustReply(int mode, const std::vector<ChannelAdjustment>& a) {
  std::vector<uint8_t> out;
  const auto* blocks = config::ForMode(kAdjustBlocks, mode);
  if (!blocks) return out;
  const auto copies = static_cast<size_t>(config::ReceiveModeOf(mode).memory->copies);
  const auto column = [&](auto value) {
    for (const ChannelAdjustment& c : a) out.push_back(value(c));
  };
  for (Block block : *blocks) {
    switch (block) {
      case Block::Vr:
        column([](const ChannelAdjustment& c) { return c.vr; });
        break;
      case Block::Adjust:
        column([](const ChannelAdjustment& c) { return c.adjust; });
        break;
      case Block::Passes:
        for (size_t pass = 0; pass < 4; ++pass) {
          column([pass](const ChannelAdjustment& c) { return c.passes[pass]; });
        }
        break;
      case Block::Stored:  // one copy in the EEPROM, three in the FRAM
        for (size_t copy = 0; copy < copies; ++copy) {
          column([copy](const ChannelAdjustment& c) { return c.stored[copy]; });
        }
        break;
      case Block::StoredThrice:
        for (const ChannelAdjustment& c : a) out.insert(out.end(), 3, c.stored[0]);
        break;
      case Block::None:
        break;
    }
  }
  return out;
}

}  // namespace sim
