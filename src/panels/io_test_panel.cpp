#include "panels/io_test_panel.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "form/form.h"
#include "panels/panel_frame.h"

namespace panels {

using namespace form;
using namespace form::colours;

namespace {

struct Cell {
  const char* caption;
  int left, top, width;
};

// Label7(1..20): a row caption and its value cell per line, all 375 high.
// clang-format off
constexpr Cell kRows[] = {
    {"Left Input", 120, 840, 1455},       {"", 1560, 840, 495},
    {"Right Input", 120, 1320, 1455},     {"", 1560, 1320, 495},
    {"DipSW1", 120, 1800, 1215},          {"", 1320, 1800, 1575},
    {"DipSW2", 120, 2160, 1215},          {"", 1320, 2160, 1575},
    {"Hook Signal", 120, 2640, 1935},     {"", 2040, 2640, 495},
    {"Stacker Open", 120, 3120, 1935},    {"", 2040, 3120, 495},
    {"Bill Enter", 120, 3600, 1935},      {"", 2040, 3600, 495},
    {"Fish Signal", 120, 4080, 1935},     {"", 2040, 4080, 495},
    {"Fish Led Status", 120, 4560, 1935}, {"", 2040, 4560, 495},
    {"Stacker Sensor2", 120, 5040, 1935}, {"", 2040, 5040, 495},
};

struct Button {
  const char* caption;
  int left, top, width;
  bool visible;
};

// Command2(0..6): fish LED toggle, pulse, then the LED mask buttons (hidden at start).
constexpr Button kButtons[] = {
    {"S", 2640, 4560, 255, true},     {"Pulse", 2160, 1080, 735, true},
    {"Red", 120, 4560, 735, false},   {"Green", 960, 4560, 735, false},
    {"Blue", 1800, 4560, 735, false}, {"ZRN", 480, 5040, 735, false},
    {"All Dark", 1320, 5040, 975, false},
};
// clang-format on

// The command each Command2 button sends.
constexpr int16_t config::ActiveProfile::*kButtonCodes[] = {
    &config::ActiveProfile::FishLedToggleCode, &config::ActiveProfile::SendPulseCode,
    &config::ActiveProfile::RedLedCode,        &config::ActiveProfile::GreenLedCode,
    &config::ActiveProfile::BlueLedCode,       &config::ActiveProfile::ZrnLedCode,
    &config::ActiveProfile::AllLedDarkCode,
};

// Rows whose caption or place the layout may change, with their defaults.
constexpr std::pair<int, const char*> kDefaultCaptions[] = {
    {9, "Hook Signal"},  {11, "Stacker Open"},    {13, "Bill Enter"},
    {15, "Fish Signal"}, {17, "Fish Led Status"}, {19, "Stacker Sensor2"},
};
constexpr int kFishSignalTop = 4080, kFishLedTop = 4560;

// Exit and the LED mask heading at design time; the mask buttons stand in kButtons.
constexpr int kExitTop = 5520, kMaskTitleTop = 4080;
constexpr size_t kFirstMaskButton = 2;
// The space between one row and the next.
constexpr int kRowGap = 105;

bool Overlap(const Control& a, const Control& b) {
  return a.left() < b.left() + b.width() && b.left() < a.left() + a.width() &&
         a.top() < b.top() + b.height() && b.top() < a.top() + a.height();
}

// The main screen grows while a shown frame needs more room, its status bar below it.
void FitScreen(Form& screen, const Control& frame) {
  const int needed = frame.visible() ? frame.top() + frame.height() + kBelowPanels : 0;
  const int height = std::max(kScreenHeight, needed);
  if (screen.height() != height) screen.setSize(screen.width(), height);
  if (Control* bar = screen.find("StatusBar1")) bar->setTop(height);
}

}  // namespace

void AddIoTestPanel(Form& f) {
  Control& frame = f.add(PanelFrame("Frame6", kNarrowPanelLeft, kNarrowPanelWidth, MenuText));
  // clang-format off
  f.add(ControlDesign{.kind = Kind::Label, .name = "Label7", .index = 0, .caption = "IO Test",
                      .left = 960, .top = 240, .width = 1095, .height = 375,
                      .fore = Highlight3D, .back = ButtonText, .fontSize = 12},
        &frame);
  int index = 1;
  for (const Cell& c : kRows) {
    f.add(ControlDesign{.kind = Kind::Label, .name = "Label7", .index = index++,
                        .caption = c.caption, .left = c.left, .top = c.top, .width = c.width,
                        .height = 375, .fore = Highlight3D, .back = ButtonText, .fontSize = 12,
                        .align = Align::Center, .border = true},
          &frame);
  }
  f.add(ControlDesign{.kind = Kind::Label, .name = "Label7", .index = 21, .caption = "Exit",
                      .left = 1080, .top = kExitTop, .width = 735, .height = 375,
                      .fore = Red, .back = ButtonText, .hand = true},
        &frame);
  f.add(ControlDesign{.kind = Kind::Label, .name = "Label7", .index = 22,
                      .caption = "Mask LED Test", .left = 480, .top = kMaskTitleTop, .width = 1815,
                      .height = 375, .fore = Highlight3D, .back = ButtonText, .fontSize = 12,
                      .visible = false},
        &frame);
  index = 0;
  for (const Button& b : kButtons) {
    f.add(ControlDesign{.kind = Kind::CommandButton, .name = "Command2", .index = index++,
                        .caption = b.caption, .left = b.left, .top = b.top, .width = b.width,
                        .height = 375, .fontSize = 9.75, .bold = true, .visible = b.visible},
          &frame);
  }
  // clang-format on
}

IoTestPanel::IoTestPanel(PanelContext& context, ReturnToMenu back)
    : TestPanel(context, std::move(back), "Frame6", &replies::TestStages::IoTestOn, kMenuItem) {
  for (size_t i = 0; i < label7_.size(); ++i) {
    label7_[i] = &c_.screen.at("Label7", static_cast<int>(i));
  }
  for (size_t i = 0; i < rows_.label7.size(); ++i) rows_.label7[i] = label7_[i];
  for (size_t i = 0; i < rows_.command2.size(); ++i) {
    rows_.command2[i] = &c_.screen.at("Command2", static_cast<int>(i));
    rows_.command2[i]->onClick = [this, i] { ButtonClick(static_cast<int>(i)); };
  }
  label7_[21]->onClick = [this] { Exit(); };
}

void IoTestPanel::Open() {
  c_.tests.IoTestOn = true;
  frame_.setVisible(true);
  c_.tests.IoByteIndex = 0;
  for (int cell = 2; cell <= 18; cell += 2) label7_[cell]->setText("");
  c_.line.CommandPending = 1;
  for (int row = 0; row <= 20; ++row) label7_[row]->setVisible(true);
  rows_.command2[0]->setVisible(true);
  rows_.command2[1]->setVisible(true);
  for (const auto& [row, caption] : kDefaultCaptions) label7_[row]->setText(caption);
  label7_[15]->setTop(kFishSignalTop);
  label7_[16]->setTop(kFishSignalTop);
  label7_[17]->setTop(kFishLedTop);
  label7_[18]->setTop(kFishLedTop);
  rows_.command2[0]->setTop(kFishLedTop);
  ApplyIoTestLayout(rows_, c_.profile.ReceiveDataMode, c_.accessMode());
  PlaceLedMask();
}

void IoTestPanel::PlaceLedMask() {
  Control& title = *label7_[22];
  std::vector<Control*> block = {&title};
  for (size_t i = kFirstMaskButton; i < std::size(kButtons); ++i) {
    block.push_back(rows_.command2[i]);
    rows_.command2[i]->setTop(kButtons[i].top);
  }
  title.setTop(kMaskTitleTop);
  std::vector<Control*> shown;
  for (size_t row = 1; row < rows_.label7.size(); ++row) shown.push_back(rows_.label7[row]);
  for (size_t i = 0; i < kFirstMaskButton; ++i) shown.push_back(rows_.command2[i]);
  int lowest = 0;
  bool covered = false;
  for (const Control* c : shown) {
    if (!c->visible()) continue;
    lowest = std::max(lowest, c->top() + c->height());
    for (const Control* b : block) covered = covered || Overlap(*b, *c);
  }
  // Below the lowest row, with Exit and the frame's bottom following it.
  const int shift = title.visible() && covered ? lowest + kRowGap - kMaskTitleTop : 0;
  for (Control* b : block) b->setTop(b->top() + shift);
  label7_[21]->setTop(kExitTop + shift);
  frame_.setHeight(kPanelHeight + shift);
  FitScreen(c_.screen, frame_);
}

void IoTestPanel::Hide() {
  TestPanel::Hide();
  FitScreen(c_.screen, frame_);
}

void IoTestPanel::ButtonClick(int index) {
  if (index < 0 || index >= static_cast<int>(std::size(kButtonCodes))) return;
  c_.SendAcknowledged(c_.profile.*kButtonCodes[index]);
}

void IoTestPanel::Exit() {
  Leave();
}

}  // namespace panels
