#pragma once

namespace gui {

// Gives the view's own widgets their roles for assistive tools (AT-SPI on Linux): a window or
// dialog for each screen, a button with a press action for labels and pictures the user
// clicks, a grouping for frames and tab controls, an image for pictures, a separator for
// shapes, a status bar. Qt's own widgets keep Qt's interfaces. Call before the first window.
void InstallAccessibility();

}  // namespace gui
