// The assembler's language, its errors with their lines, the listing, and
// instruction sets read from files.
#include "asm/assembler.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <sstream>

#include "asm/messages.h"
#include "tests/slurp.h"

namespace orrin {
namespace {

namespace fs = std::filesystem;

AsmResult Asm(const std::string& source) { return Assemble(source, StandardInstructionSet()); }

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

TEST(Assembler, EveryRangeLimitOnBothSides) {
  struct Case {
    const char* source;
    bool ok;
  };
  const Case cases[] = {
      {"JC +15\n", true},
      {"JC +16\n", false},
      {"JZ t\nORG 16\nt: HLT\n", true},
      {"JZ t\nORG 17\nt: HLT\n", false},
      {"t: JZ t\n", false},
      {"DB 255\n", true},
      {"DB 256\n", false},
      {"DB 0FFH, 0xFF\n", true},
      {"DB 0x\n", false},  // a prefix without digits is no number
      {"DB 0x0\n", true},
      {"DB H\n", false},
      {"DB 100H\n", false},
      {"ORG 0xFF\nDB 1\n", true},
      {"ORG 0xFF\nDB 1, 2\n", false},
      {"ORG 0x100\n", false},
      // A label names an address of the board: FF is the last.
      {"ORG 0xFF\nlast: HLT\nDB last\n", false},  // the DB itself is past FF
      {"ORG 0xFE\nDB 1\nend:\n", true},
      {"ORG 0xFF\nDB 1\nend:\n", false},
      {"DB end\nORG 0xFF\nDB 1\nend:\n", false},
  };
  for (const Case& c : cases) EXPECT_EQ(Asm(c.source).ok(), c.ok) << c.source;
  const AsmResult past = Asm("DB end\nORG 0xFF\nDB 1\nend:\n");
  ASSERT_EQ(past.errors.size(), 1u);
  EXPECT_EQ(past.errors[0].line, 4);
  EXPECT_EQ(past.errors[0].message, "label 'end' is past FF");
}

TEST(Assembler, ATwoDigitLabelIsNotAListingLine) {
  // "A1: DB 5" is the label A1 before DB 5; a listing line has the byte
  // followed by two blanks and its statement, exactly as -d writes it.
  AsmResult r = Asm("JZ A1\nA1: DB 5, 6\n");
  ASSERT_TRUE(r.ok()) << r.errors.front().message;
  EXPECT_EQ(r.image[0], 0x80);
  EXPECT_EQ(r.image[1], 5);
  EXPECT_EQ(r.image[2], 6);
  r = Asm("A1: 80  JZ +0\n");
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.image[0xA1], 0x80);
  EXPECT_FALSE(Asm("A1: DB\n").ok()) << "a label before a DB without values";
}

TEST(Assembler, SourcesFromAnyEditorReadAlike) {
  const std::string lines[] = {"  SUB R0,R0", "  LD R0,[R0]", "x: HLT", "  JZ x"};
  std::vector<std::string> sources = {"", "\xEF\xBB\xBF", "", ""};
  const char* ends[] = {"\n", "\r\n", "\r", "\n"};
  for (size_t v = 0; v < sources.size(); ++v)
    for (size_t l = 0; l < 4; ++l) sources[v] += lines[l] + (v == 3 && l == 1 ? "\r\n" : ends[v]);
  for (const std::string& s : sources) {
    const AsmResult r = Asm(s);
    ASSERT_EQ(r.errors.size(), 1u) << "the backward jump, on its own line";
    EXPECT_EQ(r.errors[0].line, 4);
    EXPECT_EQ(Asm(s.substr(0, s.rfind("  JZ"))).image[2], 0xE0);
  }
}

TEST(InstructionSetFile, RefusesWhatNoSourceCouldWrite) {
  for (const char* bad : {"7 GO: n\n", "7 X;Y n\n", "7 db n\n", "7 Org n\n", "7 _X n\n", "7 9X n\n", "7 J\xC3\xA9 n\n",
                          "1 ADD Rd,Rs\n2 add Rd,Rs\n", "1 ADD Rd,Rs\n1 SUB Rd,Rs\n"}) {
    InstructionSet isa;
    std::vector<std::string> errors;
    EXPECT_FALSE(ParseInstructionSet(bad, isa, errors)) << bad;
    EXPECT_EQ(errors.size(), 1u) << bad;
  }
  InstructionSet isa;
  std::vector<std::string> errors;
  EXPECT_TRUE(ParseInstructionSet("\xEF\xBB\xBF# a set\r\n7 JUMP_IF_C n\r8 J2 n\n", isa, errors));
  EXPECT_EQ(isa.instructions.size(), 2u);
}

// Every message the assembler and the instruction-set reader give has its
// Chinese, for the window in Chinese; other lines pass as they are.
TEST(AsmMessages, EveryMessageHasItsChinese) {
  std::vector<std::string> messages;
  for (const char* source :
       {"ok: HLT\n FROB R1\n ADD R1\n INC R4\n LD R1,R2\n LD R1,[R2\nback: JZ back\n JC far\n JZ nowhere\n"
        "ok: DB 1\n DB 256\n DB\n DB x+\n ORG 0\n DB 7\n ORG 300\n ORG\n ADD R0,R1,R2\n HLT R1\n JZ +x\n JZ [R1]\n"
        "1x: HLT\n ORG 0xFF\n DB 1, 2\n ORG 0x80\nfar: HLT\n ORG 0xFF\n HLT\nlate: HLT\n INC 5\n"}) {
    for (const AsmError& e : Asm(source).errors) messages.push_back(e.message);
  }
  for (const char* isa : {"7 GO\n", "77 GO n\n", "7 GO q\n", "7 db n\n", "1 ADD Rd,Rs\n1 SUB Rd,Rs\n"}) {
    InstructionSet set;
    std::vector<std::string> errors;
    ParseInstructionSet(isa, set, errors);
    for (const std::string& e : errors) messages.push_back(e.substr(e.find(": ") + 2));
  }
  std::set<std::string> kinds;
  for (const std::string& m : messages) {
    const std::string line = "my: file.asm:12: " + m;
    const std::string chinese = AsmMessagesInChinese(line);
    EXPECT_NE(chinese, line) << m;
    EXPECT_TRUE(chinese.starts_with("my: file.asm:12: ")) << chinese;
    kinds.insert(m.substr(0, 8));
  }
  EXPECT_GE(kinds.size(), 20u);
  EXPECT_EQ(AsmMessagesInChinese("汇编文件有错误：\nx.asm:3: unknown mnemonic 'FOO'\nnot a message"),
            "汇编文件有错误：\nx.asm:3: 未知助记符“FOO”\nnot a message");
}

}  // namespace
}  // namespace orrin
