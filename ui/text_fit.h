#pragma once
// Texts are placed in boxes of fixed size (the board's layout); a text that
// would not fit — an English caption is often longer than the Chinese — is
// set a pixel smaller at a time until it does.
#include <QString>

class QWidget;
class QFont;
class QFontMetrics;

namespace orrin::ui {

// The width a widget needs to show `text` in its own font: the text plus the
// widget's own margins, indicator or padding.
int NeededWidth(const QWidget* w, const QString& text);
int NeededWidth(const QWidget* w, const QString& text, const QFont& font);
// Shrinks the widget's font (from the size it was made with) until the text fits.
void FitText(QWidget* w, const QString& text);
// The largest font no bigger than `font` in which every line of `text` is at
// most `width` pixels wide (not below 7 pixels).
QFont FittingFont(QFont font, const QString& text, int width);

}  // namespace orrin::ui
