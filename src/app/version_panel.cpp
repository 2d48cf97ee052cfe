#include "app/version_panel.h"

#include "form/form.h"

namespace app {

using namespace form;
using namespace form::colours;

namespace {

constexpr const char* kTimes = "Times New Roman";

// Caption rows Label4(2, 4, ... 16); each value cell has the next index.
constexpr const char* kCaptions[] = {"System",  "Device", "Judge",  "Option",
                                     "All ROM", "User",   "DipSW1", "DipSW2"};

}  // namespace

void AddVersionPanel(Form& f) {
  // Between the test menu (ends at 2775) and the test panels (start at 6120); the wide panels
  // at left 2880 cover it.
  Control& frame = f.add(ControlDesign{.kind = Kind::Frame,
                                       .name = "Frame2",
                                       .left = 2880,
                                       .top = 600,
                                       .width = 3135,
                                       .height = 6135,
                                       .back = MenuText});
  const auto label = [&](int index, const char* caption, int left, int top, int width) {
    return ControlDesign{.kind = Kind::Label,
                         .name = "Label4",
                         .index = index,
                         .caption = caption,
                         .left = left,
                         .top = top,
                         .width = width,
                         .height = 375,
                         .fore = HighlightText,
                         .back = MenuText,
                         .fontSize = 12};
  };
  // Our own layout: title, the program version across the panel, then one row per caption and
  // value (480 twips apart), "Clear" at the bottom.
  f.add(label(0, "PROGRAM    VERSION", 120, 120, 2895), &frame);
  ControlDesign program = label(1, "", 120, 540, 2895);
  program.bold = true;
  program.fontName = kTimes;
  f.add(program, &frame);
  for (int row = 0; row < 8; ++row) {
    const int index = 2 + 2 * row;
    const int top = 1020 + 480 * row;
    f.add(label(index, kCaptions[row], 120, top, 1155), &frame);
    ControlDesign value = label(index + 1, "", 1320, top, 1695);
    if (index + 1 <= 13) {  // the DIP switch bits stay in the default font
      value.bold = true;
      value.fontName = kTimes;
    }
    f.add(value, &frame);
  }
  ControlDesign clear = label(18, "Clear", 1080, 5520, 975);
  clear.fore = Yellow;
  clear.hand = true;
  f.add(clear, &frame);
}

}  // namespace app
