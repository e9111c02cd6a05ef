// The board evaluation: everything that follows combinationally from the
// stored state, then the repaint. It never changes a register, flag, memory
// cell or the micro-address.
#include "core/simulator.h"

namespace orrin {

void Simulator::DriveOutputJacks(int32_t cOut, int32_t zOut, int32_t irOut) {
  for (int i = 0; i < 32; ++i) s.Jacks[static_cast<size_t>(i)].Value = s.Levels.ShownOutput[static_cast<size_t>(i)];
  s.Jacks[jack::CO].Value = cOut;
  s.Jacks[jack::ZO].Value = zOut;
  s.Jacks[jack::IR7O].Value = (irOut >> 7) & 1;
  s.Jacks[jack::IR6O].Value = (irOut >> 6) & 1;
  s.Jacks[jack::IR5O].Value = (irOut >> 5) & 1;
  s.Jacks[jack::IR4O].Value = (irOut >> 4) & 1;
}

void Simulator::PropagateWires() {
  for (Jack& j : s.Jacks) {
    if (j.InUse == 1 && j.IsOutput == 0) {
      j.Value = NoValue;
      j.SourceName.clear();
    }
  }
  // Outputs in ascending number: where two reach one input, the later wins.
  for (const Jack& j : s.Jacks) {
    if (j.InUse != 1 || j.IsOutput != 1 || j.WireCount <= 0) continue;
    int handled = 0;
    for (int32_t t : j.Targets) {
      if (t == 0) continue;
      if (t > 0 && t < JackCount) {
        Jack& target = s.Jacks[static_cast<size_t>(t)];
        target.Value = j.Value;
        target.SourceName = j.Name;
      }
      if (++handled >= j.WireCount) break;
    }
  }
}

void Simulator::FormControlSignals() {
  auto& sig = s.Signals.Value;
  sig.fill(0);
  if (HardWiredMode()) {
    // the hard-wired controller is not built: every signal stays 0
  } else if (IndependentMode()) {
    for (int i = 0; i < SigCount; ++i) {
      const int32_t v = s.Jacks[static_cast<size_t>(kSigJack[i])].Value;
      if (v != NoValue) sig[static_cast<size_t>(i)] = v;
    }
  } else if (MicroprogramMode()) {
    MicroSignals();
  }
  s.Signals.Copy = sig;
}

void Simulator::BoardEvaluation() {
  ConsoleState& con = s.Console;
  const bool power = con.PowerOn == 1;

  // An evaluation always computes from the newest position.
  EndPlayback();

  // 2-4. Output jacks, then the wires.
  DriveOutputJacks(s.Flags.Shown.C, s.Flags.Shown.Z, s.Ir.Shown.IR);
  PropagateWires();

  // 5-6. Microprogram controller.
  MicroUnit& mu = s.Micro;
  if (!power) {
    ClearSequencer();
  } else {
    mu.T3 = s.Beat.Shown.T3;
    mu.T3Inv = Complement(mu.T3);
    ComputeNextAddress(s.Ir.Shown.IR, s.Flags.Shown.Z, s.Flags.Shown.C);
    mu.Shown = {mu.MicroAddress, mu.MicroAddressLoaded, mu.NextMicroAddress, mu.SEL, mu.T3, mu.T3Inv, mu.In};
  }

  // 7. Control signals of the selected controller.
  FormControlSignals();
  const auto& sig = s.Signals.Value;

  // 8. Unit inputs; the clock step acts on them at the next beat.
  const int32_t t3 = s.Beat.Shown.T3;
  s.Int.INTEN = s.Int.Shown.INTEN = sig[INTEN];
  s.Int.INTDI = s.Int.Shown.INTDI = sig[INTDI];
  s.Flags.LDZ = s.Flags.Shown.LDZ = sig[LDZ];
  s.Flags.LDC = s.Flags.Shown.LDC = sig[LDC];
  s.Flags.T3 = s.Flags.Shown.T3 = t3;
  RegisterFile& rf = s.Regs;
  rf.RD1 = sig[RD1] & 1;
  rf.RD0 = sig[RD0] & 1;
  rf.RS1 = sig[RS1] & 1;
  rf.RS0 = sig[RS0] & 1;
  rf.DRW = sig[DRW];
  const int rd = rf.RD1 * 2 + rf.RD0;
  for (int i = 0; i < 4; ++i) rf.Select[static_cast<size_t>(i)] = i == rd ? 1 : 0;
  MemoryUnit& mem = s.Mem;
  mem.MBUS = sig[MBUS];
  mem.MEMW = sig[MEMW];
  mem.PcAddr = s.Pc.Shown.PC;
  mem.ArAddr = s.Ar.Shown.AR;
  mem.T2 = s.Beat.Shown.T2;
  s.Ar.LAR = s.Ar.Shown.LAR = sig[LAR];
  s.Ar.ARINC = s.Ar.Shown.ARINC = sig[ARINC];
  s.Ar.T3 = s.Ar.Shown.T3 = t3;
  s.Pc.PCADD = s.Pc.Shown.PCADD = sig[PCADD];
  s.Pc.LPC = s.Pc.Shown.LPC = sig[LPC];
  s.Pc.PCINC = s.Pc.Shown.PCINC = sig[PCINC];
  s.Pc.T3 = s.Pc.Shown.T3 = t3;
  s.Pc.Out = s.Pc.Shown.Out = s.Pc.Shown.PC;
  s.Ir.LIR = s.Ir.Shown.LIR = sig[LIR];
  s.Ir.T3 = s.Ir.Shown.T3 = t3;
  s.Ir.Out = s.Ir.Shown.Out = s.Ir.Shown.IR;
  IarUnit& iar = s.Iar;
  iar.LIAR = iar.Shown.LIAR = sig[LIAR];
  iar.IABUS = iar.Shown.IABUS = sig[IABUS];
  iar.ReleasedFlag = iar.Shown.ReleasedFlag = sig[IABUS] == 0 ? 1 : 0;
  iar.T3 = iar.Shown.T3 = t3;
  DataSwitches& ds = s.DataSw;
  ds.SBUS = ds.Shown.SBUS = sig[SBUS];
  ds.ReleasedFlag = ds.ReleasedCopy = ds.Shown.ReleasedFlag = sig[SBUS] == 0 ? 1 : 0;
  s.Snapshot.STOP = sig[STOP];
  for (int i = 0; i < 72; ++i)
    s.Snapshot.Jacks[static_cast<size_t>(i)] = s.Jacks[static_cast<size_t>(SnapshotJack(i))].Value;

  // 9. Register-file ports.
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

  // 10. ALU.
  AluUnit& alu = s.Alu;
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

  // 11. ALU bus gate.
  AluBusGate& gate = s.Gate;
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
  // 12. Memory data port.
  const bool memReads = power && sig[MBUS] == 1 && sig[MEMW] == 0;
  mem.ReadReleased = memReads ? 0 : 1;
  source[1] = memReads ? mem.ShownCells[static_cast<size_t>(s.Ar.Shown.AR & 0xFF)] : Released;
  // 13. Data switches. 14. IAR.
  source[2] = ds.ReleasedCopy ? Released : ds.DrivenValue;
  source[3] = iar.ReleasedFlag ? Released : iar.Shown.IAR;
  mem.Shown.MBUS = mem.MBUS;
  mem.Shown.MEMW = mem.MEMW;
  mem.Shown.T2 = mem.T2;
  mem.Shown.PcAddr = mem.PcAddr;
  mem.Shown.ArAddr = mem.ArAddr;
  mem.Shown.ReadReleased = mem.ReadReleased;

  // 15. Data bus: the sources that drive are ORed; the counters show a conflict.
  DataBus& bus = s.Bus;
  bus = DataBus{};
  for (size_t i = 0; i < 4; ++i) {
    if (power && source[i] != Released && source[i] != NoValue) {
      bus.Value |= source[i] & 0xFF;
      ++bus.Drive[i];
    }
    bus.Considered[i] = 1;
  }
  bus.Shown = {bus.Value, bus.Drive};

  // 16. Repaint.
  OrderedDisplayRefresh(con.PowerOn, 0);
}

}  // namespace orrin
