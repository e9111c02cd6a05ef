#pragma once
// An instruction set as data: which opcode each mnemonic has and what
// operands it takes. The standard one describes the board's standard
// microprogram; a changed microprogram comes with a file of its own.
#include <string>
#include <string_view>
#include <vector>

namespace orrin {

enum class OperandForm { None, Rd, RdRs, RdAtRs, AtRdRs, Offset };

struct Instruction {
  int opcode = 0;        // bits 7-4 of the byte
  std::string mnemonic;  // upper case
  OperandForm form = OperandForm::None;
};

struct InstructionSet {
  std::vector<Instruction> instructions;
  const Instruction* Find(std::string_view mnemonic) const;  // any case; nullptr when none
  const Instruction* ForOpcode(int opcode) const;            // nullptr when none
};

// Reads an instruction-set file; every bad line is an error "LINE: message".
bool ParseInstructionSet(std::string_view text, InstructionSet& isa, std::vector<std::string>& errors);
// The set of asm/standard.isa, built into the program.
const InstructionSet& StandardInstructionSet();

// The operands as written in a listing, e.g. "Rd,[Rs]" for RdAtRs.
std::string_view FormText(OperandForm form);

}  // namespace orrin
