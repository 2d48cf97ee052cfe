#pragma once
#include <array>
#include <cstdint>

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
  void PlaceTestByte(int mode, int p, uint8_t b);
  void RecolourTestGrid();
  void PlaceAdjustByte(int mode, int p, uint8_t b);
  void RecolourAdjustTable();

  TestStages& tests_;
  const config::ActiveProfile& profile_;
  RunTimeLabels& labels_;
  std::array<form::Control*, kReadingCount> readings_{};
};

}  // namespace replies
