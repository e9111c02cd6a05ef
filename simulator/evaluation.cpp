// The board evaluation: everything that follows combinationally from the
// stored state, then the repaint. It never changes a register, flag, memory
// cell or the micro-address.
#include "simulator/simulator.h"
#include "units/units.h"

namespace orrin {

namespace {
// The outputs the board drives: the level switches, the flags' and IR's.
void DriveOutputJacks(WireStore& wires, const std::array<int32_t, 32>& levels, int32_t cOut, int32_t zOut,
                      int32_t irOut) {
  for (int i = 0; i < 32; ++i) wires.Drive(jack::K0 + i, levels[static_cast<size_t>(i)]);
  wires.Drive(jack::CO, cOut);
  wires.Drive(jack::ZO, zOut);
  wires.Drive(jack::IR7O, (irOut >> 7) & 1);
  wires.Drive(jack::IR6O, (irOut >> 6) & 1);
  wires.Drive(jack::IR5O, (irOut >> 5) & 1);
  wires.Drive(jack::IR4O, (irOut >> 4) & 1);
  wires.Propagate();
}
}  // namespace

void Simulator::FormControlSignals() {
  auto& sig = machine.Signals.Value;
  sig.fill(0);
  if (HardWiredMode()) {
    // the hard-wired controller is not built: every signal stays 0
  } else if (IndependentMode()) {
    for (int i = 0; i < SigCount; ++i) {
      const int32_t v = wires.Value(kSigJack[i]);
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
  DriveOutputJacks(wires, machine.Levels.ShownOutput, machine.Flags.Shown.C, machine.Flags.Shown.Z, machine.Ir.Shown.IR);

  // Microprogram controller.
  MicroUnit& mu = machine.Micro;
  if (!power) {
    ClearSequencer();
  } else {
    mu.T3 = machine.Beat.Shown.T3;
    mu.T3Inv = Complement(mu.T3);
    ComputeNextAddress(machine.Ir.Shown.IR, machine.Flags.Shown.Z, machine.Flags.Shown.C);
    mu.Shown = mu;
  }

  // Control signals of the selected controller.
  FormControlSignals();
  const auto& sig = machine.Signals.Value;

  // Unit inputs, live and shown; the clock step acts on them at the next beat.
  const int32_t t3 = machine.Beat.Shown.T3;
  InterruptUnit& in = machine.Int;
  SetInterruptControls(in, sig);
  SetInterruptControls(in.Shown, sig);
  FlagUnit& flags = machine.Flags;
  SetFlagControls(flags, sig, t3);
  SetFlagControls(flags.Shown, sig, t3);
  RegisterFile& rf = machine.Regs;
  SelectRegisters(rf, sig);
  MemoryUnit& mem = machine.Mem;
  SetMemoryPorts(mem, sig, machine.Beat.Shown.T2, machine.Pc.Shown.PC, machine.Ar.Shown.AR);
  ArUnit& ar = machine.Ar;
  SetArControls(ar, sig, t3);
  SetArControls(ar.Shown, sig, t3);
  PcUnit& pc = machine.Pc;
  SetPcControls(pc, sig, t3);
  SetPcControls(pc.Shown, sig, t3);
  pc.Out = pc.Shown.Out = pc.Shown.PC;
  IrUnit& ir = machine.Ir;
  SetIrControls(ir, sig, t3);
  SetIrControls(ir.Shown, sig, t3);
  ir.Out = ir.Shown.Out = ir.Shown.IR;
  IarUnit& iar = machine.Iar;
  SetIarControls(iar, sig, t3);
  SetIarControls(iar.Shown, sig, t3);
  DataSwitches& ds = machine.DataSw;
  SetSwitchGate(ds, sig);
  ds.Shown.SBUS = ds.SBUS;
  ds.Shown.ReleasedFlag = ds.ReleasedFlag;
  machine.Snapshot.STOP = sig[STOP];
  for (int i = 0; i < 72; ++i)
    machine.Snapshot.Jacks[static_cast<size_t>(i)] =
        static_cast<uint16_t>(wires.Value(SnapshotJack(i)));

  // Register-file ports, the ALU and its gate.
  AluUnit& alu = machine.Alu;
  AluBusGate& gate = machine.Gate;
  if (power) {
    rf.Written = {};
    rf.Prev = rf.R;
    ReadRegisterPorts(rf);
    rf.T3 = t3;
    ComputeAlu(alu, sig, rf.APort, rf.BPort);
    alu.Shown = alu;
    SetAluGate(gate, sig, alu.F, true);
  } else {
    static_cast<RegisterRecord&>(rf) = RegisterRecord{};
    alu.F = 0;
    alu.Cn4 = LevelLow;
    alu.Shown = AluRecord{};
    alu.Shown.Cn4 = 0;
    static_cast<GateRecord&>(gate) = GateRecord{};
  }
  rf.Shown = rf;
  gate.Shown = gate;

  // The memory's data port reads the shown memory at the shown AR.
  const bool memReads = power && MemoryReads(sig);
  mem.ReadReleased = memReads ? 0 : 1;
  mem.Shown.MBUS = mem.MBUS;
  mem.Shown.MEMW = mem.MEMW;
  mem.Shown.T2 = mem.T2;
  mem.Shown.PcAddr = mem.PcAddr;
  mem.Shown.ArAddr = mem.ArAddr;
  mem.Shown.ReadReleased = mem.ReadReleased;

  // Data bus: the sources that drive are ORed; Drive shows a conflict.
  std::array<int32_t, 4> sources = {Released, Released, Released, Released};
  if (power)
    sources = {GateOffer(gate), Offer(memReads, mem.ShownCells[static_cast<size_t>(ar.Shown.AR & 0xFF)]),
               SwitchOffer(ds), Offer(iar.ReleasedFlag == 0, iar.Shown.IAR)};
  DataBus& bus = machine.Bus;
  DriveBus(bus, sources);
  bus.Shown = bus;

  // Repaint.
  OrderedDisplayRefresh(con.PowerOn, 0);
}

}  // namespace orrin
