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

void EditInterruptEnable(InterruptUnit& in, int32_t bit) { in.EN_INT = in.Shown.EN_INT = static_cast<int16_t>(bit); }

void RequestInterrupt(InterruptUnit& in) {
  if (in.INTQ == 1) return;
  if (in.EN_INT == 1) in.INTQ = 1;
  in.Shown.INTQ = in.INTQ;
}

}  // namespace orrin
