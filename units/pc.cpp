// PC, the program counter.
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
      pc.Mark = 2;
    } else if (Active(pc.LPC)) {
      pc.PC = Latch8(bus);
      pc.Mark = 1;
    } else if (Active(pc.PCADD)) {
      pc.PC = (pc.PC + pc.Offset) & 0xFF;
      pc.Mark = 3;
    }
  }
  if (level) pc.Out = pc.PC;
}

}  // namespace orrin
