// A design's netlist: every gate cell, flip-flops on clk, the board's ports,
// and every error on both sides of its rule.
#include "hardwired/netlist.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/slurp.h"

namespace orrin {
namespace {

// A netlist of one module: its ports ("NAME": "input 2 3" — direction, then
// its bits) and its cells ("type A B S Y" with bits, or C D Q).
std::string Module(const std::vector<std::pair<std::string, std::string>>& ports,
                   const std::vector<std::pair<std::string, std::string>>& cells,
                   const std::string& name = "controller") {
  std::string out = "{\"modules\": {\"" + name + "\": {\"ports\": {";
  for (size_t i = 0; i < ports.size(); ++i) {
    std::istringstream words(ports[i].second);
    std::string direction, bit, bits;
    words >> direction;
    while (words >> bit) bits += (bits.empty() ? "" : ",") + (bit == "0" || bit == "1" ? "\"" + bit + "\"" : bit);
    out += (i ? "," : "") +
           ("\"" + ports[i].first + "\": {\"direction\": \"" + direction + "\", \"bits\": [" + bits + "]}");
  }
  out += "}, \"cells\": {";
  for (size_t i = 0; i < cells.size(); ++i) {
    std::istringstream words(cells[i].second);
    std::string type;
    words >> type;
    const bool dff = type == "$_DFF_P_";
    const std::vector<std::string> pins = dff                ? std::vector<std::string>{"C", "D", "Q"}
                                          : type == "$_NOT_" ? std::vector<std::string>{"A", "Y"}
                                          : type == "$_MUX_" ? std::vector<std::string>{"A", "B", "S", "Y"}
                                                             : std::vector<std::string>{"A", "B", "Y"};
    std::string conn;
    for (const std::string& p : pins) {
      std::string bit;
      words >> bit;
      conn += (conn.empty() ? "" : ",") + ("\"" + p + "\": [" + bit + "]");
    }
    out +=
        (i ? "," : "") + ("\"" + cells[i].first + "\": {\"type\": \"" + type + "\", \"connections\": {" + conn + "}}");
  }
  return out + "}}}}";
}

Netlist Read(const std::string& json) {
  Netlist n;
  std::string error;
  EXPECT_TRUE(n.Read(json, error)) << error;
  return n;
}

std::string ErrorOf(const std::string& json) {
  Netlist n;
  std::string error;
  EXPECT_FALSE(n.Read(json, error));
  EXPECT_FALSE(n.Loaded());
  return error;
}

// Each gate against its truth table: DRW = gate(SWC, SWB), with SWA as a MUX's select.
TEST(Netlist, EveryGateCellComputesItsTruthTable) {
  const std::pair<const char*, int (*)(int, int, int)> gates[] = {
      {"$_NOT_", [](int a, int, int) { return a ^ 1; }},
      {"$_AND_", [](int a, int b, int) { return a & b; }},
      {"$_OR_", [](int a, int b, int) { return a | b; }},
      {"$_XOR_", [](int a, int b, int) { return a ^ b; }},
      {"$_NAND_", [](int a, int b, int) { return (a & b) ^ 1; }},
      {"$_NOR_", [](int a, int b, int) { return (a | b) ^ 1; }},
      {"$_XNOR_", [](int a, int b, int) { return (a ^ b) ^ 1; }},
      {"$_ANDNOT_", [](int a, int b, int) { return a & (b ^ 1); }},
      {"$_ORNOT_", [](int a, int b, int) { return a | (b ^ 1); }},
      {"$_MUX_", [](int a, int b, int s) { return s ? b : a; }},
  };
  for (const auto& [type, truth] : gates) {
    const std::string t = type;
    const std::string cell = t == "$_NOT_" ? t + " 2 9" : t == "$_MUX_" ? t + " 2 3 4 9" : t + " 2 3 9";
    Netlist n =
        Read(Module({{"SWC", "input 2"}, {"SWB", "input 3"}, {"SWA", "input 4"}, {"DRW", "output 9"}}, {{"g", cell}}));
    for (int in = 0; in < 8; ++in) {
      n.Evaluate({.swc = in & 1, .swb = (in >> 1) & 1, .swa = (in >> 2) & 1});
      EXPECT_EQ(n.Signal(DRW), truth(in & 1, (in >> 1) & 1, (in >> 2) & 1)) << type << " " << in;
    }
  }
}

// Gates in any order of the file are evaluated after the gates they read;
// a flip-flop takes its D at the clock and 0 at a reset; constants and
// undeclared outputs; IR as a bus (LSB first) or by bits; S as a bus.
TEST(Netlist, LevelsFlipFlopsPortsAndConstants) {
  Netlist n = Read(Module({{"clk", "input 2"},
                           {"IR", "input 10 11 12 13 14 15 16 17"},
                           {"C", "input 3"},
                           {"LDC", "output 6"},
                           {"S", "output 17 1 0 7"},
                           {"P4", "output 7"},
                           {"STATE", "output 7 1"}},
                          {{"last", "$_AND_ 5 17 6"}, {"first", "$_NOT_ 3 5"}, {"ff", "$_DFF_P_ 2 6 7"}}));
  EXPECT_EQ(n.GateCount(), 2u);
  n.Evaluate({.ir = 0x80, .c = 0});
  EXPECT_EQ(n.Signal(LDC), 1);  // !C & IR7
  EXPECT_EQ(n.Signal(S0), 1);   // IR7
  EXPECT_EQ(n.Signal(S1), 1);   // constant 1
  EXPECT_EQ(n.Signal(S2), 0);
  EXPECT_EQ(n.Signal(DRW), 0);  // not declared
  EXPECT_TRUE(n.HasP4());
  EXPECT_EQ(n.P4(), 0);
  EXPECT_EQ(n.State(), 2);
  n.Clock();
  n.Evaluate({.ir = 0x80, .c = 1});
  EXPECT_EQ(n.P4(), 1);
  EXPECT_EQ(n.Signal(S3), 1);
  EXPECT_EQ(n.State(), 3);
  n.Reset();
  n.Evaluate({.ir = 0, .c = 1});
  EXPECT_EQ(n.P4(), 0);
  Netlist bits = Read(Module({{"IR3", "input 4"}, {"IR4", "input 5"}, {"LIR", "output 9"}}, {{"x", "$_XOR_ 4 5 9"}}));
  bits.Evaluate({.ir = 0x08});
  EXPECT_EQ(bits.Signal(LIR), 1);
  bits.Evaluate({.ir = 0x18});
  EXPECT_EQ(bits.Signal(LIR), 0);
  EXPECT_FALSE(bits.HasP4());
}

TEST(Netlist, EveryErrorNamesItsCellNetOrPort) {
  const std::pair<std::string, std::string> bad[] = {
      {"{", "not a JSON netlist"},
      {"{\"creator\": 1}", "no \"modules\""},
      {"[1, 2]", "no \"modules\""},
      // Members of the wrong type are errors, never a crash.
      {"{\"modules\": {\"controller\": {\"ports\": {\"DRW\": {\"direction\": 5, \"bits\": \"x\"}}}}}",
       "port DRW must be an output"},
      {"{\"modules\": {\"controller\": {\"ports\": {\"DRW\": {\"direction\": \"output\", \"bits\": [2.5]}}}}}",
       "port DRW has bits that are not nets"},
      {"{\"modules\": {\"controller\": {\"cells\": 7}}}", "\"cells\" is not an object"},
      {"{\"modules\": {\"controller\": {\"cells\": {\"g\": {\"type\": 3}}}}}", "cell g is a , not one of the gates"},
      {"{\"modules\": {\"controller\": {\"cells\": {\"g\": {\"type\": \"$_NOT_\", \"connections\": {\"A\": 1}}}}}}",
       "cell g ($_NOT_) is not connected as a gate"},
      {"{\"modules\": {\"a\": {}, \"b\": {}}}", "no module named controller among 2 modules"},
      {Module({{"LEDS", "output 2"}}, {}), "port LEDS is none of the board's"},
      {Module({{"DRW", "input 2"}}, {}), "port DRW must be an output"},
      {Module({{"SWC", "output 2"}}, {}), "port SWC must be an input"},
      {Module({{"IR", "input 2 3"}}, {}), "port IR has 2 bits, not 8"},
      {Module({{"IR8", "input 2"}}, {}), "port IR8 is none of the board's"},
      {Module({{"STATE", "output 2 3 4 5 6 7 8 9 10"}}, {}), "port STATE has 9 bits, not 1 to 8"},
      {Module({{"SWC", "input 2"}, {"DRW", "output 3"}}, {{"g1", "$_DFF_N_ 2 2 3"}}), "cell g1 is a $_DFF_N_"},
      {Module({{"SWC", "input 2"}, {"DRW", "output 3"}}, {{"adder", "$add 2 2 3"}}), "cell adder is a $add"},
      {Module({{"clk", "input 2"}, {"SWC", "input 3"}}, {{"ff", "$_DFF_P_ 3 2 4"}}),
       "flip-flop ff is clocked by another net than clk"},
      {Module({{"SWC", "input 2"}}, {{"ff", "$_DFF_P_ 2 2 4"}}), "flip-flop ff is clocked by another net than clk"},
      {Module({{"DRW", "output 5"}}, {{"p", "$_NOT_ 6 5"}, {"q", "$_NOT_ 5 6"}}), "a combinational loop through cell"},
      {Module({{"SWC", "input 2"}, {"DRW", "output 5"}}, {{"p", "$_NOT_ 2 5"}, {"q", "$_NOT_ 2 5"}}),
       "is driven twice"},
  };
  for (const auto& [json, message] : bad) EXPECT_NE(ErrorOf(json).find(message), std::string::npos) << json;
  // The good side: a loop broken by a flip-flop, a module of another name
  // when it is the only one, a design with no ports at all.
  Read(Module({{"clk", "input 2"}, {"DRW", "output 5"}}, {{"p", "$_NOT_ 6 5"}, {"ff", "$_DFF_P_ 2 5 6"}}));
  Read(Module({{"DRW", "output 1"}}, {}, "my_design"));
  Read(Module({}, {}));
  // More than 50 000 cells are refused before anything is built.
  std::vector<std::pair<std::string, std::string>> many;
  for (size_t i = 0; i <= Netlist::kMostCells; ++i)
    many.emplace_back("n" + std::to_string(i), "$_NOT_ 2 " + std::to_string(i + 3));
  EXPECT_NE(ErrorOf(Module({{"SWC", "input 2"}}, many)).find("more than 50000 cells"), std::string::npos);
  // A refused netlist leaves the loaded one as it was.
  Netlist n = Read(Module({{"SWC", "input 2"}, {"DRW", "output 2"}}, {}));
  std::string error;
  EXPECT_FALSE(n.Read("{", error));
  EXPECT_TRUE(n.Loaded());
  n.Evaluate({.swc = 1});
  EXPECT_EQ(n.Signal(DRW), 1);
}

// What Yosys makes of a small Verilog design reads and runs.
TEST(Netlist, AYosysNetlistRuns) {
  if (std::system("yosys -V >/dev/null 2>&1") != 0) GTEST_SKIP() << "yosys is not installed";
  const auto dir = std::filesystem::temp_directory_path() / ("orrin-netlist-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "t.v") << "module controller(input clk, input SWC, input [7:0] IR, input C,\n"
                                "  output DRW, output [3:0] S, output [1:0] STATE);\n"
                                "  reg [1:0] st;\n"
                                "  always @(posedge clk) st <= st + 1;\n"
                                "  assign DRW = SWC & ~C | IR[7];\n"
                                "  assign S = IR[3:0] ^ {st, st};\n"
                                "  assign STATE = st;\n"
                                "endmodule\n";
  const std::string command = "cd " + dir.string() +
                              " && yosys -q -p 'read_verilog -sv t.v; synth -flatten -top controller; "
                              "write_json t.json' >/dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0);
  Netlist n = Read(Slurp(dir / "t.json"));
  n.Evaluate({.swc = 1, .ir = 0x05, .c = 0});
  EXPECT_EQ(n.Signal(DRW), 1);
  EXPECT_EQ(n.Signal(S0) | n.Signal(S1) << 1 | n.Signal(S2) << 2 | n.Signal(S3) << 3, 0x5);
  n.Clock();
  n.Evaluate({.swc = 1, .ir = 0x05, .c = 1});
  EXPECT_EQ(n.Signal(DRW), 0);
  EXPECT_EQ(n.State(), 1);
  EXPECT_EQ(n.Signal(S0) | n.Signal(S1) << 1 | n.Signal(S2) << 2 | n.Signal(S3) << 3, 0x5 ^ 0x5);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace orrin
