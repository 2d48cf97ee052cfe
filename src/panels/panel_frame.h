#pragma once
#include <optional>

#include "form/form.h"

namespace panels {

// Where the test panels stand: the narrow ones beside the version panel, the wide ones over it.
inline constexpr int kNarrowPanelLeft = 6120;
inline constexpr int kNarrowPanelWidth = 3015;
inline constexpr int kWidePanelLeft = 2880;

// The frame of a test panel: hidden at start, from below the top row to the status bar.
inline form::ControlDesign PanelFrame(const char* name, int left, int width, form::Colour back,
                                      std::optional<form::Colour> fore = std::nullopt) {
  return form::ControlDesign{.kind = form::Kind::Frame,
                             .name = name,
                             .left = left,
                             .top = 600,
                             .width = width,
                             .height = 6135,
                             .fore = fore,
                             .back = back,
                             .visible = false};
}

}  // namespace panels
