// What makes a lab's grade mean something: a student's script keeps its
// files inside its own folder, the shortcuts a lab forbids spoil the steps
// after them, wrong answers are counted, and a lab that cannot be done (a
// broken set-up, a check that can never hold) is refused before anyone
// follows it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/folder_files.h"
#include "app/lab.h"
#include "tests/app/perform.h"

namespace orrin {
namespace {

namespace fs = std::filesystem;

const std::string kHead = "title: 实验\ntitle.en: Lab\ngoal: 目标\ngoal.en: Goal\n";
const std::string kOn = "step 1: 开\nstep.en: on\ncheck: SpeedButtonPOWER=SpeedButton_PowerON\n";

// A folder of its own per test, made empty.
fs::path Folder(const std::string& name) {
  const fs::path p = fs::temp_directory_path() / ("orrin_trust_" + name);
  fs::remove_all(p);
  fs::create_directories(p);
  return p;
}

void Put(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }

std::string Get(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

Outcome Follow(const std::string& labText, const std::string& script, const std::string& confineTo = "",
               std::size_t writeBudget = ScriptHost::kSessionWriteBudget) {
  Lab lab;
  std::vector<std::string> errors;
  EXPECT_TRUE(ReadLab(labText, "t.lab", lab, errors)) << (errors.empty() ? "" : errors[0]);
  std::istringstream in(script);
  std::ostringstream out, err;
  RunOptions options;
  options.lab = &lab;
  options.confineTo = confineTo;
  options.writeBudget = writeBudget;
  const int status = RunScript(in, out, err, options);
  return {status, out.str(), err.str()};
}

std::vector<std::string> LabErrors(const std::string& text) {
  Lab lab;
  std::vector<std::string> errors;
  ReadLab(text, "t.lab", lab, errors);
  return errors;
}

TEST(FolderFiles, NamesInsideTheFolderOnlyNeverThroughALink) {
  const fs::path root = Folder("inside"), outside = Folder("outside");
  fs::create_directories(root / "sub");
  Put(root / "sub" / "a.txt", "A");
  Put(outside / "secret.txt", "S");
  fs::create_symlink(outside, root / "away");
  fs::create_symlink(outside / "secret.txt", root / "s.txt");
  ASSERT_EQ(mkfifo((root / "pipe").c_str(), 0600), 0);
  FolderFiles files;
  ASSERT_TRUE(files.Open(root.string(), 10));

  std::string text, why;
  EXPECT_EQ(files.Read("sub/a.txt", 100, text, why), files::ReadResult::Ok);
  EXPECT_EQ(text, "A");
  EXPECT_EQ(files.Read("./sub//a.txt", 100, text, why), files::ReadResult::Ok);
  EXPECT_TRUE(why.empty()) << why;
  EXPECT_EQ(files.Read("none.txt", 100, text, why), files::ReadResult::CannotRead);
  EXPECT_TRUE(why.empty()) << "a missing file is not refused, only missing";

  const std::pair<std::string, std::string> kRefused[] = {
      {(outside / "secret.txt").string(), "is outside the session's folder"},
      {"../orrin_trust_outside/secret.txt", "leaves the session's folder"},
      {"sub/../../orrin_trust_outside/secret.txt", "leaves the session's folder"},
      {"away/secret.txt", "passes through a link"},
      {"s.txt", "is a link, not a file"},
  };
  for (const auto& [name, reason] : kRefused) {
    why.clear();
    text = "left from before";
    EXPECT_EQ(files.Read(name, 100, text, why), files::ReadResult::CannotRead) << name;
    EXPECT_NE(why.find(reason), std::string::npos) << name << ": " << why;
    EXPECT_TRUE(text.empty());
    why.clear();
    EXPECT_FALSE(files.Write(name, "X", why)) << name;
    EXPECT_NE(why.find(reason), std::string::npos) << name << ": " << why;
  }
  EXPECT_EQ(Get(outside / "secret.txt"), "S");
  // A FIFO never blocks the reader or the writer.
  why.clear();
  EXPECT_EQ(files.Read("pipe", 100, text, why), files::ReadResult::CannotRead);
  EXPECT_FALSE(files.Write("pipe", "X", why));

  // Writing inside is fine up to the budget, which counts every write.
  why.clear();
  EXPECT_TRUE(files.Write("sub/b.txt", "12345", why)) << why;
  EXPECT_TRUE(files.Write("sub/b.txt", "12345", why)) << why;
  EXPECT_EQ(files.Written(), 10u);
  EXPECT_FALSE(files.Write("sub/c.txt", "1", why));
  EXPECT_NE(why.find("may write"), std::string::npos) << why;
  EXPECT_FALSE(fs::exists(root / "sub" / "c.txt"));
  EXPECT_EQ(Get(root / "sub" / "b.txt"), "12345");
}

TEST(LabConfinement, AStudentsSessionCannotTouchAnotherFolderAndSaysWhichLine) {
  const fs::path mine = Folder("mine"), victim = Folder("victim");
  Put(victim / "session.orrin", "power\n");
  Put(mine / "prog.txt", std::string(512, '0'));
  const std::string script =
      "power\nload-memory prog.txt\nsave-memory ../orrin_trust_victim/session.orrin\n"
      "save-wires " +
      (victim / "w.txt").string() + "\nexport-trace ../x.csv\nsave-memory copy.txt\n";
  const Outcome r = Follow(kHead + kOn, script, mine.string());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("line 3: refused: `../orrin_trust_victim/session.orrin` leaves the session's folder"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("line 4: refused: "), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("line 5: refused: "), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("line 2: refused"), std::string::npos) << "a file inside is used as ever";
  EXPECT_EQ(r.out.find("line 6: refused"), std::string::npos);
  EXPECT_EQ(Get(victim / "session.orrin"), "power\n");
  EXPECT_FALSE(fs::exists(victim / "w.txt"));
  EXPECT_FALSE(fs::exists(fs::temp_directory_path() / "x.csv") &&
               fs::file_size(fs::temp_directory_path() / "x.csv") > 0 &&
               fs::last_write_time(fs::temp_directory_path() / "x.csv") > fs::last_write_time(mine / "prog.txt"));
  EXPECT_EQ(Get(mine / "copy.txt").size(), 512u);

  // Without a lab, or with one but unconfined (the teacher's own check), names are taken as given.
  const Outcome free = Perform("power\nsave-memory " + (victim / "mine.txt").string() + "\n");
  EXPECT_EQ(free.out, "");
  EXPECT_TRUE(fs::exists(victim / "mine.txt"));
}

TEST(LabConfinement, AnExportLoopStopsAtTheBudget) {
  const fs::path mine = Folder("export_loop");
  // 1 400 beats of the sum program: each CSV of them some 200 kB, the budget
  // (64 MiB for a real session) 2 MiB here.
  std::string script = "load-wires " + std::string(ORRIN_SOURCE_DIR) +
                       "/examples/wiring/microprogram.txt\nmode microprogram\npower\nqd\nrun 200\n";
  for (int i = 0; i < 40; ++i) script += "export-trace t" + std::to_string(i) + ".csv\n";
  constexpr std::size_t kBudget = 2u << 20;
  const Outcome r = Follow(kHead + kOn, script, mine.string(), kBudget);
  uintmax_t written = 0;
  int files = 0;
  for (const auto& e : fs::directory_iterator(mine)) {
    written += fs::file_size(e.path());
    ++files;
  }
  EXPECT_LE(written, kBudget);
  EXPECT_GT(written + fs::file_size(mine / "t0.csv"), kBudget) << "the budget is used up to the last file that fits";
  EXPECT_LT(files, 40);
  EXPECT_NE(r.out.find("line " + std::to_string(6 + files) + ": refused: `t" + std::to_string(files) +
                       ".csv` was not written: a session may write 2 MiB in all"),
            std::string::npos)
      << r.out.substr(0, 2000);
}

TEST(LabConfinement, TheSetUpIsTheTeachersAndRunsBeforeTheConfinement) {
  const fs::path mine = Folder("setup_first");
  // The set-up loads a wiring from beside the shipped labs, outside the student's folder.
  Lab lab;
  std::vector<std::string> errors;
  ASSERT_TRUE(ReadLab(kHead + "setup: load-wires ../wiring/alu.txt\n" + kOn,
                      std::string(ORRIN_SOURCE_DIR) + "/examples/labs/t.lab", lab, errors));
  std::istringstream in("dump\nload-wires ../wiring/alu.txt\n");
  std::ostringstream out, err;
  RunOptions options;
  options.lab = &lab;
  options.confineTo = mine.string();
  EXPECT_EQ(RunScript(in, out, err, options), 1) << err.str();
  EXPECT_EQ(out.str().find("line 1: refused"), std::string::npos);
  EXPECT_NE(out.str().find("line 2: refused: "), std::string::npos) << out.str();
}

TEST(LabConfinement, ASetUpFileNamedInFullIsTakenAsItIs) {
  const std::string wiring = std::string(ORRIN_SOURCE_DIR) + "/examples/wiring/alu.txt";
  Lab lab;
  std::vector<std::string> errors;
  ASSERT_TRUE(ReadLab(
      kHead + "setup: load-wires " + wiring + "\nsetup: mode independent\n" + "step 1: R0\nstep.en: R0\ncheck: R0=35\n",
      "/nowhere/t.lab", lab, errors));
  std::istringstream in("power\nsd 0\nsd 2\nsd 4\nsd 5\nk 11\nk 12\nstep\nstep\nstep\nstep\nstep\nstep\n");
  std::ostringstream out, err;
  RunOptions options;
  options.lab = &lab;
  EXPECT_EQ(RunScript(in, out, err, options), 0) << err.str() << out.str();
}

TEST(LineNumbers, TheLastLineWithoutALineEndHasItsOwnNumber) {
  const Outcome r = Perform("power\r\nfrob");
  EXPECT_EQ(r.err, "line 2: unknown command 'frob'\n");
  const Outcome cr = Perform("power\rdump\rfrob");
  EXPECT_EQ(cr.err, "line 3: unknown command 'frob'\n");
  const auto e = LabErrors(kHead + "step 1: s\nstep.en: s\ncheck: R0=00\nnonsense");
  ASSERT_EQ(e.size(), 1u);
  EXPECT_EQ(e[0], "t.lab:8: a line is KEY: TEXT");
}

TEST(LabConfinement, ASavedSessionNamesTheFilesBesideItRelativeToIt) {
  const std::string session =
      "power\nload-memory /a/b/prog.txt\nsave-wires /a/b/sub/w.txt\nload-micro /a/c.txt\n"
      "load-wires /a/bc/x.txt\nload-asm /a/b/\nsd 1\nload-memory -\n";
  const std::string beside =
      "power\nload-memory prog.txt\nsave-wires sub/w.txt\nload-micro /a/c.txt\n"
      "load-wires /a/bc/x.txt\nload-asm /a/b/\nsd 1\nload-memory -\n";
  EXPECT_EQ(NamesRelativeTo(session, "/a/b"), beside);
  EXPECT_EQ(NamesRelativeTo(session, "/a/b/"), beside);
  EXPECT_EQ(NamesRelativeTo("load-memory /a/b/my prog.txt", "/a/b"), "load-memory my prog.txt\n");
}

TEST(LabFile, ForbidTakesEditFieldsAndTheTablesOnTheLabOrAStep) {
  Lab lab;
  std::vector<std::string> errors;
  ASSERT_TRUE(ReadLab(kHead + "forbid: edit R0 uAR\nforbid: micro-cell\n" + kOn + "forbid: edit\nforbid: mem-cell\n",
                      "t.lab", lab, errors))
      << errors[0];
  EXPECT_EQ(lab.forbid, (Shortcuts{"edit R0", "edit uAR", "micro-cell"}));
  EXPECT_EQ(lab.steps[0].forbid, (Shortcuts{"edit", "mem-cell"}));

  for (const char* bad : {"forbid:\n", "forbid: edit R9\n", "forbid: edit ir\n", "forbid: mem-cell 10\n",
                          "forbid: power\n", "forbid: mem-save\n"}) {
    const auto e = LabErrors(kHead + bad + kOn);
    ASSERT_EQ(e.size(), 1u) << bad;
    EXPECT_EQ(e[0].rfind("t.lab:5: 'forbid", 0), 0u) << e[0];
  }
}

TEST(LabFile, ASetUpOnlyLoadsFiles) {
  for (const char* write : {"save-memory m.txt", "save-micro m.txt", "save-wires w.txt", "export-trace t.csv"}) {
    const auto e = LabErrors(kHead + "setup: " + write + "\n" + kOn);
    ASSERT_EQ(e.size(), 1u) << write;
    EXPECT_NE(e[0].find("t.lab:5: a set-up only loads files"), std::string::npos) << e[0];
  }
  for (const char* load : {"load-memory m.txt", "load-micro m.txt", "load-wires w.txt", "load-asm p.asm", "power"})
    EXPECT_TRUE(LabErrors(kHead + "setup: " + load + "\n" + kOn).empty()) << load;
}

TEST(LabFile, ACheckThatCanNeverHoldIsRefusedWithEveryOneNamed) {
  const char* kNever[] = {"step=6",
                          "step=6/",
                          "step=/6",
                          "MEM[21]=3c",
                          "MEM[21]=3",
                          "R0=035",
                          "R3=g0",
                          "uAR=2f",
                          "C=2",
                          "INTQ=",
                          "phase=7",
                          "uM[00]=00000200",
                          "BUS=100",
                          "Image_K0=on",
                          "Image_SBUS=LampGs",
                          "step=1234567890123/1"};
  std::string steps;
  for (size_t i = 0; i < std::size(kNever); ++i)
    steps += "step " + std::to_string(i + 1) + ": s\nstep.en: s\ncheck: " + kNever[i] + "\n";
  const auto e = LabErrors(kHead + steps);
  ASSERT_EQ(e.size(), std::size(kNever)) << "every error at once";
  for (size_t i = 0; i < e.size(); ++i) {
    EXPECT_EQ(e[i].rfind("t.lab:" + std::to_string(7 + 3 * i) + ": check ", 0), 0u) << e[i];
    EXPECT_NE(e[i].find("can never hold"), std::string::npos) << e[i];
  }
  // What the board can show is accepted.
  for (const char* can :
       {"step=6/6", "step=123456789012/123456789012", "step=0/120000", "step=9/9", "MEM[21]=3C", "R3=F0", "R0=09",
        "R1=90", "uAR=2F", "C=0", "INTQ=1", "phase=0", "phase=6", "uM[00]=0000020000", "uM[3F]=00abcdef01",
        "Image_K0=RSWH", "Image_SBUS=LampGsL", "SpeedButtonPOWER=SpeedButton_PowerON", "Label_181formula=\"F = A\""})
    EXPECT_TRUE(LabErrors(kHead + "step 1: s\nstep.en: s\ncheck: " + can + "\n").empty()) << can;
}

TEST(LabFile, AHintOrAChoiceItCannotMeet) {
  const auto oneLanguage = LabErrors(kHead + "step 1: s\nstep.en: s\ncheck: R0=00\nhint: 提示\n");
  ASSERT_EQ(oneLanguage.size(), 1u);
  EXPECT_NE(oneLanguage[0].find("a hint in one language only"), std::string::npos);
  EXPECT_TRUE(LabErrors(kHead + "step 1: s\nstep.en: s\ncheck: R0=00\nhint: 提示\nhint.en: hint\n").empty());
  const std::string two = "choice: a\nchoice.en: a\nchoice: b\nchoice.en: b\n";
  for (const char* bad : {"choice=02", "choice=0", "choice=3", "choice=+1", "choice=2x"})
    EXPECT_EQ(LabErrors(kHead + "step 1: s\nstep.en: s\n" + two + "check: " + bad + "\n").size(), 1u) << bad;
  for (const char* good : {"choice=1", "choice=2"})
    EXPECT_TRUE(LabErrors(kHead + "step 1: s\nstep.en: s\n" + two + "check: " + good + "\n").empty()) << good;
}

const std::string kTwoSteps = kOn + "step 2: R1\nstep.en: R1\ncheck: R1=66\n";

TEST(LabShortcuts, AForbiddenEditSpoilsTheStepsAfterItAndIsNamed) {
  const Outcome r = Follow(kHead + "forbid: edit R1\n" + kTwoSteps, "power\nedit R1 66\nedit R0 01\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "step 1 done at line 1\nline 2: `edit R1` is not allowed in this lab\n"
            "step 2 was reached after `edit R1` at line 2\nlab: 1 of 2 steps done\n");

  // Every field when none is named; another field is not forbidden by a list.
  EXPECT_EQ(Follow(kHead + "forbid: edit\n" + kTwoSteps, "power\nedit R1 66\n").status, 1);
  EXPECT_EQ(Follow(kHead + "forbid: edit R0\n" + kTwoSteps, "power\nedit R1 66\n").status, 0);
  // With the power off a field is read-only: Enter there does nothing, and is no shortcut.
  const Outcome off = Follow(kHead + "forbid: edit R1\n" + kTwoSteps, "edit R1 66\npower\nedit R1 66\n");
  EXPECT_EQ(off.out.find("line 1:"), std::string::npos) << off.out;
  EXPECT_NE(off.out.find("line 3: `edit R1` is not allowed"), std::string::npos) << off.out;
}

TEST(LabShortcuts, AStepsForbidHoldsWhileThatStepIsTheOneToDo) {
  const std::string lab = kHead + kOn + "step 2: R1\nforbid: edit R1\nstep.en: R1\ncheck: R1=66\n" +
                          "step 3: R2\nstep.en: R2\nforbid: mem-cell\ncheck: R2=01\n";
  // Editing R1 before step 1 is done is allowed by step 2's rule; once step 1 is done it is not.
  EXPECT_EQ(Follow(lab, "edit R1 66\npower\nedit R2 01\n").out.find("not allowed"), std::string::npos);
  const Outcome during = Follow(lab, "power\nedit R1 66\nedit R2 01\n");
  EXPECT_NE(during.out.find("line 2: `edit R1` is not allowed"), std::string::npos) << during.out;
  EXPECT_NE(during.out.find("lab: 1 of 3 steps done"), std::string::npos) << during.out;
  // The tables: the memory's takes typing with the power on only; the control store's always.
  const std::string tables = kHead + "forbid: mem-cell\nforbid: micro-cell\n" + kOn;
  EXPECT_EQ(Follow(tables, "mem-cell 00 12\npower\n").status, 0);
  EXPECT_EQ(Follow(tables, "micro-cell 00 12\npower\n").status, 1);
  EXPECT_EQ(Follow(tables, "power\nmem-cell 00 12\n").status, 0) << "after the last step nothing is spoilt";
}

TEST(LabAnswers, WrongTriesAreCountedPerStepAndTheRightOneStillFinishes) {
  const std::string lab = kHead + kOn +
                          "step 2: q\nstep.en: q\nchoice: a\nchoice.en: a\nchoice: b\nchoice.en: b\nchoice: c\n"
                          "choice.en: c\ncheck: choice=3\n";
  const Outcome r = Follow(lab, "choose 1\npower\nchoose 1\nchoose 2\nchoose 3\nchoose 1\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "step 1 done at line 2\nline 3: answer 1 to step 2 is wrong\nline 4: answer 2 to step 2 is wrong\n"
            "step 2 done at line 5\nlab: 2 of 2 steps done\nlab: 2 wrong answers (step 2: 2)\n");
}

TEST(LabSetUp, AFileTheSetUpCannotUseIsTheLabsErrorEveryOneNamed) {
  const fs::path folder = Folder("setup_files");
  Put(folder / "junk.txt", "not a wiring\n");
  const std::string text =
      kHead + "setup: load-wires missing.txt\nsetup: load-micro junk.txt\nsetup: mode microprogram\n" + kOn;
  Lab lab;
  std::vector<std::string> errors;
  ASSERT_TRUE(ReadLab(text, (folder / "t.lab").string(), lab, errors));
  std::istringstream in("power\n");
  std::ostringstream out, err;
  RunOptions options;
  options.lab = &lab;
  EXPECT_EQ(RunScript(in, out, err, options), 2);
  const std::string lab5 = (folder / "t.lab").string() + ":5: the set-up cannot use its file: ";
  const std::string lab6 = (folder / "t.lab").string() + ":6: the set-up cannot use its file: ";
  EXPECT_NE(err.str().find(lab5 + "无法读取文件："), std::string::npos) << err.str();
  EXPECT_NE(err.str().find(lab6 + "微程序文件中没有一条能读出的微指令"), std::string::npos) << err.str();
  const std::string said = err.str();
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 2) << "one line each: " << said;
}

TEST(LabRunEnd, AStepNotDoneSaysItsFirstFailingCheck) {
  const Outcome r = Follow(kHead + kTwoSteps, "power\nedit R1 4A\n");
  EXPECT_NE(r.out.find("step 2 not done: R1 expected 66, got 4A\n"), std::string::npos) << r.out;
  const Outcome choice = Follow(kHead + "step 1: q\nstep.en: q\nchoice: a\nchoice.en: a\ncheck: choice=1\n", "dump\n");
  EXPECT_NE(choice.out.find("step 1 not done: choice expected 1, got nothing\n"), std::string::npos) << choice.out;
}

TEST(TerminalText, EveryLineOfABoxIsMadeSafe) {
  // An assembler's errors are a box of lines, each starting with the file's
  // name as given: a name that starts with ESC.
  const fs::path folder = Folder("esc_names");
  const std::string name = "\x1b[31mbad.asm";
  Put(folder / name, "FOO\nBAR\n");
  const fs::path was = fs::current_path();
  fs::current_path(folder);
  const Outcome r = Perform("power\nload-asm " + name + "\n");
  fs::current_path(was);
  EXPECT_EQ(r.out.find('\x1b'), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\n\\x1B[31mbad.asm:1: "), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\n\\x1B[31mbad.asm:2: "), std::string::npos) << r.out;
}

TEST(PrintNames, PrintTakesEveryNameExpectTakes) {
  const Outcome r = Perform("power\nedit R1 4A\nprint R1 MEM[00] uM[00] step C Label_SDNum\nprint MEM[100]\n");
  EXPECT_EQ(r.out, "R1=4A\nMEM[00]=00\nuM[00]=0C00000041\nstep=0/0\nC=0\nLabel_SDNum=00\n");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "line 4: unknown widget 'MEM[100]'\n");
}

TEST(FilesAllowed, AScriptNobodyReadNeitherReadsNorWritesAFile) {
  const fs::path p = Folder("no_files") / "m.txt";
  std::istringstream in("power\nsave-memory " + p.string() + "\nload-memory " + p.string() + "\n");
  std::ostringstream out, err;
  RunOptions options;
  options.filesAllowed = false;
  EXPECT_EQ(RunScript(in, out, err, options), 0) << err.str();
  EXPECT_FALSE(fs::exists(p));
}

TEST(TerminalText, ControlCharactersInNamesAndLinesNeverReachTheTerminalRaw) {
  const Outcome r = Perform("power\nload-memory \x1b[2Jx.txt\nfrob\x1b[31m\n");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.out.find("无法读取文件：\\x1B[2Jx.txt"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find('\x1b'), std::string::npos);
  EXPECT_EQ(r.err.find('\x1b'), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("\\x1B[31m"), std::string::npos) << r.err;
}

// A grader learns from the facts the runner tells, each as it is printed.
std::vector<RunFact> Facts(const std::string& labText, const std::string& script, std::string* out = nullptr) {
  Lab lab;
  std::vector<std::string> errors;
  if (!labText.empty()) {
    EXPECT_TRUE(ReadLab(labText, "t.lab", lab, errors));
  }
  std::istringstream in(script);
  std::ostringstream printed, err;
  std::vector<RunFact> facts;
  RunOptions options;
  options.lab = labText.empty() ? nullptr : &lab;
  options.facts = [&](const RunFact& f) { facts.push_back(f); };
  RunScript(in, printed, err, options);
  if (out) *out = printed.str() + err.str();
  return facts;
}

TEST(RunFacts, TheRunnerTellsWhatAGraderNeedsAsItPrintsIt) {
  using K = RunFact::Kind;
  std::string out;
  EXPECT_EQ(Facts("", "power\nload-memory nosuch.txt\nexpect PC=00 R0=01\nfrobnicate\n", &out),
            (std::vector<RunFact>{{K::FileProblem, 0, 0, "无法读取文件：nosuch.txt", "nosuch.txt"},
                                  {K::ExpectFailed, 0, 3, "line 3: expected R0=01, got 00"},
                                  {K::Checked, 0, 3},
                                  {K::Stopped, 0, 0, "line 4: unknown command 'frobnicate'"},
                                  {K::Tally, 1, 1}}));
  EXPECT_NE(out.find("line 3: expected R0=01, got 00\n"), std::string::npos) << out;
  // Other warnings are the check's business.
  EXPECT_TRUE(Facts("", "load-memory nosuch.txt\n").empty()) << "the power is off: no file is read";

  EXPECT_EQ(Facts(kHead + "forbid: edit R1\n" + kTwoSteps, "power\nedit R1 66\n"),
            (std::vector<RunFact>{{K::StepDone, 1, 1}, {K::ReachedAfter, 2, 2, "edit R1"}}));
  EXPECT_EQ(Facts(kHead + kTwoSteps, "power\nedit R1 65\n", &out),
            (std::vector<RunFact>{{K::StepDone, 1, 1}, {K::NotDone, 2, 0, "R1 expected 66, got 65"}}));
  EXPECT_NE(out.find("step 2 not done: R1 expected 66, got 65\n"), std::string::npos) << out;
  const std::string question =
      kHead + kOn + "step 2: q\nstep.en: q\nchoice: a\nchoice.en: a\nchoice: b\n" + "choice.en: b\ncheck: choice=2\n";
  EXPECT_EQ(Facts(question, "power\nchoose 1\nchoose 2\n"),
            (std::vector<RunFact>{{K::StepDone, 1, 1}, {K::WrongAnswer, 2, 2}, {K::StepDone, 2, 3}}));
  // A set-up that cannot run stops the run before the script.
  const auto stopped = Facts(kHead + "setup: load-wires nosuch.txt\n" + kOn, "power\n");
  ASSERT_EQ(stopped.size(), 2u);
  EXPECT_EQ(stopped[0].kind, K::FileProblem);
  EXPECT_EQ(stopped[1].kind, K::Stopped);
  EXPECT_NE(stopped[1].text.find("the set-up cannot use its file"), std::string::npos) << stopped[1].text;
}

}  // namespace
}  // namespace orrin
