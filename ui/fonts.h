#pragma once
// The board was laid out with Windows fonts; these map them to fonts that a
// Linux desktop has, with a CJK font behind each so Chinese text renders.
#include <QFont>

namespace orrin::ui {

// Registers the substitutes for "宋体", "MS Sans Serif" and "DotumChe".
void InstallFontSubstitutes();

// The faces the window uses, by role.
QFont WindowFont();                                 // "MS Sans Serif", the form's default
QFont SongFont(int pixelSize);                      // "宋体": hints and register fields
QFont GridFont(int pixelSize);                      // "DotumChe": the two grids and the listing
QFont PrintFont(int pixelSize, bool bold = false);  // narrow print on the board pictures
QFont MonoFont(int pixelSize, bool bold = false);   // digits in value windows

}  // namespace orrin::ui
