#include "replies/sensor_replies.h"

#include <algorithm>
#include <limits>
#include <string>

#include "base/counter.h"
#include "base/text.h"
#include "config/receive_modes.h"
#include "form/colour.h"

namespace replies {

namespace {

// A frame position or length that may follow the channel count: k + n*N + e*E, where E is 1
// when N is 5 (modes 3 and 4 pad that frame by a byte). All zero marks an unused entry.
struct Lin {
  int16_t k = 0;
  int8_t n = 0;
  int8_t e = 0;

  constexpr bool used() const { return k != 0 || n != 0 || e != 0; }
  constexpr int at(int channels) const { return k + n * channels + e * (channels == 5 ? 1 : 0); }
};

constexpr Lin P(int k, int n = 0, int e = 0) {
  return {static_cast<int16_t>(k), static_cast<int8_t>(n), static_cast<int8_t>(e)};
}
constexpr Lin kN = P(0, 1);

constexpr int kGridColumns = 85;  // what the sensor test slot arrays hold
constexpr int kLastChannel = 85;  // what the profile's channel tables hold

// ---- Sensor test frames -------------------------------------------------------------------

using Reading = SensorReplies::Reading;

struct FixedByte {
  Lin position;
  Reading reading = SensorReplies::kAntiFakeLeft;
};

// Consecutive bytes of one grid row, from `column` on. A counted run keeps ChannelIndex at the
// column just written.
struct GridRun {
  int8_t row = 0;  // 0 marks an unused run
  Lin first;
  Lin count;
  int8_t column = 1;
  bool counted = false;
};

constexpr GridRun Direct(int row, Lin first, Lin count, int column) {
  return {static_cast<int8_t>(row), first, count, static_cast<int8_t>(column), false};
}
constexpr GridRun Counted(int row, Lin first, Lin count, int column) {
  return {static_cast<int8_t>(row), first, count, static_cast<int8_t>(column), true};
}

// A byte that sets ChannelIndex after it is placed.
struct CounterSet {
  Lin position;
  int8_t value = 0;
};

struct TestFrame {
  std::array<FixedByte, 4> fixed{};
  std::array<GridRun, 4> runs{};
  std::array<CounterSet, 3> sets{};
  Lin end;
};

constexpr auto kAfL = SensorReplies::kAntiFakeLeft;
constexpr auto kAfR = SensorReplies::kAntiFakeRight;
constexpr auto kAd = SensorReplies::kAdSensorMode;
constexpr auto kDac = SensorReplies::kDacBet;

// One entry per receive data mode.
// clang-format off
constexpr std::array<TestFrame, config::kReceiveModeCount> kTestFrames = {{
    {.fixed = {{{P(17), kAfL}, {P(18), kAfR}, {P(20), kAd}, {P(29), kDac}}},
     .runs = {{Direct(1, P(3), P(8), 1), Direct(2, P(21), P(8), 1)}},
     .end = P(29)},
    {.fixed = {{{P(14), kAd}, {P(20), kDac}}},
     .runs = {{Direct(1, P(3), P(5), 1), Direct(2, P(15), P(5), 1)}},
     .end = P(20)},
    {.fixed = {{{P(14), kAd}, {P(20), kDac}}},
     .runs = {{Direct(1, P(3), P(5), 1), Direct(2, P(15), P(5), 1)}},
     .end = P(20)},
    {.fixed = {{{P(7, 1, 1), kAd}, {P(8, 2, 2), kDac}}},
     .runs = {{Counted(1, P(3), kN, 1), Counted(2, P(8, 1, 1), kN, 1)}},
     .sets = {{{P(1), 0}, {P(2), 0}, {P(7, 1, 1), 0}}},
     .end = P(8, 2, 2)},
    {.fixed = {{{P(7, 1, 1), kAd}, {P(8, 2, 2), kDac}}},
     .runs = {{Counted(1, P(3), kN, 1), Counted(2, P(8, 1, 1), kN, 1)}},
     .sets = {{{P(1), 0}, {P(2), 0}, {P(7, 1, 1), 0}}},
     .end = P(8, 2, 2)},
    {.fixed = {{{P(10), kAfL}, {P(11), kAfR}, {P(12), kAd}, {P(13), kDac}}},
     .runs = {{Counted(1, P(14), kN, 1), Counted(2, P(14, 1), kN, 1)}},
     .sets = {{{P(13), 0}}},
     .end = P(13, 2)},
    {.fixed = {{{P(9), kAd}, {P(10), kDac}}},
     .runs = {{Direct(1, P(1), P(1), 1), Direct(1, P(2), P(1), 2), Counted(1, P(11), P(12), 3),
               Counted(2, P(23), P(14), 1)}},
     .sets = {{{P(10), 2}}},
     .end = P(40)},
    {.fixed = {{{P(8), kAd}, {P(9), kAfL}, {P(10), kDac}}},
     .runs = {{Counted(1, P(11), P(14), 1), Counted(2, P(25), P(14), 1)}},
     .sets = {{{P(24), 0}}},
     .end = P(38)},
    {.fixed = {{{P(6), kAd}, {P(7), kDac}}},
     .runs = {{Counted(1, P(8), P(12), 1), Counted(2, P(20), P(12), 1)}},
     .sets = {{{P(19), 0}}},
     .end = P(31)},
    {.fixed = {{{P(6), kAd}, {P(7), kDac}}},
     .runs = {{Counted(1, P(8), P(12), 1), Counted(2, P(20), P(12), 1)}},
     .sets = {{{P(19), 0}}},
     .end = P(33)},
    {.fixed = {{{P(7), kAd}, {P(8), kDac}}},
     .runs = {{Counted(1, P(9), P(12), 1), Counted(2, P(21), P(12), 1)}},
     .sets = {{{P(20), 0}}},
     .end = P(34)},
}};
// clang-format on

// ---- Sensor adjust replies ----------------------------------------------------------------

// Consecutive bytes for one column of channels 1, 2, ...; with three bytes per channel each
// overwrites the cell.
struct AdjustRun {
  Lin first;
  Lin channels;  // unused run when not used()
  int8_t column = 1;
  int8_t bytesPerChannel = 1;
};

struct AdjustReply {
  std::array<AdjustRun, 5> runs{};
  Lin end;
};

// clang-format off
constexpr AdjustReply kFramReply = {
    .runs = {{{P(1), kN, 1}, {P(1, 1), kN, 3}, {P(1, 2), kN, 5}, {P(1, 3), kN, 6},
              {P(1, 4), kN, 7}}},
    .end = P(0, 5)};

// One entry per receive data mode.
constexpr std::array<AdjustReply, config::kReceiveModeCount> kAdjustReplies = {{
    {.runs = {{{P(1), P(8), 1}, {P(9), P(8), 3}, {P(49), P(8), 5}}}, .end = P(56)},
    {.runs = {{{P(1), P(5), 1}, {P(6), P(5), 3}}}, .end = P(10)},
    {.runs = {{{P(1), P(5), 1}, {P(6), P(5), 3}}}, .end = P(10)},
    {.runs = {{{P(1), P(5), 1}, {P(6), P(5), 3}}}, .end = P(30)},
    {.runs = {{{P(1), P(5), 1}, {P(6), P(5), 3}, {P(31), P(5), 5, 3}}}, .end = P(45)},
    {.runs = {{{P(1), kN, 1}, {P(1, 1), kN, 3}, {P(1, 2), kN, 5}}}, .end = P(0, 3)},
    kFramReply, kFramReply, kFramReply, kFramReply, kFramReply,
}};
// clang-format on

// ---- Shared ---------------------------------------------------------------------------------

// A caption read as a decimal number; text that is not one reads as 0.
int CaptionValue(const std::string& text) {
  size_t i = text.find_first_not_of(' ');
  if (i == std::string::npos) return 0;
  const bool negative = text[i] == '-';
  if (negative) ++i;
  int value = 0;
  for (; i < text.size() && base::IsDigit(text[i]); ++i) {
    value = std::min(value * 10 + (text[i] - '0'), 1000000);
  }
  return negative ? -value : value;
}

void Judge(form::Control& cell, bool normal) {
  cell.setBackColor(normal ? form::colours::MenuText : form::colours::Red);
}

int16_t To16(int v) {
  return static_cast<int16_t>(
      std::clamp<int>(v, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()));
}

}  // namespace

SensorReplies::SensorReplies(form::Form& screen, TestStages& tests,
                             const config::ActiveProfile& profile, RunTimeLabels& labels)
    : tests_(tests), profile_(profile), labels_(labels) {
  for (int i = 0; i < kReadingCount; ++i) {
    readings_[static_cast<size_t>(i)] = &screen.at("Label8", 2 + 2 * i);
  }
}

SensorReplies::TestLimits SensorReplies::CurrentTestLimits() const {
  return {profile_.ReceiveDataMode, profile_.LedNumber, tests_.SensorValueRequested,
          profile_.SensorValueMinimum, profile_.SensorValueMaximum};
}

SensorReplies::AdjustLimits SensorReplies::CurrentAdjustLimits() const {
  return {profile_.ReceiveDataMode, profile_.LedNumber,          profile_.VrRangeMinimum,
          profile_.VrRangeMaximum,  profile_.AdjustRangeMinimum, profile_.AdjustRangeMaximum};
}

void SensorReplies::SensorTest(uint8_t b) {
  // The counter stops at its largest value while a frame has no end.
  const int p = base::Increment16(tests_.IoByteIndex);
  const int mode = profile_.ReceiveDataMode;
  TestLimits limits = CurrentTestLimits();
  const bool same = testJudged_ == limits;
  if (config::ReceiveModeOf(mode).known()) PlaceTestByte(mode, p, b, same);
  if (same) return;
  RecolourTestGrid();
  testJudged_ = std::move(limits);
}

void SensorReplies::PlaceTestByte(int mode, int p, uint8_t b, bool judge) {
  const TestFrame& frame = kTestFrames[static_cast<size_t>(mode)];
  const int n = profile_.LedNumber;
  const int columns = std::min(config::ReceiveModeOf(mode).gridColumns(n), kGridColumns);
  const std::string text = std::to_string(b);
  for (const FixedByte& fixed : frame.fixed) {
    if (fixed.position.used() && fixed.position.at(n) == p) readings_[fixed.reading]->setText(text);
  }
  for (const GridRun& run : frame.runs) {
    const int first = run.first.at(n);
    if (run.row == 0 || p < first || p >= first + run.count.at(n)) continue;
    const int column = run.column + (p - first);
    if (run.counted) tests_.ChannelIndex = To16(column);
    if (column > columns) continue;
    if (form::Control* cell = Slot(labels_.SensorTestValues, 2 * column - 2 + run.row)) {
      cell->setText(text);
      if (judge && run.row == 2) JudgeTestCell(column);
    }
  }
  for (const CounterSet& set : frame.sets) {
    if (set.position.used() && set.position.at(n) == p) tests_.ChannelIndex = set.value;
  }
  if (p == frame.end.at(n)) tests_.IoByteIndex = 0;
}

// Judges the sensor row: leading columns by their own rule, channels against the profile.
void SensorReplies::RecolourTestGrid() {
  const config::ReceiveMode& mode = config::ReceiveModeOf(profile_.ReceiveDataMode);
  const int columns = std::min(mode.gridColumns(profile_.LedNumber), kGridColumns);
  for (int j = 1; j <= columns; ++j) JudgeTestCell(j);
}

// The sensor row's cell of grid column `column` (within the grid's columns).
void SensorReplies::JudgeTestCell(int column) {
  form::Control* cell = Slot(labels_.SensorTestValues, 2 * column);
  if (cell == nullptr || cell->text().empty()) return;
  const int value = CaptionValue(cell->text());
  const int leading = config::ReceiveModeOf(profile_.ReceiveDataMode).leadingColumns;
  if (column <= leading) {
    Judge(*cell, value == 255 || value <= 80);
    return;
  }
  const auto k = static_cast<size_t>(column - leading);
  if (tests_.SensorValueRequested) {
    Judge(*cell, value >= profile_.SensorValueMinimum[k]);
  } else {
    Judge(*cell, value <= profile_.SensorValueMaximum[k]);
  }
}

void SensorReplies::SensorAdjust(uint8_t b) {
  const int p = base::Increment16(tests_.ShortReplyCount);
  const int mode = profile_.ReceiveDataMode;
  AdjustLimits limits = CurrentAdjustLimits();
  const bool same = adjustJudged_ == limits;
  if (config::ReceiveModeOf(mode).known()) PlaceAdjustByte(mode, p, b, same);
  if (same) return;
  RecolourAdjustTable();
  adjustJudged_ = std::move(limits);
}

void SensorReplies::PlaceAdjustByte(int mode, int p, uint8_t b, bool judge) {
  const AdjustReply& reply = kAdjustReplies[static_cast<size_t>(mode)];
  const int n = profile_.LedNumber;
  const config::ReceiveMode& m = config::ReceiveModeOf(mode);
  const int perChannel = m.adjustCells();
  const bool counted = m.adjustCounted;
  for (const AdjustRun& run : reply.runs) {
    const int first = run.first.at(n);
    if (!run.channels.used() || p < first) continue;
    const int channel = (p - first) / run.bytesPerChannel + 1;
    if (channel > run.channels.at(n)) continue;
    if (counted) tests_.ChannelIndex = To16(channel);
    if (channel > n) continue;
    if (form::Control* cell =
            Slot(labels_.SensorAdjustValues, perChannel * (channel - 1) + run.column)) {
      cell->setText(std::to_string(b));
      if (judge) JudgeAdjustRow(channel);
    }
  }
  if (p == reply.end.at(n)) tests_.ShortReplyCount = 0;
}

// Per channel: VR and adjust values against their ranges (bounds inside), the stored values
// against the adjust value as text.
void SensorReplies::RecolourAdjustTable() {
  const int channels = std::min<int>(profile_.LedNumber, kLastChannel);
  for (int j = 1; j <= channels; ++j) JudgeAdjustRow(j);
}

void SensorReplies::JudgeAdjustRow(int j) {
  const config::ActiveProfile& profile = profile_;
  const int perChannel = config::ReceiveModeOf(profile.ReceiveDataMode).adjustCells();
  const auto& values = labels_.SensorAdjustValues;
  if (j < 1 || j > std::min<int>(profile.LedNumber, kLastChannel)) return;
  const int row = perChannel * (j - 1);  // the cell before the channel's first
  if (row >= static_cast<int>(values.size())) return;
  const auto k = static_cast<size_t>(j);
  if (form::Control* vr = Slot(values, row + 1); vr != nullptr && !vr->text().empty()) {
    const int v = CaptionValue(vr->text());
    Judge(*vr, v >= profile.VrRangeMinimum[k] && v <= profile.VrRangeMaximum[k]);
  }
  form::Control* adjust = Slot(values, row + 3);
  const std::string adjustText = adjust != nullptr ? adjust->text() : std::string();
  if (!adjustText.empty()) {
    const int v = CaptionValue(adjustText);
    Judge(*adjust, v >= profile.AdjustRangeMinimum[k] && v <= profile.AdjustRangeMaximum[k]);
  }
  for (int c = 5; c <= perChannel; ++c) {
    form::Control* stored = Slot(values, row + c);
    if (stored != nullptr && !stored->text().empty()) {
      Judge(*stored, stored->text() == adjustText);
    }
  }
}

}  // namespace replies
