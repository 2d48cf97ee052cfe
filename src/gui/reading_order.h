#pragma once
#include <string>
#include <unordered_map>
#include <vector>

#include "form/form.h"

// How a reader goes through a screen: the order of its controls and the captions of its boxes,
// from the design's geometry (the model has no tab order and no label links).
namespace gui {

// Text, combo and list boxes and scroll bars: named by the label that captions them.
bool NamedByCaption(form::Kind kind);

// What captions a box. Its row caption is the label close on its left or, with a box there,
// that box's row caption; its column caption, for a box in a grid (a box close on its left or
// right) or one without a row caption, is likewise the label close above it or the column
// caption of the box there. "Close" is within kCaptionGap twips, or overlapping by at most
// kCaptionOverlap, in the same container and on the same tab page; on the left or right means
// with its middle within the box's height, above means with its middle within the box's width.
inline constexpr int kCaptionGap = 600;
inline constexpr int kCaptionOverlap = 60;
struct BoxCaption {
  const form::Control* row = nullptr;
  const form::Control* column = nullptr;
  // The label that captions the box alone, next to it (assistive tools report it as its label).
  const form::Control* label = nullptr;
};
// Every box that has a caption.
std::unordered_map<const form::Control*, BoxCaption> BoxCaptions(const form::Form& screen);
// "Row Column", either alone, or "" when both are empty or missing.
std::string CaptionText(const BoxCaption& caption);

// Every control in reading order: within a container, rows from the top (a control whose top
// is below the middle of the row's first control starts the next row), each row from the left,
// the controls of a tab control page by page; a container's controls follow the container.
std::vector<const form::Control*> ReadingOrder(const form::Form& screen);

}  // namespace gui
