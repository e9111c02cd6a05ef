// The standard instruction set as an independent model: a small interpreter
// written from the instruction table (opcode, effect, flags) runs random
// assembled programs, and the board runs the same bytes under the standard
// microprogram; registers, flags, PC and memory must agree when both halt.
#include <gtest/gtest.h>

#include <optional>
#include <random>

#include "asm/assembler.h"
#include "simulator/access.h"
#include "tests/exec/board_fixture.h"

namespace orrin {
namespace {

struct Model {
  MemoryImage mem{};
  std::array<int, 4> r{};
  int pc = 0, c = 0, z = 0, enInt = 0;

  // Runs to HLT; nullopt when the program leaves the instructions this
  // model knows (a byte the program wrote, or a jump into empty memory).
  std::optional<int> Run(int maxSteps) {
    for (int step = 0; step < maxSteps; ++step) {
      const int ins = mem[static_cast<size_t>(pc)];
      pc = (pc + 1) & 0xFF;
      const int op = ins >> 4, d = (ins >> 2) & 3, s = ins & 3, n = ins & 15;
      int& rd = r[static_cast<size_t>(d)];
      const int rs = r[static_cast<size_t>(s)];
      switch (op) {
        case 0x1: {  // ADD: C = carry, Z
          const int sum = rd + rs;
          c = sum > 0xFF;
          rd = sum & 0xFF;
          z = rd == 0;
          break;
        }
        case 0x2:  // SUB: C = 1 when no borrow, Z
          c = rd >= rs;
          rd = (rd - rs) & 0xFF;
          z = rd == 0;
          break;
        case 0x3:  // AND: Z
          rd &= rs;
          z = rd == 0;
          break;
        case 0x4:  // INC: C, Z
          if (s != 0) return std::nullopt;
          c = rd == 0xFF;
          rd = (rd + 1) & 0xFF;
          z = rd == 0;
          break;
        case 0x5:  // LD Rd,[Rs]
          rd = mem[static_cast<size_t>(rs)];
          break;
        case 0x6:  // ST [Rd],Rs
          mem[static_cast<size_t>(rd)] = static_cast<uint8_t>(rs);
          break;
        case 0x7:  // JC n
          if (c) pc = (pc + n) & 0xFF;
          break;
        case 0x8:  // JZ n
          if (z) pc = (pc + n) & 0xFF;
          break;
        case 0xC:
          if (n != 0) return std::nullopt;
          enInt = 0;
          break;
        case 0xD:
          if (n != 0) return std::nullopt;
          enInt = 1;
          break;
        case 0xE:
          return n == 0 ? std::optional<int>(step + 1) : std::nullopt;
        default:
          return std::nullopt;
      }
    }
    return std::nullopt;
  }
};

// A random program in mnemonics: straight-line arithmetic, loads, stores and
// forward jumps, ending in HLT; a data block after it.
std::string RandomProgram(std::mt19937& rng) {
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  // Appended, not "R" + ...: GCC 12 at -O3 warns falsely on the latter.
  auto reg = [&] { return std::string("R").append(1, static_cast<char>('0' + pick(4))); };
  const int count = 3 + pick(18);
  std::string src;
  for (int i = 0; i < count; ++i) {
    const int left = count - i - 1;  // instructions before HLT
    switch (pick(10)) {
      case 0:
        src += "ADD " + reg() + "," + reg();
        break;
      case 1:
        src += "SUB " + reg() + "," + reg();
        break;
      case 2:
        src += "AND " + reg() + "," + reg();
        break;
      case 3:
        src += "INC " + reg();
        break;
      case 4:
        src += "LD " + reg() + ",[" + reg() + "]";
        break;
      case 5:
        src += "ST [" + reg() + "]," + reg();
        break;
      case 6:
        src += "JC +" + std::to_string(pick(std::min(left, 15) + 1));
        break;
      case 7:
        src += "JZ +" + std::to_string(pick(std::min(left, 15) + 1));
        break;
      case 8:
        src += pick(2) ? "EI" : "DI";
        break;
      default:
        src += "LD " + reg() + ",[" + reg() + "]";
        break;
    }
    src += "\n";
  }
  src += "HLT\nORG 0x20\nDB " + std::to_string(pick(256));
  for (int i = 0; i < 7; ++i) src += ", " + std::to_string(pick(256));
  return src + "\n";
}

TEST(InstructionSetModel, RandomProgramsRunAlikeOnTheModelAndTheBoard) {
  std::mt19937 rng(2026);
  int compared = 0;
  for (int round = 0; round < 120; ++round) {
    const std::string source = RandomProgram(rng);
    const AsmResult program = Assemble(source, StandardInstructionSet());
    ASSERT_TRUE(program.ok()) << source << program.errors.front().message;
    Model model;
    model.mem = program.image;
    if (!model.Run(400)) continue;  // left the known instructions: not comparable
    ++compared;

    Board b;
    Simulator& sim = b.sim;
    sim.RadioButtonMicroProgramClick();
    WireSequencerInputs(sim);
    PowerOn(sim);
    Access(sim).machine.Mem.Cells = Access(sim).machine.Mem.ShownCells = program.image;
    sim.SpeedButtonQDClick();
    RunTimer(sim, 5000);
    const MachineState& s = sim.machine;
    SCOPED_TRACE(source);
    ASSERT_FALSE(sim.console.Timer_RUN.enabled) << "the board did not halt";
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(s.Regs.R[i], model.r[i]) << "R" << i;
    EXPECT_EQ(s.Flags.C, model.c);
    EXPECT_EQ(s.Flags.Z, model.z);
    EXPECT_EQ(s.Int.EN_INT, model.enInt);
    EXPECT_EQ(s.Pc.PC, model.pc);
    EXPECT_EQ(s.Mem.Cells, model.mem);
  }
  EXPECT_GE(compared, 60);  // most programs stay comparable
}

}  // namespace
}  // namespace orrin
