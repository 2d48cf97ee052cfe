#pragma once
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "config/parameter_setup.h"

namespace config {

// What a system's receive data mode (the profile's ReceiveDataMode) decides besides the byte
// positions of its frames, one row per mode. The byte positions are tables of their readers
// (IoReply, SensorReplies) and of the simulated device, indexed by the same mode.

inline constexpr int kReceiveModeCount = 11;

// Where a system keeps its sensor calibration.
struct CalibrationMemory {
  const char* name;          // as the erase question names it
  const char* eraseCaption;  // the test menu's erase item
  int8_t copies;             // stored values per channel in an adjust reply and the table
  bool fram;
};
inline constexpr CalibrationMemory kEeprom{"EEPROM", "Erase EEPROM", 1, false};
inline constexpr CalibrationMemory kFram{"FRAM", "Erase FRAM", 3, true};

// How a profile of six channels shows in modes whose frames carry five.
enum class SixthChannel : uint8_t {
  Regular,
  Hidden,         // in both grids, and not in the DAC channel list
  ListedAsEight,  // the test grid shows it, the DAC list calls it "8"; the adjust table hides it
};

// The sensor test's fixed readings (Label8).
enum class FixedReadings : uint8_t {
  AntiFake,    // anti-fake lines L and R, AD sensor mode, DAC bet
  NoAntiFake,  // the anti-fake lines hidden
  TwoAdModes,  // AD sensor modes 1 and 2 (the second where line L was), no line R
};

// A channel count that is the profile's LED number (at most 85).
inline constexpr int8_t kProfileChannels = -1;

struct ReceiveMode {
  int8_t number = -1;  // 0 to 10; -1 for any other value
  const char* name = "";
  const CalibrationMemory* memory = &kEeprom;

  // Sensor test frames and grid.
  int8_t leadingColumns = 0;  // extra sensors before channel 1, named below
  std::array<const char*, 3> leadingNames{};
  // Grid columns a frame carries, leading ones included, or kProfileChannels.
  int8_t frameColumns = 0;
  SixthChannel sixthChannel = SixthChannel::Regular;
  FixedReadings fixedReadings = FixedReadings::AntiFake;
  bool ledSequence = false;  // All LED Light names channels 1 to 5 in turn, each at full level

  // Sensor adjust replies and table.
  int8_t adjustChannels = 0;   // channels a reply carries, or kProfileChannels
  bool adjustCounted = false;  // a reply's bytes move ChannelIndex
  bool storedReported = true;  // a reply carries the stored values (the table has their column)

  // Test menu and panels.
  bool motorTests = true;           // Bill Motor and Stacker Motor tests offered
  bool backwardMotor = true;        // the bill motor panel offers Motor Backward
  bool lengthAndInterface = false;  // bill length and interface setup: items offered, replies read

  constexpr bool known() const { return number >= 0; }
  // Sensor test grid columns for `ledNumber` channels.
  constexpr int gridColumns(int ledNumber) const { return leadingColumns + ledNumber; }
  // Adjust table cells per channel: VR, its range, adjust value, its range, the stored values.
  constexpr int adjustCells() const { return 4 + memory->copies; }
  constexpr int frameColumnsFor(int channels) const { return Count(frameColumns, channels); }
  constexpr int adjustChannelsFor(int channels) const { return Count(adjustChannels, channels); }

 private:
  static constexpr int Count(int8_t count, int channels) {
    return count == kProfileChannels ? std::clamp(channels, 0, kMaxLedNumber) : count;
  }
};

// clang-format off
inline constexpr std::array<ReceiveMode, kReceiveModeCount> kReceiveModes = {{
    {.number = 0, .name = "ZD MODE", .frameColumns = 8, .adjustChannels = 8},
    {.number = 1, .name = "MTYPE(O) MODE(KX SERIES)", .frameColumns = 5,
     .sixthChannel = SixthChannel::Hidden, .ledSequence = true, .adjustChannels = 5,
     .storedReported = false, .motorTests = false},
    {.number = 2, .name = "MTYPE(O) MODE(NX SERIES)", .frameColumns = 5,
     .sixthChannel = SixthChannel::Hidden, .ledSequence = true, .adjustChannels = 5,
     .storedReported = false, .motorTests = false},
    {.number = 3, .name = "MTYPE(N) MODE(NX SERIES)", .frameColumns = kProfileChannels,
     .sixthChannel = SixthChannel::ListedAsEight, .adjustChannels = 5, .storedReported = false},
    {.number = 4, .name = "MTYPE(NN) MODE(KX,NX SERIES)", .frameColumns = kProfileChannels,
     .sixthChannel = SixthChannel::ListedAsEight, .adjustChannels = 5},
    {.number = 5, .name = "NEW SYSTEM MODE", .frameColumns = kProfileChannels,
     .adjustChannels = kProfileChannels, .adjustCounted = true},
    {.number = 6, .name = "Q48 MODE", .memory = &kFram,
     .leadingColumns = 2, .leadingNames = {"L", "R"}, .frameColumns = 14,
     .fixedReadings = FixedReadings::NoAntiFake,
     .adjustChannels = kProfileChannels, .adjustCounted = true,
     .backwardMotor = false, .lengthAndInterface = true},
    {.number = 7, .name = "VQ Plus Mode", .memory = &kFram,
     .leadingColumns = 3, .leadingNames = {"L", "R", "M"}, .frameColumns = 14,
     .fixedReadings = FixedReadings::TwoAdModes,
     .adjustChannels = kProfileChannels, .adjustCounted = true},
    {.number = 8, .name = "W60 MODE", .memory = &kFram,
     .leadingColumns = 2, .leadingNames = {"IN", "OUT"}, .frameColumns = 12,
     .fixedReadings = FixedReadings::NoAntiFake,
     .adjustChannels = kProfileChannels, .adjustCounted = true},
    {.number = 9, .name = "W65 MODE", .memory = &kFram,
     .leadingColumns = 2, .leadingNames = {"IN", "OUT"}, .frameColumns = 12,
     .fixedReadings = FixedReadings::NoAntiFake,
     .adjustChannels = kProfileChannels, .adjustCounted = true},
    {.number = 10, .name = "J30 MODE", .memory = &kFram,
     .leadingColumns = 2, .leadingNames = {"IN", "OUT"}, .frameColumns = 12,
     .fixedReadings = FixedReadings::NoAntiFake,
     .adjustChannels = kProfileChannels, .adjustCounted = true},
}};
// clang-format on

// Each row at its mode's place, with a name for each leading column and no more.
constexpr bool RowsConsistent() {
  for (int i = 0; i < kReceiveModeCount; ++i) {
    const ReceiveMode& m = kReceiveModes[static_cast<size_t>(i)];
    if (m.number != i) return false;
    for (int k = 0; k < static_cast<int>(m.leadingNames.size()); ++k) {
      if ((m.leadingNames[static_cast<size_t>(k)] != nullptr) != (k < m.leadingColumns)) {
        return false;
      }
    }
  }
  return true;
}
static_assert(RowsConsistent());

// Any other value: an EEPROM system without leading columns whose frames and replies are not
// read, with every menu item and motor command.
inline constexpr ReceiveMode kUnknownMode{};

// The row of `mode`; kUnknownMode for a value outside 0 to 10.
constexpr const ReceiveMode& ReceiveModeOf(int mode) {
  return mode >= 0 && mode < kReceiveModeCount ? kReceiveModes[static_cast<size_t>(mode)]
                                               : kUnknownMode;
}

// The entry of a table with one entry per mode; null for a value outside 0 to 10.
template <class T>
constexpr const T* ForMode(const std::array<T, kReceiveModeCount>& table, int mode) {
  const ReceiveMode& m = ReceiveModeOf(mode);
  return m.known() ? &table[static_cast<size_t>(m.number)] : nullptr;
}

}  // namespace config
