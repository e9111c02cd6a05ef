#pragma once
// orrin-asm's language: programs for the board in mnemonics, assembled into
// the 256-byte memory image the memory file holds, and images listed back.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "asm/isa.h"

namespace orrin {

using MemoryImage = std::array<uint8_t, 256>;

struct AsmError {
  int line;
  std::string message;
};

struct AsmResult {
  MemoryImage image{};           // unused bytes 00
  std::vector<AsmError> errors;  // every error of the source, in line order
  bool ok() const { return errors.empty(); }
};

// One statement a line, `;` starts a comment, an optional `label:` first.
// Instructions as the set names them; ORG addr; DB value[, value ...].
// Numbers: 0x2F or 2FH (starting with a digit) in hex, else decimal.
// A line that starts as a listing does ("0A: 81  JZ L0C") is read too, from
// its statement on, with ORG at its address: a listing assembles back.
AsmResult Assemble(std::string_view source, const InstructionSet& isa);

// The 512 upper-case hex digits of a memory file.
std::string MemoryFileText(const MemoryImage& image);
// Reads a memory file's first 512 hex digits; false when it has fewer.
bool ReadMemoryImage(std::string_view text, MemoryImage& image);

// One line per non-zero byte, "AA: BB  MNEMONIC OPERANDS", with a label line
// ("L0C:") before each jump target; a byte no instruction encodes is a DB.
std::vector<std::string> Disassemble(const MemoryImage& image, const InstructionSet& isa);

}  // namespace orrin
