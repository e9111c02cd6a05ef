// The beat generator and the small beat: the only place where registers,
// flags, memory and the micro-address change.
#include <type_traits>

#include "machine/core.h"
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

void Core::AdvanceBeat() {
  BeatGen& b = Beat;
  const int32_t next = (b.BeatPhase >= 1 && b.BeatPhase <= 5) ? b.BeatPhase + 1 : 1;
  const BeatRow& row = kBeatRows[next];
  b.BeatPhase = next;
  b.T1 = row.t1;
  b.T2 = row.t2;
  b.T3 = row.t3;
  b.BeatLevel = row.level;
  b.Shown = static_cast<const BeatRecord&>(b);
  ++b.StepCount;
  b.ViewPos = b.StepCount;
}

bool Core::Step(const Surroundings& s) {
  AdvanceBeat();
  const bool level = Beat.BeatLevel == LevelBeat;
  const bool t3Rising = Beat.T3 == LevelRising;
  const int32_t phase = Beat.BeatPhase;

  // Marks of the last small beat.
  Flags.ZLoaded = Flags.CLoaded = false;
  Regs.Written = {};
  Ir.Mark = Pc.Mark = Ar.Mark = Iar.Mark = Change::None;
  Int.Changed = false;
  Mem.Written = Mem.WriteHappened = false;

  // The flags and IR publish their registers at level small beats.
  if (level) {
    Flags.COut = Flags.C;
    Flags.ZOut = Flags.Z;
    Ir.Out = Ir.IR;
  }
  Pass(LiveInputs(), s, level);
  bool written = false;
  ClockEdges(phase, level, t3Rising, s.controller.EndingP4(*this), written);
  if (Micro.MicroAddressLoaded) s.controller.ClockEdge({*this, s.wires});
  ApplyStuckBits();
  CommitShown();
  // A new microinstruction: every derived signal is formed again.
  if (phase == 1) Evaluate(s);
  // The first cycle after a reset has passed its loads.
  if (phase == 5) Beat.AfterReset = false;
  // STOP counted while it is up, and on once counting began; saturating,
  // since single-stepping after STOP may go on for ever.
  if ((Active(Signals.Value[STOP]) || Beat.StopCounter > 0) && Beat.StopCounter < INT32_MAX) ++Beat.StopCounter;
  return written;
}

// What the clock edges of a small beat latch, from this beat's bus.
void Core::ClockEdges(int32_t phase, bool level, bool t3Rising, int32_t endingP4, bool& memoryWritten) {
  const SignalValues& sig = Signals.Value;
  Mem.BusIn = Bus.Value;
  ClockInterruptEnable(Int, level);
  memoryWritten = WriteMemory(Mem, sig, Beat, Ar.AR, Bus.Value);
  ClockFlags(Flags, Alu, sig, t3Rising);
  WriteRegister(Regs, Bus.Value, t3Rising);
  // IR from the instruction port before PC moves; IAR from PC's output; AR;
  // PC adds the offset IR publishes: its output, taken at the last level
  // beat, not the byte LIR latches at this same edge.
  ClockIr(Ir, Mem, Pc.PC, t3Rising);
  ClockIar(Iar, Pc.Out, t3Rising);
  ClockAr(Ar, Bus.Value, t3Rising);
  ClockPc(Pc, Bus.Value, Ir.Out, t3Rising, level);
  // The micro-address loaded at T3 falling; the ending cycle's P4 (the
  // controller's) acknowledges the interrupt.
  ClockSequencer();
  if (phase == 1 && endingP4 == 1) Int.INTQ = 0;
}

void Core::ApplyStuckBits() {
  if (!stuck.any) return;
  // Only a faulty register or cell is touched: the others keep whatever
  // they hold, the "no value" marks of a board switched off included.
  auto apply = [](const StuckBits& b, auto&... values) {
    if (!b.Any()) return;
    ((values = static_cast<std::remove_reference_t<decltype(values)>>(b.Apply(values))), ...);
  };
  for (size_t i = 0; i < 4; ++i) apply(stuck.registers[i], Regs.R[i], Regs.Shown.R[i]);
  apply(stuck.Of(StuckRegister::AR), Ar.AR, Ar.Out, Ar.Shown.AR, Ar.Shown.Out);
  apply(stuck.Of(StuckRegister::PC), Pc.PC, Pc.Out, Pc.Shown.PC, Pc.Shown.Out);
  apply(stuck.Of(StuckRegister::IR), Ir.IR, Ir.Out, Ir.Shown.IR, Ir.Shown.Out);
  apply(stuck.Of(StuckRegister::IAR), Iar.IAR, Iar.NextValue, Iar.Shown.IAR, Iar.Shown.NextValue);
  for (size_t a = 0; a < MemorySize; ++a) apply(stuck.cells[a], Mem.Cells[a], Mem.ShownCells[a]);
}

bool Core::AtCycleStart() const { return !Beat.AfterReset && Beat.BeatPhase == 1; }

// STOP has been up for a whole cycle: a continuous run ends here.
bool Core::StopWordHeld() const { return AtCycleStart() && Beat.StopCounter > 4; }

void Core::PowerOn() {
  Alu = AluUnit{};
  Flags = FlagUnit{};
  Regs = RegisterFile{};
  Gate = AluBusGate{};
  Ar = ArUnit{};
  Pc = PcUnit{};
  Ir = IrUnit{};
  Iar = IarUnit{};
  Mem = MemoryUnit{};
  ClearSequencer();
  Bus = DataBus{};
  Int = InterruptUnit{};
  // Positions restart at 0, so no entry recorded before this point can be
  // shown again: the trace rings need no wiping.
  Beat = BeatGen{};
  // The level switches drive their jacks, the data switches their gate.
  for (size_t i = 0; i < 32; ++i) {
    Levels.Position[i] = Levels.ShownPosition[i];
    Levels.Output[i] = Levels.ShownOutput[i] = Levels.Position[i] ? 1 : 0;
  }
  DataSw.Bits = DataSw.DrivenBits;
  DataSw.Value = 0;
  for (int i = 0; i < 8; ++i) DataSw.Value |= DataSw.Bits[static_cast<size_t>(i)] << i;
  DataSw.DrivenValue = DataSw.Value;
  DataSw.SBUS = 0;
  DataSw.Gate = Drive::Released;
  Signals = ControlSignals{};
}

void Core::CommitSwitches() {
  DataSw.DrivenValue = DataSw.Value;
  DataSw.DrivenBits = DataSw.Bits;
  DataSw.Shown.Value = DataSw.DrivenValue;
  DataSw.Shown.Bits = DataSw.DrivenBits;
  Levels.ShownPosition = Levels.Position;
  Levels.ShownOutput = Levels.Output;
}

void Core::PowerOff() {
  Levels.Output.fill(0);
  Levels.ShownOutput.fill(0);
  Beat = BeatGen{};
}

void Core::Clear() {
  Flags.Z = Flags.C = Flags.ZOut = Flags.COut = 0;
  Flags.ZLoaded = Flags.CLoaded = false;
  Flags.Shown.Z = Flags.Shown.C = Flags.Shown.ZOut = Flags.Shown.COut = 0;
  Flags.Shown.ZLoaded = Flags.Shown.CLoaded = false;
  Regs.Written = Regs.Shown.Written = {};
  Ar.AR = Ar.Out = Ar.Shown.AR = Ar.Shown.Out = 0;
  Ar.Mark = Ar.Shown.Mark = Change::None;
  ResetPc(Pc);
  Ir.IR = Ir.Out = Ir.Shown.IR = Ir.Shown.Out = 0;
  Ir.Mark = Ir.Shown.Mark = Change::None;
  Iar.Mark = Iar.Shown.Mark = Change::None;
  Micro.MicroAddress = Micro.NextMicroAddress = 0;
  Micro.MicroAddressLoaded = false;
  Micro.Shown.MicroAddress = Micro.Shown.NextMicroAddress = 0;
  Micro.Shown.MicroAddressLoaded = false;
  Int.EN_INT = Int.INTQ = 0;
  Int.Changed = false;
  Int.Shown.EN_INT = Int.Shown.INTQ = 0;
  Int.Shown.Changed = false;
  Beat = BeatGen{};
}

}  // namespace orrin
