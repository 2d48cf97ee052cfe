#include "panels/label_factories.h"

#include "form/colour.h"

namespace panels {

using form::Control;

LabelFactories::LabelFactories(form::Form& screen, replies::RunTimeLabels& labels)
    : screen_(screen),
      labels_(labels),
      sensorTestFrame_(screen.at("Frame7")),
      sensorAdjustFrame_(screen.at("Frame9")) {
  const auto publish = [&screen](const char* name, auto& array) {
    screen.setSlotArray(name, [&array](int index) { return replies::Slot(array, index); });
  };
  publish("SensorTestHeadings", labels_.SensorTestHeadings);
  publish("SensorTestValues", labels_.SensorTestValues);
  publish("SensorAdjustHeadings", labels_.SensorAdjustHeadings);
  publish("SensorAdjustValues", labels_.SensorAdjustValues);
}

template <size_t Size>
void LabelFactories::Add(std::array<Control*, Size>& array, Control& frame, bool adjust, int index,
                         const std::string& name, const std::string& caption, int width, int height,
                         int top, int left) {
  if (index < 1 || static_cast<size_t>(index) >= Size || array[static_cast<size_t>(index)]) {
    return;
  }
  Control* label = screen_.add(form::Kind::Label, name, &frame);
  if (!label) return;  // the name is taken
  array[static_cast<size_t>(index)] = label;
  label->setAlignment(form::Align::Center);
  label->setText(caption);
  label->setBackColor(form::colours::MenuText);
  label->setBorder(true);
  label->setFont(form::Font{"Comic Sans MS", adjust ? 9.0 : 12.0, adjust});
  label->setForeColor(form::colours::White);
  label->setBounds(left, top, width, height);
  label->setVisible(true);
}

template <size_t Size>
void LabelFactories::RemoveAll(std::array<Control*, Size>& array) {
  for (Control*& slot : array) {
    if (!slot) continue;
    screen_.remove(slot);
    slot = nullptr;
  }
}

void LabelFactories::AddSensorTestHeading(int index, const std::string& name,
                                          const std::string& caption, int width, int height,
                                          int top, int left) {
  Add(labels_.SensorTestHeadings, sensorTestFrame_, false, index, name, caption, width, height, top,
      left);
}

void LabelFactories::AddSensorTestValue(int index, const std::string& name,
                                        const std::string& caption, int width, int height, int top,
                                        int left) {
  Add(labels_.SensorTestValues, sensorTestFrame_, false, index, name, caption, width, height, top,
      left);
}

void LabelFactories::AddSensorAdjustHeading(int index, const std::string& name,
                                            const std::string& caption, int width, int height,
                                            int top, int left) {
  Add(labels_.SensorAdjustHeadings, sensorAdjustFrame_, true, index, name, caption, width, height,
      top, left);
}

void LabelFactories::AddSensorAdjustValue(int index, const std::string& name,
                                          const std::string& caption, int width, int height,
                                          int top, int left) {
  Add(labels_.SensorAdjustValues, sensorAdjustFrame_, true, index, name, caption, width, height,
      top, left);
}

void LabelFactories::RemoveSensorTestGrid() {
  RemoveAll(labels_.SensorTestHeadings);
  RemoveAll(labels_.SensorTestValues);
}

void LabelFactories::RemoveSensorAdjustTable() {
  RemoveAll(labels_.SensorAdjustHeadings);
  RemoveAll(labels_.SensorAdjustValues);
}

}  // namespace panels
