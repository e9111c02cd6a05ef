// Every shipped memory and microprogram file loads, and every program runs to
// STOP with the result its description promises.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "tests/panels/panel_test_util.h"

namespace orrin {
namespace {

const std::string kExamples = ORRIN_EXAMPLES;

// The board set up for running programs: the flag and IR outputs wired to the
// sequencer's test inputs, microprogram mode, the program loaded.
struct ProgramBoard : Board {
  explicit ProgramBoard(const std::string& program) {
    host.openNames.push_back(kExamples + "/wiring/microprogram.txt");
    sim.N_ReadLineFileClick();
    sim.RadioButtonMicroProgramClick();
    sim.SpeedButtonPOWERClick();
    host.openNames.push_back(kExamples + "/memory/" + program);
    sim.N_File2MEMClick();
  }
  // QD in continuous mode, then the run timer until the run stops; false
  // when it never stops.
  bool RunToStop() {
    sim.SpeedButtonQDClick();
    for (int tick = 0; tick < 100000; ++tick) {
      if (!sim.console.Timer_RUN.enabled) return true;
      sim.Timer_RUNTimer();
    }
    return false;
  }
  int R(int n) const { return sim.machine.Regs.R[static_cast<size_t>(n)]; }
  int Mem(int a) const { return sim.machine.Mem.Cells[static_cast<size_t>(a)]; }
};

TEST(Examples, EveryShippedFileIsCovered) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(kExamples + "/memory"))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"copy.txt", "interrupt.txt", "sum.txt"}));
}

TEST(Examples, SumLoopAddsFiveDownToOne) {
  ProgramBoard b("sum.txt");
  ASSERT_TRUE(b.host.warnings.empty()) << b.host.warnings[0];
  ASSERT_TRUE(b.RunToStop());
  EXPECT_EQ(b.Mem(0xFF), 15);
  EXPECT_EQ(b.R(0), 15);
  EXPECT_EQ(b.R(1), 0);
  EXPECT_EQ(b.sim.machine.Flags.Z, 1);
  EXPECT_EQ(b.sim.machine.Pc.PC, 0x0E);  // one past HLT
}

TEST(Examples, CopyLoopCopiesTheStringWithItsEnd) {
  ProgramBoard b("copy.txt");
  ASSERT_TRUE(b.RunToStop());
  const int expected[] = {0x4F, 0x52, 0x52, 0x49, 0x4E, 0x00};  // "ORRIN"
  for (int i = 0; i < 6; ++i) EXPECT_EQ(b.Mem(0x40 + i), expected[i]) << i;
  EXPECT_EQ(b.Mem(0x46), 0);
  EXPECT_EQ(b.R(0), 0x27);
  EXPECT_EQ(b.R(1), 0x45);
}

TEST(Examples, InterruptEntersTheHandlerAndReturns) {
  ProgramBoard b("interrupt.txt");
  b.sim.ToggleDataSwitch(4);  // the handler's address, 10, on the switches
  b.sim.SpeedButtonQDClick();
  for (int tick = 0; tick < 20; ++tick) b.sim.Timer_RUNTimer();  // the loop turns with interrupts enabled
  ASSERT_TRUE(b.sim.console.Timer_RUN.enabled);
  ASSERT_EQ(b.sim.machine.Int.EN_INT, 1);
  const int turns = b.R(2);
  b.sim.SpeedButton_PULSEClick();
  // The interrupt entry carries STOP: the run halts with the vector word next.
  ASSERT_TRUE(b.RunToStop());
  EXPECT_EQ(b.sim.machine.Micro.MicroAddress, 0x14);
  EXPECT_EQ(b.sim.machine.Int.EN_INT, 0);
  const int iar = b.sim.machine.Iar.IAR;
  EXPECT_GE(iar, 0x06);
  EXPECT_LE(iar, 0x0B);
  // QD again: the handler notes the interrupt, enables and returns; the loop then halts.
  ASSERT_TRUE(b.RunToStop());
  EXPECT_EQ(b.R(1), 1);
  EXPECT_GE(b.R(2), turns);
  EXPECT_EQ(b.sim.machine.Int.EN_INT, 1);
  EXPECT_EQ(b.sim.machine.Pc.PC, 0x0A);  // one past HLT
}

TEST(Examples, DefaultMicroprogramFileEqualsTheBuiltInStore) {
  Board b;
  const std::string builtIn = [&] {
    std::string words;
    for (int a = 0; a < ControlStoreSize; ++a) words += FetchMicroword(b.sim.machine, a);
    return words;
  }();
  b.sim.LoadMicroFile(kExamples + "/microprogram/default.txt");
  ASSERT_TRUE(b.host.warnings.empty());
  std::string loaded;
  for (int a = 0; a < ControlStoreSize; ++a) {
    EXPECT_EQ(b.sim.machine.Micro.Store[static_cast<size_t>(a)].Address, a);
    loaded += FetchMicroword(b.sim.machine, a);
  }
  EXPECT_EQ(loaded, builtIn);
  EXPECT_EQ(b.sim.machine.Micro.Store[0x2E].CommentText, "; op E HLT: STOP\r\n");
}

}  // namespace
}  // namespace orrin
