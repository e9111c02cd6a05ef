// The microprogram source: words by name, labels, instruction lines, every
// error with its line, the disassembly and the round trip through it.
#include "asm/micro_source.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <random>

#include "asm/assembler.h"
#include "asm/messages.h"
#include "base/micro_file.h"
#include "base/microword_text.h"
#include "tests/slurp.h"

namespace orrin {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Errors(const std::string& text) {
  MicroSource s;
  std::vector<std::string> errors;
  const bool ok = AssembleMicroSource(text, "t.mc", s, errors);
  EXPECT_EQ(ok, errors.empty());
  if (!errors.empty()) {
    EXPECT_TRUE(s.words.empty());
  }
  return errors;
}

MicroSource Good(const std::string& text) {
  MicroSource s;
  std::vector<std::string> errors;
  EXPECT_TRUE(AssembleMicroSource(text, "t.mc", s, errors)) << (errors.empty() ? "" : errors.front());
  return s;
}

uint64_t WordAt(const MicroSource& s, int address) {
  for (const MicroSourceWord& w : s.words)
    if (w.address == address) return w.word;
  ADD_FAILURE() << "no word at " << address;
  return 0;
}

std::unique_ptr<MachineState> FreshStore() {
  auto m = std::make_unique<MachineState>();
  ClearControlStore(*m);
  return m;
}

TEST(MicroSource, TheDefaultStoreReadsAsItsTableOfSignals) {
  const fs::path dir = fs::path(ORRIN_SOURCE_DIR);
  auto m = FreshStore();
  files::ReadMicroprogram(*m, Slurp(dir / "examples/microprogram/default.txt"));
  std::string listed;
  for (int a = 0; a < ControlStoreSize; ++a)
    listed += DisassembleWord(a, m->Micro.Store[static_cast<size_t>(a)].Word) + "\n";
  EXPECT_EQ(listed, Slurp(dir / "tests/asm/default_store.expected"));
  // The shipped source is that store, and describes the standard instruction set.
  const MicroSource standard = Good(Slurp(dir / "examples/microprogram/standard.mc"));
  ASSERT_EQ(standard.words.size(), 64u);
  for (const MicroSourceWord& w : standard.words)
    EXPECT_EQ(w.word, m->Micro.Store[static_cast<size_t>(w.address)].Word) << w.address;
  ASSERT_TRUE(standard.hasInstructions);
  for (const Instruction& i : StandardInstructionSet().instructions) {
    const Instruction* same = standard.isa.Find(i.mnemonic);
    ASSERT_NE(same, nullptr) << i.mnemonic;
    EXPECT_EQ(same->opcode, i.opcode);
    EXPECT_EQ(same->form, i.form);
  }
  EXPECT_EQ(standard.isa.instructions.size(), StandardInstructionSet().instructions.size());
}

TEST(MicroSource, ItemsFieldsAndNextAddressesMakeTheirBits) {
  const MicroSource s = Good(
      "; a comment line\n"
      "00: SEL=3 P0 -> 01\n"
      "0a: drw s=a sel=b selctl -> 0B   ; lower case counts\r\n"
      "1E:\r"
      "3F: PCADD P4 P3 P2 P1 -> 3f\n"
      "10:LIR->11\n");
  EXPECT_EQ(WordAt(s, 0x00), 0x0C00000041u);
  EXPECT_EQ(WordAt(s, 0x0A), (1ull << 11) | (0xAull << 22) | (0xBull << 34) | (1ull << 38) | 0x0B);
  EXPECT_EQ(WordAt(s, 0x1E), 0u);
  EXPECT_EQ(WordAt(s, 0x3F), (1ull << 39) | (0xFull << 7) | 0x3F);
  EXPECT_EQ(WordAt(s, 0x10), (1ull << 18) | 0x11);
  // In address order, whatever the file's order.
  ASSERT_EQ(s.words.size(), 5u);
  EXPECT_EQ(s.words.front().address, 0);
  EXPECT_EQ(s.words.back().address, 0x3F);
  EXPECT_EQ(s.words[1].comment, "lower case counts");
  EXPECT_FALSE(s.hasInstructions);
}

TEST(MicroSource, LabelsNameNextAddressesAnywhereAndTravelInTheComment) {
  const MicroSource s = Good(
      "00: P0 -> Fetch\n"
      "01: fetch: LIR PCINC P1 -> 20 ; IR = memory[PC]\n"
      "20: -> FETCH\n"
      "21: done:\n");
  EXPECT_EQ(WordAt(s, 0x00) & 63, 1u);
  EXPECT_EQ(WordAt(s, 0x20) & 63, 1u);
  auto m = FreshStore();
  LoadMicroSource(*m, s);
  EXPECT_EQ(m->Micro.Store[1].CommentText, ";fetch: IR = memory[PC]");
  EXPECT_EQ(m->Micro.Store[0x21].CommentText, ";done:");
  EXPECT_EQ(m->Micro.Store[0].CommentText, "");
  EXPECT_EQ(LabelOfComment(m->Micro.Store[1].CommentText), "fetch");
  EXPECT_EQ(LabelOfComment(";done:"), "done");
  EXPECT_EQ(LabelOfComment(";op 1 ADD Rd,Rs: Rd = Rd + Rs"), "");
  EXPECT_EQ(LabelOfComment(";LDC: not a label"), "");
  // Addresses the source does not name are empty.
  EXPECT_EQ(m->Micro.Store[2].Address, NoValue);
}

TEST(MicroSource, EveryErrorIsReportedWithItsLineAndTheGoodSideLoads) {
  const std::pair<const char*, const char*> bad[] = {
      {"00: FROB\n", "t.mc:1: unknown word 'FROB'"},
      {"00: DRW LDC drw\n", "t.mc:1: 'DRW' given twice in a word"},
      {"00: S=1 S=2\n", "t.mc:1: 'S=' given twice in a word"},
      {"00: S=10\n", "t.mc:1: S= takes one hex digit: 'S=10'"},
      {"00: SEL=G\n", "t.mc:1: SEL= takes one hex digit: 'SEL=G'"},
      {"00: S=\n", "t.mc:1: S= takes one hex digit: 'S='"},
      {"0G: DRW\n", "t.mc:1: bad address '0G': two hex digits 00-3F"},
      {"4: DRW\n", "t.mc:1: bad address '4': two hex digits 00-3F"},
      {"40: DRW\n", "t.mc:1: address 40 is past 3F"},
      {"DRW LDC\n", "t.mc:1: a word starts with its address, two hex digits and ':': 'DRW'"},
      {"00: DRW\n\n00: LDC\n", "t.mc:3: two words at address 00 (line 1)"},
      {"00: -> nowhere\n", "t.mc:1: undefined label 'nowhere'"},
      {"00: a: DRW\n01: A: LDC\n", "t.mc:2: label 'A' defined twice (line 1)"},
      {"00: LDC: DRW\n", "t.mc:1: label 'LDC' is spelt like an item or an address"},
      {"00: AB: DRW\n", "t.mc:1: label 'AB' is spelt like an item or an address"},
      {"00: 1st: DRW\n", "t.mc:1: bad label '1st' (a letter, then letters, digits, _)"},
      {"00: -> 40\n", "t.mc:1: next address 40 is past 3F"},
      {"00: -> 01 02\n", "t.mc:1: -> needs one next address, and nothing after it"},
      {"00: ->\n", "t.mc:1: -> needs one next address, and nothing after it"},
      {"00: -> #1\n", "t.mc:1: bad next address '#1': two hex digits 00-3F or a label"},
      {"instruction G FOO -\n", "t.mc:1: the opcode is one hex digit: G"},
      {"00: DRW\ninstruction 1 ADD\n", "t.mc:2: needs an opcode, a mnemonic and an operand form"},
  };
  for (const auto& [text, message] : bad) {
    const std::vector<std::string> e = Errors(text);
    ASSERT_EQ(e.size(), 1u) << text;
    EXPECT_EQ(e[0], message) << text;
  }
  const char* good[] = {"3F: DRW\n",
                        "00: S=F SEL=0 -> 3F\n",
                        "00: ok_1: DRW\n01: -> OK_1\n",
                        "00: DRW;  just a comment\n",
                        "instruction A MOV Rd,Rs\n",
                        "00: abc: S=1\n"};
  for (const char* text : good) EXPECT_TRUE(Errors(text).empty()) << text;
  // Every error of the file at once, in line order; the store untouched.
  const std::vector<std::string> all = Errors("00: -> later\n01: FROB\n02: S=XY\n");
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0], "t.mc:1: undefined label 'later'");
  EXPECT_EQ(all[2], "t.mc:3: S= takes one hex digit: 'S=XY'");
  // A source over 1 MiB is refused whole.
  const std::vector<std::string> huge = Errors(std::string(kLongestMicroSource + 1, ' '));
  ASSERT_EQ(huge.size(), 1u);
  EXPECT_EQ(huge[0], "t.mc: too large (over 1 MiB)");
  EXPECT_TRUE(Errors(std::string(kLongestMicroSource, ' ')).empty());
  // A file that is no text at all: one message, at its first such line.
  const std::vector<std::string> binary = Errors("00: DRW\n01: \xff\xfe LDC\n02: FROB\n\x00\x01\n");
  ASSERT_EQ(binary.size(), 1u);
  EXPECT_EQ(binary[0], "t.mc:2: not UTF-8 text: a microprogram source is a plain text file");
  EXPECT_TRUE(Errors("00: DRW ; 中文注释 ok\n").empty());
  EXPECT_TRUE(Errors("00: DRW ; caf\xc3\xa9, \xf0\x9f\x98\x80\n").empty());  // two- and four-byte characters
  // The window shows them in Chinese.
  EXPECT_EQ(AsmMessagesInChinese("t.mc:1: unknown word 'FROB'"), "t.mc:1: 未知的词“FROB”");
}

TEST(MicroSource, InstructionLinesDriveTheAssembler) {
  const MicroSource s = Good(
      "instruction A MOV Rd,Rs ; the new instruction\n"
      "instruction E HLT -\n"
      "2A: ABUS M DRW S=A P4 -> 01\n");
  ASSERT_TRUE(s.hasInstructions);
  const AsmResult r = Assemble("MOV R1,R2\nHLT\n", s.isa);
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.image[0], 0xA6);
  EXPECT_EQ(r.image[1], 0xE0);
  EXPECT_FALSE(Assemble("ADD R1,R2\n", s.isa).ok());  // the set is the source's, not the standard one
}

// Any store, written as a source and read back, gives the same 40 bits at
// the same addresses; the microprogram file of a source loads the same store.
TEST(MicroSource, AnyStoreRoundTripsThroughItsDisassembly) {
  std::mt19937_64 random(20261211);
  for (int round = 0; round < 200; ++round) {
    auto m = FreshStore();
    for (int a = 0; a < ControlStoreSize; ++a) {
      if (random() % 3 == 0) continue;
      const uint64_t w = random() & ((1ull << 40) - 1);
      const std::string word = (random() % 2 ? "%llx" : "%llX");
      char text[16];
      std::snprintf(text, sizeof text, word.c_str(), static_cast<unsigned long long>(w));
      std::string ten = std::string(10 - std::strlen(text), '0') + text;
      SetControlStoreEntry(*m, a, "", ten, random() % 2 ? ";note " + std::to_string(a) + "\r\n" : "");
    }
    const std::string listed = DisassembleStore(*m);
    MicroSource s;
    std::vector<std::string> errors;
    ASSERT_TRUE(AssembleMicroSource(listed, "r.mc", s, errors)) << errors.front() << "\n" << listed;
    auto back = FreshStore();
    LoadMicroSource(*back, s);
    auto fromFile = FreshStore();
    files::ReadMicroprogram(*fromFile, MicroFileText(s));
    for (size_t a = 0; a < ControlStoreSize; ++a) {
      EXPECT_EQ(back->Micro.Store[a].Address, m->Micro.Store[a].Address) << a;
      EXPECT_EQ(back->Micro.Store[a].Word, m->Micro.Store[a].Word) << a;
      EXPECT_EQ(fromFile->Micro.Store[a].Word, m->Micro.Store[a].Word) << a;
      EXPECT_EQ(fromFile->Micro.Store[a].Address, m->Micro.Store[a].Address) << a;
    }
    EXPECT_EQ(DisassembleStore(*back), listed);
  }
}

}  // namespace
}  // namespace orrin
