#include <gtest/gtest.h>

#include <vector>

#include "base/memory_file.h"
#include "simulator/access.h"
#include "tests/app/perform.h"
#include "tests/exec/board_fixture.h"

namespace orrin {
namespace {

using enum WidgetId;

// What the board shows of a beat, compared between live stepping and playback.
struct Seen {
  int64_t view;
  int32_t phase, uar, pc, ar, ir, r0, r1, bus, c, z;
  std::string formula, stepLabel, lamp, t3;
  bool operator==(const Seen&) const = default;
};

Seen Look(const Simulator& sim) {
  const MachineState& s = sim.machine;
  return {s.Beat.ViewPos, s.Beat.Shown.BeatPhase, s.Micro.Shown.MicroAddress, s.Pc.Shown.PC, s.Ar.Shown.AR,
          s.Ir.Shown.IR, s.Regs.Shown.R[0], s.Regs.Shown.R[1], s.Bus.Shown.Value, s.Flags.Shown.C, s.Flags.Shown.Z,
          s.Alu.Shown.Formula,
          // the position shown, without the newest (which playback keeps)
          sim.view[Label_PK_StepNum].text.substr(0, sim.view[Label_PK_StepNum].text.find('/')),
          PicName(sim.view[Image_LIR].picture), PicName(sim.view[Image_T3_OUT].picture)};
}

// A small program: R0 = switches, then R0 + R1 in a loop, on the default microprogram.
class Playback : public ::testing::Test {
 protected:
  Board b;
  Simulator& sim = b.sim;
  MachineState& s = Access(b.sim).machine;
  void SetUp() override {
    sim.RadioButtonMicroProgramClick();
    WireSequencerInputs(sim);
    PowerOn(sim);
    s.Mem.Cells = {};
    s.Mem.Cells[0] = 0x14;  // opcode 1: R1 = R1 + R0 (RD = 01, RS = 00)
    s.Mem.Cells[1] = 0x90;  // opcode 9: PC = R0
    s.Mem.ShownCells = s.Mem.Cells;
  }
};

TEST_F(Playback, SteppingBackShowsExactlyWhatWasShownThen) {
  std::vector<Seen> seen;
  for (int i = 0; i < 200; ++i) {
    sim.Button_OneLittleStepClick();
    seen.push_back(Look(sim));
  }
  for (int k = 1; k <= 199; ++k) {
    sim.SpeedButton_BackLeftClick();
    EXPECT_EQ(Look(sim), seen[static_cast<size_t>(199 - k)]) << "back " << k;
  }
  for (int k = 1; k <= 199; ++k) sim.SpeedButton_BackRightClick();
  EXPECT_EQ(Look(sim), seen.back());
  EXPECT_EQ(sim.view[Label_PK_StepNum].text, "200/200");
}

TEST_F(Playback, PlaybackLeavesTheLiveMachineAlone) {
  Steps(sim, 60);
  const int32_t r1 = s.Regs.R[1], pc = s.Pc.PC;
  const int32_t uar = s.Micro.MicroAddress;
  for (int k = 0; k < 30; ++k) sim.SpeedButton_BackLeftClick();
  EXPECT_EQ(sim.view[Label_PK_StepNum].text, "30/60");
  EXPECT_EQ(s.Regs.R[1], r1);
  EXPECT_EQ(s.Pc.PC, pc);
  EXPECT_EQ(s.Micro.MicroAddress, uar);
  sim.Button_OneLittleStepClick();  // back to the live state, one beat on
  EXPECT_EQ(s.Beat.ViewPos, 61);
  EXPECT_EQ(sim.view[Label_PK_StepNum].text, "61/61");
  EXPECT_EQ(s.Regs.Shown.R[1], s.Regs.R[1]);
  EXPECT_FALSE(sim.trace.PlaybackShown);
}

TEST_F(Playback, AnyEvaluationEndsAPlayback) {
  Steps(sim, 12);
  const Seen now = Look(sim);
  sim.SpeedButton_BackLeftClick();
  sim.SpeedButton_BackLeftClick();
  EXPECT_NE(Look(sim), now);
  sim.Image_SWAClick();
  sim.Image_SWAClick();
  EXPECT_EQ(s.Beat.ViewPos, 12);
  EXPECT_EQ(Look(sim).pc, now.pc);
}

// Independent mode: K0 drives SBUS, K1 DRW; the data switches hold 5A.
class ActingDuringPlayback : public ::testing::Test {
 protected:
  Board b;
  Simulator& sim = b.sim;
  MachineState& s = Access(b.sim).machine;
  void SetUp() override {
    Join(sim, 0, jack::SBUS);
    Join(sim, 1, jack::DRW);
    PowerOn(sim);
    for (int bit : {1, 3, 4, 6}) sim.ToggleDataSwitch(bit);
  }
};

TEST_F(ActingDuringPlayback, ABeatAfterBackUsesTheLiveSwitches) {
  sim.ToggleLevelSwitch(1);
  Steps(sim, 2);
  sim.ToggleLevelSwitch(0);
  Steps(sim, 1);
  sim.SpeedButton_BackLeftClick();  // shows beat 2, with K0 still down
  Steps(sim, 2);                    // to phase 5: R0 latches the bus
  EXPECT_EQ(s.Regs.R[0], 0x5A);
  EXPECT_EQ(sim.view[Edit_R0].text, "5A");
  EXPECT_EQ(sim.trace.At(5).snapshot.Jacks[0], 1);  // the trace holds K0 up
}

TEST_F(ActingDuringPlayback, ASwitchFlippedOverAnOlderPositionIsEvaluatedWithItsNewLevel) {
  sim.ToggleLevelSwitch(1);
  Steps(sim, 2);
  sim.SpeedButton_BackLeftClick();
  sim.ToggleLevelSwitch(0);
  EXPECT_EQ(s.Beat.ViewPos, 2);
  EXPECT_EQ(sim.wires.Value(jack::SBUS), 1);
  EXPECT_EQ(s.Bus.Shown.Value, 0x5A);
  EXPECT_EQ(sim.view[Image_K0].picture, Pic::RSWH);
}

TEST_F(ActingDuringPlayback, OlderPositionsShowTheSwitchesAsTheyWere) {
  Steps(sim, 2);
  sim.ToggleLevelSwitch(0);
  sim.ToggleDataSwitch(0);  // 5B
  Steps(sim, 1);
  sim.SpeedButton_BackLeftClick();
  EXPECT_EQ(sim.view[Image_K0].picture, Pic::RSWL);
  EXPECT_EQ(sim.view[Label_PKEY_SD].text, "5A");
  EXPECT_EQ(s.Levels.Position[0], 1);  // the live switches stay as set
  sim.SpeedButton_BackRightClick();
  EXPECT_EQ(sim.view[Image_K0].picture, Pic::RSWH);
  EXPECT_EQ(sim.view[Label_PKEY_SD].text, "5B");
}

TEST_F(ActingDuringPlayback, ClrAndEditsShowTheLiveStateAtOnce) {
  Join(sim, 2, jack::MEMW);  // (joined with the power on: the store is the wire editor's)
  sim.ToggleLevelSwitch(0);
  sim.ToggleLevelSwitch(2);
  Steps(sim, 6);  // 5A written to 00 in beat 4
  sim.ToggleLevelSwitch(2);
  ASSERT_EQ(s.Mem.Cells[0], 0x5A);
  for (int i = 0; i < 4; ++i) sim.SpeedButton_BackLeftClick();
  EXPECT_EQ(sim.view.Cell(StringGrid_MEM, 1, 1), "00");
  sim.view.Writable(Edit_R3).text = "C3";
  sim.EditKeyPress(Edit_R3, 13);
  EXPECT_EQ(sim.view[Edit_R3].text, "C3");
  EXPECT_EQ(s.Regs.Shown.R[3], 0xC3);
  for (int i = 0; i < 4; ++i) sim.SpeedButton_BackLeftClick();
  sim.SpeedButtonCLRClick();
  EXPECT_EQ(s.Beat.ViewPos, 0);
  EXPECT_EQ(s.Mem.ShownCells[0], 0x5A);
  EXPECT_EQ(sim.view.Cell(StringGrid_MEM, 1, 1), "5A");
  EXPECT_EQ(sim.view[ListBox_MEM].lines[0], "00:01011010");
}

TEST_F(ActingDuringPlayback, GridSaveOverAnOlderMemoryTakesOnlyTheTypedCells) {
  Join(sim, 2, jack::MEMW);
  sim.ToggleLevelSwitch(0);
  sim.ToggleLevelSwitch(2);
  Steps(sim, 6);
  sim.ToggleLevelSwitch(2);
  for (int i = 0; i < 5; ++i) sim.SpeedButton_BackLeftClick();
  ASSERT_EQ(sim.view.Cell(StringGrid_MEM, 1, 1), "00");  // before the write
  sim.view.SetCell(StringGrid_MEM, 2, 1, "77");
  sim.Button_GridToMEMClick();
  EXPECT_EQ(s.Mem.Cells[0], 0x5A);  // the later write stays
  EXPECT_EQ(s.Mem.Cells[1], 0x77);
  EXPECT_EQ(s.Beat.ViewPos, 6);
  EXPECT_EQ(sim.view.Cell(StringGrid_MEM, 1, 1), "5A");
}

TEST(StopCount, ARunAfterSingleBeatsThroughStopIsNotCutShort) {
  Board b;
  Simulator& sim = b.sim;
  sim.RadioButtonMicroProgramClick();
  SetWord(sim, 0, "0000020001");  // STOP, then word 01
  SetWord(sim, 1, "0000000002");  // 01 -> 02 -> 03 ...
  SetWord(sim, 2, "0000000003");
  SetWord(sim, 3, "0000000004");
  PowerOn(sim);
  Steps(sim, 6 + 6 + 1);  // the reset cycle, the STOP word, into the next cycle
  sim.SpeedButtonQDClick();
  RunTimer(sim);
  // Without a fresh count the run would end after the first word.
  EXPECT_GE(sim.machine.Beat.StepCount, 13 + 6 * 2);
}

TEST(PlaybackMemory, OlderPositionsUndoLaterWrites) {
  Board b;
  Simulator& sim = b.sim;
  MachineState& s = Access(sim).machine;
  Join(sim, 0, jack::MEMW);
  Join(sim, 1, jack::SBUS);
  PowerOn(sim);
  sim.ToggleLevelSwitch(0);
  sim.ToggleLevelSwitch(1);
  sim.ToggleDataSwitch(0);  // 01 written in beat 4
  Steps(sim, 6);
  sim.ToggleDataSwitch(1);  // 03 written in beat 10
  Steps(sim, 6);
  EXPECT_EQ(s.Mem.Cells[0], 3);
  auto shownAt = [&](int64_t pos) {
    while (s.Beat.ViewPos > pos) sim.SpeedButton_BackLeftClick();
    while (s.Beat.ViewPos < pos) sim.SpeedButton_BackRightClick();
    return s.Mem.ShownCells[0];
  };
  EXPECT_EQ(shownAt(7), 1);
  EXPECT_EQ(shownAt(3), 0);
  EXPECT_EQ(shownAt(10), 3);
  EXPECT_EQ(shownAt(4), 1);
  EXPECT_EQ(s.Mem.Cells[0], 3);
  // The memory views show the older position, rebuilt by the playback's refresh.
  EXPECT_EQ(sim.view.Cell(WidgetId::StringGrid_MEM, 1, 1), "01");
  sim.Button_OneLittleStepClick();
  EXPECT_EQ(s.Mem.ShownCells[0], 3);
}

TEST(PlaybackRange, LeftArrowStopsAtTheOldestKeptBeat) {
  Board b;
  Simulator& sim = b.sim;
  PowerOn(sim);
  for (int i = 0; i < 60000; ++i) sim.StepSmallBeat();
  for (int i = 0; i < 10; ++i) sim.SpeedButton_BackLeftClick();
  EXPECT_EQ(sim.machine.Beat.ViewPos, 59990);
  Access(sim).machine.Beat.ViewPos = 10003;  // skip most of the way back
  for (int i = 0; i < 5; ++i) sim.SpeedButton_BackLeftClick();
  EXPECT_EQ(sim.machine.Beat.ViewPos, 10001);
  EXPECT_EQ(sim.view[Label_PK_StepNum].text, "10001/60000");
  EXPECT_EQ(sim.machine.Beat.Shown.BeatPhase, (10001 - 1) % 6 + 1);
}

TEST(PlaybackArrows, HoldingRepeatsAndReleasingStops) {
  Board b;
  Simulator& sim = b.sim;
  PowerOn(sim);
  Steps(sim, 20);
  sim.PlaybackArrowDown(-1);
  EXPECT_TRUE(sim.trace.Timer_Trigger.enabled);
  sim.Timer_TriggerTimer();
  EXPECT_FALSE(sim.trace.Timer_Trigger.enabled);
  EXPECT_TRUE(sim.trace.Timer_RecotdBackPlay.enabled);
  for (int i = 0; i < 5; ++i) sim.Timer_RecotdBackPlayTimer();
  EXPECT_EQ(sim.machine.Beat.ViewPos, 15);
  sim.PlaybackArrowUp();
  EXPECT_FALSE(sim.trace.Timer_RecotdBackPlay.enabled);
  EXPECT_EQ(sim.trace.PlaybackDirection, 0);
  sim.PlaybackArrowDown(+1);
  sim.Timer_TriggerTimer();
  for (int i = 0; i < 10; ++i) sim.Timer_RecotdBackPlayTimer();
  EXPECT_EQ(sim.machine.Beat.ViewPos, 20);  // stops at the newest beat
  sim.PlaybackArrowUp();
  EXPECT_FALSE(sim.trace.Timer_Trigger.enabled);
  EXPECT_FALSE(sim.trace.Timer_RecotdBackPlay.enabled);
}

TEST(PlaybackPulse, PulseWhileIdleRewritesTheNewestEntry) {
  Board b;
  Simulator& sim = b.sim;
  PowerOn(sim);
  Access(sim).machine.Int.EN_INT = 1;
  Steps(sim, 3);
  sim.SpeedButton_PULSEClick();
  Steps(sim, 1);
  sim.SpeedButton_BackLeftClick();
  EXPECT_EQ(sim.machine.Beat.ViewPos, 3);
  EXPECT_EQ(sim.machine.Int.Shown.INTQ, 1);
}

TEST(LongRuns, StepNumbersPassTwoToTheThirtyOne) {
  Board b;
  Simulator& sim = b.sim;
  PowerOn(sim);
  Access(sim).machine.Beat.StepCount = Access(sim).machine.Beat.ViewPos = (int64_t{1} << 31) - 2;
  Steps(sim, 4);
  EXPECT_EQ(sim.machine.Beat.StepCount, (int64_t{1} << 31) + 2);
  EXPECT_EQ(sim.view[Label_PK_StepNum].text, "2147483650/2147483650");
  sim.SpeedButton_BackLeftClick();
  EXPECT_EQ(sim.machine.Beat.ViewPos, (int64_t{1} << 31) + 1);
}

// Memory and control-store changes made between beats are part of the past:
// an older position shows what the memory and the controller held then.
TEST_F(Playback, ChangesBetweenBeatsShowAtThePositionsAfterThem) {
  SetWord(sim, 0x00, "0000020000");        // word 00 does nothing and stays at 00
  sim.view.Writable(Edit_AR).text = "10";  // the data port shows cell 10
  sim.EditKeyPress(Edit_AR, 13);
  Steps(sim, 3);
  // After beat 3 a grid save writes cell 10; after beat 5 a file load sets
  // the whole memory, and the control store changes its word 00.
  sim.view.SetCell(StringGrid_MEM, 1, 2, "AA");
  sim.Button_GridToMEMClick();
  Steps(sim, 2);
  MemoryImage image{};
  image[0x10] = 0xBB;
  image[0x20] = 0xCC;
  Access(sim).trace.KeepMemory(s);
  s.Mem.Cells = s.Mem.ShownCells = image;
  Access(sim).panels.MemoryGridDirty = true;
  sim.view.SetCell(StringGrid_MicroMem, 1, 1, "4010028002");
  sim.Button_GridToMicroClick();
  Steps(sim, 1);
  // Edits made after the newest beat are on the live board too.
  sim.view.SetCell(StringGrid_MEM, 1, 4, "DD");
  sim.Button_GridToMEMClick();

  struct Then {
    int64_t pos;
    uint8_t cell10, cell20;
    const char* micro;
  };
  const Then then[] = {{2, 0x00, 0x00, "00:0000020000"}, {3, 0x00, 0x00, "00:0000020000"},
                       {4, 0xAA, 0x00, "00:0000020000"}, {5, 0xAA, 0x00, "00:0000020000"},
                       {6, 0xBB, 0xCC, "00:4010028002"}, {5, 0xAA, 0x00, "00:0000020000"}};
  sim.SpeedButton_BackLeftClick();
  for (const Then& t : then) {
    sim.ShowPosition(t.pos);
    EXPECT_EQ(s.Beat.ViewPos, t.pos);
    EXPECT_EQ(s.Mem.ShownCells[0x10], t.cell10) << t.pos;
    EXPECT_EQ(s.Mem.ShownCells[0x20], t.cell20) << t.pos;
    EXPECT_EQ(sim.view.Cell(StringGrid_MEM, 1, 2), std::string(Hex2(t.cell10).view())) << t.pos;
    EXPECT_EQ(sim.view[Label_MEMLONum].text, std::string(Hex2(t.cell10).view())) << t.pos;
    EXPECT_EQ(sim.view[Label_P4_MicroProStr].text, t.micro) << t.pos;
  }
  // Arrowing forward to the newest position shows the live board, with the
  // edit made after the last beat.
  sim.SpeedButton_BackRightClick();
  EXPECT_EQ(s.Beat.ViewPos, 6);
  EXPECT_FALSE(sim.trace.PlaybackShown);
  EXPECT_EQ(sim.view.Cell(StringGrid_MEM, 1, 4), "DD");
  EXPECT_EQ(s.Mem.ShownCells, s.Mem.Cells);
}

TEST_F(Playback, AResetForgetsTheChangesOfTheOldPositions) {
  Steps(sim, 2);
  sim.view.SetCell(StringGrid_MEM, 1, 2, "AA");
  sim.Button_GridToMEMClick();
  sim.SpeedButtonCLRClick();
  EXPECT_TRUE(sim.trace.MemoryEdits().empty());
  Steps(sim, 4);
  sim.ShowPosition(2);
  EXPECT_EQ(s.Mem.ShownCells[0x10], 0xAA) << "the save came before this beat 2";
}

TEST_F(Playback, AResetForgetsTheOldChangesOfTheControlStoreToo) {
  SetWord(sim, 0x00, "0000020000");
  Steps(sim, 5);
  // Saved after beat 5 of the old count; after CLR beat 2 is new, and later.
  sim.view.SetCell(StringGrid_MicroMem, 1, 1, "4010028002");
  sim.Button_GridToMicroClick();
  sim.SpeedButtonCLRClick();
  Steps(sim, 4);
  sim.ShowPosition(2);
  EXPECT_EQ(sim.view[Label_P4_MicroProStr].text, "00:4010028002");
}

TEST(PlaybackCommands, EveryCommandButReadsAndArrowsEndsIt) {
  // Each command, after two back clicks from beat 6, must show the newest
  // position; the reads and the arrows must not.
  struct Case {
    std::string command;
    bool ends;
  };
  const Case cases[] = {{"answer yes", true},
                        {"mem-cell 10 5", true},
                        {"micro-cell 00 0000020000", true},
                        {"run", true},
                        {"tick 3", true},
                        {"mode hardwired", false},  // a disabled button: the click does nothing,
                        {"print Edit_R0", false},
                        {"dump", false},
                        {"expect R0=00", false},
                        {"move 5 5", false},
                        {"export-trace /dev/null.csv 1 2", false}};
  for (const Case& c : cases) {
    const Outcome o =
        Perform("power\nstep\nstep\nstep\nstep\nstep\nstep\nback\nback\n" + c.command + "\nprint Label_PK_StepNum\n");
    EXPECT_NE(o.out.find(c.ends ? "Label_PK_StepNum=6/6" : "Label_PK_StepNum=4/6"), std::string::npos)
        << c.command << "\n"
        << o.out << o.err;
  }
}

TEST(PcAdd, TheOffsetIsWhatIrPublishedNotWhatLirLoadsAtTheSameEdge) {
  Board b;
  Simulator& sim = b.sim;
  sim.RadioButtonMicroProgramClick();
  WireSequencerInputs(sim);
  PowerOn(sim);
  // IR already holds 03 when one word both loads IR (LIR) and adds (PCADD):
  // the edge-triggered IR still offers 03 to the adder while it takes 0C.
  Access(sim).machine.Ir.IR = Access(sim).machine.Ir.Shown.IR = Access(sim).machine.Ir.Out = 0x03;
  Access(sim).machine.Mem.Cells[0] = Access(sim).machine.Mem.ShownCells[0] = 0x0C;
  SetWord(sim, 0x00, "8000040000");  // PCADD (M39) and LIR (M18), next address 00
  sim.BoardEvaluation();
  Steps(sim, 6);
  EXPECT_EQ(sim.machine.Ir.IR, 0x0C);
  EXPECT_EQ(sim.machine.Pc.PC, 0x03);
}

}  // namespace
}  // namespace orrin
