// How fast the machine steps, and that a running machine does not allocate.
//
// The board: powered on, microprogram mode, the IR, C and Z jacks wired as
// for a program run, and a two-instruction loop in memory:
//   00: 11   R0 = R0 + R1   (opcode 1, RD = R0, RS = R1)
//   01: B0   PC = IAR (00)  (opcode B)
// so the controller cycles 01 21 01 2B ... and never sees STOP. Every small
// beat runs all of its stages, the full display refresh and a trace record.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <new>
#include <string>

#include "bench/looping_board.h"

namespace {
// Every heap allocation of the process, counted.
std::atomic<long> gAllocations{0};
}  // namespace

void* operator new(std::size_t size) {
  gAllocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace orrin {
namespace {

struct Board : LoopingBoard {
  // Runs well past one lap of the trace ring, so every buffer and text has
  // reached its size.
  void WarmUp() {
    for (int i = 0; i < HistoryDepth + 1000; ++i) sim.StepSmallBeat();
  }

  // The loop really runs: the controller is in the fetch/execute words and
  // PC stays inside the program.
  bool Looping() const {
    const int32_t ua = sim.machine.Micro.MicroAddress;
    return sim.machine.Pc.PC <= 2 && (ua == 0x01 || ua == 0x21 || ua == 0x2B) && sim.machine.Regs.R[0] != 0;
  }
};

// One small beat through StepSmallBeat, as "单小拍" does.
void BM_StepSmallBeat(benchmark::State& state) {
  const long atStart = gAllocations.load();
  Board board;
  board.WarmUp();
  const long before = gAllocations.load();
  for (auto _ : state) board.sim.StepSmallBeat();
  const long allocations = gAllocations.load() - before;
  if (!board.Looping()) state.SkipWithError("the program did not loop");
  // Shows the counter works: building the board does allocate.
  state.counters["allocs_to_build"] = static_cast<double>(before - atStart);
  state.SetItemsProcessed(state.iterations());
  state.counters["beats_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["allocs_per_beat"] = static_cast<double>(allocations) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_StepSmallBeat)->MinTime(2.0);

// A continuous run: QD, then Timer_RUN ticks of seven small beats each.
void MeasureContinuousRun(Board& board, benchmark::State& state) {
  board.WarmUp();
  board.sim.SpeedButtonQDClick();
  const int64_t stepsBefore = board.sim.machine.Beat.StepCount;
  const long before = gAllocations.load();
  for (auto _ : state) board.sim.Timer_RUNTimer();
  const long allocations = gAllocations.load() - before;
  const double beats = static_cast<double>(board.sim.machine.Beat.StepCount - stepsBefore);
  if (!board.Looping() || !board.sim.console.Timer_RUN.enabled) state.SkipWithError("the run stopped");
  state.SetItemsProcessed(static_cast<int64_t>(beats));
  state.counters["beats_per_s"] = benchmark::Counter(beats, benchmark::Counter::kIsRate);
  state.counters["allocs_per_beat"] = static_cast<double>(allocations) / beats;
}

void BM_ContinuousRunTick(benchmark::State& state) {
  Board board;
  MeasureContinuousRun(board, state);
}
BENCHMARK(BM_ContinuousRunTick)->MinTime(2.0);

// The same run in "硬连线" mode with the shipped standard design, whose gates
// form the signals at every small beat: the same loop, the same cycles.
void BM_ContinuousRunTickHardWired(benchmark::State& state) {
  Board board;
  std::ifstream file(ORRIN_SOURCE_DIR "/examples/hardwired/standard.json", std::ios::binary);
  const std::string json((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::string error;
  if (!Access(board.sim).controllers.HardWired().Load(json, error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  board.sim.RadioButtonHdLineClick();
  board.sim.SpeedButtonCLRClick();
  if (!board.sim.console.HardWired()) state.SkipWithError("not in hard-wired mode");
  MeasureContinuousRun(board, state);
}
BENCHMARK(BM_ContinuousRunTickHardWired)->MinTime(2.0);

}  // namespace
}  // namespace orrin

BENCHMARK_MAIN();
