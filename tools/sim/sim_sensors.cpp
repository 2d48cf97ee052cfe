#include "sim/sim_sensors.h"

#include <algorithm>
#include <utility>

#include "config/receive_modes.h"

namespace sim {

namespace {

constexpr int kDipEveryFrames = 60;  // a switch is flipped about every quarter of a minute
constexpr int kLeadingLimit = 80;    // leading columns read at most this (or 255)

uint8_t Byte(int v) {
  return static_cast<uint8_t>(std::clamp(v, 0, 255));
}

}  // namespace

SimSensors::SimSensors(const SimProfile& profile, uint32_t seed)
    : params_(profile.params),
      hasStacker_(profile.params.WithStacker == 1),
      random_(seed),
      dipSw1_(profile.dipSw1),
      dipSw2_(profile.dipSw2) {
  for (int c = 1; c <= kMaxColumns; ++c) {
    const auto i = static_cast<size_t>(c);
    drift_[i] = static_cast<int8_t>(random_.range(4, 16));
    const Limits a = adjustRange(c);
    const int spread = (a.high - a.low) / 6;
    trim_[i] = Byte((a.low + a.high) / 2 + random_.range(-spread, spread));
    memory_[i].fill(trim_[i]);
  }
  reset();
}

void SimSensors::reset() {
  lit_ = false;
  fishLed_ = false;
  lastDac_ = 128;
  dac_.fill(-1);
  signals_ = {1, 0, 0, 0, 0, 0, 1};
}

void SimSensors::lightAll(bool lit) {
  lit_ = lit;
  dac_.fill(-1);
}

void SimSensors::setDac(int column, uint8_t level) {
  lastDac_ = level;
  if (column >= 1 && column <= kMaxColumns) dac_[static_cast<size_t>(column)] = level;
}

// Channel k's range from two of the profile's tables, as far as one byte can reach it;
// `fallback` for channels the profile does not have.
SimSensors::Limits SimSensors::limits(int k, const config::ChannelTable& low,
                                      const config::ChannelTable& high, Limits fallback) const {
  if (k < 1 || k > params_.LedNumber) return fallback;
  const auto i = static_cast<size_t>(k);
  const auto [a, b] = std::minmax(low[i], high[i]);
  const int top = std::clamp<int>(b, 0, 255);
  return {std::clamp<int>(a, 0, top), top};
}

// Lit readings are judged against the minimum, dark ones against the maximum.
SimSensors::Limits SimSensors::sensorLimits(int k) const {
  if (k < 1 || k > params_.LedNumber) return {40, 160};
  const auto i = static_cast<size_t>(k);
  return {std::clamp<int>(params_.SensorValueMinimum[i], 0, 255),
          std::clamp<int>(params_.SensorValueMaximum[i], 0, 255)};
}

SimSensors::Limits SimSensors::vrRange(int k) const {
  return limits(k, params_.VrRangeMinimum, params_.VrRangeMaximum, {20, 220});
}

SimSensors::Limits SimSensors::adjustRange(int k) const {
  return limits(k, params_.AdjustRangeMinimum, params_.AdjustRangeMaximum, {80, 160});
}

void SimSensors::moveSignals() {
  if (random_.oneIn(3)) {
    uint8_t& s = signals_[static_cast<size_t>(random_.range(0, 6))];
    s = s ? 0 : 1;
  }
  if (frames_ % kDipEveryFrames == 0) {
    uint8_t& bank = random_.oneIn(2) ? dipSw1_ : dipSw2_;
    bank = static_cast<uint8_t>(bank ^ (1u << random_.range(0, 7)));
  }
}

// Dark channels sit a little under their maximum, lit ones a little over their minimum; a
// drift below 0 takes a reading past its limit for a few frames.
uint8_t SimSensors::columnLevel(int column) {
  int8_t& d = drift_[static_cast<size_t>(column)];
  const int step = d < 0 ? random_.range(0, 4) : random_.range(-3, 3);
  d = static_cast<int8_t>(std::clamp(d + step, -6, 24));
  const int leading = config::ReceiveModeOf(params_.ReceiveDataMode).leadingColumns;
  if (column <= leading) {
    return random_.oneIn(25) ? 255 : Byte(kLeadingLimit - 4 - 2 * d);
  }
  const int16_t dac = dac_[static_cast<size_t>(column)];
  if (dac > 0 && dac < 255) return Byte(dac + random_.range(-2, 2));
  const bool lit = dac == 255 || (dac < 0 && lit_);
  const Limits s = sensorLimits(column - leading);
  return lit ? Byte(s.low + d) : Byte(s.high - d);
}

Readings SimSensors::nextReadings() {
  ++frames_;
  moveSignals();
  Readings r;
  r.leftInput = signals_[0];
  r.rightInput = signals_[1];
  r.hookSignal = signals_[2];
  r.stackerOpen = signals_[3];
  r.billEnter = signals_[4];
  r.fishSignal = signals_[5];
  r.stackerSensor2 = signals_[6];
  r.dipSw1 = dipSw1_;
  r.dipSw2 = dipSw2_;
  r.fishLed = fishLed_ ? 1 : 0;
  r.adSensorMode = lit_ ? 3 : 2;
  r.dacBet = lastDac_;
  r.antiFakeLeft = Byte(50 + random_.range(-8, 8));
  r.antiFakeRight = Byte(50 + random_.range(-8, 8));
  const int columns =
      config::ReceiveModeOf(params_.ReceiveDataMode).frameColumnsFor(params_.LedNumber);
  for (int c = 1; c <= columns; ++c) {
    const auto i = static_cast<size_t>(c);
    r.level[i] = columnLevel(c);
    r.sensor[i] = Byte(r.level[i] * 3 / 4 + random_.range(0, 8));
  }
  return r;
}

uint8_t SimSensors::raster(bool backward) {
  const auto [min, max] = std::minmax(params_.BillMotorMinimum, params_.BillMotorMaximum);
  const int lo = std::clamp<int>(min, 0, 255), hi = std::clamp<int>(max, 0, 255);
  if (random_.oneIn(10)) {
    return random_.oneIn(2) ? Byte(hi + random_.range(3, 12)) : Byte(lo - random_.range(3, 12));
  }
  const int spread = (hi - lo) / 3;
  const int middle = (lo + hi) / 2 - (backward ? spread / 2 : 0);
  return Byte(middle + random_.range(-spread, spread));
}

std::vector<ChannelAdjustment> SimSensors::adjust(bool store) {
  const int channels =
      config::ReceiveModeOf(params_.ReceiveDataMode).adjustChannelsFor(params_.LedNumber);
  std::vector<ChannelAdjustment> out;
  for (int k = 1; k <= channels; ++k) {
    const auto i = static_cast<size_t>(k);
    ChannelAdjustment a;
    const Limits vr = vrRange(k);
    const int spread = (vr.high - vr.low) / 4;
    a.vr = random_.oneIn(10) ? Byte(vr.high + random_.range(2, 9))
                             : Byte((vr.low + vr.high) / 2 + random_.range(-spread, spread));
    a.adjust = Byte(trim_[i] + (random_.oneIn(6) ? random_.range(-1, 1) : 0));
    // The passes close in on the adjust value from one side.
    const int start = a.adjust + (k % 2 ? 40 : -40);
    for (int p = 0; p < 4; ++p) {
      a.passes[static_cast<size_t>(p)] = Byte(start + (a.adjust - start) * (p + 1) / 4);
    }
    a.stored = memory_[i];
    if (store) {
      memory_[i].fill(a.adjust);
      // Now and then a FRAM copy keeps its old value.
      if (random_.oneIn(20)) memory_[i][static_cast<size_t>(random_.range(1, 2))] = a.stored[1];
    }
    out.push_back(a);
  }
  return out;
}

void SimSensors::eraseMemory() {
  for (auto& copies : memory_) copies.fill(0);
}

}  // namespace sim
