#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "sim/sim_frames.h"
#include "sim/sim_profile.h"
#include "sim/sim_random.h"

namespace sim {

// What the device measures and remembers: inputs and switches, sensor channels around the
// profile's limits, the LEDs and DAC levels that move them, the motors, and the calibration
// memory (which survives a power cycle).
class SimSensors {
 public:
  SimSensors(const SimProfile& profile, uint32_t seed);

  // The state after switching on: LEDs dark, no DAC levels, the fish LED off.
  void reset();

  void lightAll(bool lit);
  void toggleFishLed() { fishLed_ = !fishLed_; }
  // A DAC level for grid column `column` (as the tool numbers its channel list, from 1).
  void setDac(int column, uint8_t level);

  // One test frame's readings; signals, switches and levels move between calls.
  Readings nextReadings();
  // One bill motor raster value, mostly inside the profile's range.
  uint8_t raster(bool backward);
  // The length of a note that just passed, in millimetres.
  uint16_t noteLength() { return static_cast<uint16_t>(random_.range(148, 166)); }
  // Whether a stacking stroke fails (always without a stacker).
  bool strokeFails() { return !hasStacker_ || random_.oneIn(6); }

  // One sensor adjustment: the stored values are those from before it; with `store` the
  // new adjust values are then written.
  std::vector<ChannelAdjustment> adjust(bool store);
  void eraseMemory();

 private:
  struct Limits {
    int low, high;
  };
  Limits limits(int channel, const config::ChannelTable& low, const config::ChannelTable& high,
                Limits fallback) const;
  Limits sensorLimits(int channel) const;
  Limits vrRange(int channel) const;
  Limits adjustRange(int channel) const;
  uint8_t columnLevel(int column);
  void moveSignals();

  config::ActiveProfile params_;
  bool hasStacker_;
  SimRandom random_;
  uint8_t dipSw1_, dipSw2_;
  bool lit_ = false;
  bool fishLed_ = false;
  uint8_t lastDac_ = 128;
  uint32_t frames_ = 0;
  std::array<uint8_t, 7> signals_{};  // left, right, hook, stacker open, bill enter, fish, sensor 2
  std::array<int16_t, kMaxColumns + 1> dac_{};   // -1: the column follows the LEDs
  std::array<int8_t, kMaxColumns + 1> drift_{};  // below 0: the reading is out of its limit
  std::array<uint8_t, kMaxColumns + 1> trim_{};  // each channel's adjust value, factory set
  std::array<std::array<uint8_t, 3>, kMaxColumns + 1> memory_{};
};

}  // namespace sim
