// Random sessions through a lab, with and without the shortcuts a strict
// copy of it forbids: the teacher's solution with random actions of a
// student put in anywhere. Without a forbidden action the strict lab says
// exactly what the plain one says; with one, it keeps the steps done before
// it and not one more.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

#include "app/lab.h"
#include "app/runner.h"

namespace orrin {
namespace {

const std::string kLabs = std::string(ORRIN_SOURCE_DIR) + "/examples/labs/";

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

Lab ReadLabText(const std::string& text) {
  Lab lab;
  std::vector<std::string> errors;
  EXPECT_TRUE(ReadLab(text, kLabs + "random.lab", lab, errors)) << (errors.empty() ? "" : errors[0]);
  return lab;
}

struct LabRun {
  int status;
  std::string out;
  std::vector<int64_t> doneAt;  // the line of each step done
};

LabRun Follow(const Lab& lab, const std::string& script) {
  std::istringstream in(script);
  std::ostringstream out, err;
  RunOptions options;
  options.lab = &lab;
  const int status = RunScript(in, out, err, options);
  LabRun r{status, out.str(), {}};
  std::istringstream lines(r.out);
  for (std::string line; std::getline(lines, line);) {
    long long step = 0, at = 0;
    if (std::sscanf(line.c_str(), "step %lld done at line %lld", &step, &at) == 2) r.doneAt.push_back(at);
  }
  return r;
}

// What a student might do between the teacher's lines; the last three are
// the shortcuts the strict lab forbids.
std::string RandomAction(std::mt19937& rng, bool shortcuts) {
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<uint32_t>(n)); };
  static const char* kFields[] = {"R0", "R1", "R2", "R3", "AR", "PC", "IR", "C", "Z", "uAR"};
  const int kinds = shortcuts ? 9 : 6;
  switch (pick(kinds)) {
    case 0:
      return "sd " + std::to_string(pick(8));
    case 1:
      return "k " + std::to_string(pick(32));
    case 2:
      return "step";
    case 3:
      return pick(2) ? "back" : "forward";
    case 4:
      return "choose " + std::to_string(1 + pick(3));
    case 5:
      return pick(3) ? "dump" : "clr";
    case 6:
      return std::string("edit ") + kFields[pick(10)] + " " + std::to_string(10 + pick(90));
    case 7:
      return "mem-cell " + std::to_string(10 + pick(90)) + " 35";
    default:
      return "micro-cell " + std::to_string(10 + pick(30)) + " 0000020000";
  }
}

TEST(LabSessions, AForbiddenShortcutKeepsTheStepsBeforeItAndNoneAfter) {
  const std::string plainText = ReadText(kLabs + "alu.lab");
  const Lab plain = ReadLabText(plainText);
  const Lab strict = ReadLabText(plainText + "\nforbid: edit\nforbid: mem-cell\nforbid: micro-cell\n");
  // A lab-wide forbid after the steps would be the last step's: put it before them.
  Lab strictAll = strict;
  strictAll.forbid = strictAll.steps.back().forbid;
  strictAll.steps.back().forbid.clear();

  std::vector<std::string> solution;
  {
    std::istringstream in(ReadText(kLabs + "alu.solution.orrin"));
    for (std::string line; std::getline(in, line);)
      if (!line.empty() && line[0] != '#') solution.push_back(line);
  }
  std::mt19937 rng(20261210);
  int spoilt = 0, finished = 0;
  for (int round = 0; round < 120; ++round) {
    const bool shortcuts = round % 2 == 1;
    std::vector<std::string> lines;
    for (const std::string& line : solution) {
      while (rng() % 6 == 0) lines.push_back(RandomAction(rng, shortcuts));
      lines.push_back(line);
    }
    std::string script;
    for (const std::string& l : lines) script += l + "\n";

    const LabRun p = Follow(plain, script), s = Follow(strictAll, script);
    // The first shortcut the strict lab saw (edit and mem-cell count only
    // with the power on, which the board decides).
    int64_t firstShortcut = 0;
    std::istringstream said(s.out);
    for (std::string line; firstShortcut == 0 && std::getline(said, line);) {
      long long at = 0;
      if (line.find("` is not allowed in this lab") != std::string::npos && std::sscanf(line.c_str(), "line %lld", &at))
        firstShortcut = at;
    }
    if (firstShortcut == 0) {
      EXPECT_EQ(s.out, p.out) << "round " << round << "\n" << script;
      EXPECT_EQ(s.status, p.status);
      finished += s.status == 0;
      continue;
    }
    ++spoilt;
    std::vector<int64_t> before;
    for (int64_t at : p.doneAt)
      if (at < firstShortcut) before.push_back(at);
    EXPECT_EQ(s.doneAt, before) << "round " << round << "\n" << s.out << "\n---\n" << p.out << "\n---\n" << script;
    EXPECT_NE(s.status, 0) << "a spoilt lab is never finished";
  }
  // The property means something only if both kinds of session happened.
  EXPECT_GT(spoilt, 20);
  EXPECT_GT(finished, 5);
}

}  // namespace
}  // namespace orrin
