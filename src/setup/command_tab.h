#pragma once
#include <array>

#include "config/command_setup.h"
#include "setup/input_rules.h"
#include "setup/line_list.h"
#include "setup/system_records.h"

namespace setup {

// The "Communication Code" tab: the 21 command codes of one system, its CommandSetup.txt line.
class CommandTab {
 public:
  CommandTab(const SetupContext& c, const SystemRecords& records);

  LineList& commandLines() { return commandLines_; }
  form::Control& baNames() { return combo7_; }
  // After a reload found no system: nothing to show or modify.
  void ShowNoSystem();

 private:
  static const SetupContext& Designed(const SetupContext& c);
  void Combo7_Click();
  void Combo8_Click();
  void LoadCommandList();
  void Modify();
  void Save();

  const SetupContext& c_;
  const SystemRecords& records_;
  form::Control& combo7_;                                          // BA names
  form::Control& combo8_;                                          // system names of the BA
  std::array<form::Control*, config::kCommandCodeCount> codes_{};  // Text3(0..20)
  form::Control& modify_;                                          // Command2(0)
  form::Control& save_;                                            // Command2(1)
  LineList commandLines_;                                          // List1
  Refusals refusals_;
};

}  // namespace setup
