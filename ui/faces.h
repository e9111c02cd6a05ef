#pragma once
// Fonts and colours of each Face, shared by the widgets and the printed
// captions of the artwork so that both read alike.
#include <QColor>
#include <QFont>
#include <Qt>

#include "ui/layout.h"

namespace orrin::ui {

struct FaceStyle {
  QFont font;
  QColor ink;    // text
  QColor paper;  // background when opaque; invalid = none
  Qt::Alignment align;
  bool framed = false;  // a thin frame around the value window
};

const FaceStyle& StyleOf(Face face);

// Colours of the drawings.
namespace ink {
inline const QColor kBoard{0xFA, 0xFA, 0xF6};   // near white, so wires keep their colour
inline const QColor kModule{0xF1, 0xF5, 0xFB};  // module boxes on the board
inline const QColor kModuleLine{0x3A, 0x5A, 0x8C};
inline const QColor kTitle{0x1E, 0x3A, 0x6E};
inline const QColor kPrint{0x20, 0x20, 0x20};
inline const QColor kLine{0x30, 0x30, 0x30};
inline const QColor kBus{0x1F, 0x4F, 0xA0};
inline const QColor kMuted{0x9A, 0x9A, 0x9A};
inline const QColor kOutputJack{0xC6, 0x28, 0x28};
inline const QColor kInputJack{0x1F, 0x4F, 0xA0};
inline const QColor kGroundJack{0x20, 0x20, 0x20};
inline const QColor kConsole{0xDD, 0xE1, 0xE7};
}  // namespace ink

}  // namespace orrin::ui
