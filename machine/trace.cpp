#include "machine/trace.h"

#include <algorithm>
#include <new>
#include <type_traits>

namespace orrin {

namespace {
// Trace entries are aggregates of plain values, so zeroed storage holds them.
template <typename T>
T* ZeroedArray(size_t n) {
  static_assert(std::is_trivially_copyable_v<T> && std::is_aggregate_v<T>);
  void* p = std::calloc(n, sizeof(T));
  if (!p) throw std::bad_alloc();
  return static_cast<T*>(p);
}

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

void CaptureShown(const MachineState& m, TraceEntry& e) {
  e.alu = m.Alu.Shown;
  e.flags = m.Flags.Shown;
  e.regs = m.Regs.Shown;
  e.gate = m.Gate.Shown;
  e.ar = m.Ar.Shown;
  e.pc = m.Pc.Shown;
  e.ir = m.Ir.Shown;
  e.iar = m.Iar.Shown;
  e.micro = m.Micro.Shown;
  e.bus = m.Bus.Shown;
  e.intr = m.Int.Shown;
  e.beat = m.Beat.Shown;
  e.levelOutputs = m.Levels.ShownOutput;
  e.dataSwitches = m.DataSw.Shown;
  e.snapshot = m.Snapshot;
  e.signals = m.Signals.Shown;
}

void PutShown(MachineState& m, const TraceEntry& e) {
  m.Alu.Shown = e.alu;
  m.Flags.Shown = e.flags;
  m.Regs.Shown = e.regs;
  m.Gate.Shown = e.gate;
  m.Ar.Shown = e.ar;
  m.Pc.Shown = e.pc;
  m.Ir.Shown = e.ir;
  m.Iar.Shown = e.iar;
  m.Micro.Shown = e.micro;
  m.Bus.Shown = e.bus;
  m.Int.Shown = e.intr;
  m.Beat.Shown = e.beat;
  m.Levels.ShownOutput = e.levelOutputs;
  m.DataSw.Shown = e.dataSwitches;
  m.Snapshot = e.snapshot;
  m.Signals.Shown = e.signals;
}

Trace::Trace() : ring_(ZeroedArray<TraceEntry>(HistoryDepth)), memRing_(ZeroedArray<MemTrace>(HistoryDepth)) {}

void Trace::Reset() {
  PlaybackShown = false;
  PlaybackDirection = 0;
  Timer_Trigger = kTrigger;
  Timer_RecotdBackPlay = kRepeat;
  ForgetEdits();
}

void Trace::Record(const MachineState& m, int64_t step) {
  CaptureShown(m, ring_[RingIndex(step)]);
  MemTrace& t = memRing_[RingIndex(step)];
  t.Step = step;
  t.Written = m.Mem.WriteHappened;
  t.Addr = m.Mem.WriteAddr;
  t.Old = m.Mem.WriteOld;
  t.Ports = m.Mem.Shown;
}

void Trace::KeepNewest(const MachineState& m, const WireStore& wires) {
  Newest& k = *newest_;
  CaptureShown(m, k.entry);
  k.memPorts = m.Mem.Shown;
  k.cells = m.Mem.ShownCells;
  k.decode = m.Micro.Decode;
  for (int i = 0; i < 72; ++i) k.jacks[static_cast<size_t>(i)] = wires.Value(SnapshotJack(i));
}

void Trace::RestoreNewest(MachineState& m, WireStore& wires) const {
  const Newest& k = *newest_;
  PutShown(m, k.entry);
  m.Mem.Shown = k.memPorts;
  m.Mem.ShownCells = k.cells;
  m.Micro.Decode = k.decode;
  for (int i = 0; i < 72; ++i) wires.SetValue(SnapshotJack(i), k.jacks[static_cast<size_t>(i)]);
}

void Trace::Show(Core& m, WireStore& wires, int64_t pos) const {
  if (pos > 0) {
    const TraceEntry& e = At(pos);
    PutShown(m, e);
    // The memory of an older position: the memory as the first change made
    // between beats since found it (else the live memory), with the beats'
    // writes in between undone.
    MemoryUnit& mem = m.Mem;
    mem.Shown = MemAt(pos).Ports;
    const MemoryEdit* edit = FirstEditFrom(memEdits_, pos);
    mem.ShownCells = edit ? edit->before : mem.Cells;
    for (int64_t step = edit ? edit->after : m.Beat.StepCount; step > pos; --step) {
      const MemTrace& t = MemAt(step);
      if (t.Written) mem.ShownCells[static_cast<size_t>(t.Addr & 0xFF)] = static_cast<uint8_t>(t.Old);
    }
    // The controller panel decodes the word the control store held then.
    const int32_t address = e.micro.MicroAddress & 63;
    const StoreEdit* store = FirstEditFrom(storeEdits_, pos);
    if (store) {
      const std::string_view word(store->before[static_cast<size_t>(address)].data(), 10);
      m.DecodeWord(address, ParseMicroword(word), word, e.micro.In);
    } else {
      m.DecodeAt(address, e.micro.In);
    }
    for (size_t i = 0; i < 32; ++i) m.Levels.ShownPosition[i] = e.levelOutputs[i] == 1;
  }
  // The jacks read as they did then (a hint under the mouse shows them).
  for (int i = 0; i < 72; ++i)
    wires.SetValue(SnapshotJack(i), BoardSnapshot::Unpack(m.Snapshot.Jacks[static_cast<size_t>(i)]));
}

void Trace::KeepMemory(const MachineState& m) {
  KeepBefore(memEdits_, m.Beat.StepCount, [&m] { return m.Mem.Cells; });
}

void Trace::KeepStore(const MachineState& m) {
  KeepBefore(storeEdits_, m.Beat.StepCount, [&m] {
    std::array<std::array<char, 10>, ControlStoreSize> words{};
    for (int a = 0; a < ControlStoreSize; ++a) {
      const std::string& w = FetchMicroword(m, a);
      for (size_t i = 0; i < 10; ++i) words[static_cast<size_t>(a)][i] = i < w.size() ? w[i] : '0';
    }
    return words;
  });
}

void Trace::ForgetEdits() {
  memEdits_.clear();
  storeEdits_.clear();
}

}  // namespace orrin
