// The sensor adjust panel's run-time table: one row per channel in pages of twelve.
#include <algorithm>
#include <limits>
#include <string>

#include "config/receive_modes.h"
#include "form/form.h"
#include "panels/sensor_adjust_panel.h"

namespace panels {
namespace {

constexpr int kCellHeight = 375;
constexpr int kPageRows = 12;
constexpr int kPageHeight = 5760;  // 12 rows 360 apart and a gap of 1440
constexpr int kPagedFrom = 13;     // rows: fewer fit on one page
constexpr int kScrollRoom = 120;   // lefts move left by this when the scroll bar shows

// The columns of an EEPROM and of a FRAM system's table.
struct Column {
  const char* caption;
  int eepromLeft, framLeft;
};
constexpr Column kColumns[] = {
    {"Sensor", 240, 240},  {"VR", 1200, 960},      {"Range", 2160, 1680}, {"Adjust", 3120, 2400},
    {"Range", 4080, 3120}, {"EEPROM", 5040, 3840}, {"FRAM2", 0, 4560},    {"FRAM3", 0, 5280},
};

struct TableShape {
  bool fram;
  int headings;  // H
  int cells;     // V = H - 1 per row
  int width;
  int rows;  // the rows that fit the slot arrays
};

TableShape ShapeFor(int mode, int channels) {
  const config::ReceiveMode& m = config::ReceiveModeOf(mode);
  const bool fram = m.memory->fram;
  const int cells = m.adjustCells();
  const int headings = cells + 1;
  // The slot arrays hold 91 headings and 425 cells.
  const int rows = std::clamp(std::min(91 - headings, 425 / cells), 0, std::max(channels, 0));
  return {fram, headings, cells, fram ? 735 : 975, rows};
}

int RowTop(int row) {
  const int page = (row - 1) / kPageRows;
  return 720 + 360 * row + 1440 * page;
}

std::string Range(int low, int high) {
  return std::to_string(low) + "~" + std::to_string(high);
}

}  // namespace

void SensorAdjustPanel::BuildSensorAdjustTable() {
  const config::ActiveProfile& p = c_.profile;
  const TableShape t = ShapeFor(p.ReceiveDataMode, p.LedNumber);
  const bool paged = p.LedNumber >= kPagedFrom;
  pager_.setVisible(paged);
  const int shift = paged ? kScrollRoom : 0;
  const auto left = [&](int column) {
    const Column& c = kColumns[column - 1];
    return (t.fram ? c.framLeft : c.eepromLeft) - shift;
  };
  for (int c = 1; c <= t.headings; ++c) {
    const char* caption = c == 6 && t.fram ? "FRAM1" : kColumns[c - 1].caption;
    factories_.AddSensorAdjustHeading(c, "AdjName" + std::to_string(c), caption, t.width,
                                      kCellHeight, 720, left(c));
  }
  for (int i = 1; i <= t.rows; ++i) {
    const int top = RowTop(i);
    const int heading = t.headings + i;
    factories_.AddSensorAdjustHeading(heading, "AdjName" + std::to_string(heading),
                                      std::to_string(i), t.width, kCellHeight, top, left(1));
    for (int j = 1; j <= t.cells; ++j) {
      const int cell = t.cells * (i - 1) + j;
      factories_.AddSensorAdjustValue(cell, "AdjValue" + std::to_string(cell), "", t.width,
                                      kCellHeight, top, left(j + 1));
    }
  }
  pager_.setMax(t.rows > 0 ? (t.rows - 1) / kPageRows : 0);
  c_.tests.ScrollPosition = static_cast<int16_t>(pager_.value());
  const replies::RunTimeLabels& labels = c_.labels;
  for (int i = 1; i <= t.rows; ++i) {
    if (form::Control* vr = replies::Slot(labels.SensorAdjustValues, t.cells * (i - 1) + 2)) {
      vr->setText(Range(p.VrRangeMinimum[i], p.VrRangeMaximum[i]));
    }
    if (form::Control* adjust = replies::Slot(labels.SensorAdjustValues, t.cells * (i - 1) + 4)) {
      adjust->setText(Range(p.AdjustRangeMinimum[i], p.AdjustRangeMaximum[i]));
    }
  }
  HideUnusedCells();
}

// Replies without stored values leave no EEPROM column for their five channels, and replies of
// five channels no sixth row when the profile counts six.
void SensorAdjustPanel::HideUnusedCells() {
  const config::ReceiveMode& mode = config::ReceiveModeOf(c_.profile.ReceiveDataMode);
  const int n = c_.profile.LedNumber;
  const replies::RunTimeLabels& labels = c_.labels;
  const auto hide = [](form::Control* label) {
    if (label) label->setVisible(false);
  };
  if (!mode.storedReported) {
    hide(replies::Slot(labels.SensorAdjustHeadings, 6));
    for (int row = 1; row <= 5; ++row) hide(replies::Slot(labels.SensorAdjustValues, 5 * row));
  }
  if (mode.sixthChannel != config::SixthChannel::Regular && n == 6) {
    hide(replies::Slot(labels.SensorAdjustHeadings, 12));
    for (int cell = 26; cell <= 30; ++cell) hide(replies::Slot(labels.SensorAdjustValues, cell));
  }
}

void SensorAdjustPanel::PageTable() {
  const int v = pager_.value();
  const long long shift = static_cast<long long>(v - c_.tests.ScrollPosition) * kPageHeight;
  const config::ActiveProfile& p = c_.profile;
  const TableShape t = ShapeFor(p.ReceiveDataMode, p.LedNumber);
  const replies::RunTimeLabels& labels = c_.labels;
  const auto move = [shift](form::Control* label) {
    if (!label) return;
    const long long top = static_cast<long long>(label->top()) - shift;
    label->setTop(static_cast<int>(std::clamp<long long>(top, std::numeric_limits<int>::min(),
                                                         std::numeric_limits<int>::max())));
  };
  for (int i = 1; i <= t.rows; ++i) {
    for (int j = 1; j <= t.cells; ++j)
      move(replies::Slot(labels.SensorAdjustValues, t.cells * (i - 1) + j));
    move(replies::Slot(labels.SensorAdjustHeadings, t.headings + i));
  }
  c_.tests.ScrollPosition = static_cast<int16_t>(std::clamp(v, -32768, 32767));
}

}  // namespace panels
