#include "simulator/faults.h"

namespace orrin {

bool StickJack(Simulator& sim, int jack, int level) {
  if (!sim.wires.IsJack(jack) || sim.wires.JackAt(jack).FixedLevel) return false;
  sim.wires.StickJack(jack, level);
  sim.BoardEvaluation();
  return true;
}

bool BreakWire(Simulator& sim, int from, int to) {
  if (!sim.wires.IsOutput(from) || !sim.wires.IsInput(to)) return false;
  sim.wires.BreakWire(from, to);
  sim.BoardEvaluation();
  return true;
}

bool DarkenLamp(Simulator& sim, WidgetId lamp) {
  if (lamp >= WidgetId::Count || Info(lamp).kind != WidgetKind::Image || !IsLampPicture(sim.view[lamp].picture))
    return false;
  sim.view.DarkenLamp(lamp);
  return true;
}

void StickRegisterBit(Simulator& sim, StuckRegister r, int bit, int level) {
  sim.machine.stuck.Of(r).Set(bit & 7, level);
  sim.machine.stuck.any = true;
  sim.BoardEvaluation();
}

void StickCellBit(Simulator& sim, int cell, int bit, int level) {
  sim.machine.stuck.cells[static_cast<size_t>(cell & 0xFF)].Set(bit & 7, level);
  sim.machine.stuck.any = true;
  sim.panels.MemoryGridDirty = true;
  sim.BoardEvaluation();
}

void ClearFaults(Simulator& sim) {
  sim.wires.ClearFaults();
  sim.machine.stuck = StuckFaults{};
  sim.view.ClearDarkLamps();
  sim.BoardEvaluation();
}

}  // namespace orrin
