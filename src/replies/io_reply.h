#pragma once
#include <array>
#include <cstdint>

#include "form/form.h"
#include "replies/main_state.h"

namespace replies {

// The IO test stage: counts the bytes of the device's fixed-length frames and writes the
// selected ones into the IO test panel's value cells (and two sensor test cells), as the
// receive data mode lays them out. The chain has already counted off the acknowledge byte.
class IoReply {
 public:
  // The cells a frame byte can go to: the ten value cells of Label7, in row order, then
  // the sensor test panel's "AD Sensor Mode" and "DAC Bet" values.
  enum Cell : uint8_t {
    kLeftInput,
    kRightInput,
    kDipSw1,
    kDipSw2,
    kHookSignal,
    kStackerOpen,
    kBillEnter,
    kFishSignal,
    kFishLedStatus,
    kStackerSensor2,
    kAdSensorMode,
    kDacBet,
    kCellCount
  };

  // The screen holds the IO test and sensor test panels.
  IoReply(form::Form& screen, TestStages& tests, const config::ActiveProfile& profile);

  void IoTest(uint8_t b);

 private:
  TestStages& tests_;
  const config::ActiveProfile& profile_;
  std::array<form::Control*, kCellCount> cells_{};
};

}  // namespace replies
