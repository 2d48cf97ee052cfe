#pragma once
#include <array>

#include "setup/channel_grid.h"
#include "setup/input_rules.h"
#include "setup/line_list.h"
#include "setup/system_records.h"

namespace setup {

// The "System Parameter" tab: a system's SystemVersion.txt line and ParameterSetup.txt line,
// shown after a deferred display (Timer1) and edited with ADD, Delete, Modify and Save.
class SystemTab {
 public:
  SystemTab(const SetupContext& c, const SystemRecords& records);

  LineList& systemLines() { return systemLines_; }
  LineList& parameterLines() { return parameterLines_; }
  form::Control& baNames() { return combo1_; }
  int gridCount() const { return grid_.count(); }
  // The command-code lines (List1), from which Delete also removes the system.
  void useCommandLines(LineList& lines) { commandLines_ = &lines; }
  // After a reload found no system: nothing shown, only ADD offered.
  void ShowNoSystem();

 private:
  // Adds the tab's design rows; returns `c`.
  static const SetupContext& Designed(const SetupContext& c);
  void wire();
  void Combo1_Click();
  void Combo2_Click();
  void Timer1_Timer();
  void CompletePendingDisplay();
  void LoadParameterList();
  void ShowParameters(const std::vector<std::string>& fields);
  void ShowDefaults();
  void LedNumberChanged();
  void Add();
  void Modify();
  void Save();
  void Delete();
  void SetFieldsEnabled(bool enabled);
  void SetButtons(bool showing);
  bool CheckEntries();
  int SaveMode() const;
  std::string BuildSystemLine() const;
  std::string BuildParameterLine() const;
  bool SelectedSystemLine(std::string_view line) const;
  bool SelectedParameterLine(std::string_view line) const;

  const SetupContext& c_;
  const SystemRecords& records_;
  form::Control& combo1_;                      // BA names
  form::Control& combo2_;                      // system names of the BA
  form::Control& multi_;                       // Combo6
  form::Control& stacker_;                     // Combo3
  form::Control& mode_;                        // Combo4, receive data mode
  form::Control& finish_;                      // Combo5, finish adjust mode
  form::Control& ledMask_;                     // Combo11
  std::array<form::Control*, 3> version_{};    // Text1(0..2)
  std::array<form::Control*, 5> parameter_{};  // Text2(0..4)
  std::array<form::Control*, 4> buttons_{};    // Command3: ADD, Delete, Modify, Save
  form::Control& timer_;                       // Timer1
  LineList systemLines_;                       // List3
  LineList parameterLines_;                    // List4
  LineList* commandLines_ = nullptr;           // List1
  ChannelGrid grid_;
  Refusals refusals_;
};

}  // namespace setup
