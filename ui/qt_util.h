#pragma once
// Small conversions between the simulator's plain values and Qt's types.
#include <QColor>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/values.h"

namespace orrin::ui {

// A 0x00BBGGRR colour (or one of the system colours) as a QColor; `fallback`
// stands for color::Default, the colour the layout gave the widget.
inline QColor ToQColor(uint32_t c, const QColor& fallback) {
  if (c == color::Default) return fallback;
  if (color::IsSystem(c)) {
    switch (c) {
      case color::ScrollBar:
        return QColor(0xC8, 0xC8, 0xC8);
      case color::WindowText:
        return QColor(Qt::black);
      case color::BtnFace:
        return QColor(0xF0, 0xF0, 0xF0);
      default:
        return fallback;
    }
  }
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

inline uint32_t FromQColor(const QColor& c) {
  return static_cast<uint32_t>(c.red()) | (static_cast<uint32_t>(c.green()) << 8) |
         (static_cast<uint32_t>(c.blue()) << 16);
}

inline QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
inline std::string S(const QString& s) { return s.toStdString(); }

}  // namespace orrin::ui
