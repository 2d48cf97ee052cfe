#include "panels/dac_tool.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "base/key_codes.h"
#include "base/text.h"
#include "config/receive_modes.h"
#include "serial/entry_value.h"

namespace panels {

namespace {

constexpr int kLastStep = 10;
constexpr int kFullLevel = 255;

// The level a text names: "0x" and up to two hex digits, or a decimal number (empty: 0).
// Nothing when the text is not a byte value.
std::optional<int> LevelByte(const std::string& text) {
  int value = 0;
  if (serial::HexEntry(text)) {
    for (char ch : base::CharSlice(text, 2, 2)) {
      const int digit = base::HexDigitValue(ch);
      if (digit < 0) return std::nullopt;
      value = value * 16 + digit;
    }
    return value;
  }
  for (char ch : text) {
    if (!base::IsDigit(ch)) return std::nullopt;
    value = value * 10 + (ch - '0');
    if (value > kFullLevel) return std::nullopt;
  }
  return value;
}

// Whether the level entry takes `code`, judged on the text before the key.
bool LevelKeyAllowed(const std::string& text, int code, int shift) {
  if (code == base::kKeyBack || code == base::kKeyDelete || code == base::kKeyReturn) {
    return true;
  }
  const bool hex = serial::HexEntry(text);
  if (code >= 65 && code <= 70) return hex;  // A to F
  if (code == 88) return text == "0";        // X
  int digit = -1;
  if (code >= 48 && code <= 57 && !(shift & base::kShiftBit)) digit = code - 48;
  if (code >= 96 && code <= 105) digit = code - 96;  // keypad
  if (digit < 0) return false;
  return hex || serial::DecimalEntryTakes(text, digit);
}

// The step a Timer4 tag holds, or 0 for anything outside the sequence.
int SequenceStepOf(const std::string& tag) {
  const int64_t step = serial::RoundHalfEven(serial::LeadingDecimal(tag));
  return step >= 1 && step <= kLastStep ? static_cast<int>(step) : 0;
}

}  // namespace

DacTool::DacTool(PanelContext& context)
    : c_(context),
      allLed_(context.screen.at("Command3", 0)),
      send_(context.screen.at("Command3", 1)),
      level_(context.screen.at("Text3")),
      channel_(context.screen.at("DAC_Channel")),
      levelTimer_(context.screen.at("Timer3")),
      sequenceTimer_(context.screen.at("Timer4")) {
  allLed_.onClick = [this] { AllLedLight(); };
  send_.onClick = [this] { Send(); };
  level_.onKeyDown = [this](int code, int shift) { LevelKeyDown(code, shift); };
  level_.onKeyUp = [this](int, int) { level_.setLocked(false); };
  level_.onDblClick = [this] { level_.setText(""); };
  levelTimer_.onTimer = [this] { SendLevel(); };
  sequenceTimer_.onTimer = [this] { SequenceStep(); };
}

void DacTool::Stop() {
  levelTimer_.setEnabled(false);
  sequenceTimer_.setEnabled(false);
  sequenceTimer_.setTag("1");
  allLed_.setEnabled(true);
  send_.setEnabled(true);
}

void DacTool::AllLedLight() {
  if (config::ReceiveModeOf(c_.profile.ReceiveDataMode).ledSequence) {
    allLed_.setEnabled(false);
    sequenceTimer_.setEnabled(true);
    return;
  }
  c_.SendAcknowledged(c_.profile.AllLedLightCode);
  c_.tests.SensorValueRequested = true;
}

// Odd steps name channels 1 to 5, even steps set the channel before to full level.
void DacTool::SequenceStep() {
  const int step = SequenceStepOf(sequenceTimer_.tag());
  if (step > 0) c_.SendAcknowledged(step % 2 == 1 ? (step + 1) / 2 : kFullLevel);
  if (step == kLastStep) {
    sequenceTimer_.setEnabled(false);
    allLed_.setEnabled(true);
    c_.tests.SensorValueRequested = true;
  }
  // After the last step, or a tag outside the sequence, the next run starts at step 1.
  const int next = step >= 1 && step < kLastStep ? step + 1 : 1;
  sequenceTimer_.setTag(std::to_string(next));
}

void DacTool::Send() {
  if (levelTimer_.enabled()) return;  // the level of the last SEND is still due
  const std::optional<int> level = LevelByte(level_.text());
  if (!level) return;  // never a channel without its level
  const int64_t channel = int64_t{std::max(channel_.listIndex(), -1)} + 1;
  if (!c_.Send(channel)) return;
  dueLevel_ = *level;  // an edit while the level is due does not change it
  c_.line.CommandPending = 1;
  levelTimer_.setEnabled(true);
  allLed_.setEnabled(false);
  send_.setEnabled(false);
}

void DacTool::SendLevel() {
  levelTimer_.setEnabled(false);
  c_.SendAcknowledged(dueLevel_);
  // A running LED sequence keeps "All LED Light" until its end.
  allLed_.setEnabled(!sequenceTimer_.enabled());
  send_.setEnabled(true);
}

void DacTool::LevelKeyDown(int code, int shift) {
  if (code == base::kKeyReturn) Send();
  if (!LevelKeyAllowed(level_.text(), code, shift)) level_.setLocked(true);
}

}  // namespace panels
