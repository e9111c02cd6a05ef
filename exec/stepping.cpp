// The beat generator and the small-beat clock step: the only place where
// registers, flags, memory and the micro-address change.
#include "simulator/simulator.h"
#include "units/units.h"

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

void Simulator::CommitShown() {
  MachineState& m = machine;
  m.Alu.Shown = m.Alu;
  m.Flags.Shown = m.Flags;
  m.Regs.Shown = m.Regs;
  m.Gate.Shown = m.Gate;
  m.Mem.Shown = m.Mem;
  m.Ar.Shown = m.Ar;
  m.Pc.Shown = m.Pc;
  m.Ir.Shown = m.Ir;
  m.Iar.Shown = m.Iar;
  m.Micro.Shown = m.Micro;
  m.Bus.Shown = m.Bus;
  m.Int.Shown = m.Int;
  m.DataSw.Shown.SBUS = m.DataSw.SBUS;
  m.DataSw.Shown.ReleasedFlag = m.DataSw.ReleasedFlag;
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
  for (int i = 0; i < 32; ++i) wires.Drive(jack::K0 + i, machine.Levels.Output[static_cast<size_t>(i)]);
  wires.Drive(jack::CO, flags.COut);
  wires.Drive(jack::ZO, flags.ZOut);
  wires.Drive(jack::IR7O, (ir.Out >> 7) & 1);
  wires.Drive(jack::IR6O, (ir.Out >> 6) & 1);
  wires.Drive(jack::IR5O, (ir.Out >> 5) & 1);
  wires.Drive(jack::IR4O, (ir.Out >> 4) & 1);
  wires.Propagate();
  // Micro-sequencer: the next address from this beat's test inputs.
  SequencerFormNextAddress();
  // Control signals.
  FormControlSignals();
  // Register file: selects, a write, the ports at level small beats.
  RegisterFile& rf = machine.Regs;
  rf.Prev = rf.R;
  SelectRegisters(rf, sig);
  WriteRegister(rf, bus.Value, t3Rising);
  if (level) ReadRegisterPorts(rf);
  // ALU, at level small beats only; the result holds until the next one.
  AluUnit& alu = machine.Alu;
  SetFlagControls(flags, sig, machine.Beat.T3);
  if (level) ComputeAlu(alu, sig, rf.APort, rf.BPort);
  // The sources of the bus: the ALU gate, the memory's data port, the SD
  // gate and the IAR gate as the previous small beat left it.
  AluBusGate& gate = machine.Gate;
  SetAluGate(gate, sig, alu.F, level);
  SetMemoryPorts(mem, sig, machine.Beat.T2, pc.PC, ar.AR);
  const bool memReads = MemoryReads(sig);
  mem.ReadReleased = memReads ? 0 : 1;
  DataSwitches& ds = machine.DataSw;
  SetSwitchGate(ds, sig);
  const std::array<int32_t, 4> sources = {GateOffer(gate),
                                          Offer(memReads, mem.Cells[static_cast<size_t>(ar.AR & 0xFF)]),
                                          SwitchOffer(ds), Offer(Active(iar.GateEnable), iar.GateValue)};
  // Data bus, at level small beats; at edges it keeps its value.
  if (level) DriveBus(bus, sources);
  mem.BusIn = bus.Value;
  InterruptUnit& in = machine.Int;
  SetInterruptControls(in, sig);
  ClockInterruptEnable(in, level);
  if (WriteMemory(mem, sig, machine.Beat, ar.AR, bus.Value)) machine.Console.MemoryGridDirty = 1;
  ClockFlags(flags, alu, sig, t3Rising);
  // Register file again, with this small beat's bus.
  SelectRegisters(rf, sig);
  WriteRegister(rf, bus.Value, t3Rising);
  if (level) ReadRegisterPorts(rf);
  rf.T3 = machine.Beat.T3;
  // IR from the instruction port before PC moves; IAR from PC's output; AR; PC.
  SetIrControls(ir, sig, machine.Beat.T3);
  ClockIr(ir, mem, pc.PC, t3Rising);
  SetIarControls(iar, sig, machine.Beat.T3);
  ClockIar(iar, pc.Out, t3Rising);
  SetArControls(ar, sig, machine.Beat.T3);
  ClockAr(ar, bus.Value, t3Rising);
  // PCADD adds the offset IR publishes: its output, taken at the last level
  // beat, not the byte LIR latches at this same edge.
  SetPcControls(pc, sig, machine.Beat.T3);
  ClockPc(pc, bus.Value, ir.Out, t3Rising, level);
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
  ForgetEdits();
  b.BeatLevel = LevelBeat;
  b.BeatPhase = 0;
  b.Shown = BeatRecord{};
  c.AfterReset = 1;
  c.StopCounter = 0;
  BoardEvaluation();
}

}  // namespace orrin
