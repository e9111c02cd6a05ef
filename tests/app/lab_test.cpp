// Teacher-set faults and guided labs: a fault is the board's (CLR, power and
// playback keep it, `fault clear` ends it); a lab file is read with
// line-numbered errors and followed step by step, in order.
#include "app/lab.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "tests/app/perform.h"
#include "tests/test_host.h"

namespace orrin {
namespace {

const std::string kLabs = std::string(ORRIN_SOURCE_DIR) + "/examples/labs/";
const std::string kAluWires = "load-wires " + kLabs + "../wiring/alu.txt\nmode independent\n";

// R0 := the data switches' 35 in the ALU wiring: SBUS and DRW up, one machine cycle.
const std::string kCycle = "step\nstep\nstep\nstep\nstep\nstep\n";
const std::string kWrite35 = "sd 0\nsd 2\nsd 4\nsd 5\nk 11\nk 12\n" + kCycle;

TEST(Faults, StuckBitsSurviveClrAndPowerAndShowInPlayback) {
  const Outcome r = Perform(
      "power\nfault reg R0 3 1\nfault mem 10 0 1\nedit R0 00\nmem-cell 10 00\nmem-save\n"
      "expect R0=08 MEM[10]=01\nclr\npower\npower\nexpect R0=08 MEM[10]=01\n"
      "fault reg PC 7 0\nedit PC FF\nexpect PC=7F\nfault clear\nedit R0 00\nexpect R0=00\n");
  EXPECT_EQ(r.status, 0) << r.out << r.err;

  // The wiring writes R0 from the switches; bit 1 of R0 stuck at 1 makes 35 read 37,
  // and playback shows the beats as the faulty board had them. A freed
  // flip-flop keeps what it held until the next write.
  const Outcome w = Perform(kAluWires + "power\nfault reg R0 1 1\n" + kWrite35 +
                            "expect R0=37\nback\nexpect R0=37\nback\nexpect R0=02\nforward\nforward\n"
                            "fault clear\nexpect R0=37\n" +
                            kCycle + "expect R0=35\n");
  EXPECT_EQ(w.status, 0) << w.out << w.err;
}

TEST(Faults, AStuckJackOrBrokenWireStopsTheSignalAndADarkLampStaysDark) {
  for (const char* fault : {"fault jack SBUS 0", "fault wire K11 SBUS"}) {
    const Outcome r = Perform(kAluWires + fault + "\npower\n" + kWrite35 + "expect R0=00 Image_SBUS=LampGsL\n" +
                              "fault clear\n" + kCycle + "expect R0=35\n");
    EXPECT_EQ(r.status, 0) << fault << "\n" << r.out << r.err;
  }
  // The signal itself is there; only its lamp never lights, until the faults go.
  const Outcome lamp =
      Perform(kAluWires + "fault lamp Image_SBUS\npower\nk 11\nexpect Image_SBUS=LampGsL\n" +
              "clr\npower\npower\nexpect Image_SBUS=LampGsL\nfault clear\nexpect Image_SBUS=LampGsH\n");
  EXPECT_EQ(lamp.status, 0) << lamp.out << lamp.err;
}

// Each fault kind at its boundaries: the first and last register, bit 0 and
// bit 7, stuck at 0 and at 1, an output jack and an input jack.
TEST(Faults, AtTheBoundariesOfEachKind) {
  const Outcome regs = Perform(
      "power\nfault reg R3 0 1\nedit R3 00\nexpect R3=01\nfault reg R0 7 0\nedit R0 FF\nexpect R0=7F\n"
      // Stuck again at the other level: the new level holds, in both directions.
      "fault reg R0 7 1\nedit R0 00\nexpect R0=80\nfault reg R0 7 0\nedit R0 FF\nexpect R0=7F\n"
      "fault mem FF 7 1\nmem-cell FF 00\nmem-save\nexpect MEM[FF]=80\n"
      "fault mem 00 0 0\nmem-cell 00 FF\nmem-save\nexpect MEM[00]=FE\n");
  EXPECT_EQ(regs.status, 0) << regs.out << regs.err;

  // An output jack stuck at 0 drives 0 whatever its switch says; at 1, 1.
  const Outcome out0 =
      Perform(kAluWires + "fault jack K11 0\npower\n" + kWrite35 + "expect R0=00 Image_SBUS=LampGsL\n");
  EXPECT_EQ(out0.status, 0) << out0.out << out0.err;
  const Outcome out1 = Perform(kAluWires + "fault jack K11 1\npower\nexpect Image_SBUS=LampGsH\n" + "sd 0\nk 12\n" +
                               kCycle + "expect R0=01\n");
  EXPECT_EQ(out1.status, 0) << out1.out << out1.err;
  // A jack stuck with the power on shows at once, before any other action.
  const Outcome now = Perform(kAluWires +
                              "power\nk 11\nexpect Image_SBUS=LampGsH\nfault jack SBUS 0\n"
                              "expect Image_SBUS=LampGsL\nfault jack SBUS 1\nk 11\nexpect Image_SBUS=LampGsH\n");
  EXPECT_EQ(now.status, 0) << now.out << now.err;
  // A broken wire stays broken when the wires are cleared and drawn again.
  const Outcome rewired = Perform(kAluWires + "fault wire K11 SBUS\nclear-wires\nanswer yes\n" + kAluWires + "power\n" +
                                  kWrite35 + "expect R0=00\n");
  EXPECT_EQ(rewired.status, 0) << rewired.out << rewired.err;
}

TEST(Faults, BadFaultLinesAreRefused) {
  for (const char* line :
       {"fault", "fault reg R4 1 1", "fault reg R0 8 1", "fault reg R0 1 2", "fault mem 1 0 1", "fault mem 1G 0 1",
        "fault jack VCC 1", "fault jack NOPE 0", "fault wire K0 K1", "fault wire SBUS K11", "fault lamp Label_SDNum",
        "fault clear now", "fault frob K11 SBUS", "fault mem G1 0 1", "fault wire K11"}) {
    const Outcome r = Perform(std::string(line) + "\n");
    EXPECT_EQ(r.status, 2) << line;
    EXPECT_EQ(r.err.rfind("line 1: ", 0), 0u) << line << ": " << r.err;
  }
}

std::vector<std::string> LabErrors(const std::string& text) {
  Lab lab;
  std::vector<std::string> errors;
  const bool read = ReadLab(text, "t.lab", lab, errors);
  EXPECT_EQ(read, errors.empty());
  return errors;
}

const std::string kHead = "title: 实验\ntitle.en: Lab\ngoal: 目标\ngoal.en: Goal\n";

TEST(LabFile, ReadsBothLanguagesAFullWidthColonAndMixedLineEnds) {
  Lab lab;
  std::vector<std::string> errors;
  const std::string text = "\xEF\xBB\xBF" + kHead + "setup： mode independent\r\nstep 1: 开电源\rstep.en: Power on\n" +
                           "check: R0=00 Label_SDNum=\"00\"\r\nhint: 左边\nhint.en: left\n" +
                           "step 2: 选\nstep.en: Choose\nchoice: 甲\nchoice.en: A\nchoice: 乙\nchoice.en: B\n" +
                           "check: choice=2\npoints: 1000\n";
  ASSERT_TRUE(ReadLab(text, "/labs/t.lab", lab, errors)) << errors[0];
  EXPECT_EQ(lab.folder, "/labs");
  Lab top, here;
  ASSERT_TRUE(ReadLab(text, "/t.lab", top, errors));
  EXPECT_EQ(top.folder, "/");
  ASSERT_TRUE(ReadLab(text, "t.lab", here, errors));
  EXPECT_EQ(here.folder, ".");
  ASSERT_EQ(lab.setup.size(), 1u);
  EXPECT_EQ(lab.setup[0].second, "mode independent");
  ASSERT_EQ(lab.steps.size(), 2u);
  EXPECT_EQ(lab.steps[0].instruction.en, "Power on");
  EXPECT_EQ(lab.steps[0].checks.size(), 2u);
  EXPECT_EQ(lab.steps[0].points, 1);
  EXPECT_EQ(lab.steps[1].points, 1000);
  EXPECT_EQ(lab.steps[0].hint.zh, "左边");
  ASSERT_EQ(lab.steps[1].choices.size(), 2u);
  EXPECT_EQ(lab.steps[1].choices[1].en, "B");
}

TEST(LabFile, EveryFaultIsNamedWithItsLine) {
  const std::pair<std::string, std::string> kBad[] = {
      {"step 1: a\n", "t.lab:1: the lab needs a title and a title.en"},
      {"title: t\ntitle.en: t\nstep 1: a\nstep.en: a\ncheck: R0=00\n", "t.lab:1: the lab needs a goal and a goal.en"},
      {kHead + "just words\n", "t.lab:5: a line is KEY: TEXT"},
      {kHead + "colour: red\n", "t.lab:5: unknown key 'colour'"},
      {kHead + "check: R0=00\n", "t.lab:5: 'check' before the first step"},
      {kHead + "step 2: a\n", "t.lab:5: 'step 2' where step 1 comes"},
      {kHead + "step 1: a\nstep.en: a\ncheck: NOPE=1\n", "t.lab:7: unknown name 'NOPE' in check"},
      {kHead + "step 1: a\nstep.en: a\ncheck: R0\n", "t.lab:7: "},
      {kHead + "step 1: a\ncheck: R0=00\n", "t.lab:5: step 1 has no step.en"},
      {kHead + "step 1: a\nstep.en: a\n", "t.lab:5: step 1 has no check"},
      {kHead + "step 1: a\nstep.en: a\ncheck: choice=3\nchoice: x\nchoice.en: x\n",
       "t.lab:5: step 1 checks choice=3 but offers 1 choices"},
      {kHead + "setup:\n", "t.lab:5: 'setup' needs a console line"},
      {kHead + "step 1: a\nstep.en: a\ncheck: R0>=100\n",
       "t.lab:7: R0>=100: R0 is compared with a hex value of at most 2 digits"},
      {kHead + "step 1: a\nstep.en: a\ncheck: R0=35|5g\n",
       "t.lab:7: check R0=35|5g can never hold: R0 shows two upper-case hex digits"},
      {kHead + "step 1: a\nstep.en: a\ncheck: R0@cycle:x=35\n", "t.lab:7: 'R0@cycle:x': a time"},
      {kHead + "step 1: a\nstep.en: a\nchoice: x\nchoice.en: x\ncheck: choice>=1\n",
       "t.lab:9: a step's answer is checked as choice=N"},
      {kHead + "step 1: a\nstep.en: a\ncheck: R0=00\npoints: 0\n", "t.lab:8: 'points' needs a number of points 1-1000"},
      {kHead + "step 1: a\nstep.en: a\ncheck: R0=00\npoints: 1001\n",
       "t.lab:8: 'points' needs a number of points 1-1000"},
      {kHead + "points: 2\n", "t.lab:5: 'points' before the first step"},
      {kHead, "t.lab:1: the lab has no steps"},
  };
  for (const auto& [text, message] : kBad) {
    const auto errors = LabErrors(text);
    ASSERT_FALSE(errors.empty()) << text;
    EXPECT_EQ(errors[0].rfind(message, 0), 0u) << errors[0] << "\nwanted: " << message;
  }
}

// A script run while following a lab (orrin-run --lab).
Outcome FollowLab(const std::string& labText, const std::string& script, const std::string& path = "t.lab") {
  Lab lab;
  std::vector<std::string> errors;
  EXPECT_TRUE(ReadLab(labText, path, lab, errors)) << (errors.empty() ? "" : errors[0]);
  std::istringstream in(script);
  std::ostringstream out, err;
  RunOptions options;
  options.lab = &lab;
  const int status = RunScript(in, out, err, options);
  return {status, out.str(), err.str()};
}

TEST(LabRun, StepsAreDoneInOrderEachAtTheLineThatMadeItHold) {
  const std::string lab = kHead +
                          "step 1: 开\nstep.en: on\ncheck: SpeedButtonPOWER=SpeedButton_PowerON\n"
                          "step 2: 35\nstep.en: 35\ncheck: Label_SDNum=35\n"
                          "step 3: 答\nstep.en: answer\nchoice: 甲\nchoice.en: A\nchoice: 乙\nchoice.en: B\n"
                          "check: choice=2\n";
  // The switches reach 35 before the power is on: step 2 is done only after
  // step 1, at the same line; a wrong answer does not finish the lab.
  const Outcome r = FollowLab(lab, "sd 0\nsd 2\nsd 4\nsd 5\npower\nchoose 1\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "step 1 done at line 5\nstep 2 done at line 5\nline 6: answer 1 to step 3 is wrong\n"
            "step 3 not done: choice expected 2, got 1\nlab: 2 of 3 steps done\nlab: 1 wrong answer (step 3: 1)\n");

  const Outcome done = FollowLab(lab, "power\nsd 0\nsd 2\nsd 4\n# nearly\nsd 5\nchoose 2\n");
  EXPECT_EQ(done.status, 0) << done.err;
  EXPECT_EQ(done.out, "step 1 done at line 1\nstep 2 done at line 6\nstep 3 done at line 7\nlab: 3 of 3 steps done\n");
}

// A step's check in every form expect has: done when one alternative, the
// comparison or the pattern holds, with the failing form in the message.
TEST(LabRun, AStepChecksAlternativesComparisonsPatternsAndTimes) {
  const std::string lab = kHead +
                          "step 1: 53 或 35\nstep.en: 53 or 35\ncheck: Label_SDNum=35|53\n"
                          "step 2: 高位\nstep.en: high\ncheck: Label_SDNum>=80 Label_SDNum=0b1xxx_xxx1\n";
  const Outcome r = FollowLab(lab, "power\nsd 0\nsd 1\nsd 4\nsd 6\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "step 1 done at line 5\nstep 2 not done: Label_SDNum expected >=80, got 53\nlab: 1 of 2 steps done\n");
  // SD7 too: D3 is at least 80 and matches 1xxx_xxx1.
  const Outcome done = FollowLab(lab, "power\nsd 0\nsd 1\nsd 4\nsd 6\nsd 7\n");
  EXPECT_EQ(done.status, 0) << done.out;
  EXPECT_EQ(done.out, "step 1 done at line 5\nstep 2 done at line 6\nlab: 2 of 2 steps done\n");
}

TEST(LabRun, TheSetUpRunsFirstWithFilesBesideTheLabAndABadSetUpIsTheLabsError) {
  const std::string lab = kHead + "setup: load-wires ../wiring/alu.txt\nsetup: fault jack SBUS 0\n" +
                          "step 1: 写\nstep.en: write\ncheck: R0=35\n";
  // The stuck SBUS keeps R0 at 00: the lab cannot be finished.
  const Outcome stuck = FollowLab(lab, "power\n" + kWrite35, kLabs + "t.lab");
  EXPECT_EQ(stuck.status, 1) << stuck.err;
  EXPECT_EQ(stuck.out, "step 1 not done: R0 expected 35, got 00\nlab: 0 of 1 steps done\n");

  // Through a link from elsewhere, the set-up's files are still found beside the lab.
  const std::filesystem::path link = std::filesystem::temp_directory_path() / "orrin_lab_link.lab";
  std::filesystem::remove(link);
  std::filesystem::create_symlink(kLabs + "stuck_jack.lab", link);
  Lab linked;
  std::vector<std::string> errors;
  SilentHost files;
  ASSERT_TRUE(LoadLab(files, link.string(), linked, errors));
  EXPECT_EQ(std::filesystem::path(linked.folder), std::filesystem::canonical(kLabs));
  std::filesystem::remove(link);

  const Outcome bad = FollowLab(kHead + "setup: k 99\nstep 1: a\nstep.en: a\ncheck: R0=00\n", "power\n");
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(bad.err.rfind("t.lab:5: ", 0), 0u) << bad.err;
}

}  // namespace
}  // namespace orrin

namespace orrin {
namespace {

// Opening a lab in the window or the page: whatever the board held, the lab
// starts on a fresh one, the set-up's questions are answered by its lines,
// and the session records only what the student does after it.
TEST(Lab, BeginningALabStartsAFreshBoardWithItsSetUpAndAnEmptySession) {
  Lab lab;
  std::vector<std::string> errors;
  ASSERT_TRUE(
      ReadLab("title: t\ntitle.en: t\ngoal: g\ngoal.en: g\nsetup: mode microprogram\nsetup: power\n"
              "step 1: s\nstep.en: s\ncheck: R0=00\n",
              kLabs + "x.lab", lab, errors));
  std::ostringstream out;
  ScriptHost host(out, nullptr);
  Simulator sim(host);
  sim.Startup();
  sim.session.Start(true);
  sim.ToggleLevelSwitch(4);
  sim.ChooseAnswer(2);
  RunnerContext ctx{sim, host, out};
  std::string error;
  ASSERT_TRUE(BeginLab(ctx, lab, error)) << error;
  EXPECT_TRUE(sim.console.PowerOn);
  EXPECT_TRUE(sim.console.Microprogram());
  EXPECT_FALSE(sim.machine.Levels.Position[4]) << "the switch flipped before is back";
  EXPECT_EQ(sim.Choice(), "");
  EXPECT_EQ(sim.session.Text(), "");
  sim.ToggleDataSwitch(1);
  EXPECT_EQ(sim.session.Text(), "sd 1\n");

  Lab broken = lab;
  broken.setup = {{7, "k 99"}};
  sim.ToggleLevelSwitch(4);
  EXPECT_FALSE(BeginLab(ctx, broken, error));
  EXPECT_NE(error.find("x.lab:7: "), std::string::npos) << error;
  EXPECT_FALSE(sim.machine.Levels.Position[4]) << "a failed set-up still leaves a fresh board";
}

}  // namespace
}  // namespace orrin

namespace orrin {
namespace {

// The summary the window and the page both show: a step's time from the
// one before it, its hint and wrong tries, the totals, in either language.
TEST(Lab, TheSummaryKeepsEachStepsTimeHintsAndWrongTriesInBothLanguages) {
  Lab lab;
  std::vector<std::string> errors;
  ASSERT_TRUE(
      ReadLab("title: 写\ntitle.en: Write\ngoal: g\ngoal.en: g\n"
              "step 1: a\nstep.en: a\ncheck: SpeedButtonPOWER=SpeedButton_PowerON\nhint: h\nhint.en: h\n"
              "step 2: b\nstep.en: b\nchoice: x\nchoice.en: x\nchoice: y\nchoice.en: y\ncheck: choice=2\n"
              "step 3: c\nstep.en: c\ncheck: R0=35\n",
              "t.lab", lab, errors));
  Board b;
  LabProgress p(lab);
  p.UseHint();
  b.sim.SpeedButtonPOWERClick();
  EXPECT_EQ(p.Check(b.sim, "", 61000).size(), 1u);
  p.UseHint();  // step 2 has no hint, but the student asked: it counts
  EXPECT_EQ(p.Saw("choose 1", true, 2), LabProgress::Verdict::WrongAnswer);
  EXPECT_EQ(p.Check(b.sim, "2", 65500).size(), 1u);
  EXPECT_EQ(p.Elapsed(70000), 70000) << "not finished: the clock runs on";
  EXPECT_EQ(
      p.Summary(70000, nullptr),
      (std::vector<std::string>{"实验：写", "第 1 步：01:01（用了提示）", "第 2 步：00:04（用了提示）（答错 1 次）",
                                "第 3 步：未完成", "共用时 01:10，完成 2/3 步，用了 2 次提示", "答错 1 次"}));
  const std::vector<std::string> en = p.Summary(70000, &EnglishCatalog());
  ASSERT_EQ(en.size(), 6u);
  EXPECT_EQ(en[0].find("Write"), en[0].size() - 5) << en[0];
  for (const std::string& line : en)
    for (unsigned char c : line) EXPECT_LT(c, 0x80) << "Chinese left in: " << line;
  EXPECT_EQ(LabClock(3599999), "59:59");
  EXPECT_EQ(LabClock(-5), "00:00");
  EXPECT_EQ(CatalogueText(nullptr, "%2 and %1", {"a", "b"}), "b and a");
}

}  // namespace
}  // namespace orrin
