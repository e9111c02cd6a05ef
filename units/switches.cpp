// The data switches' gate onto the bus.
#include "units/units.h"

namespace orrin {

void SetSwitchGate(DataSwitches& ds, const SignalValues& sig) {
  ds.SBUS = sig[SBUS];
  ds.Gate = DrivesWhen(Active(sig[SBUS]));
}

}  // namespace orrin
