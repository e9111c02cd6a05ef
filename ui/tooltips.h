#pragma once
// What the mouse reads over the board: a jack's name, kind, wires and level;
// a lamp's or value window's signal and value; a switch's position; what a
// console button does and its key. Computed when asked, so always current.
#include <QString>

#include "base/board_view.h"

namespace orrin {
class Simulator;
}

namespace orrin::ui {

// The tooltip of a widget; `key` is its keyboard shortcut, if it has one.
QString TipFor(const Simulator& sim, WidgetId id, const QString& key = {});
// The tooltip of the jack at a point of the board picture, empty off jacks.
QString JackTip(const Simulator& sim, int x, int y);

}  // namespace orrin::ui
