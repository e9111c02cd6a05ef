#include "machine/controller.h"

#include "base/signal_table.h"

namespace orrin {

void IndependentController::FormSignals(const ControllerInputs& in, SignalValues& signals) const {
  for (int i = 0; i < SigCount; ++i) {
    const int32_t v = in.wires.Value(kSigJack[i]);
    if (v != NoValue) signals[static_cast<size_t>(i)] = static_cast<int16_t>(v);
  }
}

void MicroprogramController::FormSignals(const ControllerInputs& in, SignalValues& signals) const {
  const MicroUnit& micro = in.machine.Micro;
  for (const SignalInfo& s : kSignalInfo)
    if (s.bit > 0) signals[s.sig] = static_cast<int16_t>(micro.Decode.Bit(s.bit));
  signals[RD1] = static_cast<int16_t>(micro.SEL[0]);
  signals[RD0] = static_cast<int16_t>(micro.SEL[1]);
  signals[RS1] = static_cast<int16_t>(micro.SEL[2]);
  signals[RS0] = static_cast<int16_t>(micro.SEL[3]);
}

Controller& Controllers::Of(ControllerMode mode) {
  return const_cast<Controller&>(static_cast<const Controllers&>(*this).Of(mode));
}

const Controller& Controllers::Of(ControllerMode mode) const {
  switch (mode) {
    case ControllerMode::Independent:
      return independent_;
    case ControllerMode::Microprogram:
      return microprogram_;
    case ControllerMode::HardWired:
      break;
  }
  return hardWired_;
}

void Controllers::Reset() {
  independent_.Reset();
  microprogram_.Reset();
  hardWired_.Reset();
}

}  // namespace orrin
