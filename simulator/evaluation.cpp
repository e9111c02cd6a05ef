// The board evaluation: everything that follows combinationally from the
// stored state, then the repaint. It never changes a register, flag, memory
// cell or the micro-address.
#include "simulator/simulator.h"

namespace orrin {

void Simulator::DriveOutputJacks(int32_t cOut, int32_t zOut, int32_t irOut) {
  for (int i = 0; i < 32; ++i)
    machine.Jacks[static_cast<size_t>(i)].Value = machine.Levels.ShownOutput[static_cast<size_t>(i)];
  machine.Jacks[jack::CO].Value = cOut;
  machine.Jacks[jack::ZO].Value = zOut;
  machine.Jacks[jack::IR7O].Value = (irOut >> 7) & 1;
  machine.Jacks[jack::IR6O].Value = (irOut >> 6) & 1;
  machine.Jacks[jack::IR5O].Value = (irOut >> 5) & 1;
  machine.Jacks[jack::IR4O].Value = (irOut >> 4) & 1;
}

void Simulator::PropagateWires() {
  for (Jack& j : machine.Jacks) {
    if (j.InUse == 1 && j.IsOutput == 0) {
      j.Value = NoValue;
      j.SourceName.clear();
    }
  }
  // Outputs in ascending number: where two reach one input, the later wins.
  for (const Jack& j : machine.Jacks) {
    if (j.InUse != 1 || j.IsOutput != 1 || j.WireCount <= 0) continue;
    int handled = 0;
    for (int32_t t : j.Targets) {
      if (t == 0) continue;
      if (t > 0 && t < JackCount) {
        Jack& target = machine.Jacks[static_cast<size_t>(t)];
        target.Value = j.Value;
        target.SourceName = j.Name;
      }
      if (++handled >= j.WireCount) break;
    }
  }
}

void Simulator::FormControlSignals() {
  auto& sig = machine.Signals.Value;
  sig.fill(0);
  if (HardWiredMode()) {
    // the hard-wired controller is not built: every signal stays 0
  } else if (IndependentMode()) {
    for (int i = 0; i < SigCount; ++i) {
      const int32_t v = machine.Jacks[static_cast<size_t>(kSigJack[i])].Value;
      if (v != NoValue) sig[static_cast<size_t>(i)] = v;
    }
  } else if (MicroprogramMode()) {
    MicroSignals();
  }
  machine.Signals.Copy = sig;
}

void Simulator::BoardEvaluation() {
  ConsoleState& con = machine.Console;
  const bool power = con.PowerOn == 1;

  // An evaluation always computes from the newest position.
  EndPlayback();

  // Output jacks, then the wires.
  DriveOutputJacks(machine.Flags.Shown.C, machine.Flags.Shown.Z, machine.Ir.Shown.IR);
  PropagateWires();

  // Microprogram controller.
  MicroUnit& mu = machine.Micro;
  if (!power) {
    ClearSequencer();
  } else {
    mu.T3 = machine.Beat.Shown.T3;
    mu.T3Inv = Complement(mu.T3);
    ComputeNextAddress(machine.Ir.Shown.IR, machine.Flags.Shown.Z, machine.Flags.Shown.C);
    mu.Shown = {mu.MicroAddress, mu.MicroAddressLoaded, mu.NextMicroAddress, mu.SEL, mu.T3, mu.T3Inv, mu.In};
  }

  // Control signals of the selected controller.
  FormControlSignals();
  const auto& sig = machine.Signals.Value;

  // Unit inputs; the clock step acts on them at the next beat.
  const int32_t t3 = machine.Beat.Shown.T3;
  machine.Int.INTEN = machine.Int.Shown.INTEN = sig[INTEN];
  machine.Int.INTDI = machine.Int.Shown.INTDI = sig[INTDI];
  machine.Flags.LDZ = machine.Flags.Shown.LDZ = sig[LDZ];
  machine.Flags.LDC = machine.Flags.Shown.LDC = sig[LDC];
  machine.Flags.T3 = machine.Flags.Shown.T3 = t3;
  RegisterFile& rf = machine.Regs;
  rf.RD1 = sig[RD1] & 1;
  rf.RD0 = sig[RD0] & 1;
  rf.RS1 = sig[RS1] & 1;
  rf.RS0 = sig[RS0] & 1;
  rf.DRW = sig[DRW];
  const int rd = rf.RD1 * 2 + rf.RD0;
  for (int i = 0; i < 4; ++i) rf.Select[static_cast<size_t>(i)] = i == rd ? 1 : 0;
  MemoryUnit& mem = machine.Mem;
  mem.MBUS = sig[MBUS];
  mem.MEMW = sig[MEMW];
  mem.PcAddr = machine.Pc.Shown.PC;
  mem.ArAddr = machine.Ar.Shown.AR;
  mem.T2 = machine.Beat.Shown.T2;
  machine.Ar.LAR = machine.Ar.Shown.LAR = sig[LAR];
  machine.Ar.ARINC = machine.Ar.Shown.ARINC = sig[ARINC];
  machine.Ar.T3 = machine.Ar.Shown.T3 = t3;
  machine.Pc.PCADD = machine.Pc.Shown.PCADD = sig[PCADD];
  machine.Pc.LPC = machine.Pc.Shown.LPC = sig[LPC];
  machine.Pc.PCINC = machine.Pc.Shown.PCINC = sig[PCINC];
  machine.Pc.T3 = machine.Pc.Shown.T3 = t3;
  machine.Pc.Out = machine.Pc.Shown.Out = machine.Pc.Shown.PC;
  machine.Ir.LIR = machine.Ir.Shown.LIR = sig[LIR];
  machine.Ir.T3 = machine.Ir.Shown.T3 = t3;
  machine.Ir.Out = machine.Ir.Shown.Out = machine.Ir.Shown.IR;
  IarUnit& iar = machine.Iar;
  iar.LIAR = iar.Shown.LIAR = sig[LIAR];
  iar.IABUS = iar.Shown.IABUS = sig[IABUS];
  iar.ReleasedFlag = iar.Shown.ReleasedFlag = sig[IABUS] == 0 ? 1 : 0;
  iar.T3 = iar.Shown.T3 = t3;
  DataSwitches& ds = machine.DataSw;
  ds.SBUS = ds.Shown.SBUS = sig[SBUS];
  ds.ReleasedFlag = ds.ReleasedCopy = ds.Shown.ReleasedFlag = sig[SBUS] == 0 ? 1 : 0;
  machine.Snapshot.STOP = sig[STOP];
  for (int i = 0; i < 72; ++i)
    machine.Snapshot.Jacks[static_cast<size_t>(i)] = machine.Jacks[static_cast<size_t>(SnapshotJack(i))].Value;

  // Register-file ports.
  if (!power) {
    rf.R = rf.Written = rf.Select = rf.Prev = rf.Out = {};
    rf.RD1 = rf.RD0 = rf.RS1 = rf.RS0 = rf.DRW = 0;
    rf.RdNum = rf.RsNum = rf.APort = rf.BPort = 0;
    rf.T3 = LevelLow;
  } else {
    rf.Written = {};
    rf.Prev = rf.R;
    rf.RdNum = rf.RD0 + 2 * rf.RD1;
    rf.RsNum = rf.RS0 + 2 * rf.RS1;
    rf.APort = rf.R[static_cast<size_t>(rf.RdNum & 3)];
    rf.BPort = rf.R[static_cast<size_t>(rf.RsNum & 3)];
    rf.T3 = t3;
  }
  rf.Shown = {rf.R,   rf.Written, rf.Select, rf.Prev,  rf.RD1,   rf.RD0,   rf.RS1,
              rf.RS0, rf.T3,      rf.DRW,    rf.RdNum, rf.RsNum, rf.APort, rf.BPort};

  // ALU.
  AluUnit& alu = machine.Alu;
  if (power) {
    const int32_t r = alu.Model.Compute(sig[S3], sig[S2], sig[S1], sig[S0], sig[M], sig[CIN], rf.APort, rf.BPort);
    alu.F = r % 256;
    alu.Cn4 = r / 256;
    alu.Shown = {sig[S3],  sig[S2],  sig[S1], sig[S0], sig[M],           sig[CIN],
                 rf.APort, rf.BPort, alu.F,   alu.Cn4, alu.Model.Formula};
  } else {
    alu.F = 0;
    alu.Cn4 = LevelLow;
    alu.Shown = AluShown{};
    alu.Shown.Cn4 = 0;
  }

  // ALU bus gate.
  AluBusGate& gate = machine.Gate;
  if (power) {
    gate.RawF = alu.Shown.F;
    gate.Value = Latch8(gate.RawF);
    gate.ReleasedFlag = sig[ABUS] == 0 ? 1 : 0;
    gate.ABUS = sig[ABUS];
  } else {
    gate.Value = gate.RawF = gate.ABUS = 0;
    gate.ReleasedFlag = 1;
  }
  gate.Shown = {gate.Value, gate.RawF, gate.ABUS, gate.ReleasedFlag};

  std::array<int32_t, 4> source;
  source[0] = gate.Shown.ReleasedFlag ? Released : gate.Shown.Value;
  // Memory data port.
  const bool memReads = power && sig[MBUS] == 1 && sig[MEMW] == 0;
  mem.ReadReleased = memReads ? 0 : 1;
  source[1] = memReads ? mem.ShownCells[static_cast<size_t>(machine.Ar.Shown.AR & 0xFF)] : Released;
  // Data switches and IAR.
  source[2] = ds.ReleasedCopy ? Released : ds.DrivenValue;
  source[3] = iar.ReleasedFlag ? Released : iar.Shown.IAR;
  mem.Shown.MBUS = mem.MBUS;
  mem.Shown.MEMW = mem.MEMW;
  mem.Shown.T2 = mem.T2;
  mem.Shown.PcAddr = mem.PcAddr;
  mem.Shown.ArAddr = mem.ArAddr;
  mem.Shown.ReadReleased = mem.ReadReleased;

  // Data bus: the sources that drive are ORed; the counters show a conflict.
  DataBus& bus = machine.Bus;
  bus = DataBus{};
  for (size_t i = 0; i < 4; ++i) {
    if (power && source[i] != Released && source[i] != NoValue) {
      bus.Value |= source[i] & 0xFF;
      ++bus.Drive[i];
    }
    bus.Considered[i] = 1;
  }
  bus.Shown = {bus.Value, bus.Drive};

  // Repaint.
  OrderedDisplayRefresh(con.PowerOn, 0);
}

}  // namespace orrin
