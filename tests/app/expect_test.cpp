// `expect` in console scripts: what it compares, how a mismatch reads, the
// closing count and the exit status.
#include <gtest/gtest.h>

#include <sstream>

#include "app/runner.h"
#include "tests/app/perform.h"

namespace orrin {
namespace {

TEST(Expect, ComparesDumpFieldsWidgetsMemoryAndControlStore) {
  const Outcome r = Perform(
      "mode microprogram\npower\n"
      "expect step=0/0 phase=0 uAR=00 R0=00 C=0 BUS=00 MEM[FF]=00 uM[00]=0C00000041 uM[3F]=0000000000\n"
      "expect Label_181formula=\"F = A+1\" Edit_PC=00 Image_K0=RSWL\n"
      "step\nexpect step=1/1 phase=1\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "14 passed, 0 failed\n");
}

TEST(Expect, AMismatchIsReportedAndTheScriptGoesOn) {
  const Outcome r = Perform("power\nexpect PC=01 R0=00\n# a comment\nexpect MEM[10]=FF\ndump\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out.substr(0, r.out.find("step=")),
            "line 2: expected PC=01, got 00\nline 4: expected MEM[10]=FF, got 00\n");
  EXPECT_TRUE(r.out.ends_with("1 passed, 2 failed\n"));
}

TEST(Expect, BadLinesStopWithStatusTwo) {
  for (const char* line : {"expect", "expect PC", "expect =1", "expect XYZ=1", "expect MEM[100]=00",
                           "expect MEM[G0]=00", "expect uM[40]=0", "expect R0=\"00"}) {
    const Outcome r = Perform(std::string("expect PC=00\n") + line + "\n");
    EXPECT_EQ(r.status, 2) << line;
    EXPECT_TRUE(r.err.starts_with("line 2: ")) << line << r.err;
  }
  // A script without expectations prints no count.
  EXPECT_EQ(Perform("power\n").out, "");
}

}  // namespace
}  // namespace orrin
