#pragma once
#include <optional>

#include "form/form.h"

namespace panels {

// Where the test panels stand: the narrow ones beside the version panel, the wide ones over it.
inline constexpr int kNarrowPanelLeft = 6120;
inline constexpr int kNarrowPanelWidth = 3015;
inline constexpr int kWidePanelLeft = 2880;
inline constexpr int kPanelTop = 600;
inline constexpr int kPanelHeight = 6135;
// The main screen's height at design time; the status bar stands below it.
inline constexpr int kScreenHeight = 6855;
// The room between a panel's bottom and the status bar.
inline constexpr int kBelowPanels = kScreenHeight - kPanelTop - kPanelHeight;

// The frame of a test panel: hidden at start, from below the top row to the status bar.
inline form::ControlDesign PanelFrame(const char* name, int left, int width, form::Colour back,
                                      std::optional<form::Colour> fore = std::nullopt) {
  return form::ControlDesign{.kind = form::Kind::Frame,
                             .name = name,
                             .left = left,
                             .top = kPanelTop,
                             .width = width,
                             .height = kPanelHeight,
                             .fore = fore,
                             .back = back,
                             .visible = false};
}

}  // namespace panels
