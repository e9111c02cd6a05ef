// Random wirings, memories and control stores, saved and read back, give the
// same state. A fixed seed keeps every run the same.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "fuzz/invariants.h"
#include "simulator/access.h"
#include "tests/test_host.h"

namespace orrin {
namespace {

class RoundTrip : public ::testing::Test {
 protected:
  std::mt19937 rng{20261209};
  std::filesystem::path dir = std::filesystem::temp_directory_path() /
                              ("orrin-roundtrip-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  void SetUp() override { std::filesystem::create_directories(dir); }
  void TearDown() override { std::filesystem::remove_all(dir); }
  int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
  std::string File(const char* name) { return (dir / name).string(); }
};

TEST_F(RoundTrip, Wirings) {
  Board a, b;
  for (int round = 0; round < 200; ++round) {
    Access(a.sim).wires.Clear();
    b.host.answers.push_back(Answer::Yes);  // reading clears the last round's wires
    const int wires = Pick(0, 60);
    for (int i = 0; i < wires; ++i) {
      const int from = Pick(0, 41), to = Pick(50, 83);
      if (a.sim.wires.Find(from, to) >= 0) continue;
      const int k = Access(a.sim).wires.Add(from, to, static_cast<uint32_t>(Pick(0, 0xFFFFFF)));
      const int points = Pick(2, 6);
      for (int p = 0; p < points; ++p)
        Access(a.sim).wires.AppendPoint(k, Pick(0, Canvas::Width - 1), Pick(0, Canvas::Height - 1));
    }
    // Free a few records in the middle so the record order matters.
    for (int i = 0; i < 3; ++i) {
      const Wire& w = a.sim.wires.WireAt(static_cast<size_t>(Pick(0, 20)));
      if (w.InUse) {
        const int from = w.From, to = w.To;
        Access(a.sim).wires.Delete(from, to);
      }
    }
    Access(a.sim).editor.Check();
    a.host.saveNames.push_back(File("wires.txt"));
    a.sim.N_SaveLineFileClick();
    b.host.openNames.push_back(File("wires.txt"));
    b.sim.N_ReadLineFileClick();
    ASSERT_EQ(CheckInvariants(b.sim), "");
    // The file lists wires in record order, so they land packed from record 0.
    std::vector<const Wire*> expected;
    for (const Wire& w : a.sim.wires.Wires())
      if (w.InUse) expected.push_back(&w);
    ASSERT_EQ(b.sim.wires.CountInUse(), static_cast<int>(expected.size())) << "round " << round;
    for (size_t i = 0; i < expected.size(); ++i) {
      const Wire& w = b.sim.wires.WireAt(i);
      EXPECT_EQ(w.From, expected[i]->From);
      EXPECT_EQ(w.To, expected[i]->To);
      EXPECT_EQ(w.Color, expected[i]->Color);
      EXPECT_EQ(w.Points, expected[i]->Points);
    }
    EXPECT_EQ(b.sim.view[WidgetId::Memo_WireOut].lines, a.sim.view[WidgetId::Memo_WireOut].lines);
  }
}

TEST_F(RoundTrip, Memories) {
  Board a, b;
  a.sim.SpeedButtonPOWERClick();
  b.sim.SpeedButtonPOWERClick();
  for (int round = 0; round < 300; ++round) {
    for (auto& cell : Access(a.sim).machine.Mem.Cells) cell = static_cast<uint8_t>(Pick(0, 255));
    Access(a.sim).machine.Mem.ShownCells = Access(a.sim).machine.Mem.Cells;
    a.host.saveNames.push_back(File("memory.txt"));
    a.sim.N_MEM2FileClick();
    b.host.openNames.push_back(File("memory.txt"));
    b.sim.N_File2MEMClick();
    ASSERT_EQ(b.sim.machine.Mem.Cells, a.sim.machine.Mem.Cells) << "round " << round;
    ASSERT_EQ(b.sim.machine.Mem.ShownCells, a.sim.machine.Mem.Cells);
  }
  EXPECT_TRUE(b.host.warnings.empty());
}

TEST_F(RoundTrip, ControlStores) {
  static constexpr char kDigits[] = "0123456789ABCDEFabcdef";
  Board a, b;
  for (int round = 0; round < 300; ++round) {
    ClearControlStore(Access(a.sim).machine);
    const int entries = Pick(0, 64);
    for (int i = 0; i < entries; ++i) {
      const int address = Pick(0, 63);
      std::string word;
      for (int d = 0; d < 10; ++d) word += kDigits[Pick(0, 21)];
      SetControlStoreEntry(Access(a.sim).machine, address, std::string(Hex2(address).view()) + word, word, "");
    }
    a.host.saveNames.push_back(File("micro.txt"));
    a.sim.N_BakMicro2FileClick();
    b.host.openNames.push_back(File("micro.txt"));
    b.sim.N_ReadMicroFileClick();
    ASSERT_EQ(CheckInvariants(b.sim), "");
    for (int address = 0; address < ControlStoreSize; ++address) {
      const ControlStoreEntry& x = a.sim.machine.Micro.Store[static_cast<size_t>(address)];
      const ControlStoreEntry& y = b.sim.machine.Micro.Store[static_cast<size_t>(address)];
      ASSERT_EQ(y.Address, x.Address) << "round " << round << " address " << address;
      ASSERT_EQ(y.WordText, x.WordText);
      ASSERT_EQ(y.FullText, x.FullText);
    }
  }
}

}  // namespace
}  // namespace orrin
