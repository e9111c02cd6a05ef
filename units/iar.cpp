// IAR, the interrupt address register, and its bus gate.
#include "units/units.h"

namespace orrin {

void SetIarControls(IarRecord& iar, const SignalValues& sig, int32_t t3) {
  iar.LIAR = sig[LIAR];
  iar.IABUS = sig[IABUS];
  iar.T3 = t3;
  iar.Gate = DrivesWhen(Active(sig[IABUS]));
}

void ClockIar(IarUnit& iar, int32_t pcOut, bool t3Rising) {
  iar.PcIn = pcOut;
  if (t3Rising && Active(iar.LIAR)) {
    iar.IAR = pcOut;
    iar.Mark = Change::Loaded;
  }
  iar.NextGate = DrivesWhen(Active(iar.IABUS));
  iar.NextValue = iar.IAR;
}

void EditIar(IarUnit& iar, int32_t byte) { iar.IAR = iar.Shown.IAR = iar.NextValue = static_cast<int16_t>(byte); }

void EditMicroAddress(MicroUnit& micro, int32_t address) {
  micro.MicroAddress = micro.Shown.MicroAddress = static_cast<int16_t>(address & 63);
}

}  // namespace orrin
