// Soak: 50 million small beats of a looping program, headless, with the full
// display refresh and the trace. Reports beats per second and resident memory
// at the start and the end, then checks that the trace ring, wrapped a
// thousand times, still plays the last 49 999 beats back as they were shown.
//
//   00: 11  ADD R0,R1      R0 counts up by R1 (= 1)
//   01: 68  ST  [R2],R0    memory[80] = R0: one write per loop
//   02: B0  IRET           PC = IAR (00)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "bench/looping_board.h"
#include "simulator/access.h"

using namespace orrin;

namespace {
long ResidentKb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  return -1;
}

struct Seen {
  int32_t pc, r0, bus, phase, cell;
  bool operator==(const Seen&) const = default;
};

Seen Look(const MachineState& s) {
  return {s.Pc.Shown.PC, s.Regs.Shown.R[0], s.Bus.Shown.Value, s.Beat.Shown.BeatPhase, s.Mem.ShownCells[0x80]};
}
}  // namespace

int main(int argc, char** argv) {
  const long beats = argc > 1 ? std::atol(argv[1]) : 50'000'000;
  LoopingBoard board({0x11, 0x68, 0xB0}, 1, 0x80);
  Simulator& sim = board.sim;
  sim.SpeedButtonQDClick();

  std::vector<Seen> seen(HistoryDepth);  // filled in now, so its pages count from the start
  size_t seenCount = 0;
  // One lap of the ring first, so every page of it is in use.
  while (sim.machine.Beat.StepCount < HistoryDepth) sim.Timer_RUNTimer();
  const long rssStart = ResidentKb();
  const auto t0 = std::chrono::steady_clock::now();
  while (sim.machine.Beat.StepCount < beats - HistoryDepth) sim.Timer_RUNTimer();
  // The last lap beat by beat, remembering what the board showed.
  while (sim.machine.Beat.StepCount < beats) {
    sim.StepSmallBeat();
    seen[seenCount++] = Look(sim.machine);
  }
  const double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  const long rssEnd = ResidentKb();
  const long ran = static_cast<long>(sim.machine.Beat.StepCount) - HistoryDepth;
  std::printf("beats %ld in %.1f s: %.0f small beats/s\n", ran, secs, ran / secs);
  std::printf("resident memory: %ld kB after the first lap, %ld kB at the end (%+ld kB)\n", rssStart, rssEnd,
              rssEnd - rssStart);

  // Playback after the ring has wrapped: every position of the last lap.
  const int64_t newest = sim.machine.Beat.StepCount;
  long mismatches = 0, checked = 0;
  for (int k = 1; k < HistoryDepth; k += (k < 100 ? 1 : 97)) {
    Access(sim).machine.Beat.ViewPos = newest - k + 1;
    sim.SpeedButton_BackLeftClick();
    ++checked;
    if (!(Look(sim.machine) == seen[seenCount - 1 - static_cast<size_t>(k)])) ++mismatches;
  }
  Access(sim).machine.Beat.ViewPos = newest - (HistoryDepth - 1);
  sim.SpeedButton_BackLeftClick();  // the oldest kept position: no further
  const bool stopsAtOldest = sim.machine.Beat.ViewPos == newest - (HistoryDepth - 1);
  std::printf("playback after %lld laps: %ld positions checked, %ld differ; stops at the oldest: %s\n",
              static_cast<long long>(newest / HistoryDepth), checked, mismatches, stopsAtOldest ? "yes" : "NO");
  return mismatches == 0 && stopsAtOldest ? 0 : 1;
}
