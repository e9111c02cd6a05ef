// PC, the program counter: every rule of it.
#include "units/units.h"

namespace orrin {

void SetPcControls(PcRecord& pc, const SignalValues& sig, int32_t t3) {
  pc.PCADD = sig[PCADD];
  pc.LPC = sig[LPC];
  pc.PCINC = sig[PCINC];
  pc.T3 = t3;
}

void ClockPc(PcUnit& pc, int32_t bus, int32_t ir, bool t3Rising, bool level) {
  pc.BusIn = bus;
  pc.Offset = ir & 0x0F;
  if (t3Rising) {
    if (Active(pc.PCINC)) {
      pc.PC = (pc.PC + 1) & 0xFF;
      pc.Mark = Change::Counted;
    } else if (Active(pc.LPC)) {
      pc.PC = Latch8(bus);
      pc.Mark = Change::Loaded;
    } else if (Active(pc.PCADD)) {
      pc.PC = (pc.PC + pc.Offset) & 0xFF;
      pc.Mark = Change::Added;
    }
  }
  if (level) pc.Out = pc.PC;
}

void ResetPc(PcUnit& pc) {
  pc.PC = pc.Out = 0;
  pc.Mark = Change::None;
  pc.Shown.PC = pc.Shown.Out = 0;
  pc.Shown.Mark = Change::None;
}

void EditPc(PcUnit& pc, int32_t byte) { pc.PC = pc.Out = pc.Shown.PC = pc.Shown.Out = byte; }

PcActions WinningPcAction(const PcRecord& pc) {
  const bool inc = Active(pc.PCINC), load = Active(pc.LPC), add = Active(pc.PCADD);
  return {inc, !inc && load, !inc && !load && add, int{inc} + int{load} + int{add} >= 2};
}

}  // namespace orrin
