#pragma once
// Mouse gestures over the board picture, as the window delivers them.
#include <vector>

#include "tests/test_host.h"

namespace orrin {

// Level-switch jacks the tests wire (jack Kn is number n).
inline constexpr int K1 = 1, K3 = 3, K5 = 5;

inline const Jack& JackOf(const Simulator& sim, int n) { return sim.wires.JackAt(n); }

// The mouse moves to (x, y) and a button is released there.
inline void Click(Simulator& sim, int x, int y, MouseButton b = MouseButton::Left) {
  sim.Image_WireDrawMouseMove(x, y);
  sim.Image_WireDrawMouseUp(b, x, y);
}

// A click at the centre of jack n.
inline void ClickJack(Simulator& sim, int n) { Click(sim, JackOf(sim, n).X, JackOf(sim, n).Y); }

struct Bend {
  int x, y;
};

// A whole wire drawn with the editor: start on `a`, bends, finish on `b`.
inline void DrawWireBetween(Simulator& sim, int a, int b, std::vector<Bend> bends = {}) {
  ClickJack(sim, a);
  for (const Bend& p : bends) Click(sim, p.x, p.y);
  ClickJack(sim, b);
}

inline std::vector<uint32_t> Pixels(const Canvas& c) {
  return std::vector<uint32_t>(c.Data(), c.Data() + Canvas::Width * Canvas::Height);
}

// A board picture with some variety, so that a drawn line shows.
inline std::vector<uint32_t> PatternedBoard() {
  std::vector<uint32_t> p(static_cast<size_t>(Canvas::Width * Canvas::Height));
  for (size_t i = 0; i < p.size(); ++i) p[i] = static_cast<uint32_t>((i * 2654435761u) & 0x00FFFFFFu);
  return p;
}

}  // namespace orrin
