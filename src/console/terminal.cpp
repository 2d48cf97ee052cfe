#include "console/terminal.h"

#include <string>

#include "base/text.h"
#include "serial/entry_value.h"

namespace console {

using form::Align;
using form::Colour;
using form::ControlDesign;
using form::Kind;
namespace colours = form::colours;

namespace {
constexpr int kLogLimit = 1000;  // characters; a longer log starts over
constexpr const char* kCaptureCaption = "Capture...";
constexpr const char* kStopCaptureCaption = "Stop Capture";
const Colour kEntryProblem = Colour::Rgb(255, 200, 200);
}  // namespace

Terminal::Terminal(form::Form& screen, PortLink& link, int16_t& commandPending)
    : screen_(screen), link_(link), commandPending_(commandPending) {}

void Terminal::addControls() {
  frame_ = &screen_.add(ControlDesign{.kind = Kind::Frame,
                                      .name = "Frame4",
                                      .left = 6120,
                                      .top = 600,
                                      .width = 3015,
                                      .height = 6135,
                                      .fore = colours::HighlightText,
                                      .back = colours::ButtonText,
                                      .visible = false});
  log_ = &screen_.add(ControlDesign{.kind = Kind::TextBox,
                                    .name = "Text1",
                                    .left = 120,
                                    .top = 120,
                                    .width = 2775,
                                    .height = 4455},
                      frame_);
  log_->setMultiLine(true);
  entry_ = &screen_.add(ControlDesign{.kind = Kind::TextBox,
                                      .name = "Text2",
                                      .left = 120,
                                      .top = 5160,
                                      .width = 735,
                                      .height = 375,
                                      .fontSize = 12},
                        frame_);
  const auto option = [this](int index, const char* caption, int left) {
    return &screen_.add(ControlDesign{.kind = Kind::CheckBox,
                                      .name = "Check1",
                                      .index = index,
                                      .caption = caption,
                                      .left = left,
                                      .top = 5160,
                                      .width = 855,
                                      .height = 375,
                                      .fore = colours::HighlightText,
                                      .back = colours::ButtonText},
                        frame_);
  };
  hex_ = option(0, "Hex", 1200);
  ascii_ = option(1, "Ascii", 2040);
  capture_ = &screen_.add(ControlDesign{.kind = Kind::CommandButton,
                                        .name = "cmdCapture",
                                        .left = 120,
                                        .top = 4680,
                                        .width = 2775,
                                        .height = 375},
                          frame_);
  ShowCaptureState();
  addButtons();
  wireHandlers();
}

// Command1(0..2): Send, Clear, Exit.
void Terminal::addButtons() {
  const char* captions[] = {"Send", "Clear", "Exit"};
  const int lefts[] = {120, 1080, 2040};
  for (int i = 0; i < 3; ++i) {
    form::Control& b = screen_.add(ControlDesign{.kind = Kind::CommandButton,
                                                 .name = "Command1",
                                                 .index = i,
                                                 .caption = captions[i],
                                                 .left = lefts[i],
                                                 .top = 5640,
                                                 .width = 855,
                                                 .height = 375},
                                   frame_);
    b.onClick = [this, i] {
      if (i == 0) Send();
      if (i == 1) log_->setText("");
      if (i == 2) frame_->setVisible(false);
    };
  }
}

void Terminal::wireHandlers() {
  log_->onDblClick = [this] { log_->setText(""); };
  log_->onChange = [this] {
    if (log_->textChars() > kLogLimit) log_->setText("");
  };
  entry_->onDblClick = [this] { entry_->setText(""); };
  entry_->onChange = [this] { ClearEntryProblem(); };
  entry_->onKeyDown = [this](int code, int) { EntryKeyDown(code); };
  entry_->onKeyUp = [this](int, int) { entry_->setLocked(false); };
  hex_->onClick = [this] { CheckClick(0); };
  ascii_->onClick = [this] { CheckClick(1); };
  capture_->onClick = [this] { CaptureClick(); };
  link_.capture().onChange = [this] { ShowCaptureState(); };
}

void Terminal::CaptureClick() {
  Capture& capture = link_.capture();
  if (capture.active()) {
    capture.Stop();
  } else {
    capture.Start(link_.portName());
  }
}

void Terminal::ShowCaptureState() {
  const Capture& capture = link_.capture();
  capture_->setText(capture.active() ? kStopCaptureCaption : kCaptureCaption);
  capture_->setToolTip(capture.active()
                           ? "Capturing every byte received and sent to " + capture.path()
                           : "Writes every byte received and sent to a file");
}

void Terminal::Toggle() {
  frame_->setVisible(!frame_->visible());
}

void Terminal::Send() {
  switch (link_.SendCommandByte(serial::EntryValue(entry_->text()))) {
    case SendResult::Sent:
      commandPending_ = 1;
      ClearEntryProblem();
      break;
    case SendResult::OutOfRange:
      ShowEntryProblem("Not sent: " + entry_->text() + " is not a byte value (0 to 255)");
      break;
    case SendResult::PortClosed:
      ShowEntryProblem("Not sent: the port is not open");
      break;
  }
}

void Terminal::LogByte(int index, const std::string& byteText) {
  line_.assign(log_->text().empty() ? "" : "\r\n");
  line_ += '[';
  line_ += std::to_string(index);
  line_ += "]-->";
  line_ += byteText;
  log_->appendText(line_);
  log_->setSelStart(log_->textChars());
}

void Terminal::EntryKeyDown(int code) {
  const std::string& text = entry_->text();
  const bool hexMode = serial::HexEntry(text);
  bool accept = true;
  if (code == 13) {
    Send();
  } else if (code == 88) {
    accept = text == "0";
  } else if (code >= 65 && code <= 70) {
    accept = hexMode;
  } else if ((code >= 48 && code <= 57) || (code >= 96 && code <= 105)) {
    const int digit = code >= 96 ? code - 96 : code - 48;
    accept = hexMode || serial::DecimalEntryTakes(text, digit);
  }
  if (!accept) entry_->setLocked(true);
}

void Terminal::CheckClick(int index) {
  form::Control& self = index == 0 ? *hex_ : *ascii_;
  form::Control& other = index == 0 ? *ascii_ : *hex_;
  other.setEnabled(self.value() != 1);
}

void Terminal::ShowEntryProblem(const std::string& why) {
  entry_->setBackColor(kEntryProblem);
  entry_->setToolTip(why);
}

void Terminal::ClearEntryProblem() {
  entry_->setBackColor(colours::WindowBackground);
  entry_->setToolTip("");
}

}  // namespace console
