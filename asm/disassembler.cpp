// Memory images back into mnemonics. A byte is shown as an instruction only
// when assembling that instruction gives the byte back (HLT is E0, so E5 is
// a DB), which makes every listing assemble to the image it came from.
#include <initializer_list>
#include <set>
#include <string_view>

#include "asm/assembler.h"

namespace orrin {

namespace {

std::string Hex(int v) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[(v >> 4) & 15], kDigits[v & 15]};
}

// Built by appending: GCC 12 at -O3 reports a false -Wrestrict on
// "literal" + std::string, which would break the Release build.
std::string Label(int address) { return std::string("L").append(Hex(address)); }

std::string Reg(int r) { return std::string("R").append(1, static_cast<char>('0' + (r & 3))); }

std::string Join(std::initializer_list<std::string_view> parts) {
  std::string s;
  for (std::string_view p : parts) s.append(p);
  return s;
}

// The statement of `byte` at `address`; a jump names its target's label when
// `labels` holds it.
std::string Statement(uint8_t byte, int address, const InstructionSet& isa, const std::set<int>& labels) {
  const Instruction* ins = isa.ForOpcode(byte >> 4);
  const int low = byte & 15, d = (byte >> 2) & 3, s = byte & 3;
  const std::string db = Join({"DB 0x", Hex(byte)});
  if (ins == nullptr) return db;
  std::string text = ins->mnemonic;
  switch (ins->form) {
    case OperandForm::None:
      return low == 0 ? text : db;
    case OperandForm::Rd:
      return s == 0 ? Join({text, " ", Reg(d)}) : db;
    case OperandForm::RdRs:
      return Join({text, " ", Reg(d), ",", Reg(s)});
    case OperandForm::RdAtRs:
      return Join({text, " ", Reg(d), ",[", Reg(s), "]"});
    case OperandForm::AtRdRs:
      return Join({text, " [", Reg(d), "],", Reg(s)});
    case OperandForm::Offset: {
      const int target = address + 1 + low;
      if (labels.contains(target)) return Join({text, " ", Label(target)});
      return Join({text, " +", std::to_string(low)});
    }
  }
  return db;
}

}  // namespace

std::vector<std::string> Disassemble(const MemoryImage& image, const InstructionSet& isa) {
  // Jump targets inside the image get labels.
  std::set<int> labels;
  for (int a = 0; a < 256; ++a) {
    const uint8_t b = image[static_cast<size_t>(a)];
    const Instruction* ins = isa.ForOpcode(b >> 4);
    if (b != 0 && ins != nullptr && ins->form == OperandForm::Offset && a + 1 + (b & 15) <= 0xFF)
      labels.insert(a + 1 + (b & 15));
  }
  std::vector<std::string> lines;
  int next = 0;  // the address after the last line listed
  for (int a = 0; a < 256; ++a) {
    const uint8_t b = image[static_cast<size_t>(a)];
    if (labels.contains(a)) {
      // A label over unused bytes needs its address said.
      if (a != next) lines.push_back(Join({"ORG 0x", Hex(a)}));
      lines.push_back(Join({Label(a), ":"}));
      next = a;
    }
    if (b == 0) continue;
    lines.push_back(Join({Hex(a), ": ", Hex(b), "  ", Statement(b, a, isa, labels)}));
    next = a + 1;
  }
  return lines;
}

}  // namespace orrin
