// The hard-wired controller on the board: the mode is offered only while a
// design is loaded; the design's outputs are the signals, its flip-flops
// step when the sequencer loads the micro-address (not at the first load
// after CLR), its P4 acknowledges an interrupt; a design that cannot be read
// changes nothing; Verilog goes through Yosys.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/yosys.h"
#include "tests/panels/panel_test_util.h"
#include "tests/slurp.h"

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

bool HaveYosys() { return std::system("yosys -V >/dev/null 2>&1") == 0; }

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
  if (!HaveYosys()) GTEST_SKIP() << "yosys is not installed";
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

// What synth leaves for the board's plain flip-flop: an enable and a
// synchronous reset become gates; a case table stays a lookup (a table merged
// into flip-flops would read 0 after CLR instead of its first entry); a
// flip-flop on the falling edge is refused.
TEST(HardWired, YosysLeavesThePlainFlipFlopTheBoardClocks) {
  if (!HaveYosys()) GTEST_SKIP() << "yosys is not installed";
  TempDir dir;
  YosysBoard b;
  // Counts the clocks while SWB is 1; SWA clears it.
  Load(b, dir, "count.v",
       R"(module controller(input clk, input SWA, input SWB, output [1:0] STATE, output DRW, output LIR);
  reg [1:0] n;
  always @(posedge clk) if (SWA) n <= 2'd0; else if (SWB) n <= n + 2'd1;
  assign {LIR, DRW} = n;
  assign STATE = n;
endmodule
)");
  ASSERT_TRUE(b.host.warnings.empty()) << b.host.warnings.front();
  b.sim.RadioButtonHdLineClick();
  b.sim.SpeedButtonPOWERClick();
  b.sim.SpeedButtonCLRClick();
  b.sim.Image_SWBClick();
  auto cycle = [&] {
    for (int beat = 0; beat < 6; ++beat) b.sim.Button_OneLittleStepClick();
  };
  for (int k = 0; k < 3; ++k) cycle();  // the first clock after CLR is skipped
  EXPECT_EQ(Sig(b, DRW), 0);
  EXPECT_EQ(Sig(b, LIR), 1);
  b.sim.Image_SWBClick();  // held
  cycle();
  EXPECT_EQ(Sig(b, LIR), 1);
  b.sim.Image_SWAClick();  // cleared at the next clock
  cycle();
  EXPECT_EQ(Sig(b, DRW) + Sig(b, LIR), 0);

  // A 16-entry table whose first entry is 3, read right after power-on.
  Load(b, dir, "table.v", R"(module controller(input clk, output DRW, output LIR, output [3:0] STATE);
  reg [3:0] st;
  reg [1:0] t;
  always @(posedge clk) st <= st + 1'b1;
  always @(*)
    case (st)
      4'd0: t = 2'd3;
      4'd1: t = 2'd2;
      4'd2: t = 2'd1;
      4'd3: t = 2'd0;
      4'd4: t = 2'd3;
      4'd5: t = 2'd2;
      4'd6: t = 2'd1;
      4'd7: t = 2'd0;
      4'd8: t = 2'd3;
      4'd9: t = 2'd2;
      4'd10: t = 2'd1;
      4'd11: t = 2'd0;
      4'd12: t = 2'd3;
      4'd13: t = 2'd2;
      4'd14: t = 2'd1;
      default: t = 2'd0;
    endcase
  assign {DRW, LIR} = t;
  assign STATE = st;
endmodule
)");
  ASSERT_TRUE(b.host.warnings.empty()) << b.host.warnings.front();
  b.sim.SpeedButtonCLRClick();
  EXPECT_EQ(Sig(b, DRW), 1);
  EXPECT_EQ(Sig(b, LIR), 1);
  cycle();
  cycle();  // st = 1: entry 10 (binary)
  EXPECT_EQ(Sig(b, DRW), 1);
  EXPECT_EQ(Sig(b, LIR), 0);

  Load(b, dir, "falling.v", R"(module controller(input clk, output LIR);
  reg q;
  always @(negedge clk) q <= ~q;
  assign LIR = q;
endmodule
)");
  ASSERT_EQ(b.host.warnings.size(), 1u);
  EXPECT_NE(b.host.warnings[0].find("clk"), std::string::npos) << b.host.warnings[0];
}

// In a file of several modules the board runs the one named controller, even
// where Yosys would take another for the top.
TEST(HardWired, TheModuleNamedControllerIsTheOneRun) {
  if (!HaveYosys()) GTEST_SKIP() << "yosys is not installed";
  TempDir dir;
  YosysBoard b;
  Load(b, dir, "two.v", R"(module leaf(output y); assign y = 1'b1; endmodule
module deeper(output DRW); leaf l(.y(DRW)); endmodule
module controller(input SWC, output DRW); assign DRW = SWC; endmodule
)");
  ASSERT_TRUE(b.host.warnings.empty()) << b.host.warnings.front();
  b.sim.RadioButtonHdLineClick();
  b.sim.SpeedButtonPOWERClick();
  EXPECT_EQ(Sig(b, DRW), 0);
  b.sim.Image_SWCClick();
  EXPECT_EQ(Sig(b, DRW), 1);
  // A module whose name only begins with controller is no such module: the
  // top is found as Yosys finds it.
  Load(b, dir, "prefix.v", R"(module controller_core(output y); assign y = 1'b1; endmodule
module top(output DRW); controller_core c(.y(DRW)); endmodule
)");
  ASSERT_TRUE(b.host.warnings.empty()) << b.host.warnings.front();
  EXPECT_EQ(Sig(b, DRW), 1);
}

// A design is one file: what would have Yosys read another is refused.
TEST(HardWired, ADesignThatReadsAnotherFileIsRefused) {
  TempDir dir;
  YosysBoard b;
  for (const char* text :
       {"module controller(output DRW);\n`include \"/etc/hostname\"\nendmodule\n",
        "module controller(output DRW);\n  reg [7:0] m [0:1];\n  initial $readmemh(\"/etc/hostname\", m);\n"
        "  assign DRW = m[0][0];\nendmodule\n"}) {
    b.host.warnings.clear();
    Load(b, dir, "reads.v", text);
    ASSERT_EQ(b.host.warnings.size(), 1u);
    EXPECT_NE(b.host.warnings[0].find("Verilog 设计只能是一个文件"), std::string::npos) << b.host.warnings[0];
  }
  EXPECT_FALSE(b.sim.view[RadioButtonHdLine].enabled);
}

// The shipped netlist is what Yosys makes of the shipped design. After a
// change to standard.v (or a new Yosys), ORRIN_WRITE_NETLIST=1 writes it anew.
TEST(HardWired, TheShippedNetlistIsTheShippedDesignSynthesised) {
  if (!HaveYosys()) GTEST_SKIP() << "yosys is not installed";
  const std::string folder = std::string(ORRIN_EXAMPLES) + "/hardwired/";
  const std::string verilog = Slurp(folder + "standard.v");
  std::string json, messages;
  ASSERT_TRUE(SynthesiseWithYosys(verilog, "standard.v", json, messages)) << messages;
  if (std::getenv("ORRIN_WRITE_NETLIST") != nullptr) WriteFile(folder + "standard.json", json);
  EXPECT_TRUE(Slurp(folder + "standard.json") == json)
      << "examples/hardwired/standard.json is not the synthesis of standard.v; ORRIN_WRITE_NETLIST=1 rewrites it";
}

}  // namespace
}  // namespace orrin
