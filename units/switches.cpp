// The data switches' gate onto the bus.
#include "units/units.h"

namespace orrin {

void SetSwitchGate(DataSwitches& ds, const SignalValues& sig) {
  ds.SBUS = sig[SBUS];
  ds.ReleasedFlag = ds.ReleasedCopy = Active(sig[SBUS]) ? 0 : 1;
}

}  // namespace orrin
