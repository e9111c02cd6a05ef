// AR, the address register.
#include "units/units.h"

namespace orrin {

void SetArControls(ArRecord& ar, const SignalValues& sig, int32_t t3) {
  ar.LAR = sig[LAR];
  ar.ARINC = sig[ARINC];
  ar.T3 = t3;
}

void ClockAr(ArUnit& ar, int32_t bus, bool t3Rising) {
  ar.BusIn = bus;
  if (t3Rising) {
    if (Active(ar.ARINC)) {
      ar.AR = (ar.AR + 1) & 0xFF;
      ar.Mark = Change::Counted;
    } else if (Active(ar.LAR)) {
      ar.AR = Latch8(bus);
      ar.Mark = Change::Loaded;
    }
  }
  ar.Out = ar.AR;
}

void EditAr(ArUnit& ar, int32_t byte) { ar.AR = ar.Out = ar.Shown.AR = ar.Shown.Out = static_cast<int16_t>(byte); }

}  // namespace orrin
