#include "ui/faces.h"

#include <array>

#include "ui/fonts.h"

namespace orrin::ui {

namespace {
std::array<FaceStyle, 12> MakeStyles() {
  std::array<FaceStyle, 12> s;
  const QColor black(Qt::black);
  const QColor window(0xE6, 0xEE, 0xF8);  // a value window, visible on white
  s[static_cast<int>(Face::Plain)] = {WindowFont(), black, QColor(), Qt::AlignLeft | Qt::AlignVCenter};
  s[static_cast<int>(Face::Hint)] = {SongFont(12), QColor(0x00, 0x00, 0xFF), QColor(),
                                     Qt::AlignLeft | Qt::AlignVCenter};
  s[static_cast<int>(Face::HintTag)] = {SongFont(12), black, QColor(0xFF, 0xFF, 0x00),
                                        Qt::AlignLeft | Qt::AlignVCenter};
  s[static_cast<int>(Face::HintValue)] = {SongFont(12), QColor(0xFF, 0x00, 0x00), QColor(),
                                          Qt::AlignLeft | Qt::AlignVCenter};
  s[static_cast<int>(Face::Hand)] = {PrintFont(10, true), QColor(0x00, 0xFF, 0x00), QColor(0x1C, 0x1C, 0x1C),
                                     Qt::AlignCenter};
  s[static_cast<int>(Face::Bit)] = {MonoFont(11, true), black, window, Qt::AlignCenter, true};
  s[static_cast<int>(Face::Hex)] = {MonoFont(11, true), black, window, Qt::AlignCenter, true};
  s[static_cast<int>(Face::Wide)] = {MonoFont(11, true), black, window, Qt::AlignCenter, true};
  s[static_cast<int>(Face::Warn)] = {PrintFont(11, true), QColor(0xE0, 0x00, 0x00), QColor(),
                                     Qt::AlignLeft | Qt::AlignVCenter};
  s[static_cast<int>(Face::Field)] = {SongFont(15), black, QColor(0x00, 0xFF, 0xFF), Qt::AlignCenter};
  s[static_cast<int>(Face::Note)] = {WindowFont(), black, QColor(), Qt::AlignLeft | Qt::AlignVCenter};
  s[static_cast<int>(Face::Small)] = {PrintFont(11), QColor(0x20, 0x20, 0x20), QColor(),
                                      Qt::AlignLeft | Qt::AlignVCenter};
  return s;
}
}  // namespace

const FaceStyle& StyleOf(Face face) {
  static const std::array<FaceStyle, 12> styles = MakeStyles();
  return styles[static_cast<size_t>(face)];
}

}  // namespace orrin::ui
