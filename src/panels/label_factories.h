#pragma once
#include <array>
#include <string>

#include "form/form.h"
#include "replies/run_time_labels.h"

namespace panels {

// Creates the sensor panels' run-time labels in their slot arrays and removes them again, and
// publishes the arrays on the screen (ba-script's "SensorTestValues(12)").
class LabelFactories {
 public:
  // The screen holds Frame7 and Frame9.
  LabelFactories(form::Form& screen, replies::RunTimeLabels& labels);

  // Each creates a label `name` in slot `index`: centred white text on the menu-text colour,
  // a single border, visible. Refused (nothing happens) for an index outside the array, a slot
  // in use or a name the screen already has.
  void AddSensorTestHeading(int index, const std::string& name, const std::string& caption,
                            int width, int height, int top, int left);
  void AddSensorTestValue(int index, const std::string& name, const std::string& caption, int width,
                          int height, int top, int left);
  void AddSensorAdjustHeading(int index, const std::string& name, const std::string& caption,
                              int width, int height, int top, int left);
  void AddSensorAdjustValue(int index, const std::string& name, const std::string& caption,
                            int width, int height, int top, int left);

  // Removes every label of the sensor test grid / the sensor adjust table; empty slots are
  // skipped.
  void RemoveSensorTestGrid();
  void RemoveSensorAdjustTable();

 private:
  template <size_t Size>
  void Add(std::array<form::Control*, Size>& array, form::Control& frame, bool adjust, int index,
           const std::string& name, const std::string& caption, int width, int height, int top,
           int left);
  template <size_t Size>
  void RemoveAll(std::array<form::Control*, Size>& array);

  form::Form& screen_;
  replies::RunTimeLabels& labels_;
  form::Control& sensorTestFrame_;    // Frame7
  form::Control& sensorAdjustFrame_;  // Frame9
};

}  // namespace panels
