// The rules of the board's units, each on its own record: what a clock edge
// does with which control signals, and what a three-state source offers.
#include "units/units.h"

#include <gtest/gtest.h>

namespace orrin {
namespace {

SignalValues Signals(std::initializer_list<Sig> up) {
  SignalValues sig{};
  for (Sig s : up) sig[static_cast<size_t>(s)] = 1;
  return sig;
}

TEST(Values, LatchingAndActiveSignals) {
  EXPECT_EQ(Latch8(NoValue), 0);     // an undriven input latches 0
  EXPECT_EQ(Latch8(Released), 255);  // a released bus latches 255
  EXPECT_EQ(Latch8(0x1A5), 0xA5);
  EXPECT_TRUE(Active(1));
  EXPECT_FALSE(Active(2));  // only exactly 1 counts
  EXPECT_FALSE(Active(NoValue));
  EXPECT_EQ(Offer(Drive::Drives, 7), 7);
  EXPECT_EQ(Offer(Drive::Released, 7), Released);
}

TEST(Pc, CountLoadAndAddInThatOrderAllWrapping) {
  struct Case {
    std::initializer_list<Sig> up;
    int32_t pc, bus, ir;
    int32_t expected;
    Change mark;
  };
  const Case cases[] = {
      {{PCINC}, 0x41, 0x10, 0x0F, 0x42, Change::Counted},
      {{PCINC}, 0xFF, 0, 0, 0x00, Change::Counted},  // wraps at FF
      {{PCINC, LPC, PCADD}, 0x41, 0x10, 0x0F, 0x42, Change::Counted},
      {{LPC, PCADD}, 0x41, 0x10, 0x0F, 0x10, Change::Loaded},
      {{LPC}, 0x41, NoValue, 0, 0x00, Change::Loaded},
      {{LPC}, 0x41, Released, 0, 0xFF, Change::Loaded},
      {{PCADD}, 0xF5, 0, 0xAF, 0x04, Change::Added},  // the offset IR3..IR0, unsigned, wraps
      {{}, 0x41, 0x10, 0x0F, 0x41, Change::None},
  };
  for (const Case& c : cases) {
    PcUnit pc;
    pc.PC = c.pc;
    SetPcControls(pc, Signals(c.up), LevelRising);
    ClockPc(pc, c.bus, c.ir, true, false);
    EXPECT_EQ(pc.PC, c.expected) << c.pc;
    EXPECT_EQ(pc.Mark, c.mark);
    EXPECT_EQ(pc.Out, 0) << "the output follows at a level beat";
    ClockPc(pc, c.bus, c.ir, false, true);
    EXPECT_EQ(pc.Out, c.expected);
  }
  // Without the rising edge nothing moves.
  PcUnit pc;
  SetPcControls(pc, Signals({PCINC}), LevelHigh);
  ClockPc(pc, 0, 0, false, true);
  EXPECT_EQ(pc.PC, 0);
}

TEST(Pc, OnlyTheWinningActionIsDrawnAndEditsAndClearReachEveryCopy) {
  PcRecord r;
  r.PCINC = r.LPC = 1;
  PcActions a = WinningPcAction(r);
  EXPECT_TRUE(a.count && !a.load && !a.add && a.conflict);
  r.PCINC = 0;
  r.PCADD = 1;
  a = WinningPcAction(r);
  EXPECT_TRUE(!a.count && a.load && !a.add && a.conflict);
  r.LPC = 0;
  a = WinningPcAction(r);
  EXPECT_TRUE(a.add && !a.conflict);
  PcUnit pc;
  EditPc(pc, 0x3C);
  EXPECT_EQ(pc.PC + pc.Out + pc.Shown.PC + pc.Shown.Out, 4 * 0x3C);
  pc.Mark = pc.Shown.Mark = Change::Added;
  ResetPc(pc);
  EXPECT_EQ(pc.PC + pc.Out + pc.Shown.PC + pc.Shown.Out, 0);
  EXPECT_EQ(pc.Shown.Mark, Change::None);
}

TEST(Ar, CountingWinsOverLoadingAndWraps) {
  struct Case {
    std::initializer_list<Sig> up;
    int32_t ar, expected;
    Change mark;
  };
  for (const Case& c : {Case{{ARINC, LAR}, 0x10, 0x11, Change::Counted}, Case{{ARINC}, 0xFF, 0x00, Change::Counted},
                        Case{{LAR}, 0x10, 0x5A, Change::Loaded}, Case{{}, 0x10, 0x10, Change::None}}) {
    ArUnit ar;
    ar.AR = c.ar;
    SetArControls(ar, Signals(c.up), LevelRising);
    ClockAr(ar, 0x5A, true);
    EXPECT_EQ(ar.AR, c.expected);
    EXPECT_EQ(ar.Mark, c.mark);
    EXPECT_EQ(ar.Out, c.expected);
  }
}

TEST(RegisterFile, RdWritesAtTheRisingEdgeAndThePortsShowRdAndRs) {
  RegisterFile rf;
  rf.R = {0x10, 0x11, 0x12, 0x13};
  SelectRegisters(rf, Signals({DRW, RD1, RS0}));  // RD = 10, RS = 01
  EXPECT_EQ(rf.Select, (std::array<int16_t, 4>{0, 0, 1, 0}));
  WriteRegister(rf, 0x77, false);
  EXPECT_EQ(rf.R[2], 0x12);
  WriteRegister(rf, 0x77, true);
  EXPECT_EQ(rf.R[2], 0x77);
  EXPECT_TRUE(rf.Written[2]);
  ReadRegisterPorts(rf);
  EXPECT_EQ(rf.APort, 0x77);
  EXPECT_EQ(rf.BPort, 0x11);
  SelectRegisters(rf, Signals({RD0}));  // DRW down: no write
  WriteRegister(rf, 0x99, true);
  EXPECT_EQ(rf.R[1], 0x11);
}

TEST(Flags, LoadAtTheRisingEdgeFromTheAlusActiveLowCarry) {
  FlagUnit f;
  AluUnit alu;
  alu.F = 0;
  alu.Cn4 = 0;  // active low: a carry
  ClockFlags(f, alu, Signals({LDC, LDZ}), false);
  EXPECT_EQ(f.C + f.Z, 0);
  ClockFlags(f, alu, Signals({LDC, LDZ}), true);
  EXPECT_EQ(f.C, 1);
  EXPECT_EQ(f.Z, 1);
  EXPECT_TRUE(f.CLoaded && f.ZLoaded);
  alu.F = 3;
  alu.Cn4 = 1;
  ClockFlags(f, alu, Signals({LDZ}), true);
  EXPECT_EQ(f.Z, 0);
  EXPECT_EQ(f.C, 1) << "LDC down: C keeps";
}

TEST(Interrupt, EnableWinsOverDisableAtLevelBeats) {
  struct Case {
    std::initializer_list<Sig> up;
    int32_t before;
    bool level;
    int32_t after;
  };
  for (const Case& c : {Case{{INTEN, INTDI}, 0, true, 1}, Case{{INTDI}, 1, true, 0}, Case{{INTEN}, 0, false, 0},
                        Case{{}, 1, true, 1}}) {
    InterruptUnit in;
    in.EN_INT = c.before;
    SetInterruptControls(in, Signals(c.up));
    ClockInterruptEnable(in, c.level);
    EXPECT_EQ(in.EN_INT, c.after);
    EXPECT_EQ(in.Changed, c.before != c.after);
  }
}

TEST(Memory, WritesOnlyInPhaseFourAndReadsOnlyWhenNotWriting) {
  const BeatRecord phases[6] = {
      {LevelRising, LevelLow, LevelFalling, 1, EdgeBeat}, {LevelHigh, LevelLow, LevelLow, 2, LevelBeat},
      {LevelFalling, LevelRising, LevelLow, 3, EdgeBeat}, {LevelLow, LevelHigh, LevelLow, 4, LevelBeat},
      {LevelLow, LevelFalling, LevelRising, 5, EdgeBeat}, {LevelLow, LevelLow, LevelHigh, 6, LevelBeat}};
  for (const BeatRecord& beat : phases) {
    MemoryUnit mem;
    mem.Cells[0xFF] = 1;
    const bool wrote = WriteMemory(mem, Signals({MEMW}), beat, 0x1FF, Released);
    EXPECT_EQ(wrote, beat.BeatPhase == 4);
    EXPECT_EQ(mem.Cells[0xFF], wrote ? 0xFF : 1) << "phase " << beat.BeatPhase;
    if (wrote) {
      EXPECT_EQ(mem.WriteOld, 1);
    }
  }
  EXPECT_TRUE(MemoryReads(Signals({MBUS})));
  EXPECT_FALSE(MemoryReads(Signals({MBUS, MEMW})));
}

TEST(Bus, TheOrOfTheSourcesThatDrive) {
  BusRecord bus;
  DriveBus(bus, {0x0F, Released, 0x30, NoValue});
  EXPECT_EQ(bus.Value, 0x3F);
  EXPECT_EQ(bus.Drivers, (std::array<Drive, 4>{Drive::Drives, Drive::Released, Drive::Drives, Drive::Released}));
  DriveBus(bus, {Released, Released, Released, Released});
  EXPECT_EQ(bus.Value, 0);
}

TEST(Gates, AluIrAndIarLatchWhatTheyOffer) {
  GateRecord gate;
  SetAluGate(gate, Signals({ABUS}), 0x1A5, false);
  EXPECT_EQ(GateOffer(gate), 0) << "an edge keeps the latched value";
  SetAluGate(gate, Signals({ABUS}), 0x1A5, true);
  EXPECT_EQ(GateOffer(gate), 0xA5);
  SetAluGate(gate, Signals({}), 0x11, true);
  EXPECT_EQ(GateOffer(gate), Released);

  MemoryUnit mem;
  mem.Cells[0x20] = 0xE0;
  IrUnit ir;
  SetIrControls(ir, Signals({LIR}), LevelRising);
  ClockIr(ir, mem, 0x120, true);
  EXPECT_EQ(ir.IR, 0xE0);
  EXPECT_EQ(mem.FetchAddress, 0x20);

  IarUnit iar;
  SetIarControls(iar, Signals({LIAR, IABUS}), LevelRising);
  EXPECT_EQ(iar.Gate, Drive::Drives);
  ClockIar(iar, 0x42, true);
  EXPECT_EQ(iar.IAR, 0x42);
  EXPECT_EQ(Offer(iar.NextGate, iar.NextValue), 0x42) << "offered from the next small beat on";
}

}  // namespace
}  // namespace orrin

namespace orrin {
namespace {

// The console's own edits of unit records are the units' rules too.
TEST(Units, PulseRequestsOnlyWhileEnabledAndSwitchesFlipWhatTheyDrive) {
  InterruptUnit in;
  RequestInterrupt(in);
  EXPECT_EQ(in.INTQ, 0) << "interrupts disabled: PULSE is lost";
  EditInterruptEnable(in, 1);
  RequestInterrupt(in);
  EXPECT_EQ(in.INTQ, 1);
  EXPECT_EQ(in.Shown.INTQ, 1);
  EditInterruptEnable(in, 0);
  RequestInterrupt(in);
  EXPECT_EQ(in.INTQ, 1) << "a pending request stays";

  DataSwitches ds;
  FlipDataSwitch(ds, 0);
  FlipDataSwitch(ds, 5);
  EXPECT_EQ(ds.Value, 0x21);
  EXPECT_EQ(ds.DrivenValue, 0x21);
  FlipDataSwitch(ds, 5);
  EXPECT_EQ(ds.DrivenValue, 0x01);

  LevelSwitches ls;
  FlipLevelSwitch(ls, 3, true);
  EXPECT_EQ(ls.Output[3], 1);
  FlipLevelSwitch(ls, 4, false);
  EXPECT_TRUE(ls.Position[3] && ls.Position[4]);
  EXPECT_EQ(ls.Output[3], 0) << "with the power off every output is low";
  EXPECT_EQ(ls.ShownOutput[4], 0);
}

}  // namespace
}  // namespace orrin
