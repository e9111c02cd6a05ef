#include "simulator/faults.h"

#include "simulator/access.h"

namespace orrin {

bool StickJack(Simulator& sim, int jack, int level) {
  if (!Access(sim).wires.IsJack(jack) || Access(sim).wires.JackAt(jack).FixedLevel) return false;
  Access(sim).wires.StickJack(jack, level);
  sim.BoardEvaluation();
  return true;
}

bool BreakWire(Simulator& sim, int from, int to) {
  if (!Access(sim).wires.IsOutput(from) || !Access(sim).wires.IsInput(to)) return false;
  Access(sim).wires.BreakWire(from, to);
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
  Access(sim).machine.stuck.Of(r).Set(bit & 7, level);
  Access(sim).machine.stuck.any = true;
  sim.BoardEvaluation();
}

void StickCellBit(Simulator& sim, int cell, int bit, int level) {
  Access(sim).machine.stuck.cells[static_cast<size_t>(cell & 0xFF)].Set(bit & 7, level);
  Access(sim).machine.stuck.any = true;
  Access(sim).panels.MemoryGridDirty = true;
  sim.BoardEvaluation();
}

void ClearFaults(Simulator& sim) {
  Access(sim).wires.ClearFaults();
  Access(sim).machine.stuck = StuckFaults{};
  sim.view.ClearDarkLamps();
  sim.BoardEvaluation();
}

}  // namespace orrin
