#pragma once
#include "form/form.h"

// Design rows shared by the editing tabs: one look for captions, entry boxes, choice lists,
// buttons and the hidden line lists.
namespace setup::design {

inline constexpr int kRowHeight = 375;

// What the Save button's tag says the next Save does.
inline constexpr const char* kSaveAdds = "0";
inline constexpr const char* kSaveModifies = "2";
inline constexpr const char* kSaveShows = "3";  // a system is only shown

constexpr form::ControlDesign Caption(int index, const char* caption, int left, int top, int width,
                                      form::Align align = form::Align::Right) {
  return {.kind = form::Kind::Label,
          .name = "Label2",
          .index = index,
          .caption = caption,
          .left = left,
          .top = top + 60,
          .width = width,
          .height = 255,
          .align = align};
}

constexpr form::ControlDesign Heading(int index, const char* caption, int left, int top,
                                      int width) {
  return {.kind = form::Kind::Label,
          .name = "Label2",
          .index = index,
          .caption = caption,
          .left = left,
          .top = top,
          .width = width,
          .height = 315,
          .fore = form::colours::Blue,
          .fontSize = 11,
          .bold = true};
}

constexpr form::ControlDesign Entry(const char* name, int index, int left, int top, int width,
                                    int maxLength = 0) {
  return {.kind = form::Kind::TextBox,
          .name = name,
          .index = index,
          .left = left,
          .top = top,
          .width = width,
          .height = kRowHeight,
          .enabled = false,
          .border = true,
          .maxLength = maxLength};
}

// An editable drop-down list; "N/A" until it is filled.
constexpr form::ControlDesign Choice(const char* name, int left, int top, int width,
                                     bool enabled = true) {
  return {.kind = form::Kind::ComboBox,
          .name = name,
          .caption = "N/A",
          .left = left,
          .top = top,
          .width = width,
          .height = kRowHeight,
          .enabled = enabled};
}

constexpr form::ControlDesign Button(const char* name, int index, const char* caption, int left,
                                     int top) {
  return {.kind = form::Kind::CommandButton,
          .name = name,
          .index = index,
          .caption = caption,
          .left = left,
          .top = top,
          .width = 1455,
          .height = 495,
          .fontSize = 12,
          .hand = true};
}

// A file's lines: never shown, never selected in.
constexpr form::ControlDesign LineListBox(const char* name) {
  return {.kind = form::Kind::ListBox,
          .name = name,
          .left = 120,
          .top = 7200,
          .width = 1215,
          .height = 375,
          .visible = false,
          .enabled = false};
}

}  // namespace setup::design
