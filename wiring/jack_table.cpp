// The 76 jacks of the board: names, kinds and positions on the board picture.
#include "simulator/simulator.h"

namespace orrin {

void Simulator::FillJackTable() {
  for (const JackPlace& place : BoardJacks()) {
    Jack& j = machine.Jacks[static_cast<size_t>(place.number)];
    j.Name = place.name;
    j.X = place.x;
    j.Y = place.y;
    j.HitRadius = 4;
    j.IsOutput = place.IsOutput() ? 1 : 0;
    j.InUse = 1;
  }
  for (int n : {jack::VCC1, jack::VCC2, jack::GND1, jack::GND2}) {
    Jack& j = machine.Jacks[static_cast<size_t>(n)];
    j.FixedLevel = 1;
    j.Value = (n == jack::VCC1 || n == jack::VCC2) ? 1 : 0;
  }
}

int Simulator::HitTestJack(int x, int y) const {
  for (int n = 0; n < JackCount; ++n) {
    const Jack& j = machine.Jacks[static_cast<size_t>(n)];
    if (j.InUse != 1) continue;
    const int64_t dx = static_cast<int64_t>(x) - j.X, dy = static_cast<int64_t>(y) - j.Y;
    if (dx * dx + dy * dy <= static_cast<int64_t>(j.HitRadius) * j.HitRadius) return n;
  }
  return -1;
}

void Simulator::ClearJackConnections() {
  for (Jack& j : machine.Jacks) {
    j.WireCount = 0;
    j.Targets.fill(0);
  }
}

void Simulator::ClearJackLevels() {
  for (Jack& j : machine.Jacks)
    if (j.FixedLevel == 0) j.Value = NoValue;
}

}  // namespace orrin
