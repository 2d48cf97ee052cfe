#include "replies/io_reply.h"

#include <string>

#include "base/counter.h"
#include "config/receive_modes.h"
#include "replies/value_formats.h"

namespace replies {

namespace {

enum class Format : uint8_t { Decimal, Bits, InvertedBits };

struct Row {
  int16_t position = 0;  // from 1; 0 marks an unused row
  IoReply::Cell cell = IoReply::kLeftInput;
  Format format = Format::Decimal;
};

constexpr int16_t kPerChannel = -1;  // the frame is 2N + 13 bytes for N channels

struct Frame {
  int16_t length;
  std::array<Row, 10> rows;
};

constexpr auto D = Format::Decimal;
constexpr auto B = Format::Bits;
constexpr auto I = Format::InvertedBits;
using C = IoReply::Cell;

// One entry per receive data mode: the frame length and where its bytes are shown.
// clang-format off
constexpr std::array<Frame, config::kReceiveModeCount> kFrames = {{
    {29, {{{1, C::kLeftInput, D}, {2, C::kRightInput, D}, {13, C::kDipSw2, B},
           {14, C::kDipSw1, B}, {15, C::kFishLedStatus, D}, {16, C::kFishSignal, D},
           {19, C::kHookSignal, D}}}},
    {20, {{{1, C::kRightInput, D}, {2, C::kLeftInput, D}, {8, C::kStackerOpen, D},
           {10, C::kHookSignal, D}, {11, C::kDipSw2, B}, {12, C::kDipSw1, B}}}},
    {20, {{{1, C::kLeftInput, D}, {2, C::kRightInput, D}, {8, C::kStackerOpen, D},
           {11, C::kDipSw2, B}, {12, C::kDipSw1, B}, {13, C::kHookSignal, D}}}},
    {20, {{{1, C::kLeftInput, D}, {2, C::kRightInput, D}, {9, C::kDipSw2, B},
           {10, C::kDipSw1, B}, {11, C::kHookSignal, D}, {12, C::kStackerOpen, D}}}},
    {20, {{{1, C::kLeftInput, D}, {2, C::kRightInput, D}, {9, C::kDipSw2, B},
           {10, C::kDipSw1, B}, {11, C::kHookSignal, D}, {12, C::kStackerOpen, D}}}},
    {kPerChannel,
         {{{1, C::kLeftInput, D}, {2, C::kRightInput, D}, {3, C::kDipSw1, I},
           {4, C::kDipSw2, I}, {5, C::kHookSignal, D}, {6, C::kStackerOpen, D},
           {7, C::kBillEnter, D}, {8, C::kFishSignal, D}, {9, C::kFishLedStatus, D}}}},
    {40, {{{3, C::kDipSw1, B}, {4, C::kDipSw2, B}, {5, C::kHookSignal, D},
           {6, C::kStackerOpen, D}, {7, C::kBillEnter, D}, {8, C::kFishSignal, D},
           {9, C::kAdSensorMode, D}, {10, C::kDacBet, D}, {39, C::kFishLedStatus, D},
           {40, C::kStackerSensor2, D}}}},
    {38, {{{1, C::kDipSw1, B}, {2, C::kDipSw2, B}, {3, C::kHookSignal, D},
           {4, C::kStackerOpen, D}, {5, C::kBillEnter, D}, {6, C::kFishSignal, D},
           {7, C::kAdSensorMode, D}}}},
    {31, {{{1, C::kDipSw1, B}, {2, C::kHookSignal, D}, {3, C::kStackerOpen, D},
           {4, C::kBillEnter, D}, {5, C::kFishSignal, D}}}},
    {33, {{{1, C::kDipSw1, B}, {2, C::kHookSignal, D}, {3, C::kStackerOpen, D},
           {4, C::kBillEnter, D}, {5, C::kFishSignal, D}, {32, C::kFishLedStatus, D},
           {33, C::kStackerSensor2, D}}}},
    {34, {{{1, C::kDipSw1, B}, {2, C::kDipSw2, B}, {3, C::kHookSignal, D},
           {4, C::kStackerOpen, D}, {5, C::kBillEnter, D}, {6, C::kFishSignal, D},
           {33, C::kFishLedStatus, D}, {34, C::kStackerSensor2, D}}}},
}};
// clang-format on

// The frame length for `channels` sensor channels; 0 when the frame never ends (too few
// channels in the per-channel mode).
int FrameLength(const Frame& frame, int channels) {
  if (frame.length != kPerChannel) return frame.length;
  return channels >= 2 ? 2 * channels + 13 : 0;
}

std::string Formatted(uint8_t b, Format format) {
  switch (format) {
    case Format::Bits:
      return ByteToBits(b);
    case Format::InvertedBits:
      return InvertBits(ByteToBits(b));
    case Format::Decimal:
      break;
  }
  return std::to_string(b);
}

}  // namespace

IoReply::IoReply(form::Form& screen, TestStages& tests, const config::ActiveProfile& profile)
    : tests_(tests), profile_(profile) {
  for (int i = kLeftInput; i <= kStackerSensor2; ++i)
    cells_[static_cast<size_t>(i)] = &screen.at("Label7", 2 + 2 * i);
  cells_[kAdSensorMode] = &screen.at("Label8", 6);
  cells_[kDacBet] = &screen.at("Label8", 8);
}

void IoReply::IoTest(uint8_t b) {
  // The counter stops at its largest value while a frame has no end.
  const int p = base::Increment16(tests_.IoByteIndex);
  const Frame* frame = config::ForMode(kFrames, profile_.ReceiveDataMode);
  if (!frame) return;
  if (p > 0) {
    for (const Row& row : frame->rows) {
      if (row.position == p) cells_[row.cell]->setText(Formatted(b, row.format));
    }
  }
  if (p == FrameLength(*frame, profile_.LedNumber)) tests_.IoByteIndex = 0;
}

}  // namespace replies
