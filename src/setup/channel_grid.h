#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "setup/setup_context.h"

namespace setup {

// The channel grid of the "System Parameter" tab: per channel a heading label "LED<i>" and
// six boxes "Sensor_Test<e>" (entry e = i + k * N holds channel i of table k), eight channels
// to a page, paged by HScroll1. Published as the slot arrays ChannelLabels and ParameterBoxes.
class ChannelGrid {
 public:
  ChannelGrid(const SetupContext& c, form::Control& scroll);

  // GridCount: the channels of the grid that exists now.
  int count() const { return count_; }
  using Values = std::function<std::string(int table, int channel)>;
  // Removes any grid and builds channels 1..n (at most what a profile holds), showing page 0.
  void Build(int n, const Values& value, bool enabled);
  // Removes every control of the grid and hides the scroll bar.
  void Remove();
  // Shows the channels of `page`, hides the others.
  void ShowPage(int page);
  // Enables the boxes of channels 1..n of the grid.
  void EnableBoxes(int n);
  // The text of channel i of table k; "0" for a channel the grid does not have.
  std::string Value(int table, int channel) const;
  // The box of channel i of table k; nothing for a channel the grid does not have.
  form::Control* Box(int table, int channel) const;

 private:
  void AddChannel(int i, int n, const Values& value, bool enabled);

  const SetupContext& c_;
  form::Control& scroll_;  // HScroll1
  int16_t count_ = 0;
  std::vector<form::Control*> labels_;  // ChannelLabels(1..N)
  std::vector<form::Control*> boxes_;   // ParameterBoxes(1..6N)
};

}  // namespace setup
