#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "sim/report_text.h"
#include "sim/sim_profile.h"
#include "sim/sim_sensors.h"

namespace sim {

// A simulated bill acceptor of one system. It reports itself when switched on, answers every
// byte with that byte (the acknowledge) and then as the device does: IO and sensor frames
// while that test runs, raster values while the bill motor turns, the stacker status after a
// stroke, note lengths, the interface setting, the sensor adjustment, and silence after
// leaving a test. Deterministic for a given seed and timing.
class SimDevice {
 public:
  explicit SimDevice(SimProfile profile, uint32_t seed = 1);

  const SimProfile& profile() const { return profile_; }
  const std::vector<uint8_t>& versionReport() const { return report_; }

  // Bytes the tool sent at `nowMs`; the answer to send at once.
  std::vector<uint8_t> onReceive(const std::vector<uint8_t>& bytes, uint64_t nowMs);
  // What the device sends by itself by `nowMs`: the version report after switching on, then
  // the streamed and delayed replies that are due.
  std::vector<uint8_t> poll(uint64_t nowMs);
  // Back to the state after switching on; the calibration memory, the interface setting and
  // the DIP switches are kept.
  void powerUp();

 private:
  enum class Test { None, IoSensor, BillMotor, Stacker, SensorAdjust, BillLength, Interface };
  enum class Motor { Stopped, Forward, Backward };

  void handle(uint8_t b, uint64_t now, std::vector<uint8_t>& out);
  bool command(uint8_t b, uint64_t now, std::vector<uint8_t>& out);
  void enter(Test test);
  // Runs `emit` for every period due by `now`, at most a few to catch up.
  template <class Emit>
  void repeat(uint64_t now, uint64_t period, Emit emit);
  uint64_t framePeriod() const;

  SimProfile profile_;
  std::vector<uint8_t> report_;
  SimSensors sensors_;
  uint8_t interface_ = 7;  // "Pulse"; kept across power cycles

  bool reportDue_ = true;
  Test test_ = Test::None;
  Motor motor_ = Motor::Stopped;
  std::optional<uint64_t> due_;   // the next streamed or delayed reply
  bool memoryPrefix_ = false;     // a FRAM memory command awaits its second byte
  bool framArmed_ = false;        // the next adjustment is written to the FRAM
  std::optional<int> dacColumn_;  // a DAC channel awaits its level
};

}  // namespace sim
