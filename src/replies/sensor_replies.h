#pragma once
#include <array>
#include <cstdint>
#include <optional>

#include "form/form.h"
#include "replies/main_state.h"

namespace replies {

// The sensor test and sensor adjust stages: place each byte of the device's frames into the
// panels' run-time grids (reached through the state's slot arrays when the byte arrives) and
// recolour the grids against the profile's limits. The chain has already counted off the
// acknowledge byte.
class SensorReplies {
 public:
  // The fixed readings of the sensor test panel, Label8(2), (4), (6) and (8).
  enum Reading : uint8_t { kAntiFakeLeft, kAntiFakeRight, kAdSensorMode, kDacBet, kReadingCount };

  // The screen holds the sensor test panel.
  SensorReplies(form::Form& screen, TestStages& tests, const config::ActiveProfile& profile,
                RunTimeLabels& labels);

  void SensorTest(uint8_t b);
  void SensorAdjust(uint8_t b);

 private:
  // What the colours depend on besides the cells' texts, which only these stages write. While
  // it stays as it was at the last full recolouring, a byte changes the colours of the cells
  // it wrote (and of their adjust row) only.
  struct TestLimits {
    int16_t mode = 0, channels = 0;
    bool requested = false;
    config::ChannelTable minimum{}, maximum{};
    bool operator==(const TestLimits&) const = default;
  };
  struct AdjustLimits {
    int16_t mode = 0, channels = 0;
    config::ChannelTable vrMinimum{}, vrMaximum{}, adjustMinimum{}, adjustMaximum{};
    bool operator==(const AdjustLimits&) const = default;
  };
  TestLimits CurrentTestLimits() const;
  AdjustLimits CurrentAdjustLimits() const;

  // `judge`: each sensor cell written is judged at once.
  void PlaceTestByte(int mode, int p, uint8_t b, bool judge);
  void RecolourTestGrid();
  void JudgeTestCell(int column);
  void PlaceAdjustByte(int mode, int p, uint8_t b, bool judge);
  void RecolourAdjustTable();
  void JudgeAdjustRow(int channel);

  TestStages& tests_;
  const config::ActiveProfile& profile_;
  RunTimeLabels& labels_;
  std::array<form::Control*, kReadingCount> readings_{};
  std::optional<TestLimits> testJudged_;
  std::optional<AdjustLimits> adjustJudged_;
};

}  // namespace replies
