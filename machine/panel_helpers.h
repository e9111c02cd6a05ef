#pragma once
// Small helpers shared by the panel display modules: runs of widgets, lamp
// rows and the look of a register field.
#include <cstdint>

#include "base/board_view.h"
#include "base/hex_text.h"
#include "machine/panels.h"

namespace orrin::panels {

// The widget `offset` places after `first` in the widget table. The modules
// use it for runs the table lists in order; each run is pinned by a
// static_assert on its last member, so a reordered table fails to build.
constexpr WidgetId After(WidgetId first, int offset) { return static_cast<WidgetId>(static_cast<int>(first) + offset); }

// An 8-bit value as a row of medium lamps, bits 7..4 red and 3..0 green;
// `row` is indexed by bit number.
inline void ShowByteLamps(BoardView& v, const WidgetId (&row)[8], int32_t value) {
  for (int bit = 0; bit < 8; ++bit) {
    const int32_t on = (value >> bit) & 1;
    if (bit >= 4)
      v.SetLamp(row[bit], on, Pic::LampRmH, Pic::LampRmL);
    else
      v.SetLamp(row[bit], on, Pic::LampGmH, Pic::LampGmL);
  }
}

// The second view of a lamp row takes the pictures of the first.
inline void CopyLampRow(BoardView& v, const WidgetId (&to)[8], const WidgetId (&from)[8]) {
  for (int bit = 0; bit < 8; ++bit) v.CopyPicture(to[bit], from[bit]);
}

// What a register field's background says about its register: aqua when
// idle, yellow while a load or count signal is on, then the change mark of
// the last beat wins (loaded: red, counted up: lime, offset added: fuchsia).
inline uint32_t FieldColor(bool loading, Change mark) {
  switch (mark) {
    case Change::Loaded:
      return color::Red;
    case Change::Counted:
      return color::Lime;
    case Change::Added:
      return color::Fuchsia;
    case Change::None:
      break;
  }
  return loading ? color::Yellow : color::Aqua;
}
inline Change LoadedIf(bool loaded) { return loaded ? Change::Loaded : Change::None; }

}  // namespace orrin::panels
