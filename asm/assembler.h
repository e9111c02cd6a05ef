#pragma once
// orrin-asm's language: programs for the board in mnemonics, assembled into
// the 256-byte memory image the memory file holds, and images listed back.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "asm/isa.h"
#include "base/memory_file.h"

namespace orrin {

struct AsmError {
  int line;
  std::string message;
};

struct AsmResult {
  MemoryImage image{};           // unused bytes 00
  std::vector<AsmError> errors;  // every error of the source, in line order
  bool ok() const { return errors.empty(); }
};

// A program for 256 bytes is a few kilobytes of source, comments and all;
// a longer file is not read.
inline constexpr std::size_t kLongestSource = 1 << 20;

// One statement a line, `;` starts a comment, an optional `label:` first.
// Instructions as the set names them; ORG addr; DB value[, value ...].
// Numbers: 0x2F or 2FH (starting with a digit) in hex, else decimal.
// A line that starts as a listing does ("0A: 81  JZ L0C") is read too, from
// its statement on, with ORG at its address: a listing assembles back.
AsmResult Assemble(std::string_view source, const InstructionSet& isa);

// One line per non-zero byte, "AA: BB  MNEMONIC OPERANDS", with a label line
// ("L0C:") before each jump target; a byte no instruction encodes is a DB.
std::vector<std::string> Disassemble(const MemoryImage& image, const InstructionSet& isa);

}  // namespace orrin
