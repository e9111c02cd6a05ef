// Any bytes as an instruction-set file: no crash; a set that is accepted
// has words a source can write as its mnemonics, none twice, and under it
// the listing of any memory assembles back to that memory.
#include <set>
#include <string>

#include "asm/assembler.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  orrin::InstructionSet isa;
  std::vector<std::string> errors;
  if (!orrin::ParseInstructionSet(text, isa, errors)) return 0;
  std::set<std::string> mnemonics;
  std::set<int> opcodes;
  for (const orrin::Instruction& i : isa.instructions) {
    if (!mnemonics.insert(i.mnemonic).second || !opcodes.insert(i.opcode).second) __builtin_trap();
    if (i.mnemonic == "DB" || i.mnemonic == "ORG" || i.mnemonic.find_first_of(":;, \t[]+") != std::string::npos)
      __builtin_trap();
  }
  orrin::MemoryImage image{};
  for (size_t k = 0; k < image.size(); ++k) image[k] = static_cast<uint8_t>(k * 37 + size);
  std::string listing;
  for (const std::string& line : orrin::Disassemble(image, isa)) listing += line + "\n";
  const orrin::AsmResult back = orrin::Assemble(listing, isa);
  if (!back.ok() || back.image != image) __builtin_trap();
  return 0;
}
