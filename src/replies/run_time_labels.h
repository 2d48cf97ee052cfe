#pragma once
#include <array>

#include "form/control.h"

namespace replies {

// The slot arrays of the sensor panels' run-time grids, numbered from 1 (slot 0 stays empty);
// a slot is null until a label is created in it and again once it is removed.
struct RunTimeLabels {
  std::array<form::Control*, 171> SensorTestHeadings{};
  std::array<form::Control*, 171> SensorTestValues{};
  std::array<form::Control*, 92> SensorAdjustHeadings{};
  std::array<form::Control*, 426> SensorAdjustValues{};
};

// The label in slot `index` of `array`; null for an empty slot or an index outside the array.
template <size_t Size>
form::Control* Slot(const std::array<form::Control*, Size>& array, int index) {
  return index >= 1 && static_cast<size_t>(index) < Size ? array[static_cast<size_t>(index)]
                                                         : nullptr;
}

}  // namespace replies
