// The timing diagram's redraw at "fit all" over a full ring (50 000 small
// beats of a running program, every row, the ruler and the values), painted
// offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include "bench/looping_board.h"
#include "ui/timing_diagram.h"

namespace orrin {
namespace {

void BM_DiagramFitAll(benchmark::State& state) {
  LoopingBoard board;
  {
    const ViewHold hold(board.sim);
    for (int i = 0; i < 60000; ++i) board.sim.StepSmallBeat();
  }
  ui::TimingDiagram diagram(board.sim);
  diagram.resize(1000, 840);  // every row under the ruler
  diagram.FitAll();
  QImage image(diagram.size(), QImage::Format_RGB32);
  for (auto _ : state) diagram.render(&image);
}
BENCHMARK(BM_DiagramFitAll)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orrin

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
