// The data switches' gate onto the bus.
#include "units/units.h"

namespace orrin {

void SetSwitchGate(DataSwitches& ds, const SignalValues& sig) {
  ds.SBUS = sig[SBUS];
  ds.Gate = DrivesWhen(Active(sig[SBUS]));
}

void FlipDataSwitch(DataSwitches& ds, size_t n) {
  ds.Bits[n & 7] = ds.Bits[n & 7] ? 0 : 1;
  ds.Value = 0;
  for (size_t b = 0; b < 8; ++b) ds.Value |= ds.Bits[b] << b;
  ds.DrivenValue = ds.Value;
  ds.DrivenBits = ds.Bits;
}

void FlipLevelSwitch(LevelSwitches& ls, size_t n, bool powerOn) {
  const size_t i = n & 31;
  ls.Position[i] = !ls.Position[i];
  ls.ShownPosition[i] = ls.Position[i];
  if (powerOn) {
    ls.Output[i] = ls.ShownOutput[i] = ls.Position[i] ? 1 : 0;
  } else {
    ls.Output.fill(0);
    ls.ShownOutput.fill(0);
  }
}

}  // namespace orrin
