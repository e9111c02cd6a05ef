#pragma once
// Faults a teacher sets on the board, to train fault-finding: each is laid on
// top of the faultless board and shows only through its effects. They are
// the board's, not its state's: CLR, power cycling and clearing the wires
// keep them; ClearFaults or a new board removes them. Each shows at once (an
// evaluation follows), and playback and exports show the board as it
// behaved with them.
#include "machine/stuck_bits.h"
#include "simulator/simulator.h"

namespace orrin {

// The jack reads stuck at `level` (0 or 1), whatever drives it. False for a
// number that is not a jack, or VCC and GND.
bool StickJack(Simulator& sim, int jack, int level);
// The wire between the output `from` and the input `to` stays drawn but
// carries nothing: the input reads as unwired. False unless from is an
// output and to an input.
bool BreakWire(Simulator& sim, int from, int to);
// The lamp never lights. False for a widget that is not a lamp.
bool DarkenLamp(Simulator& sim, WidgetId lamp);
// Bit `bit` (0-7) of a register, or of memory cell `cell`, stuck at `level`.
void StickRegisterBit(Simulator& sim, StuckRegister r, int bit, int level);
void StickCellBit(Simulator& sim, int cell, int bit, int level);
void ClearFaults(Simulator& sim);

}  // namespace orrin
