// The assembler's language, its errors with their lines, the listing, and
// instruction sets read from files.
#include "asm/assembler.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace orrin {
namespace {

namespace fs = std::filesystem;

AsmResult Asm(const std::string& source) { return Assemble(source, StandardInstructionSet()); }

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

TEST(Assembler, TheExampleProgramsAssembleToTheShippedMemoryFiles) {
  const fs::path examples = fs::path(ORRIN_SOURCE_DIR) / "examples";
  for (const char* name : {"sum", "copy", "interrupt"}) {
    const AsmResult r = Asm(Slurp(examples / "asm" / (std::string(name) + ".asm")));
    ASSERT_TRUE(r.ok()) << name << ": " << r.errors.front().message;
    EXPECT_EQ(MemoryFileText(r.image), Slurp(examples / "memory" / (std::string(name) + ".txt"))) << name;
  }
}

TEST(Assembler, EncodingNumbersLabelsAndLayout) {
  const AsmResult r =
      Asm("start:\n"
          "  add r0 , r1      ; any case, blanks around commas\n"
          "  LD R2,[ R0 ]\n"
          "  st [r3],r1\n"
          "  jz next          ; label two ahead: offset 1\n"
          "  jc +15\n"
          "next: INC R3\n"
          "  JMP R2\n"
          "  IRET\n  DI\n  EI\n  HLT\n"
          "  ORG 0x40\n"
          "data: DB 0x2F, 2FH, 0FFH, 47, start, data\n");
  ASSERT_TRUE(r.ok()) << r.errors.front().line << ": " << r.errors.front().message;
  const std::vector<int> code = {0x11, 0x58, 0x6D, 0x81, 0x7F, 0x4C, 0x98, 0xB0, 0xC0, 0xD0, 0xE0};
  for (size_t i = 0; i < code.size(); ++i) EXPECT_EQ(r.image[i], code[i]) << i;
  const std::vector<int> data = {0x2F, 0x2F, 0xFF, 47, 0x00, 0x40};
  for (size_t i = 0; i < data.size(); ++i) EXPECT_EQ(r.image[0x40 + i], data[i]) << i;
  EXPECT_EQ(r.image[0x3F], 0);
  EXPECT_EQ(MemoryFileText(r.image).size(), 512u);
}

TEST(Assembler, EveryErrorOfTheSourceWithItsLine) {
  const AsmResult r =
      Asm("ok: HLT\n"
          "  FROB R1\n"              // 2 unknown mnemonic
          "  ADD R1\n"               // 3 missing operand
          "  INC R4\n"               // 4 register other than R0-R3
          "  LD R1,R2\n"             // 5 bad operand (no brackets)
          "back: JZ back\n"          // 6 backward jump
          "  JC far\n"               // 7 jump too far
          "  JZ nowhere\n"           // 8 undefined label
          "ok: DB 1\n"               // 9 duplicate label
          "  DB 256\n"               // 10 value out of range
          "  ORG 0\n  DB 7\n"        // 12 overlapping bytes
          "  ORG 300\n"              // 13 value out of range
          "  ADD R0,R1,R2\n"         // 14 extra operand
          "  ORG 0xFF\n  DB 1, 2\n"  // 16 past FF
          "  ORG 0x80\nfar: HLT\n");
  EXPECT_FALSE(r.ok());
  std::vector<std::pair<int, std::string>> got;
  for (const AsmError& e : r.errors) got.emplace_back(e.line, e.message.substr(0, e.message.find_first_of(":'(")));
  const std::vector<std::pair<int, std::string>> expected = {
      {2, "unknown mnemonic "},   {3, "ADD takes Rd,Rs"},
      {4, "no register R4 "},     {5, "bad operand "},
      {6, "jump out of range"},   {7, "jump out of range"},
      {8, "undefined label "},    {9, "duplicate label "},
      {10, "value out of range"}, {12, "overlapping bytes at address 00 "},
      {13, "value out of range"}, {14, "ADD takes Rd,Rs"},
      {16, "value out of range"}};
  EXPECT_EQ(got, expected);
  EXPECT_EQ(r.image, MemoryImage{});  // nothing assembled
}

TEST(Disassembler, TheListingShowsEachByteAndAssemblesBack) {
  const AsmResult sum = Asm(Slurp(fs::path(ORRIN_SOURCE_DIR) / "examples/asm/sum.asm"));
  const auto lines = Disassemble(sum.image, StandardInstructionSet());
  EXPECT_EQ(lines[0], "00: 20  SUB R0,R0");
  EXPECT_EQ(lines[1], "01: 50  LD R0,[R0]");
  EXPECT_EQ(lines[10], "0A: 81  JZ L0C");
  EXPECT_EQ(lines[12], "L0C:");
  EXPECT_EQ(lines.back(), "22: 08  DB 0x08");
  // Any image: bytes no instruction gives back (E5, 41, 0x, Ax, Fx) are DBs,
  // so the listing of random memory assembles to that memory.
  std::mt19937 rng(7);
  for (int round = 0; round < 300; ++round) {
    MemoryImage image{};
    for (uint8_t& b : image) b = rng() % 3 == 0 ? 0 : static_cast<uint8_t>(rng());
    std::string listing;
    for (const std::string& l : Disassemble(image, StandardInstructionSet())) listing += l + "\n";
    const AsmResult back = Asm(listing);
    ASSERT_TRUE(back.ok()) << back.errors.front().line << ": " << back.errors.front().message;
    ASSERT_EQ(back.image, image) << listing;
  }
}

TEST(InstructionSetFile, AChangedMicroprogramDescribesItsInstructions) {
  InstructionSet isa;
  std::vector<std::string> errors;
  ASSERT_TRUE(
      ParseInstructionSet("# a teacher's set\nA OUT Rd  # Rd onto the bus\n1 add Rd,Rs\nE STOP -\n", isa, errors));
  const AsmResult r = Assemble("OUT R2\nADD R1,R1\nSTOP\n", isa);
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.image[0], 0xA8);
  EXPECT_EQ(Disassemble(r.image, isa)[0], "00: A8  OUT R2");
  EXPECT_FALSE(Assemble("HLT\n", isa).ok());  // not in this set
  EXPECT_FALSE(ParseInstructionSet("1 ADD Rd,Rs\n1 SUB Rd,Rs\nG X -\n2 Y Rx\n3 Z\n", isa, errors));
  EXPECT_EQ(errors.size(), 4u);
  EXPECT_EQ(errors[0].substr(0, 2), "2:");
  // The standard set is the shipped file.
  EXPECT_EQ(StandardInstructionSet().instructions.size(), 13u);
}

}  // namespace
}  // namespace orrin
