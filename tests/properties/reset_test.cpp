// A reset board is a new board: every golden script, run on a board that
// just ran another one and was reset, prints and shows exactly what it does
// on a board of its own, down to the canvas and the recorded trace.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/runner.h"
#include "tests/slurp.h"

namespace orrin {
namespace {

namespace fs = std::filesystem;

struct Seen {
  int status = -1;
  std::string printed;
  std::vector<WidgetState> widgets;
  std::vector<uint32_t> canvas;
  std::vector<TraceEntry> trace;
  std::array<uint8_t, MemorySize> memory{};
  std::vector<std::string> store;
};

Seen RunOn(Simulator& sim, ScriptHost& host, std::ostringstream& out, const std::string& script) {
  out.str("");
  std::istringstream in(script);
  std::ostringstream err;
  Seen s;
  s.status = RunScriptOn(sim, host, in, out, err);
  s.printed = out.str() + err.str();
  for (int i = 0; i < WidgetCount; ++i) s.widgets.push_back(sim.view[static_cast<WidgetId>(i)]);
  s.canvas.assign(sim.canvas.Data(), sim.canvas.Data() + Canvas::Width * Canvas::Height);
  for (int64_t n = 1; n <= sim.machine.Beat.StepCount && n < HistoryDepth; ++n) s.trace.push_back(sim.trace.At(n));
  s.memory = sim.machine.Mem.Cells;
  for (const ControlStoreEntry& e : sim.machine.Micro.Store) s.store.push_back(e.FullText + "|" + e.CommentText);
  return s;
}

TEST(Reset, AResetBoardRunsEveryScriptAsANewOne) {
  const fs::path dir = fs::path(ORRIN_SOURCE_DIR) / "tests" / "scripts";
  std::vector<std::string> scripts;
  for (const auto& e : fs::directory_iterator(dir))
    if (e.path().extension() == ".orrin") scripts.push_back(Slurp(e.path()));
  ASSERT_GT(scripts.size(), 10u);
  const fs::path before = fs::current_path();
  fs::current_path(dir);
  std::ostringstream reusedOut;
  ScriptHost reusedHost(reusedOut, nullptr);
  Simulator reused(reusedHost);
  reused.Startup();
  for (size_t i = 0; i < scripts.size(); ++i) {
    // The board that ran the script before this one (and the last one, for the first).
    const size_t previous = (i + scripts.size() - 1) % scripts.size();
    if (i == 0) RunOn(reused, reusedHost, reusedOut, scripts[previous]);
    reused.Reset();
    reused.Startup();
    const Seen again = RunOn(reused, reusedHost, reusedOut, scripts[i]);

    std::ostringstream freshOut;
    ScriptHost freshHost(freshOut, nullptr);
    Simulator fresh(freshHost);
    fresh.Startup();
    const Seen first = RunOn(fresh, freshHost, freshOut, scripts[i]);
    EXPECT_EQ(again.status, first.status) << i;
    EXPECT_EQ(again.printed, first.printed) << i;
    for (size_t w = 0; w < first.widgets.size(); ++w)
      EXPECT_TRUE(again.widgets[w] == first.widgets[w]) << i << ": " << Info(static_cast<WidgetId>(w)).name;
    EXPECT_TRUE(again.canvas == first.canvas) << i;
    EXPECT_TRUE(again.trace == first.trace) << i;
    EXPECT_EQ(again.memory, first.memory) << i;
    EXPECT_EQ(again.store, first.store) << i;
  }
  fs::current_path(before);
}

}  // namespace
}  // namespace orrin
