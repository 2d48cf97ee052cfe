#include "sim/sim_device.h"

#include <array>
#include <utility>

#include "config/receive_modes.h"

namespace sim {

namespace {

// Fixed bytes of the calibration memory: the command, then (FRAM only) adjust or erase.
constexpr uint8_t kMemoryCommand = 0x16, kAdjustFram = 0x46, kEraseFram = 0x50;
constexpr int kInterfaceCount = 11;

constexpr uint64_t kRasterMs = 200;
constexpr uint64_t kStrokeMs = 800;
constexpr uint64_t kAdjustMs = 1200;
constexpr uint64_t kFirstNoteMs = 1500, kNoteEveryMs = 3000;
constexpr int kMostCatchUp = 4;

enum class Action {
  EnterTestMode,
  Leave,
  EnterSensorAdjust,
  EnterIoSensorTest,
  FishLed,
  AllLedLight,
  Pulse,
  EnterBillMotor,
  Stop,
  Forward,
  Backward,
  EnterStacker,
  Stacking,
  EnterBillLength,
  EnterInterface,
  AskInterface,
  MaskLed,
  AllLedDark,
};

using Code = int16_t config::ActiveProfile::*;
using P = config::ActiveProfile;

// The command codes in file order: when a profile gives two actions one code, the first wins.
constexpr std::array<std::pair<Code, Action>, 21> kActions = {{
    {&P::EnterTestModeCode, Action::EnterTestMode},
    {&P::LeaveTestModeCode, Action::Leave},
    {&P::EnterSensorAdjustCode, Action::EnterSensorAdjust},
    {&P::EnterIoSensorTestCode, Action::EnterIoSensorTest},
    {&P::FishLedToggleCode, Action::FishLed},
    {&P::AllLedLightCode, Action::AllLedLight},
    {&P::SendPulseCode, Action::Pulse},
    {&P::EnterBillMotorTestCode, Action::EnterBillMotor},
    {&P::StopMotorCode, Action::Stop},
    {&P::ForwardMotorCode, Action::Forward},
    {&P::BackwardMotorCode, Action::Backward},
    {&P::EnterStackerMotorTestCode, Action::EnterStacker},
    {&P::StackingActiveCode, Action::Stacking},
    {&P::EnterBillLengthCode, Action::EnterBillLength},
    {&P::EnterInterfaceSetupCode, Action::EnterInterface},
    {&P::AskInterfaceModeCode, Action::AskInterface},
    {&P::RedLedCode, Action::MaskLed},
    {&P::GreenLedCode, Action::MaskLed},
    {&P::BlueLedCode, Action::MaskLed},
    {&P::ZrnLedCode, Action::MaskLed},
    {&P::AllLedDarkCode, Action::AllLedDark},
}};

bool IsFram(int mode) {
  return config::ReceiveModeOf(mode).memory->fram;
}

std::optional<Action> ActionOf(const config::ActiveProfile& p, uint8_t b) {
  for (const auto& [code, action] : kActions) {
    if (p.*code == b) return action;
  }
  return std::nullopt;
}

// What the IO and sensor test panels send; their other bytes are DAC channels and levels.
bool PanelAction(Action a) {
  return a == Action::Leave || a == Action::FishLed || a == Action::AllLedLight ||
         a == Action::Pulse || a == Action::MaskLed || a == Action::AllLedDark;
}

}  // namespace

SimDevice::SimDevice(SimProfile profile, uint32_t seed)
    : profile_(std::move(profile)),
      report_(BuildVersionReport(profile_)),
      sensors_(profile_, seed) {}

void SimDevice::powerUp() {
  reportDue_ = true;
  enter(Test::None);
  memoryPrefix_ = false;
  framArmed_ = false;
  sensors_.reset();
}

void SimDevice::enter(Test test) {
  test_ = test;
  motor_ = Motor::Stopped;
  due_.reset();
  dacColumn_.reset();
}

std::vector<uint8_t> SimDevice::onReceive(const std::vector<uint8_t>& bytes, uint64_t nowMs) {
  std::vector<uint8_t> out;
  for (uint8_t b : bytes) {
    out.push_back(b);  // the acknowledge
    handle(b, nowMs, out);
  }
  return out;
}

void SimDevice::handle(uint8_t b, uint64_t now, std::vector<uint8_t>& out) {
  if (dacColumn_) {
    sensors_.setDac(*dacColumn_, b);
    dacColumn_.reset();
    return;
  }
  if (std::exchange(memoryPrefix_, false)) {
    if (b == kAdjustFram) {
      framArmed_ = true;
      return;
    }
    if (b == kEraseFram) {
      sensors_.eraseMemory();
      return;
    }
  }
  const config::ActiveProfile& p = profile_.params;
  if (test_ == Test::Interface && b < kInterfaceCount && b != p.LeaveTestModeCode &&
      b != p.AskInterfaceModeCode) {
    interface_ = b;
    out.push_back(b);  // the confirmation
    return;
  }
  const std::optional<Action> action = ActionOf(p, b);
  if (test_ == Test::IoSensor && !(action && PanelAction(*action))) {
    dacColumn_ = b;  // its level follows
    return;
  }
  if (command(b, now, out)) return;
  if (b == kMemoryCommand) {
    if (IsFram(profile_.mode())) {
      memoryPrefix_ = true;
    } else {
      sensors_.eraseMemory();
    }
  }
}

bool SimDevice::command(uint8_t b, uint64_t now, std::vector<uint8_t>& out) {
  const std::optional<Action> action = ActionOf(profile_.params, b);
  if (!action) return false;
  switch (*action) {
    case Action::EnterTestMode:
    case Action::Leave:
      enter(Test::None);
      sensors_.lightAll(false);
      break;
    case Action::EnterIoSensorTest:
      enter(Test::IoSensor);
      due_ = now + framePeriod();
      break;
    case Action::EnterBillMotor:
      enter(Test::BillMotor);
      break;
    case Action::Stop:
    case Action::Forward:
    case Action::Backward:
      if (test_ != Test::BillMotor) break;
      motor_ = *action == Action::Stop      ? Motor::Stopped
               : *action == Action::Forward ? Motor::Forward
                                            : Motor::Backward;
      due_.reset();
      if (motor_ != Motor::Stopped) due_ = now + kRasterMs;
      break;
    case Action::EnterStacker:
      enter(Test::Stacker);
      break;
    case Action::Stacking:
      if (test_ == Test::Stacker) due_ = now + kStrokeMs;
      break;
    case Action::EnterSensorAdjust:
      enter(Test::SensorAdjust);
      due_ = now + kAdjustMs;
      break;
    case Action::EnterBillLength:
      enter(Test::BillLength);
      due_ = now + kFirstNoteMs;
      break;
    case Action::EnterInterface:
      enter(Test::Interface);
      break;
    case Action::AskInterface:
      if (test_ == Test::Interface) out.push_back(interface_);
      break;
    case Action::FishLed:
      sensors_.toggleFishLed();
      break;
    case Action::AllLedLight:
    case Action::AllLedDark:
      sensors_.lightAll(*action == Action::AllLedLight);
      break;
    case Action::Pulse:
    case Action::MaskLed:
      break;  // outputs the device cannot see itself
  }
  return true;
}

uint64_t SimDevice::framePeriod() const {
  // Long frames need longer on the line.
  return 200 + BuildTestFrame(profile_.mode(), profile_.channels(), Readings{}).size();
}

template <class Emit>
void SimDevice::repeat(uint64_t now, uint64_t period, Emit emit) {
  for (int i = 0; i < kMostCatchUp && due_ && *due_ <= now; ++i) {
    emit();
    if (due_) *due_ += period;
  }
  if (due_ && *due_ <= now) due_ = now + period;
}

std::vector<uint8_t> SimDevice::poll(uint64_t nowMs) {
  std::vector<uint8_t> out;
  if (std::exchange(reportDue_, false)) out = report_;
  if (!due_ || *due_ > nowMs) return out;
  const auto append = [&out](const std::vector<uint8_t>& bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
  };
  switch (test_) {
    case Test::IoSensor:
      repeat(nowMs, framePeriod(), [&] {
        append(BuildTestFrame(profile_.mode(), profile_.channels(), sensors_.nextReadings()));
      });
      break;
    case Test::BillMotor:
      repeat(nowMs, kRasterMs, [&] { out.push_back(sensors_.raster(motor_ == Motor::Backward)); });
      break;
    case Test::BillLength:
      repeat(nowMs, kNoteEveryMs, [&] {
        const uint16_t length = sensors_.noteLength();
        append({static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length)});
      });
      break;
    case Test::Stacker:
      out.push_back(sensors_.strokeFails() ? 1 : 0);
      due_.reset();
      break;
    case Test::SensorAdjust: {
      const bool store = !IsFram(profile_.mode()) || std::exchange(framArmed_, false);
      append(BuildAdjustReply(profile_.mode(), sensors_.adjust(store)));
      due_.reset();
      // "Leave Adjust Mode": the device ends the adjustment by itself.
      if (profile_.params.FinishAdjustMode == 1) enter(Test::None);
      break;
    }
    case Test::None:
    case Test::Interface:
      due_.reset();
      break;
  }
  return out;
}

}  // namespace sim
