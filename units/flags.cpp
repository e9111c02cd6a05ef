#include "units/units.h"

namespace orrin {

void SetFlagControls(FlagRecord& f, const SignalValues& sig, int32_t t3) {
  f.LDZ = sig[LDZ];
  f.LDC = sig[LDC];
  f.T3 = t3;
}

void ClockFlags(FlagRecord& f, const AluRecord& alu, const SignalValues& sig, bool t3Rising) {
  if (!t3Rising) return;
  if (Active(sig[LDZ])) {
    f.Z = alu.F == 0 ? 1 : 0;
    f.ZLoaded = true;
  }
  if (Active(sig[LDC])) {
    // The 181's carry output is active low.
    f.C = 1 - (alu.Cn4 & 1);
    f.CLoaded = true;
  }
}

void EditZ(FlagUnit& f, int32_t bit) { f.Z = f.ZOut = f.Shown.Z = f.Shown.ZOut = static_cast<int16_t>(bit); }
void EditC(FlagUnit& f, int32_t bit) { f.C = f.COut = f.Shown.C = f.Shown.COut = static_cast<int16_t>(bit); }

}  // namespace orrin
