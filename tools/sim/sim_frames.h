#pragma once
#include <array>
#include <cstdint>
#include <vector>

namespace sim {

// Columns of the sensor grid: up to 85 channels after up to 3 leading columns.
inline constexpr int kMaxColumns = 88;

// What the device measures at one moment, as its IO and sensor test frames carry it.
struct Readings {
  uint8_t leftInput = 0, rightInput = 0;
  uint8_t dipSw1 = 0, dipSw2 = 0;
  uint8_t hookSignal = 0, stackerOpen = 0, billEnter = 0, fishSignal = 0;
  uint8_t fishLed = 0, stackerSensor2 = 0;
  uint8_t adSensorMode = 0, dacBet = 0, antiFakeLeft = 0, antiFakeRight = 0;
  // By grid column from 1: the sensor row and the level row.
  std::array<uint8_t, kMaxColumns + 1> sensor{}, level{};
};

// One IO and sensor test frame, with the grid columns config::ReceiveMode::frameColumnsFor
// gives; empty for an unknown mode.
std::vector<uint8_t> BuildTestFrame(int mode, int channels, const Readings& r);

// One channel's sensor adjustment: VR setting, adjust value, the passes that led to it and
// the stored copies (one in the EEPROM, three in the FRAM).
struct ChannelAdjustment {
  uint8_t vr = 0, adjust = 0;
  std::array<uint8_t, 4> passes{};
  std::array<uint8_t, 3> stored{};
};

// The adjust reply for channels 1.. of `adjustments` (as many as
// config::ReceiveMode::adjustChannelsFor gives); empty for an unknown mode.
std::vector<uint8_t> BuildAdjustReply(int mode, const std::vector<ChannelAdjustment>& adjustments);

}  // namespace sim
