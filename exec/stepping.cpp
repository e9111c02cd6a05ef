// The beat generator and the small-beat clock step: the only place where
// registers, flags, memory and the micro-address change.
#include "simulator/simulator.h"

namespace orrin {

namespace {
struct BeatRow {
  int32_t t1, t2, t3, level;
};
// Row of each new phase 1..6.
constexpr BeatRow kBeatRows[7] = {
    {LevelLow, LevelLow, LevelLow, LevelBeat},  // phase 0: only after reset
    {LevelRising, LevelLow, LevelFalling, EdgeBeat}, {LevelHigh, LevelLow, LevelLow, LevelBeat},
    {LevelFalling, LevelRising, LevelLow, EdgeBeat}, {LevelLow, LevelHigh, LevelLow, LevelBeat},
    {LevelLow, LevelFalling, LevelRising, EdgeBeat}, {LevelLow, LevelLow, LevelHigh, LevelBeat},
};
}  // namespace

void Simulator::AdvanceBeat() {
  BeatGen& b = machine.Beat;
  const int32_t next = (b.BeatPhase >= 1 && b.BeatPhase <= 5) ? b.BeatPhase + 1 : 1;
  const BeatRow& row = kBeatRows[next];
  b.BeatPhase = next;
  b.T1 = row.t1;
  b.T2 = row.t2;
  b.T3 = row.t3;
  b.BeatLevel = row.level;
  b.Shown = {b.T1, b.T2, b.T3, b.BeatPhase, b.BeatLevel};
  ++b.StepCount;
  b.ViewPos = b.StepCount;
}

void Simulator::StepSmallBeat(uint8_t power) {
  if (power != 1) return;
  AdvanceBeat();
  ExecuteSmallBeat();
}

namespace {
// Register-file write and port selection (stages 6 and 15).
void RegisterStage(MachineState& machine, bool level, bool t3Rising) {
  RegisterFile& rf = machine.Regs;
  const auto& sig = machine.Signals.Value;
  rf.RD1 = sig[RD1] & 1;
  rf.RD0 = sig[RD0] & 1;
  rf.RS1 = sig[RS1] & 1;
  rf.RS0 = sig[RS0] & 1;
  rf.DRW = sig[DRW];
  rf.RdNum = rf.RD1 * 2 + rf.RD0;
  rf.RsNum = rf.RS1 * 2 + rf.RS0;
  for (int i = 0; i < 4; ++i) rf.Select[static_cast<size_t>(i)] = i == rf.RdNum ? 1 : 0;
  if (t3Rising && Active(rf.DRW)) {
    rf.R[static_cast<size_t>(rf.RdNum)] = Latch8(machine.Bus.Value);
    rf.Written[static_cast<size_t>(rf.RdNum)] = 1;
  }
  if (level) {
    rf.Out = rf.R;
    rf.APort = rf.Out[static_cast<size_t>(rf.RdNum)];
    rf.BPort = rf.Out[static_cast<size_t>(rf.RsNum)];
  }
}
}  // namespace

void Simulator::CommitShown() {
  AluUnit& alu = machine.Alu;
  const Alu181& m = alu.Model;
  alu.Shown = {m.S3, m.S2, m.S1, m.S0, m.M, m.Cn, m.A, m.B, alu.F, alu.Cn4, m.Formula};
  FlagUnit& f = machine.Flags;
  f.Shown = {f.Z, f.C, f.ZLoaded, f.CLoaded, f.ZOut, f.COut, f.LDZ, f.LDC, f.T3};
  RegisterFile& rf = machine.Regs;
  rf.Shown = {rf.R,   rf.Written, rf.Select, rf.Prev,  rf.RD1,   rf.RD0,   rf.RS1,
              rf.RS0, rf.T3,      rf.DRW,    rf.RdNum, rf.RsNum, rf.APort, rf.BPort};
  AluBusGate& g = machine.Gate;
  g.Shown = {g.Value, g.RawF, g.ABUS, g.ReleasedFlag};
  MemoryUnit& mem = machine.Mem;
  mem.Shown = {mem.MBUS,  mem.MEMW,         mem.T2,           mem.PcAddr, mem.ArAddr,
               mem.BusIn, mem.FetchAddress, mem.ReadReleased, mem.Written};
  ArUnit& ar = machine.Ar;
  ar.Shown = {ar.AR, ar.Mark, ar.Out, ar.LAR, ar.ARINC, ar.T3};
  PcUnit& pc = machine.Pc;
  pc.Shown = {pc.PC, pc.Mark, pc.Out, pc.PCADD, pc.LPC, pc.PCINC, pc.T3};
  IrUnit& ir = machine.Ir;
  ir.Shown = {ir.IR, ir.Mark, ir.Out, ir.LIR, ir.T3, ir.InsBus};
  IarUnit& iar = machine.Iar;
  iar.Shown = {iar.IAR, iar.Mark, iar.LIAR, iar.IABUS, iar.T3, iar.ReleasedFlag};
  MicroUnit& mu = machine.Micro;
  mu.Shown = {mu.MicroAddress, mu.MicroAddressLoaded, mu.NextMicroAddress, mu.SEL, mu.T3, mu.T3Inv, mu.In};
  machine.Bus.Shown = {machine.Bus.Value, machine.Bus.Drive};
  InterruptUnit& in = machine.Int;
  in.Shown = {in.EN_INT, in.INTQ, in.INTEN, in.INTDI, in.Mark};
  machine.DataSw.Shown.SBUS = machine.DataSw.SBUS;
  machine.DataSw.Shown.ReleasedFlag = machine.DataSw.ReleasedFlag;
}

void Simulator::ExecuteSmallBeat() {
  const bool level = machine.Beat.BeatLevel == LevelBeat;
  const bool t3Rising = machine.Beat.T3 == LevelRising;
  const int32_t phase = machine.Beat.BeatPhase;
  FlagUnit& flags = machine.Flags;
  IrUnit& ir = machine.Ir;
  PcUnit& pc = machine.Pc;
  ArUnit& ar = machine.Ar;
  IarUnit& iar = machine.Iar;
  MemoryUnit& mem = machine.Mem;
  DataBus& bus = machine.Bus;
  const auto& sig = machine.Signals.Value;

  // Marks of the last small beat.
  flags.ZLoaded = flags.CLoaded = 0;
  machine.Regs.Written = {};
  ir.Mark = pc.Mark = ar.Mark = iar.Mark = machine.Int.Mark = 0;
  mem.Written = 0;
  mem.WriteHappened = 0;

  // Outputs copied from the registers in level small beats.
  if (level) {
    flags.COut = flags.C;
    flags.ZOut = flags.Z;
    ir.Out = ir.IR;
  }
  // Jack sources, then the wires.
  for (int i = 0; i < 32; ++i)
    machine.Jacks[static_cast<size_t>(i)].Value = machine.Levels.Output[static_cast<size_t>(i)];
  machine.Jacks[jack::CO].Value = flags.COut;
  machine.Jacks[jack::ZO].Value = flags.ZOut;
  machine.Jacks[jack::IR7O].Value = (ir.Out >> 7) & 1;
  machine.Jacks[jack::IR6O].Value = (ir.Out >> 6) & 1;
  machine.Jacks[jack::IR5O].Value = (ir.Out >> 5) & 1;
  machine.Jacks[jack::IR4O].Value = (ir.Out >> 4) & 1;
  PropagateWires();
  // Micro-sequencer: the next address from this beat's test inputs.
  SequencerFormNextAddress();
  // Control signals.
  FormControlSignals();
  // Register file.
  machine.Regs.Prev = machine.Regs.R;
  RegisterStage(machine, level, t3Rising);
  // ALU, at level small beats only; the result holds until the next one.
  AluUnit& alu = machine.Alu;
  flags.LDZ = sig[LDZ];
  flags.LDC = sig[LDC];
  flags.T3 = machine.Beat.T3;
  if (level) {
    const int32_t r =
        alu.Model.Compute(sig[S3], sig[S2], sig[S1], sig[S0], sig[M], sig[CIN], machine.Regs.APort, machine.Regs.BPort);
    alu.F = r % 256;
    alu.Cn4 = r / 256;
  }
  // ABUS gate.
  AluBusGate& gate = machine.Gate;
  gate.ABUS = sig[ABUS];
  if (level) {
    gate.RawF = alu.F;
    gate.Value = Latch8(alu.F);
  }
  gate.ReleasedFlag = Active(sig[ABUS]) ? 0 : 1;
  std::array<int32_t, 4> source;
  source[0] = Active(sig[ABUS]) ? gate.Value : Released;
  // Memory read port.
  mem.MBUS = sig[MBUS];
  mem.MEMW = sig[MEMW];
  mem.T2 = machine.Beat.T2;
  mem.ArAddr = ar.AR;
  mem.PcAddr = pc.PC;
  const bool memReads = Active(sig[MBUS]) && !Active(sig[MEMW]);
  mem.ReadReleased = memReads ? 0 : 1;
  source[1] = memReads ? mem.Cells[static_cast<size_t>(ar.AR & 0xFF)] : Released;
  // IAR gate as the previous small beat left it; SD gate.
  source[3] = Active(iar.GateEnable) ? iar.GateValue : Released;
  DataSwitches& ds = machine.DataSw;
  ds.SBUS = sig[SBUS];
  ds.ReleasedFlag = ds.ReleasedCopy = Active(sig[SBUS]) ? 0 : 1;
  source[2] = Active(sig[SBUS]) ? ds.DrivenValue : Released;
  // Data bus, at level small beats; at edges it keeps its value.
  if (level) {
    bus.Value = 0;
    for (size_t i = 0; i < 4; ++i) {
      bus.Drive[i] = 0;
      bus.Considered[i] = 1;
      if (source[i] != Released && source[i] != NoValue) {
        bus.Value |= source[i] & 0xFF;
        bus.Drive[i] = 1;
      }
    }
  }
  mem.BusIn = bus.Value;
  // Interrupt enable: INTDI first, so INTEN wins when both are 1.
  InterruptUnit& in = machine.Int;
  in.INTEN = sig[INTEN];
  in.INTDI = sig[INTDI];
  if (level) {
    const int32_t before = in.EN_INT;
    if (Active(sig[INTDI])) in.EN_INT = 0;
    if (Active(sig[INTEN])) in.EN_INT = 1;
    in.Mark = in.EN_INT != before ? 1 : 0;
  }
  // Memory write, in phase 4 (T2 high).
  if (level && machine.Beat.T2 == LevelHigh && Active(sig[MEMW])) {
    const size_t a = static_cast<size_t>(ar.AR & 0xFF);
    mem.WriteAddr = static_cast<int32_t>(a);
    mem.WriteOld = mem.Cells[a];
    mem.Cells[a] = static_cast<uint8_t>(Latch8(bus.Value));
    mem.ShownCells[a] = mem.Cells[a];
    mem.WriteHappened = 1;
    mem.Written = 1;
    machine.Console.MemoryGridDirty = 1;
  }
  // Flags at T3 rising.
  if (t3Rising) {
    if (Active(sig[LDZ])) {
      flags.Z = alu.F == 0 ? 1 : 0;
      flags.ZLoaded = 1;
    }
    if (Active(sig[LDC])) {
      flags.C = 1 - (alu.Cn4 & 1);
      flags.CLoaded = 1;
    }
  }
  // Register file again, with this small beat's bus.
  RegisterStage(machine, level, t3Rising);
  machine.Regs.T3 = machine.Beat.T3;
  // IR from the instruction port, before PC moves.
  ir.LIR = sig[LIR];
  ir.T3 = machine.Beat.T3;
  ir.InsBus = mem.Cells[static_cast<size_t>(pc.PC & 0xFF)];
  if (t3Rising && Active(sig[LIR])) {
    ir.IR = ir.InsBus;
    ir.Mark = 1;
    mem.FetchAddress = pc.PC & 0xFF;
  }
  // IAR from the PC output; the gate for the next small beat.
  iar.LIAR = sig[LIAR];
  iar.IABUS = sig[IABUS];
  iar.T3 = machine.Beat.T3;
  iar.PcIn = pc.Out;
  if (t3Rising && Active(sig[LIAR])) {
    iar.IAR = pc.Out;
    iar.Mark = 1;
  }
  iar.ReleasedFlag = Active(sig[IABUS]) ? 0 : 1;
  iar.GateEnable = sig[IABUS];
  iar.GateValue = iar.IAR;
  // AR: ARINC wins over LAR.
  ar.LAR = sig[LAR];
  ar.ARINC = sig[ARINC];
  ar.T3 = machine.Beat.T3;
  ar.BusIn = bus.Value;
  if (t3Rising) {
    if (Active(sig[ARINC])) {
      ar.AR = (ar.AR + 1) & 0xFF;
      ar.Mark = 2;
    } else if (Active(sig[LAR])) {
      ar.AR = Latch8(bus.Value);
      ar.Mark = 1;
    }
  }
  ar.Out = ar.AR;
  // PC: PCINC over LPC over PCADD.
  pc.PCADD = sig[PCADD];
  pc.LPC = sig[LPC];
  pc.PCINC = sig[PCINC];
  pc.T3 = machine.Beat.T3;
  pc.BusIn = bus.Value;
  pc.Offset = ir.IR & 0x0F;
  if (t3Rising) {
    if (Active(sig[PCINC])) {
      pc.PC = (pc.PC + 1) & 0xFF;
      pc.Mark = 2;
    } else if (Active(sig[LPC])) {
      pc.PC = Latch8(bus.Value);
      pc.Mark = 1;
    } else if (Active(sig[PCADD])) {
      pc.PC = (pc.PC + pc.Offset) & 0xFF;
      pc.Mark = 3;
    }
  }
  if (level) pc.Out = pc.PC;
  // Micro-sequencer: the address loaded at T3 falling; the ending word's P4
  // acknowledges the interrupt.
  const int32_t endingP4 = machine.Micro.Decode.Bits[10];
  SequencerClockAddress();
  if (phase == 1 && endingP4 == 1) in.INTQ = 0;
  CommitShown();
  // A new microinstruction: every derived signal is formed again.
  if (phase == 1) BoardEvaluation();
  // The first cycle after a reset has passed its loads.
  if (phase == 5) machine.Console.AfterReset = 0;
  // STOP counted while it is up, and on once counting began; saturating,
  // since single-stepping after STOP may go on for ever.
  if ((Active(machine.Signals.Value[STOP]) || machine.Console.StopCounter > 0) &&
      machine.Console.StopCounter < INT32_MAX)
    ++machine.Console.StopCounter;
  // The repaint and the beat's trace entry.
  OrderedDisplayRefresh(machine.Console.PowerOn, 0);
  RecordTrace(machine.Beat.StepCount);
}

bool Simulator::AtCycleStart() const { return machine.Console.AfterReset == 0 && machine.Beat.BeatPhase == 1; }

// STOP has been up for a whole cycle: a continuous run ends here.
bool Simulator::StopWordHeld() const { return AtCycleStart() && machine.Console.StopCounter > 4; }

void Simulator::Timer_RUNTimer() {
  EndPlayback();
  ConsoleState& c = machine.Console;
  if (c.PowerOn == 0) {
    Timer_RUN.enabled = false;
    c.TimerActive = 0;
    c.Running = 0;
    RefreshQD(c.PowerOn);
    return;
  }
  Timer_RUN.enabled = false;
  c.TimerActive = 1;
  const ViewHold hold(*this);  // one repaint for the tick's small beats
  for (int i = 0; i < c.StepsPerTick && c.KeepRunning == 1; ++i) {
    StepSmallBeat(c.PowerOn);
    if (AtCycleStart()) {
      const bool stop = c.SingleBeat == 1 || StopWordHeld();
      if (stop) {
        c.StopCounter = 0;
        c.KeepRunning = 0;
        c.Running = 0;
        RefreshQD(c.PowerOn);
        break;
      }
    }
  }
  if (c.KeepRunning == 1) {
    Timer_RUN.enabled = true;
    c.TimerActive = 1;
  } else {
    c.TimerActive = 0;
  }
}

void Simulator::ResetMachine() {
  ConsoleState& c = machine.Console;
  Timer_RUN.enabled = false;
  c.TimerActive = c.KeepRunning = c.Running = 0;
  FlagUnit& f = machine.Flags;
  f.Z = f.C = f.ZOut = f.COut = f.ZLoaded = f.CLoaded = 0;
  f.Shown.Z = f.Shown.C = f.Shown.ZOut = f.Shown.COut = f.Shown.ZLoaded = f.Shown.CLoaded = 0;
  machine.Regs.Written = machine.Regs.Shown.Written = {};
  machine.Ar.AR = machine.Ar.Out = machine.Ar.Mark = 0;
  machine.Ar.Shown.AR = machine.Ar.Shown.Out = machine.Ar.Shown.Mark = 0;
  machine.Pc.PC = machine.Pc.Out = machine.Pc.Mark = 0;
  machine.Pc.Shown.PC = machine.Pc.Shown.Out = machine.Pc.Shown.Mark = 0;
  machine.Ir.IR = machine.Ir.Out = machine.Ir.Mark = 0;
  machine.Ir.Shown.IR = machine.Ir.Shown.Out = machine.Ir.Shown.Mark = 0;
  machine.Iar.Mark = machine.Iar.Shown.Mark = 0;
  MicroUnit& mu = machine.Micro;
  mu.MicroAddress = mu.NextMicroAddress = mu.MicroAddressLoaded = 0;
  mu.Shown.MicroAddress = mu.Shown.NextMicroAddress = mu.Shown.MicroAddressLoaded = 0;
  machine.Int.EN_INT = machine.Int.INTQ = machine.Int.Mark = 0;
  machine.Int.Shown.EN_INT = machine.Int.Shown.INTQ = machine.Int.Shown.Mark = 0;
  BeatGen& b = machine.Beat;
  b.T1 = b.T2 = b.T3 = LevelLow;
  b.StepCount = 0;
  b.ViewPos = 0;
  b.BeatLevel = LevelBeat;
  b.BeatPhase = 0;
  b.Shown = BeatShown{};
  c.AfterReset = 1;
  c.StopCounter = 0;
  BoardEvaluation();
}

}  // namespace orrin
