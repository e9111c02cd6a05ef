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

int Controller::EndingP4(const MachineState& m) const { return m.Micro.Decode.Bit(mbit::P4); }

// What the sequencer tests: IR7..IR4 and C, Z from their jacks (a jack
// nothing drives reads 0), IR3..IR0 from IR's output, the console's switches,
// INTQ.
void HardWiredController::FormSignals(const ControllerInputs& in, SignalValues& signals) const {
  if (!design_.Loaded()) return;
  const MicroInputs& m = in.machine.Micro.In;
  DesignInputs d;
  d.swc = m.SWC & 1;
  d.swb = m.SWB & 1;
  d.swa = m.SWA & 1;
  d.ir = (m.IR7I & 1) << 7 | (m.IR6I & 1) << 6 | (m.IR5I & 1) << 5 | (m.IR4I & 1) << 4 | (m.IR & 15);
  d.c = m.CI & 1;
  d.z = m.ZI & 1;
  d.intq = m.INTQ & 1;
  design_.Evaluate(d);
  for (int s = 0; s < SigCount; ++s)
    signals[static_cast<size_t>(s)] = static_cast<int16_t>(design_.Signal(static_cast<Sig>(s)));
}

int HardWiredController::EndingP4(const MachineState& m) const {
  return design_.Loaded() && design_.HasP4() ? design_.P4() : Controller::EndingP4(m);
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
