#include "config/receive_modes.h"
#include "setup/setup_design.h"
#include "setup/system_tab.h"

namespace setup {

using namespace design;

namespace {
constexpr int kPage = 1;
constexpr int kRow1 = 600, kRow2 = 1080, kRow3 = 1560, kRow4 = 2040, kRow5 = 2520;

constexpr form::ControlDesign kDesign[] = {
    Caption(0, "Select BA", 120, kRow1, 1215),
    Choice("Combo1", 1380, kRow1, 2055),
    Caption(1, "System Name", 3480, kRow1, 1335),
    Choice("Combo2", 4860, kRow1, 2775),
    Caption(2, "Multi System ->", 7680, kRow1, 1575),
    Choice("Combo6", 9300, kRow1, 1095, false),

    Caption(51, "Version Name", 120, kRow2, 1335),
    Entry("Text1", 0, 1500, kRow2, 615, 3),
    Caption(4, "System Version", 2160, kRow2, 1455),
    Entry("Text1", 1, 3660, kRow2, 615, 3),
    Caption(5, "~", 4320, kRow2, 255, form::Align::Center),
    Entry("Text1", 2, 4620, kRow2, 615, 3),
    Caption(13, "Finish Adjust Mode", 5400, kRow2, 1695),
    Choice("Combo5", 7140, kRow2, 2235, false),

    Caption(6, "LED Picture Name", 120, kRow3, 1695),
    Entry("Text2", 0, 1860, kRow3, 2775),
    Caption(7, "Sensor Picture Name", 4680, kRow3, 1935),
    Entry("Text2", 1, 6660, kRow3, 2775),

    Caption(9, "Bill Motor Minimum", 120, kRow4, 1815),
    Entry("Text2", 2, 1980, kRow4, 615, 3),
    Caption(8, "Bill Motor Maximum", 2640, kRow4, 1815),
    Entry("Text2", 3, 4500, kRow4, 615, 3),
    Caption(10, "With Stacker", 5160, kRow4, 1275),
    Choice("Combo3", 6480, kRow4, 855, false),
    Caption(50, " LED Mask", 9960, kRow4 - 480, 1095, form::Align::Left),
    Choice("Combo11", 9960, kRow4, 855, false),

    Caption(11, "LED Number", 120, kRow5, 1215),
    Entry("Text2", 4, 1380, kRow5, 495, 2),
    Caption(12, "Receive Data Mode", 2040, kRow5, 1815),
    Choice("Combo4", 3900, kRow5, 3255, false),

    Heading(19, "Sensor Test Mode Parameter", 240, 3360, 3735),
    Caption(18, "Sensor Value Minimum", 120, 3720, 2100),
    Caption(41, "Sensor Value Maximum", 120, 4080, 2100),
    Heading(20, "Sensor Adjust Mode Parameter", 240, 4440, 3735),
    Caption(14, "VR Range Minimum", 120, 4800, 2100),
    Caption(15, "VR Range Maximum", 120, 5160, 2100),
    Caption(16, "Adjust Range Minimum", 120, 5520, 2100),
    Caption(17, "Adjust Range Maximum", 120, 5880, 2100),
    {.kind = form::Kind::HScrollBar,
     .name = "HScroll1",
     .left = 2280,
     .top = 6240,
     .width = 6735,
     .height = 255,
     .visible = false},
    {.kind = form::Kind::Timer, .name = "Timer1", .enabled = false},

    Button("Command3", 0, "ADD", 2280, 6720),
    Button("Command3", 1, "Delete", 3960, 6720),
    Button("Command3", 2, "Modify", 5640, 6720),
    Button("Command3", 3, "Save", 7320, 6720),
    LineListBox("List3"),
    LineListBox("List4"),
};

const char* const kNoYes[] = {"NO", "YES"};
}  // namespace

const SetupContext& SystemTab::Designed(const SetupContext& c) {
  for (const form::ControlDesign& d : kDesign) c.Add(d, kPage);
  for (const char* combo : {"Combo3", "Combo6", "Combo11"}) {
    for (const char* item : kNoYes) c.form.at(combo).addItem(item);
  }
  for (const config::ReceiveMode& mode : config::kReceiveModes)
    c.form.at("Combo4").addItem(mode.name);
  form::Control& finish = c.form.at("Combo5");
  finish.addItem("Stand Adjust Mode");
  finish.addItem("Leave Adjust Mode");
  finish.setToolTip("When Adjust Finish");
  c.form.at("Timer1").setInterval(100);
  c.form.at("Command3", 3).setTag(design::kSaveAdds);
  return c;
}

}  // namespace setup
