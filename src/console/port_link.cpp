#include "console/port_link.h"

#include <charconv>
#include <string>

#include "serial/port_description.h"

namespace console {

using form::ControlDesign;
using form::Kind;

PortLink::PortLink(form::Form& screen, serial::CommPort& port)
    : screen_(screen), capture_(screen.host()), captured_(port, capture_), port_(captured_) {}

void PortLink::addControls() {
  screen_.add(ControlDesign{.kind = Kind::Label,
                            .name = "Label3",
                            .caption = "Com Port",
                            .left = 2880,
                            .top = 165,
                            .width = 975,
                            .height = 330,
                            .fontSize = 12});
  list_ = &screen_.add(ControlDesign{.kind = Kind::ComboBox,
                                     .name = "ComPortList",
                                     .left = 3900,
                                     .top = 120,
                                     .width = 855,
                                     .height = 330,
                                     .fontSize = 12});
  timer1_ = &screen_.add(ControlDesign{.kind = Kind::Timer, .name = "Timer1", .enabled = false});
  timer2_ = &screen_.add(ControlDesign{.kind = Kind::Timer, .name = "Timer2", .enabled = false});
  timer1_->setInterval(100);
  timer2_->setInterval(1000);

  list_->onClick = [this] {
    timer2_->setEnabled(true);
    ShowPortTip(LineNote::Chosen);
  };
  list_->onKeyDown = [this](int code, int) {
    if (code != 38 && code != 40) list_->setLocked(true);
  };
  list_->onKeyUp = [this](int, int) { list_->setLocked(false); };
  timer1_->onTimer = [this] { Timer1Tick(); };
  timer2_->onTimer = [this] { OpenSelectedPort(); };
}

void PortLink::load() {
  for (int n = 1; n <= 50; ++n) list_->addItem(std::to_string(n));
  list_->setListIndex(0);  // the click arms Timer2, which is on at start anyway
  timer1_->setEnabled(true);
  timer2_->setEnabled(true);
  loaded_ = true;
}

void PortLink::unload() {
  loaded_ = false;
  capture_.Stop();
  if (port_.portOpen()) port_.setPortOpen(false);
}

SendResult PortLink::SendCommandByte(int64_t code) {
  if (code < 0 || code > 255) return SendResult::OutOfRange;
  SendBuffer[0] = static_cast<uint8_t>(code);  // stored also when the write then fails
  if (!port_.portOpen()) return SendResult::PortClosed;
  return port_.output(SendBuffer.data(), SendBuffer.size()) ? SendResult::Sent
                                                            : SendResult::PortClosed;
}

void PortLink::OpenSelectedPort() {
  // Each step may fail; the next one still runs.
  port_.setPortOpen(false);
  if (const int number = chosenPort()) port_.setCommPort(number);
  const bool opened = port_.setPortOpen(true);
  timer2_->setEnabled(false);
  wasOpen_ = opened;
  ShowPortTip(opened ? LineNote::Opened : LineNote::Failed);
  if (opened && opened_) opened_();
}

int PortLink::chosenPort() const {
  const std::string& text = list_->text();
  int number = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
  return ec == std::errc() && end == text.data() + text.size() ? number : 0;
}

std::string PortLink::portName() const {
  const int number = port_.commPort();
  const std::string device = port_.deviceFor(number);
  return std::to_string(number) + " (" + (device.empty() ? "no device" : device) + ")";
}

void PortLink::ShowPortTip(LineNote note) {
  const int number = chosenPort();
  if (number == 0) return list_->setToolTip("");
  if (note != LineNote::Closed) {
    device_ = port_.deviceFor(number);
    description_ = serial::DescribePort(number, device_);
  }
  std::string tip = description_;
  if (!device_.empty() && note == LineNote::Opened) tip += ", open";
  if (!device_.empty() && note == LineNote::Failed) {
    tip += ", cannot be opened";
    std::string why = port_.openProblem();
    if (why.starts_with(device_ + ": ")) why.erase(0, device_.size() + 2);
    if (!why.empty()) tip += " (" + why + ")";
  }
  if (!device_.empty() && note == LineNote::Closed) tip += ", closed";
  list_->setToolTip(tip);
}

void PortLink::Timer1Tick() {
  timer1_->setEnabled(false);
  if (wasOpen_ && !port_.portOpen()) {
    wasOpen_ = false;
    ShowPortTip(LineNote::Closed);  // the device went away
  }
  if (readReplies_) readReplies_();
  if (loaded_) timer1_->setEnabled(true);  // the screen may have closed during a pause
}

}  // namespace console
