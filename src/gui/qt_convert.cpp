#include "gui/qt_convert.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace gui {
namespace {

constexpr int64_t kMaxPixels = 1 << 24;

bool IsContinuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// UTF-16 units of the code point that starts with byte `lead`.
int Utf16Units(char lead) {
  return (static_cast<unsigned char>(lead) & 0xF8) == 0xF0 ? 2 : 1;
}

}  // namespace

int Px(int64_t twips) {
  const int64_t px = std::llround(static_cast<double>(twips) / kTwipsPerPixel);
  return static_cast<int>(std::clamp(px, -kMaxPixels, kMaxPixels));
}

QRect TwipsRect(int left, int top, int width, int height) {
  const int x = Px(left), y = Px(top);
  const int w = Px(static_cast<int64_t>(left) + width) - x;
  const int h = Px(static_cast<int64_t>(top) + height) - y;
  return QRect(x, y, std::max(0, w), std::max(0, h));
}

QColor ToQColor(form::Colour colour) {
  const uint32_t rgb = colour.rgb();
  return QColor(static_cast<int>(rgb >> 16 & 255), static_cast<int>(rgb >> 8 & 255),
                static_cast<int>(rgb & 255));
}

QString ToQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ToUtf8(const QString& text) {
  return text.toUtf8().toStdString();
}

void InstallFontSubstitutes() {
  static const bool installed = [] {
    QFont::insertSubstitutions(
        QStringLiteral("Comic Sans MS"),
        {QStringLiteral("Comic Neue"), QStringLiteral("Liberation Sans Narrow")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                               {QStringLiteral("Liberation Serif"), QStringLiteral("Tinos")});
    return true;
  }();
  (void)installed;
}

QFont ToQFont(const form::Font& font) {
  InstallFontSubstitutes();
  QFont f(ToQString(font.name));
  // Points at 96 dots per inch, the scale of the twips layout.
  const double px = std::isfinite(font.size) ? font.size * 96.0 / 72.0 : 12.0;
  f.setPixelSize(static_cast<int>(std::clamp(std::lround(px), 1L, 2000L)));
  f.setBold(font.bold);
  return f;
}

Qt::Alignment HorizontalAlign(form::Align align) {
  switch (align) {
    case form::Align::Right:
      return Qt::AlignRight;
    case form::Align::Center:
      return Qt::AlignHCenter;
    default:
      return Qt::AlignLeft;
  }
}

QString ButtonCaption(std::string_view caption) {
  return ToQString(caption).replace(QLatin1Char('&'), QLatin1String("&&"));
}

QString ToDisplay(std::string_view text, bool multiLine) {
  if (!multiLine) return ToQString(text);
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return ToQString(out);
}

std::string FromDisplay(const QString& text, bool multiLine) {
  if (!multiLine) return ToUtf8(text);
  QString t = text;
  t.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  t.replace(QChar::LineSeparator, QLatin1Char('\n'));
  t.replace(QLatin1Char('\r'), QString());
  t.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  return ToUtf8(t);
}

int DisplayPos(std::string_view text, int charIndex, bool multiLine) {
  int pos = 0, seen = 0;
  for (size_t i = 0; i < text.size() && seen < charIndex; ++i) {
    if (IsContinuation(text[i])) continue;
    ++seen;
    if (multiLine && text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      // CR LF is one line break on screen; the caret between them sits after it.
      ++i;
      if (seen < charIndex) ++seen;
      ++pos;
      continue;
    }
    pos += Utf16Units(text[i]);
  }
  return pos;
}

int ModelPos(const QString& text, int utf16Pos, bool multiLine) {
  const QString head = text.left(std::clamp(utf16Pos, 0, static_cast<int>(text.size())));
  int chars = 0;
  for (qsizetype i = 0; i < head.size(); ++i) {
    if (head[i].isLowSurrogate()) continue;
    const QChar c = head[i];
    ++chars;
    if (multiLine &&
        (c == QLatin1Char('\n') || c == QChar::ParagraphSeparator || c == QChar::LineSeparator)) {
      ++chars;  // stored as CR LF
    }
  }
  return chars;
}

QString LocalPath(const std::string& path) {
  const QString p = ToQString(path);
#ifndef _WIN32
  if (p.contains(QLatin1Char('\\')) && !QFileInfo::exists(p)) {
    return QString(p).replace(QLatin1Char('\\'), QLatin1Char('/'));
  }
#endif
  return p;
}

}  // namespace gui
