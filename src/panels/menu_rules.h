#pragma once
#include <array>
#include <string_view>

#include "config/active_profile.h"
#include "form/control.h"

namespace panels {

// The controls the menu rules change.
struct MenuRuleControls {
  std::array<form::Control*, 10> items{};          // Label2(0..9)
  form::Control* ledMaskTitle = nullptr;           // Label7(22)
  std::array<form::Control*, 5> ledMaskButtons{};  // Command2(2..6)
};

// Which test menu items the system and the access mode offer, the erase item's caption, the
// place of "Exit" and the IO panel's LED mask controls.
void RefreshTestMenu(const MenuRuleControls& c, const config::ActiveProfile& profile,
                     std::string_view accessMode);

// The IO test panel's rows and buttons.
struct IoRowControls {
  std::array<form::Control*, 21> label7{};   // Label7(0..20)
  std::array<form::Control*, 7> command2{};  // Command2(0..6)
};

// Which IO rows the receive data mode shows, their captions and places, and the rows user-level
// access does not see. The rows must have their default captions and places.
void ApplyIoTestLayout(const IoRowControls& c, int receiveDataMode, std::string_view accessMode);

}  // namespace panels
