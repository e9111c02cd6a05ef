#include <gtest/gtest.h>

#include "simulator/access.h"
#include "tests/exec/board_fixture.h"

namespace orrin {
namespace {

// Independent mode, each control input wired from its own level switch.
class IndependentBoard : public ::testing::Test {
 protected:
  Board b;
  Simulator& sim = b.sim;
  MachineState& s = Access(b.sim).machine;
  int nextSwitch = 0;
  int SwitchFor(int inputJack) {
    const int k = nextSwitch++;
    Join(sim, k, inputJack);
    return k;
  }
  void Raise(int k) {
    if (s.Levels.Position[static_cast<size_t>(k)] == 0) sim.ToggleLevelSwitch(k);
  }
  void Lower(int k) {
    if (s.Levels.Position[static_cast<size_t>(k)] == 1) sim.ToggleLevelSwitch(k);
  }
};

TEST_F(IndependentBoard, LoadsHappenInPhaseFiveAndShowInPhaseSix) {
  const int lir = SwitchFor(jack::LIR), pcinc = SwitchFor(jack::PCINC);
  PowerOn(sim);
  s.Mem.Cells[0] = 0x9C;
  s.Mem.Cells[1] = 0x33;
  Raise(lir);
  Raise(pcinc);
  Steps(sim, 4);
  EXPECT_EQ(s.Ir.IR, 0);
  EXPECT_EQ(s.Pc.PC, 0);
  Steps(sim, 1);  // phase 5: IR from the old PC, then PC + 1
  EXPECT_EQ(s.Ir.IR, 0x9C);
  EXPECT_EQ(s.Pc.PC, 1);
  EXPECT_EQ(s.Mem.FetchAddress, 0);
  EXPECT_EQ(s.Ir.Out, 0);  // the output follows at the level small beat
  EXPECT_EQ(sim.wires.Value(jack::IR7O), 0);
  Steps(sim, 1);
  EXPECT_EQ(s.Ir.Out, 0x9C);
  EXPECT_EQ(sim.wires.Value(jack::IR7O), 1);
  EXPECT_EQ(s.Pc.Out, 1);
}

TEST_F(IndependentBoard, MemoryWriteOnlyInPhaseFour) {
  const int memw = SwitchFor(jack::MEMW), sbus = SwitchFor(jack::SBUS);
  PowerOn(sim);
  sim.ToggleDataSwitch(0);
  sim.ToggleDataSwitch(5);  // 0x21
  Raise(sbus);
  Steps(sim, 4);
  Raise(memw);  // raised after phase 4: no write in this cycle
  Steps(sim, 2);
  EXPECT_EQ(s.Mem.Cells[0], 0);
  Steps(sim, 4);  // phase 4 of the next cycle
  EXPECT_EQ(s.Mem.Cells[0], 0x21);
  EXPECT_EQ(s.Mem.ShownCells[0], 0x21);
  // The write marked the memory views dirty and the same beat's refresh rebuilt them.
  EXPECT_EQ(Access(sim).panels.MemoryGridDirty, false);
  EXPECT_EQ(sim.view.Cell(WidgetId::StringGrid_MEM, 1, 1), "21");
}

TEST_F(IndependentBoard, KSwitchDuringARunActsAtTheNextSmallBeat) {
  const int lar = SwitchFor(jack::LAR);
  PowerOn(sim);
  sim.SpeedButtonQDClick();
  ASSERT_TRUE(sim.console.TimerActive);
  sim.ToggleLevelSwitch(lar);
  EXPECT_EQ(sim.view[WidgetId::Image_K0].picture, Pic::RSWH);
  EXPECT_EQ(sim.wires.Value(jack::LAR), 0);  // not evaluated yet
  sim.Timer_RUNTimer();
  EXPECT_EQ(sim.wires.Value(jack::LAR), 1);
}

TEST(StopRules, SingleBeatRunsOneCycle) {
  Board b;
  Simulator& sim = b.sim;
  PowerOn(sim);
  sim.Image_DPClick();
  sim.SpeedButtonQDClick();
  EXPECT_EQ(sim.console.Timer_RUN.intervalMs, 50);
  RunTimer(sim);
  EXPECT_EQ(sim.machine.Beat.StepCount, 7);  // phases 1..6 and the next 1 after power-on
  EXPECT_EQ(sim.console.Running, 0);
  sim.SpeedButtonQDClick();
  RunTimer(sim);
  EXPECT_EQ(sim.machine.Beat.StepCount, 13);
  sim.SpeedButtonCLRClick();
  sim.SpeedButtonQDClick();
  RunTimer(sim);
  EXPECT_EQ(sim.machine.Beat.StepCount, 7);
}

TEST(StopRules, ContinuousRunStopsAfterPhaseOneFollowingStop) {
  Board b;
  Simulator& sim = b.sim;
  sim.RadioButtonMicroProgramClick();
  PowerOn(sim);
  // 00 → 01 → 02 (STOP) → 03; the run stops right after phase 1 of word 03.
  SetWord(sim, 0, "0000000001");
  SetWord(sim, 1, "0000000002");
  SetWord(sim, 2, "0000020003");
  SetWord(sim, 3, "0000000003");
  sim.SpeedButtonQDClick();
  EXPECT_EQ(sim.console.Timer_RUN.intervalMs, 5);
  EXPECT_EQ(sim.console.StepsPerTick, 7);
  RunTimer(sim);
  EXPECT_EQ(sim.machine.Beat.StepCount, 6 * 3 + 1);
  EXPECT_EQ(sim.machine.Micro.MicroAddress, 3);
  EXPECT_EQ(sim.machine.Beat.StopCounter, 0);
  EXPECT_EQ(sim.console.Running, 0);
  EXPECT_FALSE(sim.console.Timer_RUN.enabled);
}

TEST(StopRules, DpDuringAContinuousRunStopsAtTheNextPhaseOne) {
  Board b;
  Simulator& sim = b.sim;
  sim.RadioButtonMicroProgramClick();
  PowerOn(sim);
  SetWord(sim, 0, "0000000000");  // loops on 00 forever
  sim.SpeedButtonQDClick();
  for (int i = 0; i < 10; ++i) sim.Timer_RUNTimer();
  sim.Image_DPClick();
  RunTimer(sim);
  EXPECT_EQ(sim.machine.Beat.BeatPhase, 1);
  EXPECT_EQ(sim.console.StepsPerTick, 7);
  EXPECT_FALSE(sim.console.Timer_RUN.enabled);
}

TEST(Reset, ClrKeepsMemoryAndRegistersAndRestartsAtWordZero) {
  Board b;
  Simulator& sim = b.sim;
  MachineState& s = Access(sim).machine;
  sim.RadioButtonMicroProgramClick();
  PowerOn(sim);
  s.Mem.Cells[7] = 0x42;
  s.Regs.R[2] = 0x17;
  s.Iar.IAR = 0x33;
  s.Micro.MicroAddress = 0x2D;
  s.Int.EN_INT = 1;
  s.Pc.PC = 9;
  sim.SpeedButtonCLRClick();
  EXPECT_EQ(s.Mem.Cells[7], 0x42);
  EXPECT_EQ(s.Regs.R[2], 0x17);
  EXPECT_EQ(s.Iar.IAR, 0x33);
  EXPECT_EQ(s.Pc.PC, 0);
  EXPECT_EQ(s.Int.EN_INT, 0);
  EXPECT_EQ(s.Micro.MicroAddress, 0);
  EXPECT_EQ(s.Beat.StepCount, 0);
  EXPECT_TRUE(s.Beat.AfterReset);
  // The first cycle executes word 00; the address shows 00 until the second phase 1.
  sim.Image_SWCClick();  // 1 0 0: word 00 leads to 09
  Steps(sim, 6);
  EXPECT_EQ(s.Micro.Shown.MicroAddress, 0);
  Steps(sim, 1);
  EXPECT_EQ(s.Micro.Shown.MicroAddress, 0x09);
  EXPECT_FALSE(s.Beat.AfterReset);
}

TEST(Reset, PowerOnClearsMemoryAndRegistersButKeepsStoreAndSwitches) {
  Board b;
  Simulator& sim = b.sim;
  MachineState& s = Access(sim).machine;
  sim.ToggleLevelSwitch(5);
  EXPECT_EQ(sim.view[WidgetId::Image_K5].picture, Pic::RSWH);
  EXPECT_EQ(s.Levels.Output[5], 0);
  PowerOn(sim);
  EXPECT_EQ(sim.wires.Value(5), 1);  // jack K5 follows the lever once powered
  s.Mem.Cells[1] = 9;
  s.Regs.R[1] = 9;
  SetWord(sim, 4, "1234567890");
  sim.SpeedButtonPOWERClick();
  EXPECT_EQ(sim.wires.Value(5), 0);
  EXPECT_EQ(s.Regs.R[1], 0);  // the power-off evaluation clears R0..R3
  PowerOn(sim);
  EXPECT_EQ(s.Mem.Cells[1], 0);
  EXPECT_EQ(FetchMicroword(s, 4), "1234567890");
  EXPECT_EQ(s.Levels.Position[5], 1);
  EXPECT_EQ(sim.wires.Value(jack::VCC2), 1);
  EXPECT_EQ(sim.wires.Value(jack::GND1), 0);
}

}  // namespace
}  // namespace orrin
