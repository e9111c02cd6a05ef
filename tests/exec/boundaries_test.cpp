// The edges of every counter and range of the board: registers that count
// past FF, the bus as the clock step loads from it, the STOP count at each
// phase, the micro-address at 3F, the first and last jack and control-store
// word, and the two ends of the playback range.
#include <gtest/gtest.h>

#include "simulator/access.h"
#include "tests/exec/board_fixture.h"

namespace orrin {
namespace {

using enum WidgetId;

// Independent mode; each control input gets its own level switch.
class Edges : public ::testing::Test {
 protected:
  Board b;
  Simulator& sim = b.sim;
  MachineState& s = Access(b.sim).machine;
  int nextSwitch = 0;
  // Wires a fresh level switch to each input and raises it.
  void Raise(std::initializer_list<int> inputs) {
    for (int input : inputs) {
      const int k = nextSwitch++;
      Join(sim, k, input);
      sim.ToggleLevelSwitch(k);
    }
  }
  void Type(WidgetId field, const char* text) {
    sim.view.Writable(field).text = text;
    sim.EditKeyPress(field, 13);
  }
  void DataSwitches(int value) {
    for (int i = 0; i < 8; ++i)
      if (((value >> i) & 1) != s.DataSw.Bits[static_cast<size_t>(i)]) sim.ToggleDataSwitch(i);
  }
};

TEST_F(Edges, PcAndArCountFromFfToZero) {
  Raise({jack::PCINC, jack::ARINC, jack::LIR});
  PowerOn(sim);
  s.Mem.Cells[0xFF] = 0xA7;
  Type(Edit_PC, "FF");
  Type(Edit_AR, "FF");
  Steps(sim, 5);  // phase 5 counts
  EXPECT_EQ(s.Pc.PC, 0x00);
  EXPECT_EQ(s.Ar.AR, 0x00);
  EXPECT_EQ(s.Pc.Mark, Change::Counted);
  EXPECT_EQ(s.Ar.Mark, Change::Counted);
  EXPECT_EQ(s.Ir.IR, 0xA7);  // fetched from FF before PC moved
  EXPECT_EQ(s.Mem.FetchAddress, 0xFF);
  Steps(sim, 1);
  EXPECT_EQ(sim.view[Edit_PC].text, "00");
  EXPECT_EQ(sim.view[Edit_AR].text, "00");
  Steps(sim, 6);
  EXPECT_EQ(s.Pc.PC, 0x01);
  EXPECT_EQ(s.Ar.AR, 0x01);
}

TEST_F(Edges, MemoryAtTheLastAddress) {
  Raise({jack::MBUS, jack::DRW});
  PowerOn(sim);
  s.Mem.Cells[0xFF] = 0x3C;
  Type(Edit_AR, "FF");
  Steps(sim, 6);
  EXPECT_EQ(s.Regs.R[0], 0x3C);
  EXPECT_EQ(sim.view[ListBox_MEM].lines.back(), "FF:00000000");  // the poke bypassed the views
  EXPECT_EQ(sim.view[StringGrid_MEM].currentRow, 16);
  EXPECT_EQ(sim.view[StringGrid_MEM].currentCol, 16);
}

// ALU (R0 + 1 with nothing on S, M, CIN), switches and IAR drive together.
TEST_F(Edges, RegistersArAndMemoryLoadTheOrOfTwoDrivers) {
  Raise({jack::ABUS, jack::SBUS, jack::DRW, jack::LAR, jack::MEMW});
  PowerOn(sim);
  DataSwitches(0x50);
  Steps(sim, 6);
  EXPECT_EQ(s.Mem.Cells[0x00], 0x51);  // written in phase 4 at AR = 00
  EXPECT_EQ(s.Regs.R[0], 0x51);
  EXPECT_EQ(s.Ar.AR, 0x51);
  EXPECT_EQ(s.Bus.Drivers[0], Drive::Drives);
  EXPECT_EQ(s.Bus.Drivers[2], Drive::Drives);
}

TEST_F(Edges, RegistersArAndMemoryLoadTheOrOfThreeDrivers) {
  Raise({jack::ABUS, jack::SBUS, jack::IABUS, jack::DRW, jack::LAR, jack::MEMW});
  PowerOn(sim);
  DataSwitches(0x50);
  Type(Edit_IAR, "0C");
  Steps(sim, 6);
  EXPECT_EQ(s.Mem.Cells[0x00], 0x5D);
  EXPECT_EQ(s.Regs.R[0], 0x5D);
  EXPECT_EQ(s.Ar.AR, 0x5D);
}

TEST_F(Edges, MemoryBeingWrittenDoesNotDriveTheBus) {
  Raise({jack::MBUS, jack::MEMW});
  PowerOn(sim);
  s.Mem.Cells[0x00] = 0x3C;
  sim.BoardEvaluation();
  EXPECT_EQ(s.Bus.Shown.Value, 0x00);
  EXPECT_EQ(s.Bus.Drivers[1], Drive::Released);
  Steps(sim, 2);
  EXPECT_EQ(s.Bus.Value, 0x00);
}

TEST_F(Edges, PcLoadsTheOrOfMemoryAndSwitches) {
  Raise({jack::MBUS, jack::SBUS, jack::LPC});
  PowerOn(sim);
  DataSwitches(0x50);
  s.Mem.Cells[0x00] = 0x21;
  Steps(sim, 6);
  EXPECT_EQ(s.Pc.PC, 0x71);
}

// K0 drives STOP: one cycle, then beats up to `phase`, K0 up, QD, the run.
void RunWithStopRaisedAfter(Simulator& sim, int phase, bool singleBeat) {
  Join(sim, 0, jack::STOP);
  PowerOn(sim);
  if (singleBeat) sim.Image_DPClick();
  Steps(sim, 6 + phase);
  sim.ToggleLevelSwitch(0);
  sim.SpeedButtonQDClick();
  RunTimer(sim);
}

// STOP raised from a level switch after the beat of phase `phase`: a
// continuous run ends at the first phase 1 at which STOP has been counted
// in more than four small beats.
TEST(StopCountEachPhase, ContinuousRunStopsAtTheFirstCycleStartAfterFiveCountedBeats) {
  // Small beats the run takes, by the phase after which STOP went up.
  constexpr int kBeatsToStop[7] = {0, 6, 5, 10, 9, 8, 7};
  for (int phase = 1; phase <= 6; ++phase) {
    SCOPED_TRACE(phase);
    Board b;
    Simulator& sim = b.sim;
    RunWithStopRaisedAfter(sim, phase, false);
    EXPECT_EQ(sim.machine.Beat.StepCount, 6 + phase + kBeatsToStop[phase]);
    EXPECT_EQ(sim.machine.Beat.BeatPhase, 1);
    EXPECT_EQ(sim.machine.Beat.StopCounter, 0);
    EXPECT_EQ(sim.console.Running, 0);
  }
}

TEST(StopCountEachPhase, SingleBeatModeEndsEveryCycleAndClearsTheCount) {
  for (int phase = 1; phase <= 6; ++phase) {
    SCOPED_TRACE(phase);
    Board b;
    Simulator& sim = b.sim;
    RunWithStopRaisedAfter(sim, phase, true);
    EXPECT_EQ(sim.machine.Beat.StepCount, 6 + 6 + 1);
    EXPECT_EQ(sim.machine.Beat.StopCounter, 0);
  }
}

TEST(StopCountEachPhase, SingleSmallBeatsClearTheCountWhereARunWouldStop) {
  Board b;
  Simulator& sim = b.sim;
  Join(sim, 0, jack::STOP);
  PowerOn(sim);
  Steps(sim, 6 + 3);
  sim.ToggleLevelSwitch(0);
  Steps(sim, 4);  // phase 1 with a count of 4: a run would go on
  EXPECT_EQ(sim.machine.Beat.StopCounter, 4);
  Steps(sim, 6);  // the next phase 1, counted 10 times
  EXPECT_EQ(sim.machine.Beat.StopCounter, 0);
  Steps(sim, 1);
  EXPECT_EQ(sim.machine.Beat.StopCounter, 1);  // STOP is still up
}

TEST(MicroAddress, CountsThroughThreeFToZero) {
  Board b;
  Simulator& sim = b.sim;
  sim.RadioButtonMicroProgramClick();
  SetWord(sim, 0x3E, "000000003F");
  SetWord(sim, 0x3F, "0000000000");
  PowerOn(sim);
  sim.view.Writable(Edit_uAR).text = "3E";
  sim.EditKeyPress(Edit_uAR, 13);
  Steps(sim, 7);
  EXPECT_EQ(sim.machine.Micro.MicroAddress, 0x3F);
  EXPECT_EQ(sim.view[Label_P4_MicroProStr].text, "3F:0000000000");
  Steps(sim, 6);
  EXPECT_EQ(sim.machine.Micro.MicroAddress, 0x00);
  EXPECT_EQ(sim.view[Edit_uAR].text, "00");
}

TEST(ControlStoreEnds, FirstAndLastWordsThroughTheGridAndTheFile) {
  Board b;
  Simulator& sim = b.sim;
  sim.view.SetCell(StringGrid_MicroMem, 1, 1, "1111111111");  // 00
  sim.view.SetCell(StringGrid_MicroMem, 8, 8, "3333333333");  // 3F
  sim.Button_GridToMicroClick();
  EXPECT_EQ(FetchMicroword(sim.machine, 0x00), "1111111111");
  EXPECT_EQ(FetchMicroword(sim.machine, 0x3F), "3333333333");
  EXPECT_EQ(FetchMicroword(sim.machine, 0x40), "1111111111");
  EXPECT_EQ(FetchMicroword(sim.machine, 0x7F), "3333333333");
}

TEST(JackEnds, TheFirstAndLastJacksAreFoundAndCarryValues) {
  Board b;
  Simulator& sim = b.sim;
  for (const JackPlace& p : BoardJacks()) EXPECT_EQ(sim.wires.HitTest(p.x, p.y), p.number) << p.name;
  const Jack& first = sim.wires.JackAt(0);
  const Jack& last = sim.wires.JackAt(jack::LIR);
  EXPECT_EQ(first.Name, "K0");
  EXPECT_EQ(last.Name, "LIR");
  Join(sim, 0, jack::LIR);
  Join(sim, jack::GND2, jack::CI);
  sim.ToggleLevelSwitch(0);
  PowerOn(sim);
  EXPECT_EQ(sim.wires.Value(jack::LIR), 1);
  EXPECT_EQ(sim.machine.Signals.Value[LIR], 1);
  EXPECT_EQ(sim.wires.Value(jack::CI), 0);
}

TEST(PlaybackEnds, TheOldestPositionDependsOnHowFullTheRingIs) {
  Board b;
  Simulator& sim = b.sim;
  PowerOn(sim);
  for (int i = 0; i < 49999; ++i) sim.StepSmallBeat();
  auto oldest = [&] {
    Access(sim).machine.Beat.ViewPos = 3;  // most of the way back at once
    for (int i = 0; i < 5; ++i) sim.SpeedButton_BackLeftClick();
    return sim.machine.Beat.ViewPos;
  };
  // Every beat is still kept, and position 0 shows that nothing is recorded.
  EXPECT_EQ(oldest(), 0);
  EXPECT_EQ(sim.view[Label_PK_StepNum].text, "0/49999");
  sim.Button_OneLittleStepClick();
  EXPECT_EQ(oldest(), 1);  // the ring is full: 1 is the oldest kept
  Access(sim).machine.Beat.ViewPos = 49999;
  sim.SpeedButton_BackRightClick();
  sim.SpeedButton_BackRightClick();
  EXPECT_EQ(sim.machine.Beat.ViewPos, 50000);
  EXPECT_EQ(sim.view[Label_PK_StepNum].text, "50000/50000");
}

}  // namespace
}  // namespace orrin
