#pragma once
#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

#include "form/colour.h"
#include "form/control.h"

namespace gui {

// 15 twips make one device-independent pixel; Qt scales pixels for high-DPI screens.
inline constexpr int kTwipsPerPixel = 15;

int Px(int64_t twips);
// Each edge is rounded on its own, so neighbouring cells keep touching.
QRect TwipsRect(int left, int top, int width, int height);

QColor ToQColor(form::Colour colour);
QString ToQString(std::string_view utf8);
std::string ToUtf8(const QString& text);

// The design's fonts and what stands in for them where they are not installed, the first
// found first: for "Comic Sans MS" Comic Neue (drawn after it; every caption of both screens
// fits, tests/gui/look_test.cpp), then Liberation Sans Narrow (Liberation Sans and DejaVu Sans
// would clip captions); for "Times New Roman" Liberation Serif or Tinos (the same metrics).
// Qt's font matching takes them. Installed once per application.
void InstallFontSubstitutes();
QFont ToQFont(const form::Font& font);

Qt::Alignment HorizontalAlign(form::Align align);

// A caption for a button-like widget, where '&' would mark a shortcut.
QString ButtonCaption(std::string_view caption);

// Multi-line boxes show CR LF (and a lone CR) as one line break; single-line ones show the text
// as it is. Positions are characters of the model text and UTF-16 units of the widget text.
QString ToDisplay(std::string_view text, bool multiLine);
std::string FromDisplay(const QString& text, bool multiLine);
int DisplayPos(std::string_view text, int charIndex, bool multiLine);
int ModelPos(const QString& text, int utf16Pos, bool multiLine);

// A picture path on this machine: backslashes become slashes when the path is not found as is.
QString LocalPath(const std::string& path);

}  // namespace gui
