// Playback is a view: the board's own experiments, replayed with clicks on
// the back arrow before every action, must end exactly as without them —
// everything printed, every widget, the memory, the control store and the
// recorded trace.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "app/runner.h"
#include "tests/slurp.h"

namespace orrin {
namespace {

namespace fs = std::filesystem;

const fs::path kSource(ORRIN_SOURCE_DIR);

struct Outcome {
  int status = -1;
  std::string printed, errors;
  std::array<WidgetState, WidgetCount> widgets;
  std::array<uint8_t, MemorySize> memory{};
  std::vector<std::string> store;
  std::vector<TraceEntry> trace;
  std::vector<MemTrace> memTrace;
};

Outcome RunIn(const std::string& script, const fs::path& dir) {
  const fs::path before = fs::current_path();
  fs::current_path(dir);  // scripts name their files relative to their folder
  Outcome o;
  std::istringstream in(script);
  std::ostringstream out, err;
  RunOptions options;
  options.atEnd = [&o](const Simulator& sim) {
    for (int i = 0; i < WidgetCount; ++i) o.widgets[static_cast<size_t>(i)] = sim.view[static_cast<WidgetId>(i)];
    o.memory = sim.machine.Mem.Cells;
    for (const ControlStoreEntry& e : sim.machine.Micro.Store) o.store.push_back(e.FullText + "|" + e.CommentText);
    const MachineState& s = sim.machine;
    for (int64_t n = 1; n <= s.Beat.StepCount && n < HistoryDepth; ++n) {
      o.trace.push_back(sim.trace.At(n));
      o.memTrace.push_back(sim.trace.MemAt(n));
    }
  };
  o.status = RunScript(in, out, err, options);
  o.printed = out.str();
  o.errors = err.str();
  fs::current_path(before);
  return o;
}

// Commands that only look, before which no arrow is clicked.
const std::set<std::string> kLooks = {"print", "dump", "answer", "back", "forward", "move"};

// The script with `clicks` back-arrow clicks before every action. Typing into
// a grid is clicked before as a whole with its save, so the cells are typed
// over the older memory shown. Ticks of a running timer are actions too;
// before a tick that finds the timer stopped, a click would leave the older
// position on show, as in the window.
std::string WithBackClicks(const std::string& script, int clicks, bool beforeTicks) {
  std::istringstream in(script);
  std::string out, line;
  bool typing = false;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string first;
    words >> first;
    const bool tick = first == "tick" || first == "run";
    const bool types = first == "mem-cell" || first == "micro-cell";
    const bool saves = first == "mem-save" || first == "micro-save";
    bool click = !first.empty() && first[0] != '#' && !kLooks.contains(first) && (!tick || beforeTicks);
    if ((types || saves) && typing) click = false;
    if (!first.empty() && first[0] != '#') typing = types;
    if (click)
      for (int i = 0; i < clicks; ++i) out += "back\n";
    out += line + "\n";
  }
  return out;
}

void ExpectSame(const Outcome& plain, const Outcome& clicked, const std::string& what) {
  SCOPED_TRACE(what);
  EXPECT_EQ(clicked.status, plain.status);
  EXPECT_EQ(clicked.errors, plain.errors);
  EXPECT_EQ(clicked.printed, plain.printed);
  for (int i = 0; i < WidgetCount; ++i)
    EXPECT_TRUE(clicked.widgets[static_cast<size_t>(i)] == plain.widgets[static_cast<size_t>(i)])
        << Info(static_cast<WidgetId>(i)).name;
  EXPECT_EQ(clicked.memory, plain.memory);
  EXPECT_EQ(clicked.store, plain.store);
  EXPECT_TRUE(clicked.trace == plain.trace);
  EXPECT_TRUE(clicked.memTrace == plain.memTrace);
}

// The golden scripts and the shipped examples: independent mode, the
// console modes, program runs in microprogram mode, register, grid and file
// edits.
std::vector<fs::path> Experiments() {
  std::vector<fs::path> scripts;
  for (const fs::path& dir : {kSource / "tests" / "scripts", kSource / "examples", kSource / "examples" / "wiring"})
    for (const auto& e : fs::directory_iterator(dir))
      if (e.path().extension() == ".orrin") scripts.push_back(e.path());
  std::sort(scripts.begin(), scripts.end());
  return scripts;
}

TEST(PlaybackProperty, BackClicksBeforeEveryActionChangeNothingThatFollows) {
  const auto scripts = Experiments();
  ASSERT_GE(scripts.size(), 15u);
  for (const fs::path& path : scripts) {
    const std::string script = Slurp(path);
    const Outcome plain = RunIn(script, path.parent_path());
    ASSERT_EQ(plain.status, 0) << path << plain.errors;
    for (int clicks : {1, 3, 60}) {
      const std::string what = path.filename().string() + " with " + std::to_string(clicks) + " clicks";
      ExpectSame(plain, RunIn(WithBackClicks(script, clicks, false), path.parent_path()), what);
    }
  }
}

// The playback-then-act sequences that went wrong, each with the clicks in
// the middle of a run of small beats; in a continuous run the clicks come
// between ticks.
TEST(PlaybackProperty, ActionsInTheMiddleOfARunActOnTheLiveState) {
  const std::string independent =
      "wire K0 SBUS\nwire K1 DRW\nwire K2 RD0\nmode independent\npower\n"
      "sd 1\nsd 3\nsd 4\nsd 6\nk 1\nstep\nstep\nk 0\nstep\nstep\nstep\nstep\nstep\ndump\n"
      "k 2\nk 0\nsd 0\nstep\nstep\nstep\nedit R1 3C\nstep\nstep\nstep\nstep\ndump\nprint Edit_R0 Edit_R1\n";
  const std::string program =
      "load-wires ../../examples/wiring/microprogram.txt\nmode microprogram\npower\n"
      "load-memory ../../examples/memory/sum.txt\nstep\nstep\nstep\nqd\ntick 3\nedit R2 77\ntick 5\npulse\n"
      "mem-cell 40 AB\nmem-save\ntick 2\nclr\nqd\nrun 2000\ndump\nprint Edit_R2 ListBox_MEM\n"
      "edit PC 00\nedit uAR 01\nsd 5\nstep\nstep\nstep\nstep\nstep\nstep\nstep\ndump\n";
  const fs::path dir = kSource / "tests" / "scripts";
  for (const std::string& script : {independent, program}) {
    const Outcome plain = RunIn(script, dir);
    ASSERT_EQ(plain.status, 0) << plain.errors;
    for (int clicks : {1, 4, 40})
      ExpectSame(plain, RunIn(WithBackClicks(script, clicks, true), dir), std::to_string(clicks) + " clicks");
  }
}

}  // namespace
}  // namespace orrin
