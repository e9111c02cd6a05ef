// The one combinational pass, and the evaluation after an action that runs
// it on what the board shows.
#include "machine/core.h"
#include "units/units.h"

namespace orrin {

// An evaluation reads the shown copies: the registers as displayed, the IAR
// gate as its signal sets it now. A small beat reads the live ones: the flag
// and IR outputs published at the last level beat, the IAR gate as the
// previous beat left it.
Core::PassInputs Core::ShownInputs() const {
  return {Levels.ShownOutput, Flags.Shown.C, Flags.Shown.Z,  Ir.Shown.IR, Beat.Shown.T2, Beat.Shown.T3,
          Pc.Shown.PC,        Ar.Shown.AR,   Mem.ShownCells, true,        Iar.Shown.IAR};
}

Core::PassInputs Core::LiveInputs() const {
  return {Levels.Output, Flags.COut, Flags.ZOut, Ir.Out, Beat.T2,      Beat.T3,
          Pc.PC,         Ar.AR,      Mem.Cells,  false,  Iar.NextValue};
}

void Core::Pass(const PassInputs& in, const Surroundings& s, bool level) {
  // The outputs the board drives, then the wires to the inputs.
  WireStore& wires = s.wires;
  for (int i = 0; i < 32; ++i) wires.Drive(jack::K0 + i, in.levels[static_cast<size_t>(i)]);
  wires.Drive(jack::CO, in.cOut);
  wires.Drive(jack::ZO, in.zOut);
  for (int bit = 7; bit >= 4; --bit) wires.Drive(jack::IR7O + 7 - bit, (in.irOut >> bit) & 1);
  wires.Propagate();

  // The sequencer's next address from these test inputs, the signals of the
  // selected controller, every unit's control inputs.
  if (s.power) {
    Micro.T3 = in.t3;
    Micro.T3Inv = Complement(in.t3);
    ComputeNextAddress(s, in.irOut, in.zOut, in.cOut);
  } else {
    ClearSequencer();
  }
  FormControlSignals(s);
  SetControls(in.t3);
  SetMemoryPorts(Mem, Signals.Value, in.t2, in.pc, in.ar);

  // The register ports, the ALU and its gate: formed at level small beats
  // (an evaluation always); the result holds until the next one.
  const SignalValues& sig = Signals.Value;
  if (!s.power) {
    PowerOffRecords();
  } else {
    Regs.Prev = Regs.R;
    if (level) {
      ReadRegisterPorts(Regs);
      ComputeAlu(Alu, sig, Regs.APort, Regs.BPort);
    }
    SetAluGate(Gate, sig, Alu.F, level);
  }

  // The bus: the OR of the sources that drive it, at level small beats; at
  // edges it keeps its value.
  Mem.Read = DrivesWhen(s.power && MemoryReads(sig));
  if (!level) return;
  std::array<int32_t, 4> sources = {Released, Released, Released, Released};
  if (s.power) {
    const Drive iar = in.iarGateNow ? Iar.Gate : Iar.NextGate;
    sources = {GateOffer(Gate), Offer(Mem.Read, in.cells[static_cast<size_t>(in.ar & 0xFF)]), SwitchOffer(DataSw),
               Offer(iar, in.iarValue)};
  }
  DriveBus(Bus, sources);
}

void Core::SetControls(int32_t t3) {
  const SignalValues& sig = Signals.Value;
  SetInterruptControls(Int, sig);
  SetFlagControls(Flags, sig, t3);
  SelectRegisters(Regs, sig);
  Regs.T3 = t3;
  SetArControls(Ar, sig, t3);
  SetPcControls(Pc, sig, t3);
  SetIrControls(Ir, sig, t3);
  SetIarControls(Iar, sig, t3);
  SetSwitchGate(DataSw, sig);
}

void Core::FormControlSignals(const Surroundings& s) {
  auto& sig = Signals.Value;
  sig.fill(0);
  s.controller.FormSignals({*this, s.wires}, sig);
  Signals.Shown = sig;
}

// With the power off the register file, the ALU and its gate hold nothing.
void Core::PowerOffRecords() {
  static_cast<RegisterRecord&>(Regs) = RegisterRecord{};
  static_cast<AluRecord&>(Alu) = AluRecord{};
  Alu.F = 0;
  static_cast<GateRecord&>(Gate) = GateRecord{};
}

void Core::Evaluate(const Surroundings& s) {
  // An edit, a load or CLR may have written over a stuck bit.
  ApplyStuckBits();
  Pass(ShownInputs(), s, true);
  // What IR and PC show is what they drive from now on.
  Pc.Out = Pc.Shown.PC;
  Ir.Out = Ir.Shown.IR;
  Regs.Written = {};
  Snapshot.STOP = Signals.Value[STOP];
  for (int i = 0; i < 72; ++i)
    Snapshot.Jacks[static_cast<size_t>(i)] = BoardSnapshot::Pack(s.wires.Value(SnapshotJack(i)));
  CommitShown();
}

void Core::CommitShown() {
  Alu.Shown = Alu;
  Flags.Shown = Flags;
  Regs.Shown = Regs;
  Gate.Shown = Gate;
  Mem.Shown = Mem;
  Ar.Shown = Ar;
  Pc.Shown = Pc;
  Ir.Shown = Ir;
  Iar.Shown = Iar;
  Micro.Shown = Micro;
  Bus.Shown = Bus;
  Int.Shown = Int;
  DataSw.Shown.SBUS = DataSw.SBUS;
  DataSw.Shown.Gate = DataSw.Gate;
}

}  // namespace orrin
