// The "System Parameter" tab's Save and Delete: the two line lists, then the files.
#include <algorithm>

#include "config/command_setup.h"
#include "config/parameter_setup.h"
#include "setup/setup_design.h"
#include "setup/system_tab.h"

namespace setup {

namespace {
enum EditButton { kAdd, kDelete, kModify, kSave };
constexpr int kLedNumberBox = 4;
constexpr int kMaxValue = 32767;  // what a stored number can hold
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

// Values the files cannot hold, or the tool could not read back, are refused, shown red,
// before anything is written.
bool SystemTab::CheckEntries() {
  refusals_.Clear();
  bool fine = true;
  for (form::Control* c :
       {&combo1_, &combo2_, version_[0], version_[1], version_[2], parameter_[0], parameter_[1]}) {
    fine = CheckOneField(refusals_, *c) && fine;
  }
  for (int i = 2; i <= 3; ++i) {
    fine = CheckNumber(refusals_, *parameter_[static_cast<size_t>(i)], kMaxValue,
                       "A bill motor limit is a number from 0 to 32767") &&
           fine;
  }
  form::Control& led = *parameter_[kLedNumberBox];
  if (!CheckNumber(refusals_, led, config::kMaxLedNumber, "LED Number takes 1 to 85 channels")) {
    fine = false;
  }
  // The boxes of the channels the line will hold.
  const int n = std::min(LeadingNumber(led.text()), grid_.count());
  for (int k = 0; k < config::kChannelTableCount; ++k) {
    for (int i = 1; i <= n; ++i) {
      if (form::Control* box = grid_.Box(k, i)) {
        fine = CheckNumber(refusals_, *box, kMaxValue,
                           "A channel value is a number from 0 to 32767") &&
               fine;
      }
    }
  }
  return fine;
}

void SystemTab::Save() {
  CompletePendingDisplay();
  const std::string mode = buttons_[kSave]->tag();
  const bool adding = mode == design::kSaveAdds && !combo1_.text().empty() &&
                      !combo2_.text().empty() && parameter_[kLedNumberBox]->text() != "0";
  const bool modifying = mode == design::kSaveModifies;
  if ((adding || modifying) && !CheckEntries()) return;
  if (!systemLines_.EnsureLoaded() || !parameterLines_.EnsureLoaded()) return;
  ListEdit edit(c_, {&systemLines_, &parameterLines_});
  if (adding) {
    systemLines_.Append(BuildSystemLine());
    parameterLines_.Append(BuildParameterLine());
  } else if (modifying) {
    const std::string systemLine = BuildSystemLine();
    const std::string parameterLine = BuildParameterLine();
    systemLines_.Replace([this](std::string_view l) { return SelectedSystemLine(l); }, systemLine);
    // A listed system without a parameter line gets one, as a new system would.
    if (parameterLines_.Replace([this](std::string_view l) { return SelectedParameterLine(l); },
                                parameterLine) == 0) {
      parameterLines_.Append(parameterLine);
    }
  }
  if (edit.Save()) c_.refreshTab();
}

void SystemTab::Delete() {
  CompletePendingDisplay();
  if (!c_.ConfirmDelete()) return;
  if (!systemLines_.EnsureLoaded() || !parameterLines_.EnsureLoaded()) return;
  const bool commands = commandLines_ && commandLines_->EnsureLoaded();
  ListEdit edit = commands ? ListEdit(c_, {&systemLines_, &parameterLines_, commandLines_})
                           : ListEdit(c_, {&systemLines_, &parameterLines_});
  systemLines_.RemoveIf([this](std::string_view l) { return SelectedSystemLine(l); });
  parameterLines_.RemoveIf([this](std::string_view l) { return SelectedParameterLine(l); });
  if (commands) {
    commandLines_->RemoveIf([this](std::string_view l) {
      return LineMatches(l, config::kCommandBaName, combo1_.text(), config::kCommandSystemName,
                         combo2_.text());
    });
  }
  if (edit.Save()) c_.refreshTab();
}

}  // namespace setup
