#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace config {

// Per-channel values, indexed by channel 1..85; index 0 is unused.
using ChannelTable = std::array<int16_t, 86>;

// The connected system's profile, as the main screen keeps it. Loads overwrite it field by
// field and never reset it.
struct ActiveProfile {
  std::string LedPictureName;
  std::string SensorPictureName;
  int16_t BillMotorMinimum = 0;
  int16_t BillMotorMaximum = 0;
  int16_t WithStacker = 0;
  int16_t ReceiveDataMode = 0;
  int16_t LedNumber = 0;
  int16_t FinishAdjustMode = 0;
  ChannelTable SensorValueMinimum{};
  ChannelTable SensorValueMaximum{};
  ChannelTable VrRangeMinimum{};
  ChannelTable VrRangeMaximum{};
  ChannelTable AdjustRangeMinimum{};
  ChannelTable AdjustRangeMaximum{};
  int16_t LedMask = 0;

  int16_t EnterTestModeCode = 0;
  int16_t LeaveTestModeCode = 0;
  int16_t EnterSensorAdjustCode = 0;
  int16_t EnterIoSensorTestCode = 0;
  int16_t FishLedToggleCode = 0;
  int16_t AllLedLightCode = 0;
  int16_t SendPulseCode = 0;
  int16_t EnterBillMotorTestCode = 0;
  int16_t StopMotorCode = 0;
  int16_t ForwardMotorCode = 0;
  int16_t BackwardMotorCode = 0;
  int16_t EnterStackerMotorTestCode = 0;
  int16_t StackingActiveCode = 0;
  int16_t EnterBillLengthCode = 0;
  int16_t EnterInterfaceSetupCode = 0;
  int16_t AskInterfaceModeCode = 0;
  int16_t RedLedCode = 0;
  int16_t GreenLedCode = 0;
  int16_t BlueLedCode = 0;
  int16_t ZrnLedCode = 0;
  int16_t AllLedDarkCode = 0;
};

template <class T>
struct NamedMember {
  std::string_view name;
  T ActiveProfile::*member;
};

// The six channel tables in file order.
inline constexpr std::array<NamedMember<ChannelTable>, 6> kChannelTables = {{
    {"SensorValueMinimum", &ActiveProfile::SensorValueMinimum},
    {"SensorValueMaximum", &ActiveProfile::SensorValueMaximum},
    {"VrRangeMinimum", &ActiveProfile::VrRangeMinimum},
    {"VrRangeMaximum", &ActiveProfile::VrRangeMaximum},
    {"AdjustRangeMinimum", &ActiveProfile::AdjustRangeMinimum},
    {"AdjustRangeMaximum", &ActiveProfile::AdjustRangeMaximum},
}};

// The command codes in file order (field 2 onwards of a command line).
inline constexpr std::array<NamedMember<int16_t>, 21> kCommandCodes = {{
    {"EnterTestModeCode", &ActiveProfile::EnterTestModeCode},
    {"LeaveTestModeCode", &ActiveProfile::LeaveTestModeCode},
    {"EnterSensorAdjustCode", &ActiveProfile::EnterSensorAdjustCode},
    {"EnterIoSensorTestCode", &ActiveProfile::EnterIoSensorTestCode},
    {"FishLedToggleCode", &ActiveProfile::FishLedToggleCode},
    {"AllLedLightCode", &ActiveProfile::AllLedLightCode},
    {"SendPulseCode", &ActiveProfile::SendPulseCode},
    {"EnterBillMotorTestCode", &ActiveProfile::EnterBillMotorTestCode},
    {"StopMotorCode", &ActiveProfile::StopMotorCode},
    {"ForwardMotorCode", &ActiveProfile::ForwardMotorCode},
    {"BackwardMotorCode", &ActiveProfile::BackwardMotorCode},
    {"EnterStackerMotorTestCode", &ActiveProfile::EnterStackerMotorTestCode},
    {"StackingActiveCode", &ActiveProfile::StackingActiveCode},
    {"EnterBillLengthCode", &ActiveProfile::EnterBillLengthCode},
    {"EnterInterfaceSetupCode", &ActiveProfile::EnterInterfaceSetupCode},
    {"AskInterfaceModeCode", &ActiveProfile::AskInterfaceModeCode},
    {"RedLedCode", &ActiveProfile::RedLedCode},
    {"GreenLedCode", &ActiveProfile::GreenLedCode},
    {"BlueLedCode", &ActiveProfile::BlueLedCode},
    {"ZrnLedCode", &ActiveProfile::ZrnLedCode},
    {"AllLedDarkCode", &ActiveProfile::AllLedDarkCode},
}};

// Calls visit(name, field) for every field in declaration order; `field` is a std::string,
// an int16_t or a ChannelTable (const when `profile` is).
template <class Profile, class Visitor>
void VisitProfile(Profile& profile, Visitor&& visit) {
  visit(std::string_view("LedPictureName"), profile.LedPictureName);
  visit(std::string_view("SensorPictureName"), profile.SensorPictureName);
  visit(std::string_view("BillMotorMinimum"), profile.BillMotorMinimum);
  visit(std::string_view("BillMotorMaximum"), profile.BillMotorMaximum);
  visit(std::string_view("WithStacker"), profile.WithStacker);
  visit(std::string_view("ReceiveDataMode"), profile.ReceiveDataMode);
  visit(std::string_view("LedNumber"), profile.LedNumber);
  visit(std::string_view("FinishAdjustMode"), profile.FinishAdjustMode);
  for (const auto& table : kChannelTables) visit(table.name, profile.*table.member);
  visit(std::string_view("LedMask"), profile.LedMask);
  for (const auto& code : kCommandCodes) visit(code.name, profile.*code.member);
}

}  // namespace config
