#pragma once
// Yosys, the synthesis suite, run on a student's Verilog: the design is
// written into a scratch folder of its own, synthesised to gates
// (`synth -flatten`) and written as a JSON netlist, which is read back.
#include <string>

namespace orrin {

// The netlist of `verilog` (the text of the file `name`, whose name Yosys's
// messages then carry); false with Yosys's messages, or with why it could
// not run (not installed: the Debian package to install, or load a .json).
bool SynthesiseWithYosys(const std::string& verilog, const std::string& name, std::string& json, std::string& messages);

}  // namespace orrin
