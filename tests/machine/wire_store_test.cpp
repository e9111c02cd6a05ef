// The wire store keeps the jacks and wires consistent whatever is asked of
// it, and each input reads the output wired to it.
#include "machine/wire_store.h"

#include <gtest/gtest.h>

namespace orrin {
namespace {

TEST(WireStore, RefusesWhatNoBoardCouldHave) {
  WireStore w;
  ASSERT_EQ(w.Add(jack::K0, jack::LDC, 1), 0);
  const struct {
    int from, to;
    const char* why;
  } refused[] = {
      {jack::K0, jack::LDC, "the same pair twice"},
      {jack::LDC, jack::K0, "from an input"},
      {jack::K0, jack::CO, "into an output"},
      {jack::CI, jack::ZI, "input to input"},
      {42, jack::LDC, "an empty slot"},
      {jack::K0, 84, "an empty slot"},
      {-1, jack::LDC, "out of range"},
      {jack::K0, JackCount, "out of range"},
      {NoValue, NoValue, "out of range"},
  };
  for (const auto& r : refused) EXPECT_EQ(w.Add(r.from, r.to, 1), -1) << r.why;
  EXPECT_EQ(w.CountInUse(), 1);
  EXPECT_EQ(w.JackAt(jack::K0).WireCount, 1);
  EXPECT_EQ(w.JackAt(jack::LDC).WireCount, 1);
  EXPECT_FALSE(w.Delete(jack::K0, jack::LDZ));
  EXPECT_TRUE(w.Delete(jack::K0, jack::LDC));
  EXPECT_EQ(w.JackAt(jack::K0).WireCount + w.JackAt(jack::LDC).WireCount + w.CountInUse(), 0);
  w.AppendPoint(0, 1, 2);  // a free record takes no point
  EXPECT_TRUE(w.WireAt(0).Points.empty());
}

TEST(WireStore, FillsUpAtItsCapacity) {
  WireStore w;
  int added = 0;
  for (int o = 0; o <= jack::GND2; ++o)
    for (int i = jack::CI; i <= jack::LIR; ++i) added += w.Add(o, i, 0) >= 0;
  EXPECT_EQ(added, WireCapacity);
  EXPECT_EQ(w.CountInUse(), WireCapacity);
  EXPECT_TRUE(w.Delete(jack::K0, jack::CI));
  EXPECT_EQ(w.Add(jack::GND2, jack::LIR, 0), 0) << "a freed record is taken again";
  w.Clear();
  EXPECT_EQ(w.CountInUse(), 0);
  for (const Jack& j : w.Jacks()) EXPECT_EQ(j.WireCount, 0);
}

TEST(WireStore, AnInputReadsItsOutputAndTheHighestWhenSeveral) {
  WireStore w;
  w.Drive(jack::K0 + 3, 1);
  w.Drive(jack::K0 + 9, 0);
  w.Propagate();
  EXPECT_EQ(w.Value(jack::LDC), NoValue);
  EXPECT_EQ(w.SourceName(jack::LDC), "");
  w.Add(jack::K0 + 3, jack::LDC, 0);
  w.Add(jack::K0 + 9, jack::LDC, 0);
  w.Add(jack::VCC2, jack::LDZ, 0);
  w.Propagate();
  EXPECT_EQ(w.Value(jack::LDC), 0);
  EXPECT_EQ(w.SourceName(jack::LDC), "K9");
  EXPECT_EQ(w.Value(jack::LDZ), 1) << "VCC keeps its level";
  w.Drive(jack::VCC2, 0);
  w.Propagate();
  EXPECT_EQ(w.Value(jack::LDZ), 1);
  w.Delete(jack::K0 + 9, jack::LDC);
  w.Propagate();
  EXPECT_EQ(w.Value(jack::LDC), 1);
  EXPECT_EQ(w.Source(jack::LDC), jack::K0 + 3);
  w.ClearLevels();
  EXPECT_EQ(w.Value(jack::K0 + 3), NoValue);
  EXPECT_EQ(w.Value(jack::GND1), 0);
}

TEST(WireStore, AJackIsHitWithinItsRadius) {
  WireStore w;
  const Jack& ldc = w.JackAt(jack::LDC);
  EXPECT_EQ(w.HitTest(ldc.X + 4, ldc.Y), jack::LDC);
  EXPECT_EQ(w.HitTest(ldc.X + 3, ldc.Y + 3), -1);  // 18 > 16
  EXPECT_EQ(w.HitTest(ldc.X + 5, ldc.Y), -1);
  EXPECT_EQ(w.HitTest(-100000, 2000000000), -1);
}

}  // namespace
}  // namespace orrin
