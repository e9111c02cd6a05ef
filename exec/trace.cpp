// Every small beat leaves a snapshot of the board in the ring; the playback
// arrows show an older one. Playback rewrites only the shown records, and
// every other action first ends it (EndPlayback), so nothing done while an
// older position is shown ever computes with played-back values.
#include <algorithm>
#include <deque>

#include "simulator/simulator.h"

namespace orrin {

void Simulator::CaptureShown(TraceEntry& e) const {
  e.alu = machine.Alu.Shown;
  e.flags = machine.Flags.Shown;
  e.regs = machine.Regs.Shown;
  e.gate = machine.Gate.Shown;
  e.ar = machine.Ar.Shown;
  e.pc = machine.Pc.Shown;
  e.ir = machine.Ir.Shown;
  e.iar = machine.Iar.Shown;
  e.micro = machine.Micro.Shown;
  e.bus = machine.Bus.Shown;
  e.intr = machine.Int.Shown;
  e.beat = machine.Beat.Shown;
  e.levelOutputs = machine.Levels.ShownOutput;
  e.dataSwitches = machine.DataSw.Shown;
  e.snapshot = machine.Snapshot;
  e.signals = machine.Signals.Copy;
}

void Simulator::PutShown(const TraceEntry& e) {
  machine.Alu.Shown = e.alu;
  machine.Flags.Shown = e.flags;
  machine.Regs.Shown = e.regs;
  machine.Gate.Shown = e.gate;
  machine.Ar.Shown = e.ar;
  machine.Pc.Shown = e.pc;
  machine.Ir.Shown = e.ir;
  machine.Iar.Shown = e.iar;
  machine.Micro.Shown = e.micro;
  machine.Bus.Shown = e.bus;
  machine.Int.Shown = e.intr;
  machine.Beat.Shown = e.beat;
  machine.Levels.ShownOutput = e.levelOutputs;
  machine.DataSw.Shown = e.dataSwitches;
  machine.Snapshot = e.snapshot;
  machine.Signals.Copy = e.signals;
}

void Simulator::RecordTrace(int64_t n) {
  CaptureShown(machine.RingAt(n));
  MemTrace& m = machine.MemRingAt(n);
  m.Step = n;
  m.Written = machine.Mem.WriteHappened;
  m.Addr = machine.Mem.WriteAddr;
  m.Old = machine.Mem.WriteOld;
  m.Ports = machine.Mem.Shown;
}

namespace {
// The first change made between beats at or after position `pos`: what it
// found is what `pos` showed, less the beats' own writes in between.
template <typename Edit>
const Edit* FirstEditFrom(const std::deque<Edit>& edits, int64_t pos) {
  const auto it =
      std::lower_bound(edits.begin(), edits.end(), pos, [](const Edit& e, int64_t p) { return e.after < p; });
  return it == edits.end() ? nullptr : &*it;
}

// Keeps `before()` as the contents before the first change after the newest
// beat; older changes than any position can show are dropped.
template <typename Edit, typename Before>
void KeepBefore(std::deque<Edit>& edits, int64_t newest, Before before) {
  if (newest == 0 || (!edits.empty() && edits.back().after == newest)) return;
  const int64_t oldest = newest - (HistoryDepth - 1);
  while (!edits.empty() && (edits.front().after < oldest || edits.size() >= EditHistoryDepth)) edits.pop_front();
  edits.push_back({newest, before()});
}
}  // namespace

void Simulator::RecordMemoryEdit() {
  KeepBefore(machine.MemEdits, machine.Beat.StepCount, [this] { return machine.Mem.Cells; });
}

void Simulator::RecordStoreEdit() {
  KeepBefore(machine.StoreEdits, machine.Beat.StepCount, [this] {
    std::array<std::array<char, 10>, ControlStoreSize> words{};
    for (int a = 0; a < ControlStoreSize; ++a) {
      const std::string& w = FetchMicroword(machine, a);
      for (size_t i = 0; i < 10; ++i) words[static_cast<size_t>(a)][i] = i < w.size() ? w[i] : '0';
    }
    return words;
  });
}

void Simulator::ForgetEdits() {
  machine.MemEdits.clear();
  machine.StoreEdits.clear();
}

void Simulator::ShowTrace() {
  // The first step away from the newest position keeps what it showed.
  if (machine.Console.TraceRestored == 0) {
    NewestShown& k = machine.Newest;
    CaptureShown(k.entry);
    k.memPorts = machine.Mem.Shown;
    k.cells = machine.Mem.ShownCells;
    k.decode = machine.Micro.Decode;
    for (int i = 0; i < 72; ++i)
      k.jacks[static_cast<size_t>(i)] = wires.Value(SnapshotJack(i));
  }
  const int64_t pos = machine.Beat.ViewPos;
  if (pos > 0) {
    const TraceEntry& e = machine.RingAt(pos);
    PutShown(e);
    // The memory of an older position: the memory as the first change made
    // between beats since found it (else the live memory), with the beats'
    // writes in between undone.
    MemoryUnit& mem = machine.Mem;
    mem.Shown = machine.MemRingAt(pos).Ports;
    const MemoryEdit* edit = FirstEditFrom(machine.MemEdits, pos);
    mem.ShownCells = edit ? edit->before : mem.Cells;
    for (int64_t step = edit ? edit->after : machine.Beat.StepCount; step > pos; --step) {
      const MemTrace& m = machine.MemRingAt(step);
      if (m.Written == 1) mem.ShownCells[static_cast<size_t>(m.Addr & 0xFF)] = static_cast<uint8_t>(m.Old);
    }
    // The controller panel decodes the word the control store held then.
    const int32_t address = e.micro.MicroAddress & 63;
    const StoreEdit* store = FirstEditFrom(machine.StoreEdits, pos);
    const std::string_view word = store ? std::string_view(store->before[static_cast<size_t>(address)].data(), 10)
                                        : FetchMicroword(machine, address);
    DecodeWordForDisplay(address, word, e.micro.In);
    for (size_t i = 0; i < 32; ++i) machine.Levels.ShownPosition[i] = e.levelOutputs[i] == 1 ? 1 : 0;
  }
  machine.Console.TraceRestored = 1;
  machine.Console.MemoryGridDirty = 1;
  OrderedDisplayRefresh(machine.Console.PowerOn, 1);
  for (int i = 0; i < 72; ++i)
    wires.SetValue(SnapshotJack(i), machine.Snapshot.Jacks[static_cast<size_t>(i)]);
}

void Simulator::EndPlayback() {
  if (machine.Console.TraceRestored == 0) return;
  const NewestShown& k = machine.Newest;
  PutShown(k.entry);
  machine.Mem.Shown = k.memPorts;
  machine.Mem.ShownCells = k.cells;
  machine.Micro.Decode = k.decode;
  for (int i = 0; i < 72; ++i)
    wires.SetValue(SnapshotJack(i), k.jacks[static_cast<size_t>(i)]);
  machine.Beat.ViewPos = machine.Beat.StepCount;
  machine.Console.TraceRestored = 0;
  machine.Console.MemoryGridDirty = 1;
  OrderedDisplayRefresh(machine.Console.PowerOn, 0);
}

void Simulator::ShowPosition(int64_t pos) {
  BeatGen& b = machine.Beat;
  if (machine.Console.PowerOn != 1 || b.StepCount == 0) return;
  pos = std::clamp<int64_t>(pos, std::max<int64_t>(1, b.StepCount - (HistoryDepth - 1)), b.StepCount);
  if (pos == b.ViewPos) return;
  b.ViewPos = pos;
  ShowViewPos();
}

// The newest position is the live board, with whatever changed since its
// beat; every older one is the recorded past.
void Simulator::ShowViewPos() {
  if (machine.Beat.ViewPos == machine.Beat.StepCount)
    EndPlayback();
  else
    ShowTrace();
}

void Simulator::SpeedButton_BackLeftClick() {
  BeatGen& b = machine.Beat;
  if (b.ViewPos > 0 && b.ViewPos > b.StepCount - (HistoryDepth - 1)) {
    --b.ViewPos;
    ShowTrace();
  }
}

void Simulator::SpeedButton_BackRightClick() {
  BeatGen& b = machine.Beat;
  if (b.ViewPos < b.StepCount) {
    ++b.ViewPos;
    ShowViewPos();
  }
}

void Simulator::StartPlaybackRepeat(int direction) {
  machine.Console.PlaybackDirection = direction;
  Timer_Trigger.enabled = true;
}

void Simulator::StopPlaybackRepeat() {
  machine.Console.PlaybackDirection = 0;
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
  if (machine.Console.PlaybackDirection < 0) SpeedButton_BackLeftClick();
  if (machine.Console.PlaybackDirection > 0) SpeedButton_BackRightClick();
}

}  // namespace orrin
