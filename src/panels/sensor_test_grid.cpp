// The sensor test panel's run-time grid: one column per channel in pages of eight.
#include <algorithm>
#include <limits>
#include <string>

#include "base/access_mode.h"
#include "config/receive_modes.h"
#include "form/form.h"
#include "panels/sensor_test_panel.h"

namespace panels {
namespace {

constexpr int kCellHeight = 375;
constexpr int kPageColumns = 8;
constexpr int kPageWidth = 6240;  // 8 columns 600 apart and a gap of 1440
constexpr int kMaxColumns = 85;   // what the slot arrays hold

// Column k's left position on its page.
int ColumnLeft(int k) {
  const int page = (k - 1) / kPageColumns;
  return 480 + 600 * k + 1440 * page;
}

// The name of column k: the leading columns, then the channels from 1.
std::string ChannelName(const config::ReceiveMode& mode, int k) {
  if (k <= mode.leadingColumns) return mode.leadingNames[static_cast<size_t>(k - 1)];
  return std::to_string(k - mode.leadingColumns);
}

}  // namespace

void SensorTestPanel::BuildSensorTestGrid() {
  const config::ReceiveMode& mode = config::ReceiveModeOf(c_.profile.ReceiveDataMode);
  factories_.AddSensorTestHeading(1, "Name1", "Level", 735, kCellHeight, 1080, 360);
  factories_.AddSensorTestHeading(2, "Name2", "Sen", 735, kCellHeight, 1440, 360);
  // Columns beyond the slot arrays are not built.
  const int columns = std::min(mode.gridColumns(c_.profile.LedNumber), kMaxColumns);
  for (int k = 1; k <= columns; ++k) {
    const std::string name = ChannelName(mode, k);
    const int left = ColumnLeft(k);
    factories_.AddSensorTestHeading(k + 2, "Name" + std::to_string(k + 2), name, 615, kCellHeight,
                                    720, left);
    channel_.addItem(name);
    factories_.AddSensorTestValue(2 * k - 1, "Value" + std::to_string(2 * k - 1), "", 615,
                                  kCellHeight, 1440, left);
    factories_.AddSensorTestValue(2 * k, "Value" + std::to_string(2 * k), "", 615, kCellHeight,
                                  1080, left);
  }
  if (channel_.listCount() > 0) channel_.setListIndex(0);
  pager_.setMax(columns > 0 ? (columns - 1) / kPageColumns : 0);
  pager_.setVisible(columns > kPageColumns);  // leading columns count too
  c_.tests.ScrollPosition = static_cast<int16_t>(pager_.value());
  buttons_[0]->setVisible(true);
  const std::string access = c_.accessMode();
  ShowFixedReadings(access != base::kProductionMode && access != base::kUserMode);
  label8_[5]->setText("AD Sensor Mode");
  label8_[1]->setText("Anti Fake Line L");
  ApplyModeToGrid();
}

// Experts see every fixed reading and the DAC tool; others only the AD sensor mode.
void SensorTestPanel::ShowFixedReadings(bool expert) {
  divider_.setVisible(expert);
  for (int i = 1; i <= 9; ++i) label8_[static_cast<size_t>(i)]->setVisible(expert);
  label8_[5]->setVisible(true);
  label8_[6]->setVisible(true);
  channel_.setVisible(expert);
  level_.setVisible(expert);
  buttons_[1]->setVisible(expert);
}

void SensorTestPanel::ApplyModeToGrid() {
  const config::ReceiveMode& mode = config::ReceiveModeOf(c_.profile.ReceiveDataMode);
  if (c_.profile.LedNumber == 6) {
    if (mode.sixthChannel == config::SixthChannel::Hidden) {
      if (channel_.listCount() > 5) channel_.removeItem(5);
      for (form::Control* sixth : {replies::Slot(c_.labels.SensorTestHeadings, 8),
                                   replies::Slot(c_.labels.SensorTestValues, 11),
                                   replies::Slot(c_.labels.SensorTestValues, 12)}) {
        if (sixth) sixth->setVisible(false);
      }
    } else if (mode.sixthChannel == config::SixthChannel::ListedAsEight) {
      if (channel_.listCount() > 5) channel_.removeItem(5);
      channel_.addItem("8");
    }
  }
  switch (mode.fixedReadings) {
    case config::FixedReadings::NoAntiFake:
      for (int i = 1; i <= 4; ++i) label8_[static_cast<size_t>(i)]->setVisible(false);
      break;
    case config::FixedReadings::TwoAdModes:
      label8_[5]->setText("AD Sensor Mode 1");
      label8_[1]->setText("AD Sensor Mode 2");
      label8_[3]->setVisible(false);
      label8_[4]->setVisible(false);
      break;
    case config::FixedReadings::AntiFake:
      break;
  }
}

void SensorTestPanel::PageGrid() {
  const int v = pager_.value();
  const long long shift = static_cast<long long>(v - c_.tests.ScrollPosition) * kPageWidth;
  const replies::RunTimeLabels& labels = c_.labels;
  const int columns =
      std::min(config::ReceiveModeOf(c_.profile.ReceiveDataMode).gridColumns(c_.profile.LedNumber),
               kMaxColumns);
  for (int j = 1; j <= columns; ++j) {
    for (form::Control* cell : {replies::Slot(labels.SensorTestValues, 2 * j - 1),
                                replies::Slot(labels.SensorTestValues, 2 * j),
                                replies::Slot(labels.SensorTestHeadings, j + 2)}) {
      if (!cell) continue;
      const long long left = static_cast<long long>(cell->left()) - shift;
      cell->setLeft(static_cast<int>(std::clamp<long long>(left, std::numeric_limits<int>::min(),
                                                           std::numeric_limits<int>::max())));
    }
  }
  c_.tests.ScrollPosition = static_cast<int16_t>(std::clamp(v, -32768, 32767));
}

}  // namespace panels
