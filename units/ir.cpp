// IR, the instruction register.
#include "units/units.h"

namespace orrin {

void SetIrControls(IrRecord& ir, const SignalValues& sig, int32_t t3) {
  ir.LIR = sig[LIR];
  ir.T3 = t3;
}

void ClockIr(IrUnit& ir, MemoryUnit& mem, int32_t pc, bool t3Rising) {
  ir.InsBus = mem.Cells[static_cast<size_t>(pc & 0xFF)];
  if (!t3Rising || !Active(ir.LIR)) return;
  ir.IR = ir.InsBus;
  ir.Mark = Change::Loaded;
  mem.FetchAddress = pc & 0xFF;
}

void EditIr(IrUnit& ir, int32_t byte) { ir.IR = ir.Out = ir.Shown.IR = ir.Shown.Out = static_cast<int16_t>(byte); }

}  // namespace orrin
