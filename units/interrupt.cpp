#include "units/units.h"

namespace orrin {

void SetInterruptControls(InterruptRecord& in, const SignalValues& sig) {
  in.INTEN = sig[INTEN];
  in.INTDI = sig[INTDI];
}

void ClockInterruptEnable(InterruptRecord& in, bool level) {
  if (!level) return;
  const int32_t before = in.EN_INT;
  if (Active(in.INTDI)) in.EN_INT = 0;
  if (Active(in.INTEN)) in.EN_INT = 1;
  in.Changed = in.EN_INT != before;
}

}  // namespace orrin
