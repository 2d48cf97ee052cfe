#pragma once
#include <array>
#include <cstdint>

#include "form/form.h"
#include "replies/main_state.h"

namespace replies {

// The short replies of four test panels: the bill motor's raster reading, the stacker motor
// status, the measured bill length and the answer to an interface-setup command. The chain
// has already counted off the acknowledge byte where the stage has one.
class TestReplies {
 public:
  static constexpr int kInterfaceCount = 11;  // Option1(0..10); the reply byte is the index

  // The screen holds the bill motor, stacker, bill length and interface panels.
  TestReplies(form::Form& screen, TestStages& tests, const config::ActiveProfile& profile);

  void BillMotor(uint8_t b);
  void StackerMotor(uint8_t b);
  void BillLength(uint8_t b);
  void InterfaceSetup(uint8_t b);

 private:
  void ConfirmInterface(const form::Control& option);

  form::Host& host_;
  TestStages& tests_;
  const config::ActiveProfile& profile_;
  form::Control& motorStop_;      // Label5(2), yellow while the motor stands
  form::Control& raster_;         // Label5(6)
  form::Control& judgement_;      // Label5(7)
  form::Control& stackerValue_;   // Label6(1)
  form::Control& stackerStatus_;  // Label6(2)
  form::Control& billLength_;     // Label10(1)
  std::array<form::Control*, kInterfaceCount> options_{};
};

}  // namespace replies
