// `expect` in console scripts: what it compares, how a mismatch reads, the
// closing count and the exit status.
#include <gtest/gtest.h>

#include <sstream>
#include <utility>
#include <vector>

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

// The ALU experiment has run: R0 = 0F, R1 = 01, and the bus last showed R0 OR R1.
const char* kAluRun =
    "mode microprogram\npower\nswc\nswa\nsd 0\nsd 1\nsd 2\nsd 3\nqd\nrun\nsd 1\nsd 2\nsd 3\nqd\nrun\n"
    "qd\nrun\nqd\nrun\nqd\nrun\nqd\nrun\n";

// Each form on both sides of its rule: what holds, and what does not.
TEST(Expect, AlternativesComparisonsAndPatternsSayWhatATeacherMeans) {
  struct Case {
    const char* check;
    bool holds;
  };
  const Case kCases[] = {
      {"R0=0F", true},
      {"R0=35|0F", true},
      {"R0=35|53", false},
      {"R0=0F|", true},
      {"R0>=0F", true},
      {"R0>=10", false},
      {"R0>0E", true},
      {"R0>0F", false},
      {"R0<10", true},
      {"R0<0F", false},
      {"R0<=0F", true},
      {"R0<=0E", false},
      {"R0!=00", true},
      {"R0!=0F", false},
      {"R0!=00|0F", false},
      {"R0>=f", true},
      {"R0=0b0000_1111", true},
      {"R0=0b0000_1110", false},
      {"R0=0bxxxx_xxx1", true},
      {"R0=0bxxx1_xxxx", false},
      {"R0=35|0b0000_11xx", true},
      {"C=0b0", false},
      {"Z=0bx", true},
      {"uAR=0b00xxxx", true},
      {"uM[16]=0b0100_0100_0000_1010_0111_1010_0000_0000_0001_0111", true},
      // A quoted text is the text itself: its bar is no alternative.
      {"Label_181formula=\"F = A+1|F = A\"", false},
  };
  for (const Case& c : kCases) {
    const Outcome r = Perform(std::string(kAluRun) + "expect " + c.check + "\n");
    EXPECT_EQ(r.status, c.holds ? 0 : 1) << c.check << "\n" << r.out << r.err;
  }
  const Outcome r = Perform(std::string(kAluRun) + "expect R0>=10 R0=0bxxx1_xxxx\n");
  EXPECT_NE(r.out.find("line 24: expected R0>=10, got 0F\nline 24: expected R0=0bxxx1_xxxx, got 0F\n"),
            std::string::npos)
      << r.out;
}

// A condition at a small beat or machine cycle of the recorded history (a
// cycle is six small beats: what its sixth left); a time not recorded fails.
TEST(Expect, ACheckAtABeatOrCycleLooksAtTheRecordedHistory) {
  const std::string run =
      "mode microprogram\npower\nswc\nswa\nsd 0\nsd 1\nsd 2\nsd 3\nqd\nrun\nsd 1\nsd 2\nsd 3\nqd\nrun\n";
  for (const auto& [check, holds] : std::vector<std::pair<std::string, bool>>{{"uAR@cycle:1=00", true},
                                                                              {"uAR@cycle:2=0B", true},
                                                                              {"uAR@cycle:2=00", false},
                                                                              {"uAR@beat:7=0B", true},
                                                                              {"R0@beat:6=00", true},
                                                                              {"R0@cycle:2=0F", true},
                                                                              {"R0@cycle:3=0F", true},
                                                                              {"R1@cycle:3=01", true},
                                                                              {"R1@cycle:2=01", false},
                                                                              {"DRW@cycle:2=1", true},
                                                                              {"SBUS@beat:8=1", true},
                                                                              {"LIR@cycle:2=1", false},
                                                                              {"R0@cycle:2>=0F", true},
                                                                              {"R0@cycle:2!=0F", false},
                                                                              {"R0@beat:99999=00", false},
                                                                              {"phase@beat:7=1", true}}) {
    const Outcome r = Perform(run + "expect " + check + "\n");
    EXPECT_EQ(r.status, holds ? 0 : 1) << check << "\n" << r.out << r.err;
  }
  EXPECT_NE(Perform(run + "expect R0@beat:99999=00\n").out.find("got nothing (not in the recorded history)"),
            std::string::npos);
}

// Each form is checked when the line is read: a malformed one is a bad line.
TEST(Expect, AMalformedCheckIsABadLine) {
  const std::pair<const char*, const char*> kBad[] = {
      {"R0>=100", "R0>=100: R0 is compared with a hex value of at most 2 digits"},
      {"R0<XY", "R0<XY: R0 is compared with a hex value of at most 2 digits"},
      {"C>0", ""},  // C is one bit: one digit to compare with (C is 0 here)
      {"step>=1", "step>=1: step shows no hex value to compare"},
      {"Image_K0<1", "Image_K0<1: Image_K0 shows no hex value to compare"},
      {"R0=0b101", "R0=0b101: the pattern has 3 bits, R0 8"},
      {"R0=35|0b1", "R0=35|0b1: the pattern has 1 bits, R0 8"},
      {"step=0b1", "step=0b1: step shows no bits to match"},
      {"R0@beat:0=00", "'R0@beat:0': a time in the recorded history is NAME@beat:N or NAME@cycle:N, N from 1"},
      {"R0@when:3=00", "'R0@when:3': a time in the recorded history is NAME@beat:N or NAME@cycle:N, N from 1"},
      {"Edit_PC@beat:1=00", "unknown name 'Edit_PC'"},
      {"DRW=1", "unknown name 'DRW'"},
      {"R0!00", "'expect' needs NAME=TEXT pairs"},
      {"R0=00 points: 0", "'points:' needs a number of points 1-1000"},
      {"R0=00 points:", "'points:' needs a number of points 1-1000"},
      {"R0>=", "R0>=: R0 is compared with a hex value of at most 2 digits"},
      {"Label_SDNum=0b1111111111_1111111111_1111111111_1111111111_1111111111_11111111111",
       "Label_SDNum=0b1111111111_1111111111_1111111111_1111111111_1111111111_11111111111: the pattern has 61 bits, "
       "at most 60"},
  };
  for (const auto& [check, message] : kBad) {
    const Outcome r = Perform(std::string("expect ") + check + "\n");
    if (*message == '\0') {
      EXPECT_EQ(r.status, 1) << check << r.err;
      continue;
    }
    EXPECT_EQ(r.status, 2) << check;
    EXPECT_EQ(r.err, std::string("line 1: ") + message + "\n") << check;
  }
  // STATE is the hard-wired design's: nothing without one, eight bits to match.
  EXPECT_EQ(Perform("expect STATE=\n").status, 0);
  EXPECT_EQ(Perform("expect STATE=00\n").status, 1);
  EXPECT_EQ(Perform("expect STATE=0b1\n").err, "line 1: STATE=0b1: the pattern has 1 bits, STATE 8\n");
  // Points are the grader's: the line itself checks as without them.
  EXPECT_EQ(Perform("expect R0=00 points: 3 PC=00\n").out, "2 passed, 0 failed\n");
  EXPECT_EQ(Perform("expect R0=00 points: 1000\n").status, 0);
  EXPECT_EQ(Perform("power\nexpect Label_SDNum!=0b1111111111_1111111111_1111111111_1111111111_1111111111_1111111111\n")
                .status,
            0)
      << "60 bits are a pattern a widget may have";
}

}  // namespace
}  // namespace orrin
