// A design checked against the microprogram: agreement to the end, the first
// difference with its line, beat, cycle and names, a design that cannot load.
#include "app/compare.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace orrin {
namespace {

const std::string kFiles = ORRIN_SOURCE_DIR "/tests/scripts/files/";

int Compare(const std::string& design, const std::string& script, std::string& out, std::string& err) {
  std::istringstream in(script);
  std::ostringstream o, e;
  const int status = CompareController(design, in, o, e);
  out = o.str();
  err = e.str();
  return status;
}

std::string Steps(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += "step\n";
  return s;
}

TEST(CompareController, TheFirstDifferenceIsNamedWithItsLineBeatAndCycle) {
  std::string out, err;
  // toggle.json drives DRW from SWC and LIR from a flip-flop; the word at 00
  // drives none of them: the first cycle agrees.
  EXPECT_EQ(Compare(kFiles + "toggle.json", "mode microprogram\npower\n" + Steps(3), out, err), 0) << err;
  EXPECT_EQ(out, "the design agrees with the microprogram over 3 small beats\n");
  // The second cycle runs word 01 (LIR PCINC): the design drives neither.
  EXPECT_EQ(Compare(kFiles + "toggle.json", "mode microprogram\npower\n" + Steps(12), out, err), 1);
  EXPECT_EQ(out, "line 9: step: small beat 7 (machine cycle 2): PCINC microprogram=1 hardwired=0\n");
  // A difference in a register, in hex.
  EXPECT_EQ(Compare(kFiles + "toggle.json", "mode microprogram\npower\nswc\n" + Steps(6), out, err), 1);
  EXPECT_NE(out.find("DRW microprogram=0 hardwired=1"), std::string::npos) << out;
}

TEST(CompareController, ADesignOrALineThatCannotRunIsAnError) {
  std::string out, err;
  EXPECT_EQ(Compare(kFiles + "no-such.json", "power\n", out, err), 2);
  EXPECT_NE(err.find("no-such.json"), std::string::npos) << err;
  EXPECT_EQ(Compare(kFiles + "mixed_micro.txt", "power\n", out, err), 2);
  EXPECT_NE(err.find("not a JSON netlist"), std::string::npos) << err;
  EXPECT_EQ(Compare(kFiles + "toggle.json", "power\nfrobnicate\n", out, err), 2);
  EXPECT_EQ(err.substr(0, 8), "line 2: ");
}

// What a grader learns: a tally of one case, the difference as a failed
// expectation with its line, a design that cannot load as the design's file
// problem (and its case failed at "line 0"), a bad line as the stop.
TEST(CompareController, TellsTheGraderWhatItFound) {
  using Kind = RunFact::Kind;
  auto facts = [](const std::string& design, const std::string& script) {
    std::vector<RunFact> told;
    std::istringstream in(script);
    std::ostringstream o, e;
    CompareController(design, in, o, e, [&](const RunFact& f) { told.push_back(f); });
    return told;
  };
  auto agree = facts(kFiles + "toggle.json", "mode microprogram\npower\n" + Steps(3));
  ASSERT_EQ(agree.size(), 1u);
  EXPECT_EQ(agree[0], (RunFact{Kind::Tally, 1, 0}));

  auto differ = facts(kFiles + "toggle.json", "mode microprogram\npower\n" + Steps(12));
  ASSERT_EQ(differ.size(), 2u);
  EXPECT_EQ(differ[0].kind, Kind::ExpectFailed);
  EXPECT_EQ(differ[0].line, 9);
  EXPECT_EQ(differ[0].text, "line 9: step: small beat 7 (machine cycle 2): PCINC microprogram=1 hardwired=0");
  EXPECT_EQ(differ[1], (RunFact{Kind::Tally, 0, 1}));

  auto unloadable = facts(kFiles + "mixed_micro.txt", "power\n");
  ASSERT_EQ(unloadable.size(), 3u);
  EXPECT_EQ(unloadable[0].kind, Kind::FileProblem);
  EXPECT_EQ(unloadable[0].name, kFiles + "mixed_micro.txt");
  EXPECT_EQ(unloadable[1].kind, Kind::ExpectFailed);
  EXPECT_EQ(unloadable[1].line, 0) << "the design is loaded before the script's first line";
  EXPECT_TRUE(unloadable[1].text.starts_with("line 0: load-controller ")) << unloadable[1].text;
  EXPECT_EQ(unloadable[1].text.find('\n'), std::string::npos);
  EXPECT_EQ(unloadable[2], (RunFact{Kind::Tally, 0, 1}));

  auto bad = facts(kFiles + "toggle.json", "power\nfrobnicate\n");
  ASSERT_EQ(bad.size(), 1u);
  EXPECT_EQ(bad[0].kind, Kind::Stopped);
  EXPECT_EQ(bad[0].line, 2);
}

}  // namespace
}  // namespace orrin
