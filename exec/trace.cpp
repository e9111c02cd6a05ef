// Every small beat leaves a snapshot of the board in the ring; the playback
// arrows show an older one. Playback rewrites only the shown records, and
// every other action first ends it (EndPlayback), so nothing done while an
// older position is shown ever computes with played-back values.
#include "core/simulator.h"

namespace orrin {

void Simulator::CaptureShown(TraceEntry& e) const {
  e.alu = s.Alu.Shown;
  e.flags = s.Flags.Shown;
  e.regs = s.Regs.Shown;
  e.gate = s.Gate.Shown;
  e.ar = s.Ar.Shown;
  e.pc = s.Pc.Shown;
  e.ir = s.Ir.Shown;
  e.iar = s.Iar.Shown;
  e.micro = s.Micro.Shown;
  e.bus = s.Bus.Shown;
  e.intr = s.Int.Shown;
  e.beat = s.Beat.Shown;
  e.levelOutputs = s.Levels.ShownOutput;
  e.dataSwitches = s.DataSw.Shown;
  e.snapshot = s.Snapshot;
  e.signals = s.Signals.Copy;
}

void Simulator::PutShown(const TraceEntry& e) {
  s.Alu.Shown = e.alu;
  s.Flags.Shown = e.flags;
  s.Regs.Shown = e.regs;
  s.Gate.Shown = e.gate;
  s.Ar.Shown = e.ar;
  s.Pc.Shown = e.pc;
  s.Ir.Shown = e.ir;
  s.Iar.Shown = e.iar;
  s.Micro.Shown = e.micro;
  s.Bus.Shown = e.bus;
  s.Int.Shown = e.intr;
  s.Beat.Shown = e.beat;
  s.Levels.ShownOutput = e.levelOutputs;
  s.DataSw.Shown = e.dataSwitches;
  s.Snapshot = e.snapshot;
  s.Signals.Copy = e.signals;
}

void Simulator::RecordTrace(int64_t n) {
  CaptureShown(s.RingAt(n));
  MemTrace& m = s.MemRingAt(n);
  m.Step = n;
  m.Written = s.Mem.WriteHappened;
  m.Addr = s.Mem.WriteAddr;
  m.Old = s.Mem.WriteOld;
  m.Ports = s.Mem.Shown;
}

void Simulator::ShowTrace() {
  // The first step away from the newest position keeps what it showed.
  if (s.Console.TraceRestored == 0) {
    NewestShown& k = s.Newest;
    CaptureShown(k.entry);
    k.memPorts = s.Mem.Shown;
    k.cells = s.Mem.ShownCells;
    k.decode = s.Micro.Decode;
    for (int i = 0; i < 72; ++i) k.jacks[static_cast<size_t>(i)] = s.Jacks[static_cast<size_t>(SnapshotJack(i))].Value;
  }
  const int64_t pos = s.Beat.ViewPos;
  if (pos > 0) {
    const TraceEntry& e = s.RingAt(pos);
    PutShown(e);
    // The memory of an older position: the live memory with the later writes undone.
    MemoryUnit& mem = s.Mem;
    mem.Shown = s.MemRingAt(pos).Ports;
    mem.ShownCells = mem.Cells;
    for (int64_t step = s.Beat.StepCount; step > pos; --step) {
      const MemTrace& m = s.MemRingAt(step);
      if (m.Written == 1) mem.ShownCells[static_cast<size_t>(m.Addr & 0xFF)] = static_cast<uint8_t>(m.Old);
    }
    DecodeForDisplay(e.micro.MicroAddress, e.micro.In);
    for (size_t i = 0; i < 32; ++i) s.Levels.ShownPosition[i] = e.levelOutputs[i] == 1 ? 1 : 0;
  }
  s.Console.TraceRestored = 1;
  s.Console.MemoryGridDirty = 1;
  OrderedDisplayRefresh(s.Console.PowerOn, 1);
  for (int i = 0; i < 72; ++i)
    s.Jacks[static_cast<size_t>(SnapshotJack(i))].Value = s.Snapshot.Jacks[static_cast<size_t>(i)];
}

void Simulator::EndPlayback() {
  if (s.Console.TraceRestored == 0) return;
  const NewestShown& k = s.Newest;
  PutShown(k.entry);
  s.Mem.Shown = k.memPorts;
  s.Mem.ShownCells = k.cells;
  s.Micro.Decode = k.decode;
  for (int i = 0; i < 72; ++i) s.Jacks[static_cast<size_t>(SnapshotJack(i))].Value = k.jacks[static_cast<size_t>(i)];
  s.Beat.ViewPos = s.Beat.StepCount;
  s.Console.TraceRestored = 0;
  s.Console.MemoryGridDirty = 1;
  OrderedDisplayRefresh(s.Console.PowerOn, 0);
}

void Simulator::SpeedButton_BackLeftClick() {
  BeatGen& b = s.Beat;
  if (b.ViewPos > 0 && b.ViewPos > b.StepCount - (HistoryDepth - 1)) {
    --b.ViewPos;
    ShowTrace();
  }
}

void Simulator::SpeedButton_BackRightClick() {
  BeatGen& b = s.Beat;
  if (b.ViewPos < b.StepCount) {
    ++b.ViewPos;
    ShowTrace();
  }
}

void Simulator::StartPlaybackRepeat(int direction) {
  s.Console.PlaybackDirection = direction;
  Timer_Trigger.enabled = true;
}

void Simulator::StopPlaybackRepeat() {
  s.Console.PlaybackDirection = 0;
  Timer_Trigger.enabled = false;
  Timer_RecotdBackPlay.enabled = false;
}

void Simulator::SpeedButton_BackLeftMouseDown() { StartPlaybackRepeat(-1); }
void Simulator::SpeedButton_BackLeftMouseUp() { StopPlaybackRepeat(); }
void Simulator::SpeedButton_BackRightMouseDown() { StartPlaybackRepeat(+1); }
void Simulator::SpeedButton_BackRightMouseUp() { StopPlaybackRepeat(); }

void Simulator::Timer_TriggerTimer() {
  Timer_RecotdBackPlay.enabled = true;
  Timer_Trigger.enabled = false;
}

void Simulator::Timer_RecotdBackPlayTimer() {
  if (s.Console.PlaybackDirection < 0) SpeedButton_BackLeftClick();
  if (s.Console.PlaybackDirection > 0) SpeedButton_BackRightClick();
}

}  // namespace orrin
