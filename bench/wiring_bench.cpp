// The wiring board's figures: the wiring check plus the board evaluation after
// a wire change with 300 wires on the board, and reading a 1400-wire file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "simulator/access.h"
#include "simulator/simulator.h"

namespace orrin {
namespace {

// Answers every question with yes and every file dialog with one name.
class BenchHost : public SilentHost {
 public:
  std::string file;
  Answer Ask(const std::string&) override { return Answer::Yes; }
  std::string OpenFileName() override { return file; }
};

// `count` wires over distinct output-input pairs, each with a bend, spread so
// that every input is driven by only one output where the count allows.
void AddWires(Simulator& sim, int count) {
  int n = 0;
  for (int o = 0; o <= 41 && n < count; ++o) {
    for (int i = 50; i <= 83 && n < count; ++i, ++n) {
      const Jack& a = sim.wires.JackAt(o);
      const Jack& b = sim.wires.JackAt(i);
      const int k = Access(sim).wires.Add(o, i, 0x00F0CAA6);
      Access(sim).wires.AppendPoint(k, a.X, a.Y);
      Access(sim).wires.AppendPoint(k, a.X, 470);
      Access(sim).wires.AppendPoint(k, b.X, 470);
      Access(sim).wires.AppendPoint(k, b.X, b.Y);
      Access(sim).editor.DrawWire(k);
    }
  }
}

void BM_CheckWiringAndEvaluation300(benchmark::State& state) {
  BenchHost host;
  Simulator sim(host);
  sim.Startup();
  sim.SpeedButtonPOWERClick();  // with the power on the evaluation does the most
  AddWires(sim, 300);
  for (auto _ : state) {
    Access(sim).editor.Check();
    sim.BoardEvaluation();
  }
}
BENCHMARK(BM_CheckWiringAndEvaluation300)->Unit(benchmark::kMicrosecond);

// The whole editor action: a wire completed, then removed again, with 300
// wires on the board (two completions per iteration, each with its check,
// evaluation and drawing).
void BM_EditorWireChange300(benchmark::State& state) {
  BenchHost host;
  Simulator sim(host);
  sim.Startup();
  AddWires(sim, 300);
  const Jack& k31 = sim.wires.JackAt(31);
  const Jack& lir = sim.wires.JackAt(jack::LIR);
  auto click = [&](int x, int y) {
    sim.Image_WireDrawMouseMove(x, y);
    sim.Image_WireDrawMouseUp(MouseButton::Left, x, y);
  };
  for (auto _ : state) {
    for (int twice = 0; twice < 2; ++twice) {
      click(k31.X, k31.Y);
      click(700, 560);
      click(lir.X, lir.Y);
    }
  }
}
BENCHMARK(BM_EditorWireChange300)->Unit(benchmark::kMicrosecond);

void BM_ReadWireFile1400(benchmark::State& state) {
  BenchHost host;
  Simulator sim(host);
  sim.Startup();
  AddWires(sim, 1400);
  host.file = (std::filesystem::temp_directory_path() / "orrin_bench_1400_wires.txt").string();
  {
    std::ofstream out(host.file, std::ios::binary);
    char buf[64];
    for (const Wire& w : sim.wires.Wires()) {
      std::snprintf(buf, sizeof buf, "%04X%04X%08X", w.From, w.To, w.Color);
      out << buf;
      for (const WirePoint& p : w.Points) {
        std::snprintf(buf, sizeof buf, "%04X%04X", p.X, p.Y);
        out << buf;
      }
      out << "\r\n";
    }
  }
  for (auto _ : state) {
    sim.N_ReadLineFileClick();  // clears the 1400 wires, then reads them back
    if (sim.wires.CountInUse() != WireCapacity) state.SkipWithError("the file did not load");
  }
  std::filesystem::remove(host.file);
}
BENCHMARK(BM_ReadWireFile1400)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orrin

BENCHMARK_MAIN();
