#include <gtest/gtest.h>

#include "simulator/access.h"
#include "tests/exec/board_fixture.h"

namespace orrin {
namespace {

TEST(ControlStore, DefaultsAndEmptyEntries) {
  Board b;
  Simulator& sim = b.sim;
  sim.RadioButtonMicroProgramClick();
  PowerOn(sim);
  // What the standard words do, read from the signals they drive: 00 asks
  // the console switches (P0), 01 fetches (LIR, PCINC, dispatch on IR by P1),
  // 3F is unused and drives nothing.
  auto at = [&](int address) {
    Access(sim).machine.Micro.MicroAddress = address;
    sim.BoardEvaluation();
    return sim.machine.Signals.Value;
  };
  EXPECT_EQ(sim.machine.Micro.Decode.Bit(6), 1);  // word 00: P0
  const auto fetch = at(0x01);
  EXPECT_EQ(fetch[LIR], 1);
  EXPECT_EQ(fetch[PCINC], 1);
  EXPECT_EQ(sim.machine.Micro.Decode.Bit(7), 1);               // P1
  EXPECT_EQ(sim.machine.Micro.NextMicroAddress & 0x20, 0x20);  // to 20 + opcode
  for (int v : at(0x3F)) EXPECT_EQ(v, 0);
  const MachineState& s = sim.machine;
  EXPECT_EQ(FetchMicroword(s, 0x40 + 0x01), FetchMicroword(s, 0x01));  // addresses wrap at 64
  EXPECT_EQ(s.Micro.Store[0x2B].FullText.substr(0, 2), "2B");
  for (const auto& e : s.Micro.Store) EXPECT_EQ(e.CommentText, "");
  ClearControlStore(Access(b.sim).machine);
  EXPECT_EQ(FetchMicroword(b.sim.machine, 7), "0000020000");
}

TEST(ControlStore, ParseHex) {
  EXPECT_EQ(ParseHex(""), 0);
  EXPECT_EQ(ParseHex("1g"), 0x10);
  EXPECT_EQ(ParseHex("aB"), 0xAB);
  EXPECT_EQ(ParseHex("123456789"), 0x23456789);  // only the last eight digits count
  EXPECT_EQ(ParseHex(std::string(40, '1')), 0x11111111);
}

class Sequencer : public ::testing::Test {
 protected:
  Board b;
  Simulator& sim = b.sim;
  void SetUp() override {
    sim.RadioButtonMicroProgramClick();
    PowerOn(sim);
  }
  int NextAt(int address) {
    Access(sim).machine.Micro.MicroAddress = address;
    sim.BoardEvaluation();
    return sim.machine.Micro.NextMicroAddress;
  }
};

TEST_F(Sequencer, ConsoleDispatchBySwitches) {
  EXPECT_EQ(NextAt(0x00), 0x01);
  sim.Image_SWCClick();
  sim.Image_SWBClick();
  EXPECT_EQ(NextAt(0x00), 0x0D);  // 1 + 8 + 4
  sim.Image_SWBClick();
  sim.Image_SWAClick();
  EXPECT_EQ(NextAt(0x00), 0x0B);
}

TEST_F(Sequencer, InstructionDispatchNeedsTheIrJacks) {
  Access(sim).machine.Ir.IR = Access(sim).machine.Ir.Shown.IR = 0x5A;
  EXPECT_EQ(NextAt(0x01), 0x20);  // IR jacks unwired: always 20
  WireSequencerInputs(sim);
  EXPECT_EQ(NextAt(0x01), 0x25);
}

TEST_F(Sequencer, ConditionalTestsAndInterrupt) {
  WireSequencerInputs(sim);
  EXPECT_EQ(NextAt(0x27), 0x12);
  Access(sim).machine.Flags.C = Access(sim).machine.Flags.Shown.C = 1;
  EXPECT_EQ(NextAt(0x27), 0x13);
  EXPECT_EQ(NextAt(0x28), 0x12);
  Access(sim).machine.Flags.Z = Access(sim).machine.Flags.Shown.Z = 1;
  EXPECT_EQ(NextAt(0x28), 0x13);
  EXPECT_EQ(NextAt(0x21), 0x01);
  Access(sim).machine.Int.INTQ = 1;
  EXPECT_EQ(NextAt(0x21), 0x11);  // P4 with a pending request
}

TEST_F(Sequencer, RegisterSelectMultiplexer) {
  Access(sim).machine.Ir.IR = Access(sim).machine.Ir.Shown.IR = 0x0B;  // IR3..IR0 = 1011
  Access(sim).machine.Micro.MicroAddress = 0x21;                       // SELCTL = 0
  sim.BoardEvaluation();
  EXPECT_EQ(sim.machine.Signals.Value[RD1], 1);
  EXPECT_EQ(sim.machine.Signals.Value[RD0], 0);
  EXPECT_EQ(sim.machine.Signals.Value[RS1], 1);
  EXPECT_EQ(sim.machine.Signals.Value[RS0], 1);
  Access(sim).machine.Micro.MicroAddress = 0x06;  // SELCTL = 1, SEL = B
  sim.BoardEvaluation();
  EXPECT_EQ(sim.machine.Signals.Value[RD1], 1);
  EXPECT_EQ(sim.machine.Signals.Value[RD0], 0);
  EXPECT_EQ(sim.machine.Signals.Value[RS1], 1);
  EXPECT_EQ(sim.machine.Signals.Value[RS0], 1);
  // In microprogram mode the SEL lamps show the word's SEL field even without SELCTL.
  SetWord(sim, 0x21, "240A780C01");
  Access(sim).machine.Micro.MicroAddress = 0x21;
  sim.BoardEvaluation();
  EXPECT_EQ(sim.view[WidgetId::Image_SEL3].picture, Pic::LampRsH);  // M37
  EXPECT_EQ(sim.view[WidgetId::Image_SEL2].picture, Pic::LampRsL);  // M36
  EXPECT_EQ(sim.view[WidgetId::Image_SEL0].picture, Pic::LampRsH);  // M34
  EXPECT_EQ(sim.view[WidgetId::Image_SELCTL].picture, Pic::LampGL);
}

TEST_F(Sequencer, WordDecodingIgnoresCaseAndTreatsJunkAsZero) {
  SetWord(sim, 5, "0c00000041");
  SetWord(sim, 6, "0Z000000Q1");
  Access(sim).machine.Micro.MicroAddress = 5;
  sim.BoardEvaluation();
  EXPECT_EQ(sim.machine.Micro.Decode.Bit(6), 1);  // P0 from the lower-case c
  EXPECT_EQ(sim.machine.Micro.NextMicroAddress, 1);
  Access(sim).machine.Micro.MicroAddress = 6;
  sim.BoardEvaluation();
  EXPECT_EQ(sim.machine.Micro.Decode.Bit(38), 0);
  EXPECT_EQ(sim.machine.Micro.NextMicroAddress, 1);
  EXPECT_EQ(sim.view[WidgetId::Label_P4_MicroProStr].text, "06:0Z000000Q1");
}

TEST_F(Sequencer, ControlSignalsByMode) {
  Access(sim).machine.Micro.MicroAddress = 0x01;  // LIR PCINC
  sim.BoardEvaluation();
  EXPECT_EQ(sim.machine.Signals.Value[LIR], 1);
  EXPECT_EQ(sim.machine.Signals.Value[PCINC], 1);
  sim.RadioButtonHandLineClick();
  EXPECT_EQ(sim.machine.Signals.Value[LIR], 0);  // independent mode with nothing wired
  Join(sim, 0, jack::LIR);
  sim.ToggleLevelSwitch(0);
  EXPECT_EQ(sim.machine.Signals.Value[LIR], 1);
  EXPECT_EQ(sim.wires.SourceName(jack::LIR), "K0");
}

}  // namespace
}  // namespace orrin
