// The machine core without a view: the one combinational pass on what the
// board shows (an evaluation) and on the live records (a small beat), and
// the clock step.
#include "machine/core.h"

#include <gtest/gtest.h>

namespace orrin {
namespace {

struct Bench {
  WireStore wires;
  Core core;
  ControllerMode mode = ControllerMode::Independent;
  Controllers controllers;
  bool power = true;
  Surroundings S() { return {wires, controllers.Of(mode), power, 0, 0, 0}; }
  Bench() {
    core.PowerOn();
    core.Evaluate(S());
  }
  void Wire(int k, int input, int32_t level) {
    wires.Add(jack::K0 + k, input, 0);
    core.Levels.Output[static_cast<size_t>(k)] = core.Levels.ShownOutput[static_cast<size_t>(k)] = level;
  }
  void Steps(int n) {
    for (int i = 0; i < n; ++i) core.Step(S());
  }
};

TEST(Core, EachSmallBeatMovesThePhaseAndTheBeatLines) {
  Bench b;
  struct Row {
    int32_t t1, t2, t3;
    bool level;
  };
  const Row rows[6] = {{LevelRising, LevelLow, LevelFalling, false}, {LevelHigh, LevelLow, LevelLow, true},
                       {LevelFalling, LevelRising, LevelLow, false}, {LevelLow, LevelHigh, LevelLow, true},
                       {LevelLow, LevelFalling, LevelRising, false}, {LevelLow, LevelLow, LevelHigh, true}};
  for (int cycle = 0; cycle < 2; ++cycle) {
    for (int p = 0; p < 6; ++p) {
      b.Steps(1);
      const BeatGen& g = b.core.Beat;
      EXPECT_EQ(g.BeatPhase, p + 1);
      EXPECT_EQ(g.T1, rows[p].t1);
      EXPECT_EQ(g.T2, rows[p].t2);
      EXPECT_EQ(g.T3, rows[p].t3);
      EXPECT_EQ(g.BeatLevel == LevelBeat, rows[p].level);
      EXPECT_EQ(g.Shown.T3, g.T3);
      EXPECT_EQ(b.core.AtCycleStart(), cycle == 1 && p == 0) << "the first cycle after a reset";
    }
  }
  EXPECT_EQ(b.core.Beat.StepCount, 12);
}

TEST(Core, SignalsComeFromTheSelectedController) {
  Bench b;
  b.Wire(0, jack::LDC, 1);
  b.Wire(1, jack::LAR, 0);
  b.core.Evaluate(b.S());
  EXPECT_EQ(b.core.Signals.Value[LDC], 1);
  EXPECT_EQ(b.core.Signals.Value[LAR], 0);
  EXPECT_EQ(b.core.Signals.Value[LIR], 0) << "an unwired input gives 0, not NoValue";
  b.mode = ControllerMode::Microprogram;
  b.core.Evaluate(b.S());  // word 00 of the standard microprogram: P0 and next 01
  EXPECT_EQ(b.core.Signals.Value[LDC], 0);
  EXPECT_EQ(b.core.Micro.Decode.Bit(mbit::P0), 1);
  EXPECT_EQ(b.core.Micro.NextMicroAddress, 0x01);
  b.mode = ControllerMode::HardWired;
  b.core.Micro.MicroAddress = 0x01;  // LIR and PCINC in the word
  b.core.Evaluate(b.S());
  for (int32_t s : b.core.Signals.Value) EXPECT_EQ(s, 0);
  EXPECT_EQ(b.core.Signals.Shown, b.core.Signals.Value);
}

// A controller of its own: the core asks it for the signals in every pass
// and steps it only where the sequencer loads the micro-address.
struct CountingController final : Controller {
  int edges = 0;
  void FormSignals(const ControllerInputs&, SignalValues& signals) const override { signals[LIR] = 1; }
  void ClockEdge(const ControllerInputs&) override { ++edges; }
};

TEST(Core, AControllerFormsTheSignalsAndStepsOncePerMachineCycle) {
  Bench b;
  CountingController c;
  const Surroundings s{b.wires, c, true, 0, 0, 0};
  b.core.Evaluate(s);
  EXPECT_EQ(b.core.Signals.Value[LIR], 1);
  EXPECT_EQ(c.edges, 0) << "an evaluation never clocks";
  for (int i = 0; i < 6; ++i) b.core.Step(s);
  EXPECT_EQ(c.edges, 0) << "the first load after power-on is suppressed";
  for (int i = 0; i < 12; ++i) b.core.Step(s);
  EXPECT_EQ(c.edges, 2);
  EXPECT_EQ(b.core.Signals.Shown[LIR], 1);
}

TEST(Core, AnEvaluationNeverClocksAndShowsEverything) {
  Bench b;
  b.Wire(0, jack::SBUS, 1);
  b.Wire(1, jack::ABUS, 1);
  b.Wire(2, jack::DRW, 1);
  b.core.DataSw.Value = b.core.DataSw.DrivenValue = 0x30;
  b.core.Regs.R = b.core.Regs.Shown.R = {0x05, 0, 0, 0};
  b.core.Evaluate(b.S());
  b.core.Evaluate(b.S());
  EXPECT_EQ(b.core.Regs.R, (std::array<int16_t, 4>{0x05, 0, 0, 0})) << "DRW up, yet no register changes";
  // The ALU's gate and the switches both drive.
  EXPECT_EQ(b.core.Bus.Shown.Drivers[0], Drive::Drives);
  EXPECT_EQ(b.core.Bus.Shown.Drivers[2], Drive::Drives);
  EXPECT_EQ(b.core.Bus.Shown.Value, (b.core.Alu.F | 0x30) & 0xFF);
  EXPECT_TRUE(b.core.Regs.Shown == static_cast<const RegisterRecord&>(b.core.Regs));
  EXPECT_TRUE(b.core.Alu.Shown == static_cast<const AluRecord&>(b.core.Alu));
}

TEST(Core, AnEvaluationReadsTheFlagsABeatReadsTheirOutputs) {
  // C loaded at the rising edge of T3 (phase 5) reaches C-O at once after an
  // action, but in the small beats only once published at the level beat.
  Bench b;
  b.wires.Add(jack::CO, jack::LDZ, 0);
  b.Steps(4);
  b.core.Flags.C = b.core.Flags.Shown.C = 1;
  b.core.Evaluate(b.S());
  EXPECT_EQ(b.wires.Value(jack::LDZ), 1);
  b.Steps(1);  // phase 5, an edge: the output is the old one
  EXPECT_EQ(b.wires.Value(jack::LDZ), 0);
  b.Steps(1);  // phase 6, a level beat publishes C
  EXPECT_EQ(b.wires.Value(jack::LDZ), 1);
}

TEST(Core, WithThePowerOffTheDataPathHoldsNothing) {
  Bench b;
  b.Wire(0, jack::SBUS, 1);
  b.core.DataSw.Value = b.core.DataSw.DrivenValue = 0x30;
  b.core.Regs.R = {1, 2, 3, 4};
  b.power = false;
  b.core.Evaluate(b.S());
  EXPECT_EQ(b.core.Regs.Shown.R, (std::array<int16_t, 4>{}));
  EXPECT_EQ(b.core.Alu.Shown.F, 0);
  EXPECT_EQ(b.core.Bus.Shown.Value, 0);
  EXPECT_EQ(b.core.Bus.Shown.Drivers[2], Drive::Released);
  EXPECT_EQ(b.core.Micro.MicroAddress, 0);
}

TEST(Core, OnlyPhaseFourWritesTheMemory) {
  Bench b;
  b.Wire(0, jack::MEMW, 1);
  b.Wire(1, jack::SBUS, 1);
  b.core.DataSw.Value = b.core.DataSw.DrivenValue = 0x5A;
  b.core.Evaluate(b.S());
  for (int phase = 1; phase <= 6; ++phase) EXPECT_EQ(b.core.Step(b.S()), phase == 4) << phase;
  EXPECT_EQ(b.core.Mem.Cells[0], 0x5A);
  EXPECT_EQ(b.core.Mem.ShownCells[0], 0x5A);
}

TEST(Core, StopIsCountedFromTheBeatItRises) {
  Bench b;
  b.Wire(0, jack::STOP, 1);
  b.core.Evaluate(b.S());
  b.Steps(6);
  EXPECT_EQ(b.core.Beat.StopCounter, 6);
  EXPECT_FALSE(b.core.StopWordHeld()) << "phase 6 is no cycle start";
  b.Steps(1);
  EXPECT_TRUE(b.core.StopWordHeld());
  b.core.Clear();
  EXPECT_EQ(b.core.Beat.StopCounter, 0);
  EXPECT_TRUE(b.core.Beat.AfterReset);
}

}  // namespace
}  // namespace orrin
