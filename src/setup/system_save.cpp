// The "System Parameter" tab's Save and Delete: the two line lists, then the files.
#include "config/command_setup.h"
#include "config/parameter_setup.h"
#include "setup/system_tab.h"

namespace setup {

namespace {
enum EditButton { kAdd, kDelete, kModify, kSave };
constexpr int kLedNumberBox = 4;
}  // namespace

bool SystemTab::SelectedSystemLine(std::string_view line) const {
  return LineMatches(line, config::kSystemBaName, combo1_.text(), config::kSystemName,
                     combo2_.text());
}

bool SystemTab::SelectedParameterLine(std::string_view line) const {
  return LineMatches(line, config::kParamBaName, combo1_.text(), config::kParamSystemName,
                     combo2_.text());
}

std::string SystemTab::BuildSystemLine() const {
  return config::BuildSystemLine({.key = version_[0]->text(),
                                  .multiSystemIndex = multi_.listIndex(),
                                  .versionMin = version_[1]->text(),
                                  .versionMax = version_[2]->text(),
                                  .systemName = combo2_.text(),
                                  .baName = combo1_.text()});
}

// The tables hold as many channels as the line's LED Number says: the grid's values, "0"
// for channels the grid does not have.
std::string SystemTab::BuildParameterLine() const {
  const int n = LeadingNumber(parameter_[kLedNumberBox]->text());
  config::ParameterLineInput in{.baName = combo1_.text(),
                                .systemName = combo2_.text(),
                                .ledPictureName = parameter_[0]->text(),
                                .sensorPictureName = parameter_[1]->text(),
                                .billMotorMinimum = parameter_[2]->text(),
                                .billMotorMaximum = parameter_[3]->text(),
                                .withStackerIndex = stacker_.listIndex(),
                                .receiveDataModeIndex = mode_.listIndex(),
                                .ledNumber = parameter_[kLedNumberBox]->text(),
                                .finishAdjustModeIndex = finish_.listIndex(),
                                .channelValues = {},
                                .ledMaskIndex = ledMask_.listIndex()};
  for (int k = 0; k < config::kChannelTableCount; ++k) {
    for (int i = 1; i <= n; ++i) in.channelValues.push_back(grid_.Value(k, i));
  }
  return config::BuildParameterLine(in);
}

// Values the files cannot hold are refused, shown red, before anything is written.
bool SystemTab::CheckEntries() {
  refusals_.Clear();
  bool fine = true;
  for (form::Control* c : {&combo1_, &combo2_, version_[0], version_[1], version_[2], parameter_[0],
                           parameter_[1], parameter_[2], parameter_[3]}) {
    fine = CheckNoComma(refusals_, *c) && fine;
  }
  form::Control& led = *parameter_[kLedNumberBox];
  const std::string& n = led.text();
  const bool digits = !n.empty() && n.find_first_not_of("0123456789") == std::string::npos;
  if (!digits || LeadingNumber(n) > config::kMaxLedNumber) {
    refusals_.Mark(led, "LED Number takes 1 to 85 channels");
    fine = false;
  }
  for (int k = 0; k < config::kChannelTableCount; ++k) {
    for (int i = 1; i <= grid_.count(); ++i) {
      if (form::Control* box =
              c_.form.find("Sensor_Test" + std::to_string(i + k * grid_.count()))) {
        fine = CheckNoComma(refusals_, *box) && fine;
      }
    }
  }
  return fine;
}

void SystemTab::Save() {
  CompletePendingDisplay();
  const std::string mode = buttons_[kSave]->tag();
  const bool adding = mode == "0" && !combo1_.text().empty() && !combo2_.text().empty() &&
                      parameter_[kLedNumberBox]->text() != "0";
  const bool modifying = mode == "2";
  if ((adding || modifying) && !CheckEntries()) return;
  if (!systemLines_.EnsureLoaded() || !parameterLines_.EnsureLoaded()) return;
  if (adding) {
    systemLines_.Append(BuildSystemLine());
    parameterLines_.Append(BuildParameterLine());
  } else if (modifying) {
    const std::string systemLine = BuildSystemLine();
    const std::string parameterLine = BuildParameterLine();
    systemLines_.Replace([this](std::string_view l) { return SelectedSystemLine(l); }, systemLine);
    parameterLines_.Replace([this](std::string_view l) { return SelectedParameterLine(l); },
                            parameterLine);
  }
  if (!systemLines_.Save() || !parameterLines_.Save()) return;
  c_.refreshTab();
}

void SystemTab::Delete() {
  CompletePendingDisplay();
  if (!c_.ConfirmDelete()) return;
  if (!systemLines_.EnsureLoaded() || !parameterLines_.EnsureLoaded()) return;
  LineList* commands = commandLines_ && commandLines_->EnsureLoaded() ? commandLines_ : nullptr;
  systemLines_.RemoveIf([this](std::string_view l) { return SelectedSystemLine(l); });
  parameterLines_.RemoveIf([this](std::string_view l) { return SelectedParameterLine(l); });
  if (!systemLines_.Save() || !parameterLines_.Save()) return;
  if (commands) {
    commands->RemoveIf([this](std::string_view l) {
      return LineMatches(l, config::kCommandBaName, combo1_.text(), config::kCommandSystemName,
                         combo2_.text());
    });
    if (!commands->Save()) return;
  }
  c_.refreshTab();
}

}  // namespace setup
