// What the full ordered display refresh costs per small beat: the view is
// put back to how the previous beat left it, then one refresh brings it to
// the current beat, so each timed refresh does the work of a real beat's
// (the memory table is not dirty: the program never writes memory).
//
// The board runs the same two-instruction loop as the stepping benchmark:
//   00: 11   R0 = R0 + R1      01: B0   PC = IAR (00)
// in microprogram mode with the IR, C and Z jacks wired.
#include <benchmark/benchmark.h>

#include <chrono>

#include "bench/looping_board.h"
#include "simulator/access.h"

namespace orrin {
namespace {

// The loop's board, one thousand beats into its run.
struct Board : LoopingBoard {
  Board() {
    for (int i = 0; i < 1000; ++i) sim.StepSmallBeat();
  }
};

void BM_FullDisplayRefresh(benchmark::State& state) {
  Board board;
  Simulator& sim = board.sim;
  BoardView previous = sim.view;
  double changed = 0;
  for (auto _ : state) {
    sim.StepSmallBeat();  // the machine moves on (untimed)
    if (Access(sim).panels.MemoryGridDirty) state.SkipWithError("the memory table became dirty");
    sim.view = previous;   // the view as the last beat left it
    sim.view.TakeDirty();  // as if the window had applied it
    const auto t0 = std::chrono::steady_clock::now();
    sim.Refresh();
    const auto t1 = std::chrono::steady_clock::now();
    state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    previous = sim.view;
    changed += static_cast<double>(sim.view.TakeDirty().size());
  }
  state.counters["widgets_changed_per_beat"] = benchmark::Counter(changed, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_FullDisplayRefresh)->UseManualTime()->Unit(benchmark::kMicrosecond)->MinTime(2.0);

// The refresh of an unchanged board (a repaint after an action that changed
// nothing shown): every module still sets every widget.
void BM_RefreshUnchanged(benchmark::State& state) {
  Board board;
  for (auto _ : state) board.sim.Refresh();
}
BENCHMARK(BM_RefreshUnchanged)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

}  // namespace
}  // namespace orrin

BENCHMARK_MAIN();
