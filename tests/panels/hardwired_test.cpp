// The hard-wired controller on the board: the mode is offered only while a
// design is loaded; the design's outputs are the signals, its flip-flops
// step when the sequencer loads the micro-address (not at the first load
// after CLR), its P4 acknowledges an interrupt; a design that cannot be read
// changes nothing; Verilog goes through Yosys.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/yosys.h"
#include "tests/panels/panel_test_util.h"

namespace orrin {
namespace {

// DRW = SWC; LIR = the flip-flop, which toggles at each clock; P4 = 1.
constexpr const char* kToggle = R"({"modules": {"controller": {
  "ports": {"clk": {"direction": "input", "bits": [2]}, "SWC": {"direction": "input", "bits": [3]},
            "DRW": {"direction": "output", "bits": [3]}, "LIR": {"direction": "output", "bits": [4]},
            "P4": {"direction": "output", "bits": ["1"]}, "STATE": {"direction": "output", "bits": [4]}},
  "cells": {"ff": {"type": "$_DFF_P_", "connections": {"C": [2], "D": [5], "Q": [4]}},
            "inv": {"type": "$_NOT_", "connections": {"A": [4], "Y": [5]}}}}}})";

constexpr const char* kToggleVerilog = R"(module controller(input clk, input SWC, output DRW, output LIR, output P4);
  reg q;
  always @(posedge clk) q <= ~q;
  assign DRW = SWC;
  assign LIR = q;
  assign P4 = 1'b1;
endmodule
)";

// The board of orrin-run and the window, whose hosts run Yosys.
class YosysHost : public RecordingHost {
 public:
  bool Synthesise(const std::string& verilog, const std::string& name, std::string& json,
                  std::string& messages) override {
    return SynthesiseWithYosys(verilog, name, json, messages);
  }
};
struct YosysBoard {
  YosysHost host;
  Simulator sim{host};
  YosysBoard() { sim.Startup(); }
};

template <typename B>
void Load(B& b, const TempDir& dir, const std::string& file, const std::string& text) {
  WriteFile(dir.File(file), text);
  b.host.openNames.push_back(dir.File(file));
  b.sim.N_ReadControllerClick();
}

template <typename B>
int Sig(const B& b, Sig s) {
  return b.sim.machine.Signals.Value[static_cast<size_t>(s)];
}

TEST(HardWired, TheModeIsOfferedOnlyWithADesignAndItsOutputsAreTheSignals) {
  TempDir dir;
  Board b;
  EXPECT_FALSE(b.sim.view[RadioButtonHdLine].enabled);
  b.sim.RadioButtonHdLineClick();
  EXPECT_FALSE(b.sim.console.HardWired());
  // A file that is no netlist: a message, nothing changes.
  Load(b, dir, "bad.json", "{\"modules\": {}}");
  ASSERT_EQ(b.host.warnings.size(), 1u);
  EXPECT_NE(b.host.warnings[0].find("硬连线控制器读不出，控制器未改变："), std::string::npos);
  EXPECT_FALSE(b.sim.view[RadioButtonHdLine].enabled);

  Load(b, dir, "toggle.json", kToggle);
  EXPECT_EQ(b.host.warnings.size(), 1u);
  EXPECT_TRUE(b.sim.view[RadioButtonHdLine].enabled);
  b.sim.RadioButtonHdLineClick();
  ASSERT_TRUE(b.sim.console.HardWired());
  b.sim.SpeedButtonPOWERClick();
  EXPECT_EQ(Sig(b, DRW), 0);
  b.sim.Image_SWCClick();
  EXPECT_EQ(Sig(b, DRW), 1);
  EXPECT_EQ(Sig(b, LIR), 0);
  EXPECT_EQ(Sig(b, PCINC), 0);  // not declared
  // A second bad file keeps the design and the mode.
  Load(b, dir, "bad2.json", "[]");
  EXPECT_TRUE(b.sim.console.HardWired());
  EXPECT_EQ(Sig(b, DRW), 1);
}

// The toggle design in hard-wired mode, powered and just cleared.
struct ClearedToggle {
  TempDir dir;
  Board b;
  ClearedToggle() {
    Load(b, dir, "toggle.json", kToggle);
    b.sim.RadioButtonHdLineClick();
    b.sim.SpeedButtonPOWERClick();
    b.sim.SpeedButtonCLRClick();
  }
};

// IR7..IR4 and C, Z come from the jacks the sequencer tests (only bit 0 of a
// level counts), IR3..IR0 from IR.
TEST(HardWired, TheDesignReadsWhatTheSequencerTests) {
  TempDir dir;
  Board b;
  Load(b, dir, "ir.json", R"({"modules": {"controller": {"ports": {
    "IR": {"direction": "input", "bits": [2, 3, 4, 5, 6, 7, 8, 9]}, "C": {"direction": "input", "bits": [10]},
    "DRW": {"direction": "output", "bits": [9]}, "LIR": {"direction": "output", "bits": [6]},
    "LDC": {"direction": "output", "bits": [10]}, "PCINC": {"direction": "output", "bits": [2]}}}}})");
  Join(b.sim, 0, jack::IR7I);
  Join(b.sim, 1, jack::IR4I);
  Join(b.sim, 2, jack::CI);
  b.sim.RadioButtonHdLineClick();
  b.sim.SpeedButtonPOWERClick();
  EXPECT_EQ(Sig(b, DRW) + Sig(b, LIR) + Sig(b, LDC), 0);
  for (int k : {0, 1, 2}) b.sim.ToggleLevelSwitch(k);
  EXPECT_EQ(Sig(b, DRW), 1);    // IR7 from IR7-I
  EXPECT_EQ(Sig(b, LIR), 1);    // IR4 from IR4-I
  EXPECT_EQ(Sig(b, LDC), 1);    // C from C-I
  EXPECT_EQ(Sig(b, PCINC), 0);  // IR0 from IR, which holds 00
}

// The clock rises when the sequencer loads the micro-address: once a
// machine cycle, at its first small beat, except the first after CLR.
TEST(HardWired, TheFlipFlopsStepWithTheMicroAddressLoads) {
  ClearedToggle t;
  Board& b = t.b;
  std::vector<int> lir;
  for (int beat = 0; beat < 18; ++beat) {
    b.sim.Button_OneLittleStepClick();
    lir.push_back(Sig(b, LIR));
  }
  // The first cycle after CLR keeps the reset state; then one toggle per cycle.
  const std::vector<int> want = {0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(lir, want);
  // CLR puts the flip-flops back to 0.
  b.sim.SpeedButtonCLRClick();
  EXPECT_EQ(Sig(b, LIR), 0);
}

// With P4 declared, the design's P4 acknowledges the interrupt request in
// phase 1 (here always 1: a request lasts to the next cycle's start).
TEST(HardWired, TheDesignsP4AcknowledgesTheInterrupt) {
  ClearedToggle t;
  Board& b = t.b;
  for (int beat = 0; beat < 6; ++beat) b.sim.Button_OneLittleStepClick();
  b.sim.view.Writable(Edit_EN_INT).text = "1";
  b.sim.EditKeyPress(Edit_EN_INT, 13);
  b.sim.SpeedButton_PULSEClick();
  EXPECT_EQ(b.sim.machine.Int.INTQ, 1);
  for (int beat = 0; beat < 6; ++beat) b.sim.Button_OneLittleStepClick();
  EXPECT_EQ(b.sim.machine.Int.INTQ, 0);
}

TEST(HardWired, VerilogIsSynthesisedByYosys) {
  if (std::system("yosys -V >/dev/null 2>&1") != 0) GTEST_SKIP() << "yosys is not installed";
  TempDir dir;
  YosysBoard b;
  Load(b, dir, "toggle.v", kToggleVerilog);
  ASSERT_TRUE(b.host.warnings.empty()) << b.host.warnings.front();
  b.sim.RadioButtonHdLineClick();
  b.sim.SpeedButtonPOWERClick();
  b.sim.Image_SWCClick();
  EXPECT_EQ(Sig(b, DRW), 1);
  // Yosys's error, with its line, under the student's file name.
  Load(b, dir, "broken.v", "module controller(output DRW);\n  assign DRW = nothing_here +;\nendmodule\n");
  ASSERT_EQ(b.host.warnings.size(), 1u);
  EXPECT_NE(b.host.warnings[0].find("Yosys 综合失败"), std::string::npos) << b.host.warnings[0];
  EXPECT_NE(b.host.warnings[0].find("broken.v:2"), std::string::npos) << b.host.warnings[0];
  EXPECT_EQ(b.host.warnings[0].find("design.sv"), std::string::npos) << b.host.warnings[0];
  EXPECT_TRUE(b.sim.console.HardWired());
  EXPECT_EQ(Sig(b, DRW), 1);
  // A host that cannot run Yosys (the page) says to load the netlist instead.
  Board page;
  Load(page, dir, "toggle.v", kToggleVerilog);
  ASSERT_EQ(page.host.warnings.size(), 1u);
  EXPECT_NE(page.host.warnings[0].find("网表 .json"), std::string::npos);
  EXPECT_FALSE(page.sim.view[RadioButtonHdLine].enabled);
}

}  // namespace
}  // namespace orrin
