#pragma once
#include <array>

#include "setup/input_rules.h"
#include "setup/line_list.h"

namespace setup {

// The "Interface Parameter" tab: the table of InterfaceVersion.txt, codes in Combo9 and their
// texts in Combo10 row for row, edited in Text4(0) and Text4(1).
class InterfaceTab {
 public:
  explicit InterfaceTab(const SetupContext& c);

  void Clear();
  void LoadInterfaceList();

 private:
  static const SetupContext& Designed(const SetupContext& c);
  void Combo9_Click();
  void Combo10_Click();
  void Text4_Change(int index);
  void Add();
  void Modify();
  void Save();
  void Delete();
  void SetButtons(bool showing);
  bool SameCode(std::string_view line) const;

  const SetupContext& c_;
  form::Control& codes_;                     // Combo9
  form::Control& texts_;                     // Combo10
  std::array<form::Control*, 2> entry_{};    // Text4(0) code, Text4(1) text
  std::array<form::Control*, 4> buttons_{};  // Command1: ADD, Delete, Modify, Save
  LineList lines_;                           // List2
  Refusals refusals_;
};

}  // namespace setup
