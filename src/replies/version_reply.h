#pragma once
#include <array>
#include <cstdint>
#include <functional>

#include "form/form.h"
#include "replies/main_state.h"

namespace replies {

// The main screen's procedures a finished version report calls, in this order.
struct ProfileProcedures {
  std::function<void()> LoadActiveProfile;
  std::function<void()> LoadInterfaceVersion;
  std::function<void()> LoadProfilePictures;
  // The "BA System" status text: anything but "Unknowable" means a profile is active.
  std::function<std::string()> SystemStatus;
};

// The version report stages: the marker scan, the short ("&", 23 data bytes) and the long
// (three-letter mark, 27 data bytes) layouts, and the version panel's "Clear".
class VersionReply {
 public:
  static constexpr uint8_t kShortMarker = 38;   // "&"
  static constexpr char kDeviceMark[] = "ZRN";  // one letter per byte, case-sensitive

  // The screen holds the version panel, Label1 and the test menu.
  VersionReply(form::Form& screen, VersionStages& stages, config::ActiveProfile& profile,
               ProfileProcedures procedures);

  void MarkerScan(uint8_t b);
  void ShortLayout(uint8_t b);
  void LongLayout(uint8_t b);
  void ClearVersionPanel();

 private:
  form::Control& Label4(int i) const { return *label4_[static_cast<size_t>(i)]; }
  void StartReport(int layout);
  // stackerByte: the long report's byte 27, or -1.
  void FinishReport(int stackerByte);
  void Unlock();

  form::Form& screen_;
  VersionStages& stages_;
  config::ActiveProfile& profile_;
  ProfileProcedures procedures_;
  std::array<form::Control*, 19> label4_{};  // the version panel's captions and values
  form::Control& restart_;                   // Label1
  form::Control& testMode_;                  // Label2(0), "Test Mode"
};

}  // namespace replies
