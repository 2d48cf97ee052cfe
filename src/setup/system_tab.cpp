#include "setup/system_tab.h"

#include "config/number_text.h"
#include "config/parameter_setup.h"
#include "setup/setup_design.h"

namespace setup {

namespace {
enum EditButton { kAdd, kDelete, kModify, kSave };
constexpr const char* kAdding = design::kSaveAdds;
constexpr const char* kModifying = design::kSaveModifies;
constexpr const char* kShowing = design::kSaveShows;
constexpr int kLedNumberBox = 4;

std::string_view FieldOr(const std::vector<std::string>& f, int i) {
  return i >= 0 && i < static_cast<int>(f.size()) ? std::string_view(f[static_cast<size_t>(i)])
                                                  : std::string_view();
}

// A stored list index; an invalid one leaves the combo without a selection.
void SelectStored(form::Control& combo, std::string_view text) {
  const auto v = config::TextToInt16(text);
  combo.setListIndex(v && *v >= 0 && *v < combo.listCount() ? *v : -1);
}
}  // namespace

SystemTab::SystemTab(const SetupContext& c, const SystemRecords& records)
    : c_(Designed(c)),
      records_(records),
      combo1_(c.form.at("Combo1")),
      combo2_(c.form.at("Combo2")),
      multi_(c.form.at("Combo6")),
      stacker_(c.form.at("Combo3")),
      mode_(c.form.at("Combo4")),
      finish_(c.form.at("Combo5")),
      ledMask_(c.form.at("Combo11")),
      timer_(c.form.at("Timer1")),
      systemLines_(c, c.form.at("List3"), config::kSystemVersion),
      parameterLines_(c, c.form.at("List4"), config::kParameterSetup),
      grid_(c, c.form.at("HScroll1")),
      refusals_(c.form) {
  for (int i = 0; i < 3; ++i) version_[static_cast<size_t>(i)] = &c.form.at("Text1", i);
  for (int i = 0; i < 5; ++i) parameter_[static_cast<size_t>(i)] = &c.form.at("Text2", i);
  for (int i = 0; i < 4; ++i) buttons_[static_cast<size_t>(i)] = &c.form.at("Command3", i);
  wire();
}

void SystemTab::wire() {
  combo1_.onClick = [this] { Combo1_Click(); };
  combo2_.onClick = [this] { Combo2_Click(); };
  timer_.onTimer = [this] { Timer1_Timer(); };
  parameter_[kLedNumberBox]->onChange = [this] { LedNumberChanged(); };
  const auto typingNames = [this] { return SaveMode() == 0; };
  ChooseOnly(combo1_, typingNames);
  ChooseOnly(combo2_, typingNames);
  for (form::Control* combo : {&multi_, &stacker_, &mode_, &finish_}) ChooseOnly(*combo);
  for (int i = 2; i <= 4; ++i) DigitsOnly(*parameter_[static_cast<size_t>(i)]);
  buttons_[kAdd]->onClick = [this] { Add(); };
  buttons_[kDelete]->onClick = [this] { Delete(); };
  buttons_[kModify]->onClick = [this] { Modify(); };
  buttons_[kSave]->onClick = [this] { Save(); };
}

int SystemTab::SaveMode() const {
  return LeadingNumber(buttons_[kSave]->tag());
}

void SystemTab::SetFieldsEnabled(bool enabled) {
  for (form::Control* box : version_) box->setEnabled(enabled);
  for (form::Control* box : parameter_) box->setEnabled(enabled);
  for (form::Control* combo : {&stacker_, &mode_, &finish_, &multi_, &ledMask_}) {
    combo->setEnabled(enabled);
  }
}

// Showing: ADD, Delete and Modify; editing: Save only.
void SystemTab::SetButtons(bool showing) {
  buttons_[kAdd]->setEnabled(showing);
  buttons_[kDelete]->setEnabled(showing);
  buttons_[kModify]->setEnabled(showing);
  buttons_[kSave]->setEnabled(!showing);
}

void SystemTab::ShowNoSystem() {
  timer_.setEnabled(false);
  grid_.Remove();
  combo2_.clear();
  multi_.setListIndex(-1);
  SetFieldsEnabled(false);
  SetButtons(true);
  buttons_[kDelete]->setEnabled(false);
  buttons_[kModify]->setEnabled(false);
}

void SystemTab::Combo1_Click() {
  combo2_.clear();
  for (const SystemRecord& r : records_) {
    if (r[config::kSystemBaName] != combo1_.text()) continue;
    combo2_.addItem(r[config::kSystemName]);
    combo2_.setListIndex(0);
    SelectStored(multi_, r[config::kSystemMulti]);
  }
}

void SystemTab::Combo2_Click() {
  SetFieldsEnabled(false);
  SetButtons(true);
  buttons_[kSave]->setTag(kShowing);
  refusals_.Clear();
  if (c_.tabs.value() != 1) return;
  parameterLines_.Clear();
  timer_.setEnabled(true);
}

// The deferred display: the selected system's version fields and parameter line, read once
// however many SystemVersion.txt lines name the system.
void SystemTab::Timer1_Timer() {
  timer_.setEnabled(false);
  grid_.Remove();
  bool found = false;
  for (const SystemRecord& r : records_) {
    if (r[config::kSystemName] != combo2_.text() || r[config::kSystemBaName] != combo1_.text()) {
      continue;
    }
    version_[0]->setText(r[config::kSystemKey]);
    version_[1]->setText(r[config::kSystemVersionMin]);
    version_[2]->setText(r[config::kSystemVersionMax]);
    SelectStored(multi_, r[config::kSystemMulti]);  // the flag of the system shown
    found = true;
  }
  if (found) LoadParameterList();
}

// A Save or Delete acts on what the display shows, never on a list it has not read yet.
void SystemTab::CompletePendingDisplay() {
  if (timer_.enabled()) Timer1_Timer();
}

void SystemTab::LoadParameterList() {
  parameterLines_.Load();
  for (const std::string& line : parameterLines_.lines()) {
    if (!SelectedParameterLine(line)) continue;
    ShowParameters(FieldsOf(line));
    return;  // the main screen also uses the first line of a system
  }
  ShowDefaults();  // not what the system shown before holds
}

// What a system without a parameter line shows: the values a new system starts with.
void SystemTab::ShowDefaults() {
  parameter_[0]->setText("");
  parameter_[1]->setText("");
  for (int i = 2; i <= 4; ++i) parameter_[static_cast<size_t>(i)]->setText("0");
  for (form::Control* combo : {&stacker_, &mode_, &finish_, &ledMask_}) combo->setListIndex(0);
}

// Shows what a parameter line holds; a short or malformed line shows what can be read.
void SystemTab::ShowParameters(const std::vector<std::string>& f) {
  using namespace config;
  parameter_[0]->setText(FieldOr(f, kParamLedPicture));
  parameter_[1]->setText(FieldOr(f, kParamSensorPicture));
  parameter_[2]->setText(FieldOr(f, kParamBillMotorMin));
  parameter_[3]->setText(FieldOr(f, kParamBillMotorMax));
  SelectStored(stacker_, FieldOr(f, kParamWithStacker));
  SelectStored(mode_, FieldOr(f, kParamReceiveDataMode));
  parameter_[kLedNumberBox]->setText(FieldOr(f, kParamLedNumber));
  SelectStored(finish_, FieldOr(f, kParamFinishAdjustMode));
  const auto stored = TextToInt16(FieldOr(f, kParamLedNumber));
  const int n = stored && *stored > 0 && *stored <= kMaxLedNumber ? *stored : 0;
  SelectStored(ledMask_, n > 0 ? FieldOr(f, LedMaskField(n)) : std::string_view());
  grid_.Build(
      n, [&](int k, int i) { return std::string(FieldOr(f, ChannelField(n, k, i))); }, false);
}

// While adding, LED Number builds an empty grid of that many channels.
void SystemTab::LedNumberChanged() {
  if (buttons_[kSave]->tag() != kAdding) return;
  const std::string& text = parameter_[kLedNumberBox]->text();
  if (text.empty() || text == "0") return;
  refusals_.Clear();
  const int n = LeadingNumber(text);
  if (n > config::kMaxLedNumber) {
    grid_.Remove();
    refusals_.Mark(*parameter_[kLedNumberBox], "LED Number takes 1 to 85 channels");
    return;
  }
  grid_.Build(
      n, [](int, int) { return std::string("0"); }, true);
}

void SystemTab::Add() {
  grid_.Remove();
  SetFieldsEnabled(true);
  for (form::Control* box : version_) box->setText("");
  ShowDefaults();
  for (form::Control* combo : {&combo1_, &combo2_}) {
    combo->setListIndex(-1);
    combo->setText("");
  }
  multi_.setListIndex(0);
  SetButtons(false);
  buttons_[kSave]->setTag(kAdding);
}

void SystemTab::Modify() {
  SetFieldsEnabled(true);
  grid_.EnableBoxes(LeadingNumber(parameter_[kLedNumberBox]->text()));
  SetButtons(false);
  buttons_[kSave]->setTag(kModifying);
}

}  // namespace setup
